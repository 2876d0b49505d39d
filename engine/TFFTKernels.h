#pragma once
// The transform kernels, written once over the vector operations of an
// instruction set (Ops) and compiled once per set. Radix-4 passes, and the
// radix-8 pass that begins odd stage counts, do all their arithmetic in
// double precision with twiddles exact to double precision. Groups larger
// than the first-level cache are rounded to single precision after each such
// pass; the passes inside a block small enough for that cache read its points
// once, keep them in double precision in a buffer of their own through the
// last two stages, and round them once. That keeps the error well below that
// of the plain radix-2 algorithm, which rounds every stage. Transforms of 4
// and 8 points round their sums in single precision as that algorithm does.
// Butterflies run several at once in vector registers.
//
// Ops supplies F (four complex floats, eight floats) and D (two complex
// doubles, in two halves of two doubles), with:
//   Load, Store, Add, Sub, Mul, Splat over F;
//   SwapParts, NegateReal, NegateImag over F: per complex value, real and
//   imaginary part exchanged, or one of them negated;
//   Reversed: the four complex values of an F in reverse order;
//   Low, High: the first or last two complex values of an F widened to D;
//   WidenAt: two complex values in memory widened to D;
//   Narrow(lo, hi): two D rounded back into one F; StoreNarrow stores it;
//   StoreHalf: one D rounded to two complex floats and stored;
//   LoadD, StoreD, Add, Sub, Mul, Neg over D;
//   SumDiff(v): the sum and the difference of v's two complex values;
//   HighTimesMinusI, HighTimesPlusI: the second complex value times -i or +i;
//   UnpackLo, UnpackHi: per half, the first or second double of each operand;
//   SwapNeighbours: complex values 0 and 1, 2 and 3 of an F exchanged;
//   FirstFrom(v, w): v with its first complex value from w;
//   SplatD; AlternateD(real, imag): the two values in every complex value;
//   SwapParts: real and imaginary part of each complex exchanged;
//   AddSub(a, b): a - b in the real parts, a + b in the imaginary parts;
//   Transpose: four F, taken as the rows of a 4 x 4 matrix of complex
//   values, replaced by its columns.
// A set with wider registers may also supply Ops::Wide, the lanes of the
// radix-4 and radix-8 passes (as TPairLanes below, over four complex values
// a register), and Ops::WideFloats, those of the split step (as TQuadFloats
// below, over eight): those steps then run more butterflies or pairs at a
// time, each with the same operations in the same order, so the bits stay
// the same.
// Each set instantiates these templates with an Ops type of its own source
// file's anonymous namespace, so their code is never shared between sets.
#include <cstdint>

#include "engine/FFTTables.h"

// The lanes of the radix-4 and radix-8 passes over an instruction set's D:
// two complex doubles a register.
template <class Ops>
struct TPairLanes {
    using V = typename Ops::D;
    static constexpr int Lanes = 2;
    static V Load(const float* p) { return Ops::WidenAt(p); }
    static V Load(const double* p) { return Ops::LoadD(p); }
    static void Store(float* p, V v) { Ops::StoreHalf(p, v); }
    static void Store(double* p, V v) { Ops::StoreD(p, v); }
    static V Add(V a, V b) { return Ops::Add(a, b); }
    static V Sub(V a, V b) { return Ops::Sub(a, b); }
    static V Mul(V a, V b) { return Ops::Mul(a, b); }
    static V Neg(V a) { return Ops::Neg(a); }
    static V SwapParts(V v) { return Ops::SwapParts(v); }
    static V AddSub(V a, V b) { return Ops::AddSub(a, b); }
    static V Splat(double v) { return Ops::SplatD(v); }
    static V Alternate(double real, double imag) { return Ops::AlternateD(real, imag); }
};

// Four complex floats a register: the split step's lanes over an
// instruction set's F.
template <class Ops>
struct TQuadFloats {
    using V = typename Ops::F;
    static constexpr int Pairs = 4;
    static V Load(const float* p) { return Ops::Load(p); }
    static void Store(float* p, V v) { Ops::Store(p, v); }
    static V Add(V a, V b) { return Ops::Add(a, b); }
    static V Sub(V a, V b) { return Ops::Sub(a, b); }
    static V Mul(V a, V b) { return Ops::Mul(a, b); }
    static V SwapParts(V v) { return Ops::SwapParts(v); }
    static V NegateReal(V v) { return Ops::NegateReal(v); }
    static V NegateImag(V v) { return Ops::NegateImag(v); }
    static V Reversed(V v) { return Ops::Reversed(v); }
};

template <class Ops>
struct TFloatLanesOf {
    using Type = TQuadFloats<Ops>;
};
template <class Ops>
    requires requires { typename Ops::WideFloats; }
struct TFloatLanesOf<Ops> {
    using Type = typename Ops::WideFloats;
};

template <class Ops>
struct TLanesOf {
    using Type = TPairLanes<Ops>;
};
template <class Ops>
    requires requires { typename Ops::Wide; }
struct TLanesOf<Ops> {
    using Type = typename Ops::Wide;
};

