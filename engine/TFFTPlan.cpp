// Complex transform tables: twiddles of the radix-2 and radix-4 passes, bit reversal.
#include "engine/TFFTPlan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <utility>

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
    // Odd stage counts begin with one radix-2 stage; every later pass but the
    // last (groups of 4 points, exact twiddles of +-i) is a radix-4 pass.
    const bool radix2First = stages % 2 == 1;
    Offsets.assign(stages, 0);
    size_t total = 0;
    for (int s = 0; s < stages; ++s) {
        const int span = n >> s;
        if (s == 0 && radix2First && span >= 8) {
            Offsets[s] = static_cast<uint32_t>(total);
            total += span;
        } else if ((s % 2 == 1) == radix2First && span >= 16) {
            Offsets[s] = static_cast<uint32_t>(total);
            total += 12 * static_cast<size_t>(span / 4);
        }
    }
    Twiddles.assign(total, 0.0);

    // Each twiddle straight from its angle: the tables carry no error of a
    // recurrence into the butterflies.
    auto twiddle = [](int k, int span) {
        const double angle = kTwoPi * k / span;
        return std::pair{std::cos(angle), std::sin(angle)};
    };
    for (int s = 0; s < stages; ++s) {
        const int span = n >> s;
        double* table = Twiddles.data() + Offsets[s];
        if (s == 0 && radix2First && span >= 8) {
            for (int j = 0; j < span / 2; ++j) {
                const auto [wr, wi] = twiddle(j, span);
                table[TwiddleSlot(j)] = wr;
                table[TwiddleSlot(j) + 4] = wi;
            }
        } else if ((s % 2 == 1) == radix2First && span >= 16) {
            const int quarter = span / 4;
            for (int j = 0; j < quarter; ++j)
                for (int power = 1; power <= 3; ++power) {
                    const auto [wr, wi] = twiddle(power * j, span);
                    double* slot = table + Radix4TwiddleSlot(j, power);
                    slot[0] = slot[1] = wr;
                    slot[4] = slot[5] = wi;
                }
        }
    }
    View.Radix2First = radix2First;

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
