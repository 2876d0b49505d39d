#pragma once
// The vector operations of the AVX kernels (see engine/TFFTKernels.h), for
// the sources compiled for AVX and wider sets. They live in an anonymous
// namespace, so each such source has its own copy, compiled for its own set:
// no code of a wider set is ever shared with a narrower one.
#include <immintrin.h>

namespace {

// Four complex floats in one 256-bit register; two complex doubles in one,
// a complex value in each 128-bit half.
struct AvxOps {
    using F = __m256;
    using D = __m256d;

    static F Load(const float* p) { return _mm256_loadu_ps(p); }
    static void Store(float* p, F v) { _mm256_storeu_ps(p, v); }
    static F Add(F a, F b) { return _mm256_add_ps(a, b); }
    static F Sub(F a, F b) { return _mm256_sub_ps(a, b); }
    static F Mul(F a, F b) { return _mm256_mul_ps(a, b); }
    static F Splat(float v) { return _mm256_set1_ps(v); }
    static D Low(F v) { return _mm256_cvtps_pd(_mm256_castps256_ps128(v)); }
    static D High(F v) { return _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1)); }
    static D WidenAt(const float* p) { return _mm256_cvtps_pd(_mm_loadu_ps(p)); }
    static F Narrow(D lo, D hi) { return _mm256_set_m128(_mm256_cvtpd_ps(hi), _mm256_cvtpd_ps(lo)); }
    static void StoreNarrow(float* p, D lo, D hi)
    {
        _mm_storeu_ps(p, _mm256_cvtpd_ps(lo));
        _mm_storeu_ps(p + 4, _mm256_cvtpd_ps(hi));
    }
    static void StoreHalf(float* p, D v) { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }
    static F SwapNeighbours(F v) { return _mm256_permute_ps(v, 0x4E); }
    static F SwapParts(F v) { return _mm256_permute_ps(v, 0xB1); }
    static F NegateReal(F v) { return _mm256_xor_ps(v, _mm256_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f)); }
    static F NegateImag(F v) { return _mm256_xor_ps(v, _mm256_setr_ps(0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f)); }
    static F Reversed(F v) { return SwapNeighbours(_mm256_permute2f128_ps(v, v, 1)); }
    static F FirstFrom(F v, F w) { return _mm256_blend_ps(v, w, 0x03); }

    static D LoadD(const double* p) { return _mm256_loadu_pd(p); }
    static void StoreD(double* p, D v) { _mm256_storeu_pd(p, v); }
    // (v0, -v1) + (v1, v0): -v1 + v0 is v0 - v1 exactly.
    static D SumDiff(D v)
    {
        const D negatedHigh = _mm256_xor_pd(v, _mm256_setr_pd(0.0, 0.0, -0.0, -0.0));
        return _mm256_add_pd(negatedHigh, _mm256_permute2f128_pd(v, v, 1));
    }
    static D HighTimesMinusI(D v) { return _mm256_xor_pd(_mm256_permute_pd(v, 0x6), _mm256_setr_pd(0.0, 0.0, 0.0, -0.0)); }
    static D HighTimesPlusI(D v) { return _mm256_xor_pd(_mm256_permute_pd(v, 0x6), _mm256_setr_pd(0.0, 0.0, -0.0, 0.0)); }
    static D Add(D a, D b) { return _mm256_add_pd(a, b); }
    static D Sub(D a, D b) { return _mm256_sub_pd(a, b); }
    static D Mul(D a, D b) { return _mm256_mul_pd(a, b); }
    static D Neg(D a) { return _mm256_xor_pd(a, _mm256_set1_pd(-0.0)); }
    static D UnpackLo(D a, D b) { return _mm256_unpacklo_pd(a, b); }
    static D UnpackHi(D a, D b) { return _mm256_unpackhi_pd(a, b); }
    static D SplatD(double v) { return _mm256_set1_pd(v); }
    static D AlternateD(double real, double imag) { return _mm256_setr_pd(real, imag, real, imag); }
    static D SwapParts(D v) { return _mm256_permute_pd(v, 0x5); }
    static D AddSub(D a, D b) { return _mm256_addsub_pd(a, b); }

    // Complex values are 64 bits wide: transposed as doubles.
    static void Transpose(F& r0, F& r1, F& r2, F& r3)
    {
        const __m256d a = _mm256_castps_pd(r0), b = _mm256_castps_pd(r1);
        const __m256d c = _mm256_castps_pd(r2), d = _mm256_castps_pd(r3);
        const __m256d ab0 = _mm256_unpacklo_pd(a, b), ab1 = _mm256_unpackhi_pd(a, b);
        const __m256d cd0 = _mm256_unpacklo_pd(c, d), cd1 = _mm256_unpackhi_pd(c, d);
        r0 = _mm256_castpd_ps(_mm256_permute2f128_pd(ab0, cd0, 0x20));
        r1 = _mm256_castpd_ps(_mm256_permute2f128_pd(ab1, cd1, 0x20));
        r2 = _mm256_castpd_ps(_mm256_permute2f128_pd(ab0, cd0, 0x31));
        r3 = _mm256_castpd_ps(_mm256_permute2f128_pd(ab1, cd1, 0x31));
    }
};

}  // namespace