template <class Ops>
class TFFTKernels {
    using F = typename Ops::F;
    using D = typename Ops::D;
    using L = typename TLanesOf<Ops>::Type;
    using V = typename L::V;
    using FL = typename TFloatLanesOf<Ops>::Type;

    // Groups at most this many points long run all their remaining stages
    // one after another while they stay in the first-level cache.
    static constexpr int kCachePoints = kFFTCachePoints;

    // The double-precision copy of one cache block, on the stack and aligned
    // to a cache line by hand: the Windows compiler aligns the stack to 16
    // only, and vectors across cache lines cost twice.
    struct TWork {
        double Space[2 * kCachePoints + 8];
        double* Data() { return reinterpret_cast<double*>((reinterpret_cast<uintptr_t>(Space) + 63) & ~uintptr_t{63}); }
    };

public:
    static void Complex(float* x, const FFTStageTables& t, int direction, float postScale)
    {
        if (t.ReverseQuarter && !t.Radix2First) {
            if (direction == 1)
                InCache<true>(x, t, 1.0f, postScale);
            else
                InCache<false>(x, t, static_cast<float>(1.0 / t.Points), postScale);
            return;
        }
        if (direction == 1)
            Transform<true>(x, t, 1.0f);
        else
            Transform<false>(x, t, static_cast<float>(1.0 / t.Points));
        if (postScale != 1.0f)
            Reverse<true>(x, t, postScale);
        else
            Reverse<false>(x, t, 1.0f);
    }

    static void Split(float* x, const FFTSplitTables& t, int direction)
    {
        const int n = t.Points;
        if (!SplitEnds(x, n, direction))
            return;
        if (direction > 0)
            SplitPairs<true>(x, n, t.Twiddles);
        else
            SplitPairs<false>(x, n, t.Twiddles);
    }

    // The split step as RealFFT takes it: the same sums as Split, in single
    // precision over four pairs at once with twiddles exact to single
    // precision. It rounds more often than Split but costs a third as much,
    // and the transform's error stays below the plain algorithm's.
    static void RealSplit(float* x, const FFTSplitTables& t, int direction)
    {
        const int n = t.Points;
        if (!SplitEnds(x, n, direction))
            return;
        if (direction > 0)
            RotatePairs<true>(x, n, t.Rotations);
        else
            RotatePairs<false>(x, n, t.Rotations);
    }

private:
    // The split's first pair, the zero and Nyquist terms, which both split
    // steps share; whether there are pairs left to split.
    static bool SplitEnds(float* x, int n, int direction)
    {
        const float f = direction == 1 ? 2.0f : 1.0f;
        const float x0 = x[0];
        const float x1 = x[1];
        x[0] = (x0 + x1) * f;
        x[1] = (x0 - x1) * f;
        return n >= 4;
    }

    // A transform of 16 to kCachePoints points: the first pass reads x into
    // a buffer of doubles, every pass but the last works there, and the last
    // rounds each result into its bit-reversed place in x.
    template <bool Forward>
    static void InCache(float* x, const FFTStageTables& t, float scale, float postScale)
    {
        const int n = t.Points;
        TWork buffer;
        double* work = buffer.Data();
        // Wide lanes take the span-16 pass and the last two stages in one.
        const bool fused = L::Lanes == 4 && n >= 64;
        const int lowest = fused ? 64 : 16;
        if (t.Radix8First) {
            Radix8<Forward, !Forward>(x, work, n / 8, t.Twiddles + t.Offsets[0], scale);
            for (int part = 0; part < 8; ++part)
                DoublePasses<Forward>(work + part * (n / 4), n / 8, n / 8, 3, t, lowest);
        } else {
            Radix4<Forward, !Forward>(x, work, n / 4, t.Twiddles + t.Offsets[0], scale);
            DoublePasses<Forward>(work, n, n / 4, 2, t, lowest);
        }
        if constexpr (L::Lanes == 4) {
            if (fused) {
                const double* tw = t.Twiddles + t.Offsets[t.Stages - 4];
                if (postScale != 1.0f)
                    LastFourStagesReversed<Forward, true>(work, x, n, tw, t.ReverseQuarter, postScale);
                else
                    LastFourStagesReversed<Forward, false>(work, x, n, tw, t.ReverseQuarter, 1.0f);
                return;
            }
        }
        if (postScale != 1.0f)
            LastTwoStagesReversed<Forward, true>(work, x, n, t.ReverseQuarter, postScale);
        else
            LastTwoStagesReversed<Forward, false>(work, x, n, t.ReverseQuarter, 1.0f);
    }

