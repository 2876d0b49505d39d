#pragma once
#include <cstdint>

// What the transform kernels read of a plan: plain pointers into tables that
// the plans own, so that the kernels compiled for another instruction set
// share no code with the rest of the engine.
//
// Twiddles are doubles in chunks of eight, one chunk for four consecutive
// butterflies j .. j + 3: the cosines in the order j, j + 2, j + 1, j + 3, then
// the sines in the same order. That is the order in which two-lane registers
// of double pairs hold four unpacked complex values.

// Tiles of the bit-reversal permutation are at most 2^kFFTMaxTileBits
// points square.
constexpr int kFFTMaxTileBits = 5;

// A complex transform of Points = 2^Stages points.
struct FFTStageTables {
    int Points = 0;
    int Stages = 0;
    // Stage s, for the stages whose groups have at least 8 points, starts at
    // Twiddles + Offsets[s]; butterfly 0 of a group takes no twiddle.
    const double* Twiddles = nullptr;
    const uint32_t* Offsets = nullptr;
    // The one twiddle of the stage whose groups have 4 points.
    double Span4Cos = 0.0;
    double Span4Sin = 0.0;
    // The bit reversal runs over square tiles: an index's top and bottom
    // TileBits bits are reversed through ReverseTile, the MiddleBits between
    // them through ReverseMiddle (Stages = 2 TileBits + MiddleBits).
    const uint32_t* ReverseTile = nullptr;
    const uint32_t* ReverseMiddle = nullptr;
    int TileBits = 0;
    int MiddleBits = 0;
};

// Where butterfly (or split pair) j's cosine lies in its table; the sine
// lies four doubles further on.
static constexpr int TwiddleSlot(int j)
{
    constexpr int order[4] = {0, 2, 1, 3};
    return j / 4 * 8 + order[j % 4];
}

// The split step of a real transform of Points real samples: one twiddle per
// pair k = 1 .. Points / 4, pair k at TwiddleSlot(k - 1).
struct FFTSplitTables {
    int Points = 0;
    const double* Twiddles = nullptr;
};
