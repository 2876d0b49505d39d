// Complex transform tables: twiddles of the radix-2, radix-4 and radix-8 passes, bit reversal.
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
    // Odd stage counts begin with one radix-8 pass over three stages (one
    // radix-2 stage at 8 points); every later pass but the last (groups of 4
    // points, exact twiddles of +-i) is a radix-4 pass.
    const bool odd = stages % 2 == 1;
    const bool radix8First = odd && n >= 32;
    const bool radix2First = odd && n == 8;
    const int firstRadix4 = radix8First ? 3 : odd ? 1 : 0;
    auto radix4At = [&](int s) { return s >= firstRadix4 && (s - firstRadix4) % 2 == 0 && (n >> s) >= 16; };
    Offsets.assign(stages, 0);
    size_t total = 0;
    for (int s = 0; s < stages; ++s) {
        const int span = n >> s;
        if (s == 0 && radix8First) {
            total += 7 * 4 * static_cast<size_t>(span / 8);
        } else if (s == 0 && radix2First) {
            total += span;
        } else if (radix4At(s)) {
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
    auto fill = [&](double* slot, int k, int span) {
        const auto [wr, wi] = twiddle(k, span);
        slot[0] = slot[1] = wr;
        slot[kTwiddleSines] = wi;
        slot[kTwiddleSines + 1] = -wi;
    };
    for (int s = 0; s < stages; ++s) {
        const int span = n >> s;
        double* table = Twiddles.data() + Offsets[s];
        if (s == 0 && radix8First) {
            for (int j = 0; j < span / 8; ++j)
                for (int power = 1; power <= 7; ++power)
                    fill(table + Radix8TwiddleSlot(j, power), power * j, span);
        } else if (s == 0 && radix2First) {
            for (int j = 0; j < span / 2; ++j) {
                const auto [wr, wi] = twiddle(j, span);
                table[TwiddleSlot(j)] = wr;
                table[TwiddleSlot(j) + 4] = wi;
            }
        } else if (radix4At(s)) {
            for (int j = 0; j < span / 4; ++j)
                for (int power = 1; power <= 3; ++power)
                    fill(table + Radix4TwiddleSlot(j, power), power * j, span);
        }
    }
    View.Radix8First = radix8First;
    View.Radix2First = radix2First;

    View.TileBits = std::min(stages / 2, kFFTMaxTileBits);
    View.MiddleBits = stages - 2 * View.TileBits;
    ReverseTile = BitReversal(View.TileBits);
    ReverseMiddle = BitReversal(View.MiddleBits);
    if (n >= 16 && n <= kFFTCachePoints) {
        ReverseQuarter = BitReversal(stages - 2);
        View.ReverseQuarter = ReverseQuarter.data();
    }
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
           (Offsets.capacity() + ReverseTile.capacity() + ReverseMiddle.capacity() + ReverseQuarter.capacity()) *
               sizeof(uint32_t);
}