    template <bool Forward>
    static void Transform(float* x, const FFTStageTables& t, float scale)
    {
        const int n = t.Points;
        if (n >= 8) {
            if (t.Radix8First && n <= kCachePoints) {
                TWork buffer;
                double* work = buffer.Data();
                Radix8<Forward, !Forward>(x, work, n / 8, t.Twiddles + t.Offsets[0], scale);
                for (int part = 0; part < 8; ++part)
                    FinishInDouble<Forward>(work + part * (n / 4), x + part * (n / 4), n / 8, n / 8, 3, t);
            } else if (t.Radix8First) {
                Radix8<Forward, !Forward>(x, x, n / 8, t.Twiddles + t.Offsets[0], scale);
                for (int part = 0; part < 8; ++part)
                    Stages<Forward, false>(x + part * (n / 4), n / 8, 3, t, scale);
            } else if (t.Radix2First) {
                Butterflies<Forward, !Forward>(x, n / 2, t.Twiddles + t.Offsets[0], Ops::Splat(scale));
                Stages<Forward, false>(x, n / 2, 1, t, scale);
                Stages<Forward, false>(x + n, n / 2, 1, t, scale);
            } else {
                Stages<Forward, !Forward>(x, n, 0, t, scale);
            }
            return;
        }
        if (!Forward)
            for (int i = 0; i < 2 * n; ++i)
                x[i] *= scale;
        if (n == 4)
            LastTwoStages<Forward>(x, 4);
        else if (n == 2)
            Butterfly2(x);
    }

    // The stages from `stage` on, an even number of them, over one group of
    // n >= 4 points: depth first while the group is larger than the cache,
    // then in double precision from the first pass to the last. Scaled only
    // when n >= 16.
    template <bool Forward, bool Scaled>
    static void Stages(float* x, int n, int stage, const FFTStageTables& t, float scale)
    {
        if (n > kCachePoints) {
            Radix4<Forward, Scaled>(x, x, n / 4, t.Twiddles + t.Offsets[stage], scale);
            for (int part = 0; part < 4; ++part)
                Stages<Forward, false>(x + part * (n / 2), n / 4, stage + 2, t, scale);
        } else if (n >= 16) {
            TWork buffer;
            double* work = buffer.Data();
            Radix4<Forward, Scaled>(x, work, n / 4, t.Twiddles + t.Offsets[stage], scale);
            FinishInDouble<Forward>(work, x, n, n / 4, stage + 2, t);
        } else {
            LastTwoStages<Forward>(x, n);
        }
    }

    // A group of n points held in double precision at w: the radix-4 passes
    // of spans from `span` down to 16, starting at stage `stage`, then the last
    // two stages, whose outputs are rounded into x.
    template <bool Forward>
    static void FinishInDouble(double* w, float* x, int n, int span, int stage, const FFTStageTables& t)
    {
        DoublePasses<Forward>(w, n, span, stage, t, 16);
        LastTwoStagesRounded<Forward>(w, x, n);
    }

    // The radix-4 passes of spans from `span` down to `lowest`, in place at w.
    template <bool Forward>
    static void DoublePasses(double* w, int n, int span, int stage, const FFTStageTables& t, int lowest)
    {
        for (int s = stage; span >= lowest; span /= 4, s += 2) {
            const double* tw = t.Twiddles + t.Offsets[s];
            if (span == 16)
                GroupsOf<Forward, 4>(w, n, tw);
            else if (span == 64)
                GroupsOf<Forward, 16>(w, n, tw);
            else
                for (int i = 0; i < n; i += span)
                    Radix4<Forward, false>(w + 2 * i, w + 2 * i, span / 4, tw, 1.0f);
        }
    }

    // Radix4 over every group of 4 Quarter points of w, the group's length
    // known to the compiler: short groups then run without a loop.
    template <bool Forward, int Quarter>
    static void GroupsOf(double* w, int n, const double* tw)
    {
        for (int i = 0; i < n; i += 4 * Quarter)
            Radix4<Forward, false, Quarter>(w + 2 * i, w + 2 * i, Quarter, tw, 1.0f);
    }

    // One group's radix-4 butterflies j = 0 .. quarter - 1 (quarter >= 4, a
    // power of two) over x[j], x[j + q], x[j + 2q], x[j + 3q]: the two radix-2
    // stages of the group at once, read from `in`, their outputs written to
    // the same places of `out` (which may be `in`). Scaled first multiplies
    // the inputs by scale (a power of two: exact). A Quarter other than 0
    // fixes quarter at compile time.
    template <bool Forward, bool Scaled, int Quarter = 0, class In, class Out>
    static void Radix4(const In* in, Out* out, int runQuarter, const double* tw, float scale)
    {
        const int quarter = Quarter ? Quarter : runQuarter;
        const int q = 2 * quarter;
        const V factor = L::Splat(scale);
        for (int chunk = 0; chunk < quarter; chunk += 4, tw += 48) {
            for (int h = 0; h < 4; h += L::Lanes) {
                const In* from = in + 2 * (chunk + h);
                Out* p = out + 2 * (chunk + h);
                const double* w = tw + 2 * h;
                V a = L::Load(from), b = L::Load(from + q), c = L::Load(from + 2 * q), d = L::Load(from + 3 * q);
                if constexpr (Scaled) {
                    a = L::Mul(a, factor);
                    b = L::Mul(b, factor);
                    c = L::Mul(c, factor);
                    d = L::Mul(d, factor);
                }
                const V s0 = L::Add(a, c), d0 = L::Sub(a, c);
                const V s1 = L::Add(b, d), d1 = L::SwapParts(L::Sub(b, d));
                // d0 -+ i (b - d): the forward transform's w^j output takes -i.
                const V minusI = L::AddSub(d0, L::Neg(d1));
                const V plusI = L::AddSub(d0, d1);
                L::Store(p, L::Add(s0, s1));
                L::Store(p + q, Times<Forward>(L::Sub(s0, s1), Power(w, 2)));
                L::Store(p + 2 * q, Times<Forward>(Forward ? minusI : plusI, Power(w, 1)));
                L::Store(p + 3 * q, Times<Forward>(Forward ? plusI : minusI, Power(w, 3)));
            }
        }
    }

