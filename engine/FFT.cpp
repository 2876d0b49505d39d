#include "engine/FFT.h"

#include "engine/TFFTKernelSet.h"
#include "engine/TFFTPlan.h"
#include "engine/TSplitPlan.h"

void ComplexFFT(float* x, int n, int direction)
{
    TFFTKernelSet::Best().ComplexFFT(x, n, direction);
}

int RealFFT(float* x, int n, int direction)
{
    return TFFTKernelSet::Best().RealFFT(x, n, direction);
}

void RealFFTSplit(float* x, int n, int direction)
{
    TFFTKernelSet::Best().RealFFTSplit(x, n, direction);
}

bool PrepareRealFFT(int n)
{
    return TFFTPlan::ForSize(n / 2) && TSplitPlan::ForSize(n);
}
