// The transform kernels over AVX-512. This file alone is compiled for
// AVX-512, and nothing in it runs before TFFTKernelSet::Avx512 has found the
// processor able. Its radix-4 and radix-8 passes take four complex doubles a
// register; everything else is the AVX set's code.
#include "engine/FFTAvxOps.h"
#include "engine/TFFTKernelSet.h"
#include "engine/TFFTKernels.h"

namespace {

// The all-lanes masked forms of the conversions and the permute: GCC 12
// warns of the unmasked forms' undefined pass-through operand.
constexpr __mmask8 kAll = 0xFF;

struct Avx512Ops : AvxOps {
    struct Wide {
        using V = __m512d;
        static constexpr int Lanes = 4;
        static V Load(const float* p) { return _mm512_maskz_cvtps_pd(kAll, _mm256_loadu_ps(p)); }
        static V Load(const double* p) { return _mm512_loadu_pd(p); }
        static void Store(float* p, V v) { _mm256_storeu_ps(p, _mm512_maskz_cvtpd_ps(kAll, v)); }
        static void Store(double* p, V v) { _mm512_storeu_pd(p, v); }
        static V Add(V a, V b) { return _mm512_add_pd(a, b); }
        static V Sub(V a, V b) { return _mm512_sub_pd(a, b); }
        static V Mul(V a, V b) { return _mm512_mul_pd(a, b); }
        static V Neg(V a)
        {
            const __m512i sign = _mm512_set1_epi64(static_cast<long long>(0x8000000000000000ull));
            return _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(a), sign));
        }
        static V SwapParts(V v) { return _mm512_maskz_permute_pd(kAll, v, 0x55); }
        // a - b in the real parts, a + b in the imaginary parts. The product
        // a * 1 is exact, so the one rounding is that of the sum: the bits of
        // a plain add or subtract.
        static V AddSub(V a, V b) { return _mm512_fmaddsub_pd(a, _mm512_set1_pd(1.0), b); }
        static V Splat(double v) { return _mm512_set1_pd(v); }
        static V Alternate(double real, double imag)
        {
            return _mm512_setr_pd(real, imag, real, imag, real, imag, real, imag);
        }
    };
};

}  // namespace

constinit const TFFTKernelSet TFFTKernelSet::Avx512Set{"AVX-512", &TFFTKernels<Avx512Ops>::Complex,
                                                     &TFFTKernels<Avx512Ops>::Split,
                                                     &TFFTKernels<Avx512Ops>::RealSplit};
