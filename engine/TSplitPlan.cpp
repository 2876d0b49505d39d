// Split-step twiddles of a real transform.
#include "engine/TSplitPlan.h"

#include <bit>
#include <cmath>
#include <memory>

#include "engine/FFT.h"
#include "engine/TPlanCache.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr int kMaxBits = 21;
static_assert(1 << kMaxBits == 2 * MaxComplexFFTPoints);

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
    Rotations.assign(static_cast<size_t>(pairs > 0 ? RotationSlot(pairs) / 32 + 1 : 1) * 32, 0.0f);
    for (int k = 1; k <= pairs; ++k) {
        const double angle = kTwoPi * k / n;
        const auto cosine = static_cast<float>(std::cos(angle));
        const auto sine = static_cast<float>(std::sin(angle));
        float* slot = Rotations.data() + RotationSlot(k);
        slot[0] = slot[1] = cosine;
        slot[kRotationSines] = sine;
        slot[kRotationSines + 1] = -sine;
    }
    View.Points = n;
    View.Twiddles = Twiddles.data();
    View.Rotations = Rotations.data();
}

const TSplitPlan* TSplitPlan::ForSize(int n)
{
    static TPlanCache<TSplitPlan, kMaxBits> plans;
    if (n < 2 || n > 2 * MaxComplexFFTPoints || (n & (n - 1)) != 0)
        return nullptr;
    return plans.Get(std::countr_zero(static_cast<unsigned>(n)),
                     [n] { return std::unique_ptr<TSplitPlan>(new TSplitPlan(n)); });
}

size_t TSplitPlan::MemoryBytes() const
{
    return sizeof(*this) + Twiddles.capacity() * sizeof(double) + Rotations.capacity() * sizeof(float);
}
