// Choice of the kernel set for the processor, and the transforms over a set.
#include "engine/TFFTKernelSet.h"

#include "engine/TFFTPlan.h"
#include "engine/TSplitPlan.h"

const TFFTKernelSet* TFFTKernelSet::Avx()
{
    static const bool usable = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return usable ? &AvxSet : nullptr;
}

const TFFTKernelSet* TFFTKernelSet::Avx512()
{
    static const bool usable = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") != 0;
    }();
    return usable ? &Avx512Set : nullptr;
}

const TFFTKernelSet& TFFTKernelSet::Best()
{
    static const TFFTKernelSet& best = Avx512() ? *Avx512() : Avx() ? *Avx() : Sse2Set;
    return best;
}

void TFFTKernelSet::ComplexFFT(float* x, int n, int direction) const
{
    if (const TFFTPlan* plan = TFFTPlan::ForSize(n))
        ComplexKernel(x, plan->Tables(), direction, 1.0f);
}

void TFFTKernelSet::RealFFTSplit(float* x, int n, int direction) const
{
    if (const TSplitPlan* split = TSplitPlan::ForSize(n))
        SplitKernel(x, split->Tables(), direction);
}

int TFFTKernelSet::RealFFT(float* x, int n, int direction) const
{
    const TFFTPlan* plan = TFFTPlan::ForSize(n / 2);
    const TSplitPlan* split = TSplitPlan::ForSize(n);
    if (!plan || !split)
        return 0;
    if (direction == 1) {
        ComplexKernel(x, plan->Tables(), 1, 1.0f);
        RealSplitKernel(x, split->Tables(), 1);
    } else {
        // The final 0.25 rides on the last pass over the data.
        RealSplitKernel(x, split->Tables(), direction);
        ComplexKernel(x, plan->Tables(), direction, 0.25f);
    }
    return n;
}
