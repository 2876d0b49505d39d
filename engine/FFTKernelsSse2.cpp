// The transform kernels over SSE2, which every x86-64 processor has.
#include <emmintrin.h>

#include "engine/TFFTKernelSet.h"
#include "engine/TFFTKernels.h"

namespace {

// Four complex floats and two complex doubles as pairs of 128-bit registers.
struct Sse2Ops {
    struct F {
        __m128 lo, hi;
    };
    struct D {
        __m128d lo, hi;
    };

    static F Load(const float* p) { return {_mm_loadu_ps(p), _mm_loadu_ps(p + 4)}; }
    static void Store(float* p, F v)
    {
        _mm_storeu_ps(p, v.lo);
        _mm_storeu_ps(p + 4, v.hi);
    }
    static F Add(F a, F b) { return {_mm_add_ps(a.lo, b.lo), _mm_add_ps(a.hi, b.hi)}; }
    static F Sub(F a, F b) { return {_mm_sub_ps(a.lo, b.lo), _mm_sub_ps(a.hi, b.hi)}; }
    static F Mul(F a, F b) { return {_mm_mul_ps(a.lo, b.lo), _mm_mul_ps(a.hi, b.hi)}; }
    static F Splat(float v) { return {_mm_set1_ps(v), _mm_set1_ps(v)}; }
    static D Widen(__m128 v) { return {_mm_cvtps_pd(v), _mm_cvtps_pd(_mm_movehl_ps(v, v))}; }
    static D Low(F v) { return Widen(v.lo); }
    static D High(F v) { return Widen(v.hi); }
    static __m128 Round(D v) { return _mm_movelh_ps(_mm_cvtpd_ps(v.lo), _mm_cvtpd_ps(v.hi)); }
    static D WidenAt(const float* p) { return Widen(_mm_loadu_ps(p)); }
    static F Narrow(D lo, D hi) { return {Round(lo), Round(hi)}; }
    static void StoreNarrow(float* p, D lo, D hi) { Store(p, Narrow(lo, hi)); }
    static void StoreHalf(float* p, D v) { _mm_storeu_ps(p, Round(v)); }
    static F SwapNeighbours(F v) { return {_mm_shuffle_ps(v.lo, v.lo, 0x4E), _mm_shuffle_ps(v.hi, v.hi, 0x4E)}; }
    static F SwapParts(F v) { return {_mm_shuffle_ps(v.lo, v.lo, 0xB1), _mm_shuffle_ps(v.hi, v.hi, 0xB1)}; }
    static F Xor(F v, __m128 mask) { return {_mm_xor_ps(v.lo, mask), _mm_xor_ps(v.hi, mask)}; }
    static F NegateReal(F v) { return Xor(v, _mm_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f)); }
    static F NegateImag(F v) { return Xor(v, _mm_setr_ps(0.0f, -0.0f, 0.0f, -0.0f)); }
    static F Reversed(F v) { return {_mm_shuffle_ps(v.hi, v.hi, 0x4E), _mm_shuffle_ps(v.lo, v.lo, 0x4E)}; }
    static F FirstFrom(F v, F w)
    {
        return {_mm_castpd_ps(_mm_move_sd(_mm_castps_pd(v.lo), _mm_castps_pd(w.lo))), v.hi};
    }

    static D LoadD(const double* p) { return {_mm_loadu_pd(p), _mm_loadu_pd(p + 2)}; }
    static void StoreD(double* p, D v)
    {
        _mm_storeu_pd(p, v.lo);
        _mm_storeu_pd(p + 2, v.hi);
    }
    static D SumDiff(D v) { return {_mm_add_pd(v.lo, v.hi), _mm_sub_pd(v.lo, v.hi)}; }
    static D HighTimesMinusI(D v) { return {v.lo, _mm_xor_pd(_mm_shuffle_pd(v.hi, v.hi, 1), _mm_set_pd(-0.0, 0.0))}; }
    static D HighTimesPlusI(D v) { return {v.lo, _mm_xor_pd(_mm_shuffle_pd(v.hi, v.hi, 1), _mm_set_pd(0.0, -0.0))}; }
    static D Add(D a, D b) { return {_mm_add_pd(a.lo, b.lo), _mm_add_pd(a.hi, b.hi)}; }
    static D Sub(D a, D b) { return {_mm_sub_pd(a.lo, b.lo), _mm_sub_pd(a.hi, b.hi)}; }
    static D Mul(D a, D b) { return {_mm_mul_pd(a.lo, b.lo), _mm_mul_pd(a.hi, b.hi)}; }
    static D Neg(D a)
    {
        const __m128d sign = _mm_set1_pd(-0.0);
        return {_mm_xor_pd(a.lo, sign), _mm_xor_pd(a.hi, sign)};
    }
    static D UnpackLo(D a, D b) { return {_mm_unpacklo_pd(a.lo, b.lo), _mm_unpacklo_pd(a.hi, b.hi)}; }
    static D UnpackHi(D a, D b) { return {_mm_unpackhi_pd(a.lo, b.lo), _mm_unpackhi_pd(a.hi, b.hi)}; }
    static D SplatD(double v) { return {_mm_set1_pd(v), _mm_set1_pd(v)}; }
    static D AlternateD(double real, double imag) { return {_mm_setr_pd(real, imag), _mm_setr_pd(real, imag)}; }
    static D SwapParts(D v) { return {_mm_shuffle_pd(v.lo, v.lo, 1), _mm_shuffle_pd(v.hi, v.hi, 1)}; }
    // a + (-b) is a - b exactly.
    static D AddSub(D a, D b)
    {
        const __m128d realSign = _mm_set_pd(0.0, -0.0);
        return {_mm_add_pd(a.lo, _mm_xor_pd(b.lo, realSign)), _mm_add_pd(a.hi, _mm_xor_pd(b.hi, realSign))};
    }

    // Complex values are 64 bits wide: transposed as doubles.
    static void Transpose(F& r0, F& r1, F& r2, F& r3)
    {
        const __m128d a0 = _mm_castps_pd(r0.lo), a1 = _mm_castps_pd(r0.hi);
        const __m128d b0 = _mm_castps_pd(r1.lo), b1 = _mm_castps_pd(r1.hi);
        const __m128d c0 = _mm_castps_pd(r2.lo), c1 = _mm_castps_pd(r2.hi);
        const __m128d d0 = _mm_castps_pd(r3.lo), d1 = _mm_castps_pd(r3.hi);
        r0 = {_mm_castpd_ps(_mm_unpacklo_pd(a0, b0)), _mm_castpd_ps(_mm_unpacklo_pd(c0, d0))};
        r1 = {_mm_castpd_ps(_mm_unpackhi_pd(a0, b0)), _mm_castpd_ps(_mm_unpackhi_pd(c0, d0))};
        r2 = {_mm_castpd_ps(_mm_unpacklo_pd(a1, b1)), _mm_castpd_ps(_mm_unpacklo_pd(c1, d1))};
        r3 = {_mm_castpd_ps(_mm_unpackhi_pd(a1, b1)), _mm_castpd_ps(_mm_unpackhi_pd(c1, d1))};
    }
};

}  // namespace

constinit const TFFTKernelSet TFFTKernelSet::Sse2Set{"SSE2", &TFFTKernels<Sse2Ops>::Complex,
                                                   &TFFTKernels<Sse2Ops>::Split,
                                                  &TFFTKernels<Sse2Ops>::RealSplit};