    // One group's radix-8 butterflies j = 0 .. eighth - 1 (eighth >= 4, a
    // power of two) over x[j + m eighth], m = 0 .. 7: the group's first three
    // radix-2 stages at once, all in double precision, so that the outputs are
    // rounded once. Position m ends as output rev(m) of the butterfly's
    // 8-point transform (rev: the three bits of m reversed) times
    // w^(rev(m) j), written to the same place of `out` (which may be `in`).
    template <bool Forward, bool Scaled, class Out>
    static void Radix8(const float* in, Out* out, int eighth, const double* tw, float scale)
    {
        constexpr double kRootHalf = 0.70710678118654752440;
        const int e = 2 * eighth;
        const V factor = L::Splat(scale);
        const V root = L::Splat(kRootHalf);
        const V rootConj = Forward ? L::Alternate(kRootHalf, -kRootHalf) : L::Alternate(-kRootHalf, kRootHalf);
        for (int chunk = 0; chunk < eighth; chunk += 4, tw += 112) {
            for (int h = 0; h < 4; h += L::Lanes) {
                const int j = chunk + h;
                const double* w = tw + 2 * h;
                Out* p = out + 2 * j;
                V v[8];
                for (int m = 0; m < 8; ++m) {
                    v[m] = L::Load(in + 2 * j + m * e);
                    if constexpr (Scaled)
                        v[m] = L::Mul(v[m], factor);
                }
                // First stage: the sums a go on to a radix-4 butterfly as
                // they are, the differences t take the eighth roots of unity
                // w8^m first: w8 = (1 -+ i) / sqrt 2, w8^2 = -+i,
                // w8^3 = (-1 -+ i) / sqrt 2, the upper sign forward.
                const V a0 = L::Add(v[0], v[4]), a1 = L::Add(v[1], v[5]);
                const V a2 = L::Add(v[2], v[6]), a3 = L::Add(v[3], v[7]);
                const V b0 = L::Sub(v[0], v[4]), t1 = L::Sub(v[1], v[5]);
                const V t2 = L::SwapParts(L::Sub(v[2], v[6])), t3 = L::Sub(v[3], v[7]);
                const V b1 = L::Mul(Forward ? L::AddSub(t1, L::Neg(L::SwapParts(t1))) : L::AddSub(t1, L::SwapParts(t1)),
                                    root);
                const V b3 = L::Mul(Forward ? L::AddSub(L::SwapParts(t3), t3) : L::AddSub(L::SwapParts(t3), L::Neg(t3)),
                                    rootConj);
                // The radix-4 butterfly of the sums: positions 0 to 3.
                const V s0 = L::Add(a0, a2), d0 = L::Sub(a0, a2);
                const V s1 = L::Add(a1, a3), d1 = L::SwapParts(L::Sub(a1, a3));
                const V aMinusI = L::AddSub(d0, L::Neg(d1)), aPlusI = L::AddSub(d0, d1);
                L::Store(p, L::Add(s0, s1));
                L::Store(p + e, Times<Forward>(L::Sub(s0, s1), Power(w, 4)));
                L::Store(p + 2 * e, Times<Forward>(Forward ? aMinusI : aPlusI, Power(w, 2)));
                L::Store(p + 3 * e, Times<Forward>(Forward ? aPlusI : aMinusI, Power(w, 6)));
                // That of the differences, with w8^2 t2 = -+i t2 folded into
                // its first sums: positions 4 to 7.
                const V e0 = Forward ? L::AddSub(b0, L::Neg(t2)) : L::AddSub(b0, t2);
                const V e2 = Forward ? L::AddSub(b0, t2) : L::AddSub(b0, L::Neg(t2));
                const V e1 = L::Add(b1, b3), f = L::SwapParts(L::Sub(b1, b3));
                const V bMinusI = L::AddSub(e2, L::Neg(f)), bPlusI = L::AddSub(e2, f);
                L::Store(p + 4 * e, Times<Forward>(L::Add(e0, e1), Power(w, 1)));
                L::Store(p + 5 * e, Times<Forward>(L::Sub(e0, e1), Power(w, 5)));
                L::Store(p + 6 * e, Times<Forward>(Forward ? bMinusI : bPlusI, Power(w, 3)));
                L::Store(p + 7 * e, Times<Forward>(Forward ? bPlusI : bMinusI, Power(w, 7)));
            }
        }
    }

    // The twiddles w^(power j) of a chunk's butterflies from w^j's.
    static const double* Power(const double* w, int power) { return w + 16 * (power - 1); }

