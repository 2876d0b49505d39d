// Complex transform tables: twiddles by the stage recurrences, bit reversal.
#include "engine/TFFTPlan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>

#include "engine/FFT.h"
#include "engine/TPlanCache.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
static_assert(1 << TFFTPlan::MaxStages == MaxComplexFFTPoints);

std::vector<uint32_t> BitReversal(int bits)
{
    std::vector<uint32_t> table(size_t{1} << bits);
    for (uint32_t i = 0; i < table.size(); ++i) {
        uint32_t r = 0;
        for (int b = 0; b < bits; ++b)
            r |= ((i >> b) & 1u) << (bits - 1 - b);
        table[i] = r;
    }
    return table;
}

}  // namespace

TFFTPlan::TFFTPlan(int stages)
{
    const int n = 1 << stages;
    Offsets.assign(stages, 0);
    size_t total = 0;
    for (int s = 0; s < stages; ++s) {
        const int half = n >> (s + 1);
        if (half >= 4) {
            Offsets[s] = static_cast<uint32_t>(total);
            total += 2 * static_cast<size_t>(half);
        }
    }
    Twiddles.assign(total, 0.0);

    const double theta = kTwoPi / n;
    double stageCos = std::cos(theta);
    double stageSin = std::sin(theta);
    for (int s = 0; s < stages - 1; ++s) {
        const int half = n >> (s + 1);
        if (half == 2) {
            View.Span4Cos = stageCos;
            View.Span4Sin = stageSin;
        } else if (half >= 4) {
            double* table = Twiddles.data() + Offsets[s];
            table[TwiddleSlot(0)] = 1.0;
            double wr = stageCos;
            double wi = stageSin;
            for (int j = 1; j < half; ++j) {
                table[TwiddleSlot(j)] = wr;
                table[TwiddleSlot(j) + 4] = wi;
                const double nextWr = wr * stageCos - wi * stageSin;
                wi = wr * stageSin + wi * stageCos;
                wr = nextWr;
            }
        }
        const double nextCos = 1.0 - 2.0 * stageSin * stageSin;
        stageSin = 2.0 * stageSin * stageCos;
        stageCos = nextCos;
    }

    View.TileBits = std::min(stages / 2, kFFTMaxTileBits);
    View.MiddleBits = stages - 2 * View.TileBits;
    ReverseTile = BitReversal(View.TileBits);
    ReverseMiddle = BitReversal(View.MiddleBits);
    View.Points = n;
    View.Stages = stages;
    View.Twiddles = Twiddles.data();
    View.Offsets = Offsets.data();
    View.ReverseTile = ReverseTile.data();
    View.ReverseMiddle = ReverseMiddle.data();
}

const TFFTPlan* TFFTPlan::ForSize(int n)
{
    static TPlanCache<TFFTPlan, MaxStages> plans;
    if (n < 1 || n > MaxComplexFFTPoints || (n & (n - 1)) != 0)
        return nullptr;
    const int stages = std::countr_zero(static_cast<unsigned>(n));
    return plans.Get(stages, [stages] { return std::unique_ptr<TFFTPlan>(new TFFTPlan(stages)); });
}

size_t TFFTPlan::MemoryBytes() const
{
    return sizeof(*this) + Twiddles.capacity() * sizeof(double) +
           (Offsets.capacity() + ReverseTile.capacity() + ReverseMiddle.capacity()) * sizeof(uint32_t);
}
