// Split-step twiddles of a real transform.
#include "engine/TSplitPlan.h"

#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr int kMaxBits = 21;

}  // namespace

TSplitPlan::TSplitPlan(int n)
{
    const int pairs = n / 4;
    Twiddles.assign(static_cast<size_t>(TwiddleSlot(pairs > 0 ? pairs - 1 : 0) / 8 + 1) * 8, 0.0);
    const double s = std::sin(kTwoPi / n);
    const double c = std::sqrt(1.0 - s * s);
    double wr = 1.0;
    double wi = 0.0;
    for (int k = 1; k <= pairs; ++k) {
        const double nextWi = wi * c + wr * s;
        wr = wr * c - wi * s;
        wi = nextWi;
        Twiddles[TwiddleSlot(k - 1)] = wr;
        Twiddles[TwiddleSlot(k - 1) + 4] = wi;
    }
    View.Points = n;
    View.Twiddles = Twiddles.data();
}

const TSplitPlan* TSplitPlan::ForSize(int n)
{
    static std::array<std::unique_ptr<TSplitPlan>, kMaxBits + 1> owned;
    static std::array<std::atomic<const TSplitPlan*>, kMaxBits + 1> plans{};
    static std::mutex building;
    if (n < 2 || n > (1 << kMaxBits) || (n & (n - 1)) != 0)
        return nullptr;
    const int bits = std::countr_zero(static_cast<unsigned>(n));
    if (const TSplitPlan* plan = plans[bits].load(std::memory_order_acquire))
        return plan;
    const std::lock_guard<std::mutex> lock(building);
    if (const TSplitPlan* plan = plans[bits].load(std::memory_order_relaxed))
        return plan;
    try {
        owned[bits].reset(new TSplitPlan(n));
        plans[bits].store(owned[bits].get(), std::memory_order_release);
        return owned[bits].get();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

size_t TSplitPlan::MemoryBytes() const
{
    return sizeof(*this) + Twiddles.capacity() * sizeof(double);
}