    // v times the twiddles at tw (per complex value its cosine twice, then
    // kTwiddleSines on its sine and the sine negated) for the inverse, times
    // their conjugates forward. With the sines' signs in the table, both
    // directions take one plain sum or difference.
    template <bool Forward>
    static V Times(V v, const double* tw)
    {
        const V product = L::Mul(v, L::Load(tw));
        const V crossed = L::Mul(L::SwapParts(v), L::Load(tw + kTwiddleSines));
        return Forward ? L::Add(product, crossed) : L::Sub(product, crossed);
    }

    // One group's butterflies j = 0 .. half - 1 (half >= 4) between x[j] and
    // x[j + half]; Scaled first multiplies both inputs by scale.
    template <bool Forward, bool Scaled>
    static void Butterflies(float* x, int half, const double* tw, F scale)
    {
        float* a = x;
        float* b = x + 2 * half;
        Four<Forward, Scaled, true>(a, b, tw, scale);
        for (int j = 4; j < half; j += 4)
            Four<Forward, Scaled, false>(a + 2 * j, b + 2 * j, tw + 2 * j, scale);
    }

    // Butterflies j .. j + 3 between a[0 ..] and b[0 ..]; First: j = 0, whose
    // difference takes no twiddle and stays in single precision.
    template <bool Forward, bool Scaled, bool First>
    static void Four(float* a, float* b, const double* tw, F scale)
    {
        F fa = Ops::Load(a);
        F fb = Ops::Load(b);
        D lo, hi;
        if constexpr (Scaled) {
            fa = Ops::Mul(fa, scale);
            fb = Ops::Mul(fb, scale);
            lo = Ops::Sub(Ops::Low(fa), Ops::Low(fb));
            hi = Ops::Sub(Ops::High(fa), Ops::High(fb));
        } else {
            lo = Ops::Sub(Ops::WidenAt(a), Ops::WidenAt(b));
            hi = Ops::Sub(Ops::WidenAt(a + 4), Ops::WidenAt(b + 4));
        }
        const DPair twiddled = Twiddle<Forward>(lo, hi, tw);
        Ops::Store(a, Ops::Add(fa, fb));
        if constexpr (First)
            Ops::Store(b, Ops::FirstFrom(Ops::Narrow(twiddled.lo, twiddled.hi), Ops::Sub(fa, fb)));
        else
            Ops::StoreNarrow(b, twiddled.lo, twiddled.hi);
    }

    struct DPair {
        D lo, hi;
    };

    // Differences of four butterflies (lo: j, j + 1; hi: j + 2, j + 3) times
    // their twiddles: (tr wr - ti wi, tr wi + ti wr) with wi negated forward.
    template <bool Forward>
    static DPair Twiddle(D lo, D hi, const double* tw)
    {
        const D tr = Ops::UnpackLo(lo, hi);
        const D ti = Ops::UnpackHi(lo, hi);
        const D wr = Ops::LoadD(tw);
        const D wi = Forward ? Ops::Neg(Ops::LoadD(tw + 4)) : Ops::LoadD(tw + 4);
        const D br = Ops::Sub(Ops::Mul(tr, wr), Ops::Mul(ti, wi));
        const D bi = Ops::Add(Ops::Mul(tr, wi), Ops::Mul(ti, wr));
        return {Ops::UnpackLo(br, bi), Ops::UnpackHi(br, bi)};
    }

    // The stages whose groups have 4 and 2 points, over the n = 4 points of
    // a 4- or 8-point transform, in single precision.
    template <bool Forward>
    static void LastTwoStages(float* x, int n)
    {
        for (int i = 0; i < n; i += 4, x += 8) {
            const float s0r = x[0] + x[4], s0i = x[1] + x[5];
            const float d0r = x[0] - x[4], d0i = x[1] - x[5];
            const float s1r = x[2] + x[6], s1i = x[3] + x[7];
            const float tr = x[2] - x[6], ti = x[3] - x[7];
            const float d1r = Forward ? ti : -ti;
            const float d1i = Forward ? -tr : tr;
            x[0] = s0r + s1r;
            x[1] = s0i + s1i;
            x[2] = s0r - s1r;
            x[3] = s0i - s1i;
            x[4] = d0r + d1r;
            x[5] = d0i + d1i;
            x[6] = d0r - d1r;
            x[7] = d0i - d1i;
        }
    }

    // The last two stages over n points held in double precision at w, one
    // group of 4 points at a time, rounded into x: the group's two pairs of
    // points, sums and differences, the second difference turned by -+i,
    // then each pair's sum and difference.
    template <bool Forward>
    static void LastTwoStagesRounded(const double* w, float* x, int n)
    {
        for (int i = 0; i < n; i += 4, w += 8, x += 8) {
            const D first = Ops::LoadD(w), second = Ops::LoadD(w + 4);
            const D sums = Ops::Add(first, second);
            const D differences = Ops::Sub(first, second);
            const D turned = Forward ? Ops::HighTimesMinusI(differences) : Ops::HighTimesPlusI(differences);
            Ops::Store(x, Ops::Narrow(Ops::SumDiff(sums), Ops::SumDiff(turned)));
        }
    }

