// Natural logarithm and exponential of four floats at once (SSE2), for the audio path: the runtime's
// scalar functions are x87 based on this toolchain and cost some 40 ns a call. Accurate to about one unit in
// the last place of a float for normal, finite arguments.
#pragma once

#include <emmintrin.h>

namespace Brivant
{
namespace MathTools
{
class CVectorMath
{
public:
    CVectorMath() = delete;

    // e^x: x = k ln2 + r with |r| <= ln2 / 2, e^r by its Taylor series to r^7, scaled by 2^k through the
    // exponent bits. Arguments are held to -87 .. 88, where the result stays a normal float.
    static __m128 exp(__m128 x)
    {
        x = _mm_min_ps(_mm_max_ps(x, _mm_set1_ps(-87.0f)), _mm_set1_ps(88.0f));
        const __m128i k = _mm_cvtps_epi32(_mm_mul_ps(x, _mm_set1_ps(1.44269504f)));
        const __m128 kf = _mm_cvtepi32_ps(k);
        // ln 2 in two parts, so that k ln2High is exact.
        __m128 r = _mm_sub_ps(x, _mm_mul_ps(kf, _mm_set1_ps(0.693359375f)));
        r = _mm_add_ps(r, _mm_mul_ps(kf, _mm_set1_ps(2.12194440e-4f)));
        const __m128 r2 = _mm_mul_ps(r, r);
        const __m128 low = _mm_add_ps(_mm_add_ps(_mm_set1_ps(1.0f), r),
                                      _mm_mul_ps(r2, _mm_add_ps(_mm_set1_ps(0.5f), _mm_mul_ps(r, _mm_set1_ps(1.0f / 6.0f)))));
        const __m128 high =
            _mm_add_ps(_mm_add_ps(_mm_set1_ps(1.0f / 24.0f), _mm_mul_ps(r, _mm_set1_ps(1.0f / 120.0f))),
                       _mm_mul_ps(r2, _mm_add_ps(_mm_set1_ps(1.0f / 720.0f), _mm_mul_ps(r, _mm_set1_ps(1.0f / 5040.0f)))));
        const __m128 series = _mm_add_ps(low, _mm_mul_ps(_mm_mul_ps(r2, r2), high));
        const __m128i scale = _mm_slli_epi32(_mm_add_epi32(k, _mm_set1_epi32(127)), 23);
        return _mm_mul_ps(series, _mm_castsi128_ps(scale));
    }

    // ln x: x = m 2^e with m in [sqrt(1/2), sqrt(2)), ln m = 2 atanh(s) with s = (m - 1) / (m + 1), by its
    // series to s^9. Arguments that are not positive, normal and finite give NaN.
    static __m128 log(__m128 x)
    {
        const __m128 valid = _mm_and_ps(_mm_cmpge_ps(x, _mm_set1_ps(1.17549435e-38f)),
                                        _mm_cmple_ps(x, _mm_set1_ps(3.40282347e+38f)));
        const __m128i bits = _mm_castps_si128(x);
        __m128i exponent = _mm_sub_epi32(_mm_srli_epi32(bits, 23), _mm_set1_epi32(127));
        __m128 mantissa = _mm_castsi128_ps(
            _mm_or_si128(_mm_and_si128(bits, _mm_set1_epi32(0x007FFFFF)), _mm_set1_epi32(0x3F800000)));
        // Mantissas above sqrt 2 are halved and their exponent raised, to keep s small.
        const __m128 above = _mm_cmpgt_ps(mantissa, _mm_set1_ps(1.41421356f));
        mantissa = _mm_sub_ps(mantissa, _mm_and_ps(above, _mm_mul_ps(mantissa, _mm_set1_ps(0.5f))));
        exponent = _mm_sub_epi32(exponent, _mm_castps_si128(above));
        const __m128 s =
            _mm_div_ps(_mm_sub_ps(mantissa, _mm_set1_ps(1.0f)), _mm_add_ps(mantissa, _mm_set1_ps(1.0f)));
        const __m128 s2 = _mm_mul_ps(s, s);
        const __m128 s4 = _mm_mul_ps(s2, s2);
        const __m128 inner =
            _mm_add_ps(_mm_add_ps(_mm_set1_ps(1.0f / 3.0f), _mm_mul_ps(s2, _mm_set1_ps(1.0f / 5.0f))),
                       _mm_mul_ps(s4, _mm_add_ps(_mm_set1_ps(1.0f / 7.0f), _mm_mul_ps(s2, _mm_set1_ps(1.0f / 9.0f)))));
        const __m128 logMantissa = _mm_add_ps(_mm_add_ps(s, s), _mm_mul_ps(_mm_add_ps(s, s), _mm_mul_ps(s2, inner)));
        const __m128 e = _mm_cvtepi32_ps(exponent);
        const __m128 result = _mm_add_ps(_mm_mul_ps(e, _mm_set1_ps(0.693359375f)),
                                         _mm_sub_ps(logMantissa, _mm_mul_ps(e, _mm_set1_ps(2.12194440e-4f))));
        // All bits set is a NaN.
        return _mm_or_ps(result, _mm_andnot_ps(valid, _mm_castsi128_ps(_mm_set1_epi32(-1))));
    }
};
} // namespace MathTools
} // namespace Brivant
