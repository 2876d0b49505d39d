// The transform kernels over AVX. This file alone is compiled for AVX, and
// nothing in it runs before TFFTKernelSet::Avx has found the processor able.
#include "engine/FFTAvxOps.h"
#include "engine/TFFTKernelSet.h"
#include "engine/TFFTKernels.h"

constinit const TFFTKernelSet TFFTKernelSet::AvxSet{"AVX", &TFFTKernels<AvxOps>::Complex,
                                                  &TFFTKernels<AvxOps>::Split,
                                                  &TFFTKernels<AvxOps>::RealSplit};