    // LastTwoStagesRounded over a whole transform of n >= 16 points, each
    // result written to its bit-reversed place: output k of group m belongs
    // at rev2(k) n/4 + rev(m). Groups m = rev(c) for four consecutive c are
    // taken together, so that after a transpose each output k of the four
    // lands in four consecutive places. Scaled multiplies the rounded
    // results by scale.
    template <bool Forward, bool Scaled>
    static void LastTwoStagesReversed(const double* w, float* x, int n, const uint32_t* reverseQuarter, float scale)
    {
        const int quarter = n / 4;
        const F factor = Ops::Splat(scale);
        for (int c = 0; c < quarter; c += 4) {
            F outputs[4];
            for (int g = 0; g < 4; ++g) {
                const double* group = w + 8 * reverseQuarter[c + g];
                const D first = Ops::LoadD(group), second = Ops::LoadD(group + 4);
                const D sums = Ops::Add(first, second);
                const D differences = Ops::Sub(first, second);
                const D turned = Forward ? Ops::HighTimesMinusI(differences) : Ops::HighTimesPlusI(differences);
                outputs[g] = Ops::Narrow(Ops::SumDiff(sums), Ops::SumDiff(turned));
            }
            Ops::Transpose(outputs[0], outputs[1], outputs[2], outputs[3]);
            constexpr int place[4] = {0, 2, 1, 3};
            for (int k = 0; k < 4; ++k)
                Ops::Store(x + 2 * (c + place[k] * quarter), Scaled ? Ops::Mul(outputs[k], factor) : outputs[k]);
        }
    }

    // With wide lanes: the radix-4 pass of span 16 (twiddles tw) and the last
    // two stages over the n >= 64 points held in double precision at w, each
    // result rounded into its bit-reversed place in x, with the operations of
    // Radix4 and LastTwoStagesReversed in their order. A block of 16 points
    // is four groups of 4; transposed, the groups' last two stages run side
    // by side. Output k of group 4b + g belongs at
    // rev2(k) n/4 + rev2(g) n/16 + rev(b), rev over the bits of n/16: the
    // blocks b = rev(r .. r + 3) are taken together, so that each output
    // (k, g) of the four lands in four consecutive places.
    template <bool Forward, bool Scaled>
    static void LastFourStagesReversed(const double* w, float* x, int n, const double* tw,
                                       const uint32_t* reverseQuarter, float scale)
    {
        const int quarter = n / 4;
        const int sixteenth = n / 16;
        const F factor = Ops::Splat(scale);
        constexpr int place[4] = {0, 2, 1, 3};
        for (int r = 0; r < sixteenth; r += 4) {
            F rounded[4][4];
            for (int t = 0; t < 4; ++t) {
                // rev over the bits of n/16 is rev over those of n/4 of 4b.
                const double* block = w + 32 * reverseQuarter[4 * (r + t)];
                V y[4];
                Radix4Block<Forward>(block, tw, y);
                L::Transpose(y[0], y[1], y[2], y[3]);
                const V sums0 = L::Add(y[0], y[2]), sums1 = L::Add(y[1], y[3]);
                const V diff0 = L::Sub(y[0], y[2]);
                const V turned = Forward ? L::TimesMinusI(L::Sub(y[1], y[3])) : L::TimesPlusI(L::Sub(y[1], y[3]));
                rounded[0][t] = L::Narrow(L::Add(sums0, sums1));
                rounded[1][t] = L::Narrow(L::Sub(sums0, sums1));
                rounded[2][t] = L::Narrow(L::Add(diff0, turned));
                rounded[3][t] = L::Narrow(L::Sub(diff0, turned));
            }
            for (int k = 0; k < 4; ++k) {
                Ops::Transpose(rounded[k][0], rounded[k][1], rounded[k][2], rounded[k][3]);
                for (int g = 0; g < 4; ++g)
                    Ops::Store(x + 2 * (place[k] * quarter + place[g] * sixteenth + r),
                               Scaled ? Ops::Mul(rounded[k][g], factor) : rounded[k][g]);
            }
        }
    }

    // Radix4's butterflies over one group of 16 points at w, into y.
    template <bool Forward>
    static void Radix4Block(const double* w, const double* tw, V* y)
    {
        const V a = L::Load(w), b = L::Load(w + 8), c = L::Load(w + 16), d = L::Load(w + 24);
        const V s0 = L::Add(a, c), d0 = L::Sub(a, c);
        const V s1 = L::Add(b, d), d1 = L::SwapParts(L::Sub(b, d));
        const V minusI = L::AddSub(d0, L::Neg(d1));
        const V plusI = L::AddSub(d0, d1);
        y[0] = L::Add(s0, s1);
        y[1] = Times<Forward>(L::Sub(s0, s1), Power(tw, 2));
        y[2] = Times<Forward>(Forward ? minusI : plusI, Power(tw, 1));
        y[3] = Times<Forward>(Forward ? plusI : minusI, Power(tw, 3));
    }

    static void Butterfly2(float* x)
    {
        const float ar = x[0], ai = x[1];
        x[0] = ar + x[2];
        x[1] = ai + x[3];
        x[2] = ar - x[2];
        x[3] = ai - x[3];
    }

