#pragma once

// In-place transforms of single-precision data. Direction 1 is the forward
// transform (e^-i), any other value the inverse (e^+i). Radix-4 and radix-8
// passes compute in double precision, and blocks that fit the first-level
// cache are rounded to single precision once, so the results are nearer the
// exact transform than those of the plain radix-2 algorithm, which rounds
// every stage. RealFFT's split step runs in single precision, which costs a
// third as much, and its results stay nearer the exact transform than the
// plain algorithm's too. They are the same bits on every processor.
//
// Sizes are powers of two: 1 to 2^20 complex points, 2 to 2^21 real samples.
// Any other size leaves the data as it is. The tables of a size are built on
// its first use and kept; at 2^20 real samples they take about 24 MiB.

// The largest transform: complex points, and twice as many real samples.
constexpr int MaxComplexFFTPoints = 1 << 20;

// n complex points as 2n interleaved floats; the inverse is scaled by 1/n.
void ComplexFFT(float* data, int n, int direction);

// n real samples. The forward result is twice the DFT's half spectrum:
// element 0 DC, element 1 Nyquist, elements 2k and 2k+1 bin k. The inverse of
// a forward result restores the samples. Returns n, or 0 for a size it does
// not transform.
int RealFFT(float* data, int n, int direction);

// Separates (forward) or recombines (inverse) the two interleaved halves of a
// real transform in double precision, as the plain algorithm does; RealFFT
// takes the same step in single precision.
void RealFFTSplit(float* data, int n, int direction);

// Builds the tables of a real transform of n samples ahead of its first use;
// false when n is not a size RealFFT transforms or the tables cannot be
// allocated.
bool PrepareRealFFT(int n);
