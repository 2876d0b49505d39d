// The transform kernels over AVX-512. This file alone is compiled for
// AVX-512, and nothing in it runs before TFFTKernelSet::Avx512 has found the
// processor able. Its radix-4 and radix-8 passes take four complex doubles a
// register; everything else is the AVX set's code.
#include "engine/FFTAvxOps.h"
#include "engine/TFFTKernelSet.h"
#include "engine/TFFTKernels.h"

namespace {

// The all-lanes masked forms of the conversions, permutes and shuffles: GCC
// 12 warns of the unmasked forms' undefined pass-through operand.
constexpr __mmask8 kAll = 0xFF;

struct Avx512Ops : AvxOps {
    struct Wide {
        using V = __m512d;
        using F = AvxOps::F;
        static constexpr int Lanes = 4;
        static V Load(const float* p) { return _mm512_maskz_cvtps_pd(kAll, _mm256_loadu_ps(p)); }
        static V Load(const double* p) { return _mm512_loadu_pd(p); }
        static void Store(float* p, V v) { _mm256_storeu_ps(p, _mm512_maskz_cvtpd_ps(kAll, v)); }
        static void Store(double* p, V v) { _mm512_storeu_pd(p, v); }
        static V Add(V a, V b) { return _mm512_add_pd(a, b); }
        static V Sub(V a, V b) { return _mm512_sub_pd(a, b); }
        static V Mul(V a, V b) { return _mm512_mul_pd(a, b); }
        static V Neg(V a) { return Negate(a, 0xFF); }
        // The doubles of `lanes` negated.
        static V Negate(V a, __mmask8 lanes)
        {
            const __m512i sign = _mm512_maskz_set1_epi64(lanes, static_cast<long long>(0x8000000000000000ull));
            return _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(a), sign));
        }
        static V SwapParts(V v) { return _mm512_maskz_permute_pd(kAll, v, 0x55); }
        // a - b in the real parts, a + b in the imaginary parts. The product
        // a * 1 is exact, so the one rounding is that of the sum: the bits of
        // a plain add or subtract.
        static V AddSub(V a, V b) { return _mm512_fmaddsub_pd(a, _mm512_set1_pd(1.0), b); }
        // Per complex value: (re, im) times -i is (im, -re), times +i (-im, re).
        static V TimesMinusI(V v) { return Negate(SwapParts(v), 0xAA); }
        static V TimesPlusI(V v) { return Negate(SwapParts(v), 0x55); }
        // Four complex values rounded to single precision.
        static F Narrow(V v) { return _mm512_maskz_cvtpd_ps(kAll, v); }
        // Four registers, taken as the rows of a 4 x 4 matrix of complex
        // values, replaced by its columns.
        static void Transpose(V& r0, V& r1, V& r2, V& r3)
        {
            const V t0 = _mm512_maskz_shuffle_f64x2(kAll, r0, r1, 0x44), t1 = _mm512_maskz_shuffle_f64x2(kAll, r0, r1, 0xEE);
            const V t2 = _mm512_maskz_shuffle_f64x2(kAll, r2, r3, 0x44), t3 = _mm512_maskz_shuffle_f64x2(kAll, r2, r3, 0xEE);
            r0 = _mm512_maskz_shuffle_f64x2(kAll, t0, t2, 0x88);
            r1 = _mm512_maskz_shuffle_f64x2(kAll, t0, t2, 0xDD);
            r2 = _mm512_maskz_shuffle_f64x2(kAll, t1, t3, 0x88);
            r3 = _mm512_maskz_shuffle_f64x2(kAll, t1, t3, 0xDD);
        }
        static V Splat(double v) { return _mm512_set1_pd(v); }
        static V Alternate(double real, double imag)
        {
            return _mm512_setr_pd(real, imag, real, imag, real, imag, real, imag);
        }
    };

    // Eight complex floats in one 512-bit register.
    struct WideFloats {
        using V = __m512;
        static constexpr int Pairs = 8;
        static V Load(const float* p) { return _mm512_loadu_ps(p); }
        static void Store(float* p, V v) { _mm512_storeu_ps(p, v); }
        static V Add(V a, V b) { return _mm512_add_ps(a, b); }
        static V Sub(V a, V b) { return _mm512_sub_ps(a, b); }
        static V Mul(V a, V b) { return _mm512_mul_ps(a, b); }
        static V SwapParts(V v) { return _mm512_maskz_permute_ps(0xFFFF, v, 0xB1); }
        static V NegateReal(V v) { return Negate(v, 0x5555); }
        static V NegateImag(V v) { return Negate(v, 0xAAAA); }
        static V Reversed(V v)
        {
            const __m512i order = _mm512_setr_epi32(14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
            return _mm512_maskz_permutexvar_ps(0xFFFF, order, v);
        }
        // The floats of `lanes` negated.
        static V Negate(V v, __mmask16 lanes)
        {
            const __m512i sign = _mm512_maskz_set1_epi32(lanes, static_cast<int>(0x80000000u));
            return _mm512_castsi512_ps(_mm512_xor_si512(_mm512_castps_si512(v), sign));
        }
    };
};

}  // namespace

constinit const TFFTKernelSet TFFTKernelSet::Avx512Set{"AVX-512", &TFFTKernels<Avx512Ops>::Complex,
                                                     &TFFTKernels<Avx512Ops>::Split,
                                                     &TFFTKernels<Avx512Ops>::RealSplit};