    // The bit-reversal permutation, tile by tile: an index is (a, b, c) with
    // TileBits bits in a and c and MiddleBits in b, and goes to
    // (rev c, rev b, rev a). The tiles of middles b and rev b are read whole
    // into the buffers, then written to each other's place, so every read is
    // a row of consecutive points and every write lands in one.
    template <bool Scaled>
    static void Reverse(float* x, const FFTStageTables& t, float scale)
    {
        constexpr int kMaxSide = 1 << kFFTMaxTileBits;
        float tiles[2][2 * kMaxSide * kMaxSide];
        const int middles = 1 << t.MiddleBits;
        for (int b = 0; b < middles; ++b) {
            const int rb = static_cast<int>(t.ReverseMiddle[b]);
            if (b > rb)
                continue;
            GatherTile(x, t, b, tiles[0]);
            if (b != rb)
                GatherTile(x, t, rb, tiles[1]);
            ScatterTile<Scaled>(x, t, rb, tiles[0], scale);
            if (b != rb)
                ScatterTile<Scaled>(x, t, b, tiles[1], scale);
        }
    }

    // Tile row rev a holds the points (a, middle, 0 .. side - 1).
    static void GatherTile(const float* x, const FFTStageTables& t, int middle, float* tile)
    {
        const int side = 1 << t.TileBits;
        const int highShift = t.TileBits + t.MiddleBits;
        for (int a = 0; a < side; ++a) {
            const float* row = x + 2 * ((a << highShift) | (middle << t.TileBits));
            float* to = tile + 2 * side * static_cast<int>(t.ReverseTile[a]);
            int c = 0;
            for (; c + 8 <= 2 * side; c += 8)
                Ops::Store(to + c, Ops::Load(row + c));
            for (; c < 2 * side; ++c)
                to[c] = row[c];
        }
    }

    // Tile column c goes to the row (rev c, middle, 0 .. side - 1): four
    // columns at a time, read as 4 x 4 blocks of the tile and transposed.
    template <bool Scaled>
    static void ScatterTile(float* x, const FFTStageTables& t, int middle, const float* tile, float scale)
    {
        const int side = 1 << t.TileBits;
        const int highShift = t.TileBits + t.MiddleBits;
        auto row = [&](int c) {
            return x + 2 * ((static_cast<int>(t.ReverseTile[c]) << highShift) | (middle << t.TileBits));
        };
        if (side < 4) {
            for (int c = 0; c < side; ++c)
                for (int s = 0; s < side; ++s)
                    for (int part = 0; part < 2; ++part)
                        row(c)[2 * s + part] = Scaled ? tile[2 * (s * side + c) + part] * scale
                                                      : tile[2 * (s * side + c) + part];
            return;
        }
        const F factor = Ops::Splat(scale);
        for (int c = 0; c < side; c += 4) {
            float* to[4] = {row(c), row(c + 1), row(c + 2), row(c + 3)};
            for (int s = 0; s < side; s += 4) {
                const float* from = tile + 2 * (s * side + c);
                F r0 = Ops::Load(from), r1 = Ops::Load(from + 2 * side);
                F r2 = Ops::Load(from + 4 * side), r3 = Ops::Load(from + 6 * side);
                Ops::Transpose(r0, r1, r2, r3);
                if constexpr (Scaled) {
                    r0 = Ops::Mul(r0, factor);
                    r1 = Ops::Mul(r1, factor);
                    r2 = Ops::Mul(r2, factor);
                    r3 = Ops::Mul(r3, factor);
                }
                Ops::Store(to[0] + 2 * s, r0);
                Ops::Store(to[1] + 2 * s, r1);
                Ops::Store(to[2] + 2 * s, r2);
                Ops::Store(to[3] + 2 * s, r3);
            }
        }
    }

    // Split pairs k = 1 .. n/4: pair k combines x[2k], x[2k + 1] with
    // x[n - 2k], x[n - 2k + 1]; the last pair (k = n/4) is the middle point
    // paired with itself.
    template <bool Positive>
    static void SplitPairs(float* x, int n, const double* tw)
    {
        const int pairs = n / 4;
        int k = 1;
        for (; k + 3 < pairs; k += 4)
            SplitFour<Positive>(x + 2 * k, x + n - 2 * k - 6, tw + TwiddleSlot(k - 1));
        for (; k <= pairs; ++k) {
            const int i = 2 * k;
            const int j = n - i;
            const double wr = tw[TwiddleSlot(k - 1)];
            const double wi = tw[TwiddleSlot(k - 1) + 4];
            const double a = x[i], b = x[j], p = x[i + 1], q = x[j + 1];
            const double t = Positive ? wr * (p + q) - wi * (a - b) : -wr * (p + q) - wi * (a - b);
            const double u = Positive ? -wi * (p + q) - wr * (a - b) : -wi * (p + q) + wr * (a - b);
            x[i] = static_cast<float>((a + b) + t);
            x[j] = static_cast<float>((a + b) - t);
            x[i + 1] = static_cast<float>(u + (p - q));
            x[j + 1] = static_cast<float>(u - (p - q));
        }
    }

