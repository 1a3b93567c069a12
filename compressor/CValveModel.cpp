#include "compressor/CValveModel.hpp"

using Brivant::Basics::CClass;

namespace
{
const CClass& s_record = CValveModel::classRecord();

// y = b x - a x^2 for x > 0, a x^2 + b x otherwise; then times the output gain. Single precision, in the
// evaluation order of each branch.
float shape(float x, float a, float b, float outputGain)
{
    const float y = x > 0.0f ? (b * x) - (x * x) * a : (a * x + b) * x;
    return y * outputGain;
}

void shapeBlock(float* samples, float a, float b, float outputGain)
{
    for (int i = 0; i < CValveModel::kBlockSize; ++i)
        samples[i] = shape(samples[i], a, b, outputGain);
}
} // namespace

CClass& CValveModel::classRecord()
{
    static CClass record("CValveModel", "CCountedObject");
    return record;
}

const CClass& CValveModel::getClass() const { return classRecord(); }

CValveModel::CValveModel() = default;

CValveModel::~CValveModel() = default;

void CValveModel::process(float* left, float* right, float a, float b, float outputGain) const
{
    shapeBlock(left, a, b, outputGain);
    shapeBlock(right, a, b, outputGain);
}
