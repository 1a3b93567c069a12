// The valve stage: an odd-symmetric quadratic waveshaper y = g (b x - a x |x|), peaking at b^2 / (4a) for
// |x| = b / (2a) and falling again beyond it up to full scale; beyond full scale it keeps its value at +-1.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

class CValveModel : public Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CValveModel, "CCountedObject");

public:
    static constexpr int kBlockSize = 16;

    CValveModel();
    ~CValveModel() override;

    // Shapes 16 samples of each buffer in place.
    void process(float* left, float* right, float a, float b, float outputGain) const;

private:
};
