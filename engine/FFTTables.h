#pragma once
#include <cstdint>

// What the transform kernels read of a plan: plain pointers into tables that
// the plans own, so that the kernels compiled for another instruction set
// share no code with the rest of the engine.
//
// Radix-2 twiddles (the first stage of an odd stage count, and the split
// step) are doubles in chunks of eight, one chunk for four consecutive
// butterflies j .. j + 3: the cosines in the order j, j + 2, j + 1, j + 3, then
// the sines in the same order. That is the order in which two-lane registers
// of double pairs hold four unpacked complex values.
//
// Radix-4 twiddles come in chunks of 48 doubles, one chunk for four
// consecutive butterflies j .. j + 3: for w^j, w^2j, w^3j in turn, the cosines
// of j .. j + 3 each twice, then each sine and its negative the same way. The
// cosines of two consecutive butterflies load as one register that multiplies
// two complex values without a shuffle, and those of all four as one register
// of four. Radix-8 twiddles are laid out the same way for w^j to w^7j, in
// chunks of 112.

// Tiles of the bit-reversal permutation are at most 2^kFFTMaxTileBits
// points square.
constexpr int kFFTMaxTileBits = 5;

// Transforms up to this many points run whole in the first-level cache, and
// their last pass writes each result to its bit-reversed place.
constexpr int kFFTCachePoints = 2048;

// A complex transform of Points = 2^Stages points.
struct FFTStageTables {
    int Points = 0;
    int Stages = 0;
    // An odd number of stages begins with one radix-8 pass over the first
    // three stages (at least 32 points) or, at 8 points, one radix-2 stage;
    // the others run two at a time in radix-4 passes, the last of them
    // (groups of 4 points) with the exact twiddles +-i and no table.
    bool Radix8First = false;
    bool Radix2First = false;
    // The first radix-8 pass or radix-2 stage and each radix-4 pass (groups
    // of at least 16 points) starting at stage s read Twiddles + Offsets[s].
    const double* Twiddles = nullptr;
    const uint32_t* Offsets = nullptr;
    // The bit reversal runs over square tiles: an index's top and bottom
    // TileBits bits are reversed through ReverseTile, the MiddleBits between
    // them through ReverseMiddle (Stages = 2 TileBits + MiddleBits).
    const uint32_t* ReverseTile = nullptr;
    const uint32_t* ReverseMiddle = nullptr;
    int TileBits = 0;
    int MiddleBits = 0;
    // From 16 to kFFTCachePoints points: the bit reversal of the Stages - 2
    // bits of a group of 4 points' number.
    const uint32_t* ReverseQuarter = nullptr;
};

// Where butterfly (or split pair) j's cosine lies in its table; the sine
// lies four doubles further on.
static constexpr int TwiddleSlot(int j)
{
    constexpr int order[4] = {0, 2, 1, 3};
    return j / 4 * 8 + order[j % 4];
}

// Where the twiddle w^(power j) (power 1 to 3) of radix-4 butterfly j lies:
// its cosine twice, and kTwiddleSines doubles on its sine and the sine
// negated.
constexpr int kTwiddleSines = 8;
static constexpr int Radix4TwiddleSlot(int j, int power)
{
    return j / 4 * 48 + (power - 1) * 16 + j % 4 * 2;
}

// Where the twiddle w^(power j) (power 1 to 7) of radix-8 butterfly j lies.
static constexpr int Radix8TwiddleSlot(int j, int power)
{
    return j / 4 * 112 + (power - 1) * 16 + j % 4 * 2;
}

// The split step of a real transform of Points real samples: one twiddle per
// pair k = 1 .. Points / 4, pair k at TwiddleSlot(k - 1).
//
// Rotations are the same twiddles, each from its own angle and rounded to
// single precision, for the split inside RealFFT: in chunks of 32 floats, one
// chunk for eight consecutive pairs k .. k + 7, first each cosine twice, then
// each sine and its negation. The cosines of four consecutive pairs load as
// one register of four complex values, those of all eight as one of eight.
struct FFTSplitTables {
    int Points = 0;
    const double* Twiddles = nullptr;
    const float* Rotations = nullptr;
};

// Where pair k's cosines lie among the rotations; its sines lie
// kRotationSines floats further on.
constexpr int kRotationSines = 16;
static constexpr int RotationSlot(int k)
{
    return (k - 1) / 8 * 32 + (k - 1) % 8 * 2;
}
