#pragma once

// In-place radix-2 transforms of single-precision data. Direction 1 is the
// forward transform (e^-i), any other value the inverse (e^+i).

// n complex points as 2n interleaved floats; the inverse is scaled by 1/n.
void ComplexFFT(float* data, int n, int direction);

// n real samples. The forward result is twice the DFT's half spectrum:
// element 0 DC, element 1 Nyquist, elements 2k and 2k+1 bin k. The inverse of
// a forward result restores the samples; it returns n.
int RealFFT(float* data, int n, int direction);

// Separates (forward) or recombines (inverse) the two interleaved halves of a
// real transform; called by RealFFT.
void RealFFTSplit(float* data, int n, int direction);
