#pragma once
#include <cstddef>
#include <vector>

#include "engine/FFTTables.h"

// The twiddles of the split step of a real transform of one size, built once
// on first use and shared for the life of the program. They are the values
// the split step has always used: s = sin(2 pi / n), c = sqrt(1 - s^2), and
// pair k's twiddle is pair k - 1's rotated by (c, s), starting from (1, 0),
// in double precision. The split inside RealFFT reads rotations instead, each
// from its own angle.
class TSplitPlan {
public:
    // The plan of n real samples, n a power of two from 2 to 2^21; nullptr for
    // any other n or when its table cannot be allocated.
    static const TSplitPlan* ForSize(int n);

    const FFTSplitTables& Tables() const { return View; }
    size_t MemoryBytes() const;

    TSplitPlan(const TSplitPlan&) = delete;
    TSplitPlan& operator=(const TSplitPlan&) = delete;

private:
    explicit TSplitPlan(int n);

    std::vector<double> Twiddles;
    std::vector<float> Rotations;
    FFTSplitTables View;
};
