#include "compressor/CValveModel.hpp"

#include <emmintrin.h>

using Brivant::Basics::CClass;

namespace
{
// y = b x - a x^2 for x > 0, a x^2 + b x otherwise; then times the output gain. Single precision, in the
// evaluation order of each branch; both branches are computed and the sign picks one, four samples at a time,
// as a branch on the sign of audio is mispredicted half the time. Beyond full scale the quadratic would turn
// over and grow without bound, so x is first held to -1..1 (NaN passes through).
void shapeBlock(float* samples, float a, float b, float outputGain)
{
    const __m128 va = _mm_set1_ps(a);
    const __m128 vb = _mm_set1_ps(b);
    const __m128 gain = _mm_set1_ps(outputGain);
    const __m128 top = _mm_set1_ps(1.0f);
    const __m128 bottom = _mm_set1_ps(-1.0f);
    for (int i = 0; i < CValveModel::kBlockSize; i += 4)
    {
        const __m128 x = _mm_max_ps(bottom, _mm_min_ps(top, _mm_loadu_ps(samples + i)));
        const __m128 positive = _mm_sub_ps(_mm_mul_ps(vb, x), _mm_mul_ps(_mm_mul_ps(x, x), va));
        const __m128 negative = _mm_mul_ps(_mm_add_ps(_mm_mul_ps(va, x), vb), x);
        const __m128 above = _mm_cmpgt_ps(x, _mm_setzero_ps());
        const __m128 y = _mm_or_ps(_mm_and_ps(above, positive), _mm_andnot_ps(above, negative));
        _mm_storeu_ps(samples + i, _mm_mul_ps(y, gain));
    }
}
} // namespace

CValveModel::CValveModel() = default;

CValveModel::~CValveModel() = default;

void CValveModel::process(float* left, float* right, float a, float b, float outputGain) const
{
    shapeBlock(left, a, b, outputGain);
    shapeBlock(right, a, b, outputGain);
}
