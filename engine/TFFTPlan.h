#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/FFTTables.h"

// The tables of a complex transform of one size: the twiddle factors of every
// pass and the bit reversals of the tiles of the final permutation. Built
// once per size, on first use, and shared by every later transform of that
// size for the life of the program. Each twiddle is the cosine and sine of
// its own angle in double precision, so no recurrence error builds up along
// a stage.
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
    std::vector<uint32_t> ReverseQuarter;
    FFTStageTables View;
};