    // Split pairs k = 1 .. n/4 in single precision, as complex values: with
    // front F = (a, p) and its partner B = (b, q), S = F + conj B and
    // D = F - conj B; X is D times the rotation (c, s) as (c D.re + s D.im,
    // c D.im - s D.re) for Positive, (c D.re - s D.im, c D.im + s D.re)
    // otherwise, and V = (t, u) is X turned by -+i. Then front = S + V and
    // back = conj(S - V): the values of SplitPairs, each sum rounded.
    template <bool Positive>
    static void RotatePairs(float* x, int n, const float* rot)
    {
        const int pairs = n / 4;
        int k = 1;
        if constexpr (FL::Pairs == 8)
            for (; k + 7 < pairs; k += 8)
                RotateGroup<Positive, FL>(x + 2 * k, x + n - 2 * k - 14, rot + RotationSlot(k));
        for (; k + 3 < pairs; k += 4)
            RotateGroup<Positive, TQuadFloats<Ops>>(x + 2 * k, x + n - 2 * k - 6, rot + RotationSlot(k));
        for (; k <= pairs; ++k) {
            const int i = 2 * k;
            const int j = n - i;
            const float* w = rot + RotationSlot(k);
            const float sr = x[i] + x[j], si = x[i + 1] - x[j + 1];
            const float dr = x[i] - x[j], di = x[i + 1] + x[j + 1];
            const float pr = dr * w[0], pi = di * w[1];
            const float qr = di * w[kRotationSines], qi = dr * w[kRotationSines + 1];
            const float t = Positive ? pi + qi : -(pi - qi);
            const float u = Positive ? -(pr + qr) : pr - qr;
            x[i] = sr + t;
            x[i + 1] = si + u;
            x[j] = sr - t;
            x[j + 1] = -(si - u);
        }
    }

    // RotatePairs over FL::Pairs pairs: front holds them in order, back their
    // partners in reverse order.
    template <bool Positive, class Lanes>
    static void RotateGroup(float* front, float* back, const float* rot)
    {
        using W = typename Lanes::V;
        const W fr = Lanes::Load(front);
        const W conjBack = Lanes::NegateImag(Lanes::Reversed(Lanes::Load(back)));
        const W s = Lanes::Add(fr, conjBack), d = Lanes::Sub(fr, conjBack);
        const W p = Lanes::Mul(d, Lanes::Load(rot));
        const W q = Lanes::Mul(Lanes::SwapParts(d), Lanes::Load(rot + kRotationSines));
        const W v = Positive ? Lanes::NegateImag(Lanes::SwapParts(Lanes::Add(p, q)))
                             : Lanes::NegateReal(Lanes::SwapParts(Lanes::Sub(p, q)));
        Lanes::Store(front, Lanes::Add(s, v));
        Lanes::Store(back, Lanes::Reversed(Lanes::NegateImag(Lanes::Sub(s, v))));
    }

    // Four split pairs: front holds pairs k .. k + 3 in order, back holds
    // their partners in reverse order (k + 3 first).
    template <bool Positive>
    static void SplitFour(float* front, float* back, const double* tw)
    {
        const F ff = Ops::Load(front);
        // back holds (k + 3, k + 2, k + 1, k): neighbours swapped, its High
        // half is (k, k + 1) and its Low half (k + 2, k + 3).
        const F fb = Ops::Load(back);
        const D flo = Ops::Low(ff), fhi = Ops::High(ff);
        const D a = Ops::UnpackLo(flo, fhi);
        const D p = Ops::UnpackHi(flo, fhi);
        const F fr = Ops::SwapNeighbours(fb);
        const D blo = Ops::Low(fr), bhi = Ops::High(fr);
        const D b = Ops::UnpackLo(bhi, blo);
        const D q = Ops::UnpackHi(bhi, blo);
        const D wr = Ops::LoadD(tw);
        const D wi = Ops::LoadD(tw + 4);
        const D pq = Ops::Add(p, q);
        const D ab = Ops::Sub(a, b);
        const D sum = Ops::Add(a, b);
        const D dif = Ops::Sub(p, q);
        const D t = Positive ? Ops::Sub(Ops::Mul(wr, pq), Ops::Mul(wi, ab))
                             : Ops::Sub(Ops::Mul(Ops::Neg(wr), pq), Ops::Mul(wi, ab));
        const D u = Positive ? Ops::Sub(Ops::Mul(Ops::Neg(wi), pq), Ops::Mul(wr, ab))
                             : Ops::Add(Ops::Mul(Ops::Neg(wi), pq), Ops::Mul(wr, ab));
        const D xi = Ops::Add(sum, t), xj = Ops::Sub(sum, t);
        const D yi = Ops::Add(u, dif), yj = Ops::Sub(u, dif);
        Ops::Store(front, Ops::Narrow(Ops::UnpackLo(xi, yi), Ops::UnpackHi(xi, yi)));
        Ops::Store(back, Ops::SwapNeighbours(Ops::Narrow(Ops::UnpackHi(xj, yj), Ops::UnpackLo(xj, yj))));
    }
};
