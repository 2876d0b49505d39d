#include "utilities/TPhaseScopeTrace.h"

#include <algorithm>
#include <cmath>

int32_t TPhaseScopeTrace::Capacity(int32_t paneWidth, uint32_t fftSize)
{
    const int64_t byWidth = 20LL * paneWidth;
    return byWidth > int64_t{fftSize} ? static_cast<int32_t>(byWidth) : static_cast<int32_t>(2LL * fftSize);
}

void TPhaseScopeTrace::Compute(const TSeriesData& left, const TSeriesData& right, uint16_t format, int32_t maxValue,
                               const Rect& rect, int32_t capacity, std::vector<Point>& points)
{
    points.clear();
    const uint32_t n = std::min(left.GetLength(), right.GetLength());
    if (n == 0 || n > static_cast<uint32_t>(std::max(capacity, 0))) return;
    const int32_t w = rect.Right - rect.Left;
    const int32_t h = rect.Bottom - rect.Top;
    if (w < 2 || h < 2) return;

    // Samples as fractions of half scale, so that a quiet signal still fills the pane.
    const double half = maxValue > 0 ? 0.5 * maxValue : 1.0;
    float maxLeft, minLeft, maxRight, minRight;
    left.GetMinMax(0, n, &maxLeft, &minLeft, 0, 0);
    right.GetMinMax(0, n, &maxRight, &minRight, 0, 0);
    double peak = std::max({std::fabs(maxLeft), std::fabs(minLeft), std::fabs(maxRight), std::fabs(minRight)}) / half;
    peak = std::max(peak, SilentPeak);

    points.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        double x = left.GetSample(i, 0) / half;
        double y = right.GetSample(i, 0) / half;
        if (format == RightVersusLeft) std::swap(x, y);
        if (format == SoundStage) {
            // Difference sideways, sum upward: 0.707 as the scope has always drawn it.
            const double sideways = 0.707 * y - 0.707 * x;
            const double upward = 0.707 * x + 0.707 * y;
            x = sideways;
            y = upward;
        }
        const auto px = static_cast<int32_t>(std::clamp(w * x * 0.5 / peak + w / 2, 1.0, w - 1.0));
        const auto py = static_cast<int32_t>(std::clamp(h * y * 0.5 / peak + h / 2, 1.0, h - 1.0));
        points.push_back({rect.Left + px, rect.Bottom - py});
    }
}
