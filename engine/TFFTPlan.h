#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/FFTTables.h"

// The tables of a complex transform of one size: the twiddle factors of every
// stage and the bit reversals of the tiles of the final permutation. Built
// once per size, on first use, and shared by every later transform of that
// size for the life of the program.
//
// The twiddles are the values the butterflies have always used: the stage
// angle starts at 2 pi / n and doubles from stage to stage by
// cos' = 1 - 2 sin^2, sin' = 2 sin cos; inside a stage the twiddle of
// butterfly j + 1 is that of j rotated by the stage angle, all in double
// precision. Keeping the recurrences keeps every transform's bits.
class TFFTPlan {
public:
    static constexpr int MaxStages = 20;

    // The plan of n complex points, n a power of two from 1 to 2^MaxStages;
    // nullptr for any other n or when its tables cannot be allocated.
    static const TFFTPlan* ForSize(int n);

    const FFTStageTables& Tables() const { return View; }
    // Bytes held by the tables.
    size_t MemoryBytes() const;

    TFFTPlan(const TFFTPlan&) = delete;
    TFFTPlan& operator=(const TFFTPlan&) = delete;

private:
    explicit TFFTPlan(int stages);

    std::vector<double> Twiddles;
    std::vector<uint32_t> Offsets;
    std::vector<uint32_t> ReverseTile;
    std::vector<uint32_t> ReverseMiddle;
    FFTStageTables View;
};
