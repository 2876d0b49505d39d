#pragma once
#include "engine/FFTTables.h"

// The transform kernels built for one instruction set. SSE2 is always there
// on x86-64; the AVX and AVX-512 sets are compiled for their own set alone
// (no fused multiply-add contracted from a product and a sum, which would
// round differently) and are used only when the processor and the operating
// system support them. Every set gives the same bits.
struct TFFTKernelSet {
    const char* Name;
    // In place over plan.Points complex points; direction 1 forward, any other
    // value inverse (scaled by 1/n before the butterflies). Every output float
    // is then multiplied by postScale, unless it is 1.
    void (*ComplexKernel)(float* x, const FFTStageTables& plan, int direction, float postScale);
    // The split step of a real transform over split.Points samples: as
    // RealFFTSplit gives it, and as RealFFT takes it.
    void (*SplitKernel)(float* x, const FFTSplitTables& split, int direction);
    void (*RealSplitKernel)(float* x, const FFTSplitTables& split, int direction);

    // The transforms of engine/FFT.h with this set's kernels.
    void ComplexFFT(float* x, int n, int direction) const;
    int RealFFT(float* x, int n, int direction) const;
    void RealFFTSplit(float* x, int n, int direction) const;

    // Defined in the sources compiled for each set: constant data, so that
    // nothing of the AVX source runs before the processor has been asked.
    static const TFFTKernelSet Sse2Set;
    static const TFFTKernelSet AvxSet;
    static const TFFTKernelSet Avx512Set;

    // nullptr when the processor or the system lacks AVX, or AVX-512.
    static const TFFTKernelSet* Avx();
    static const TFFTKernelSet* Avx512();
    // The fastest set this processor runs.
    static const TFFTKernelSet& Best();
};
