#include "engine/TSpline.h"

#include <new>

TSpline::TSpline(const float* points, uint32_t count, uint32_t mode)
    : Count(count), Points(points), CurveMode(mode)
{
    if (Points == nullptr || Count < 3)
        return;
    try {
        SecondDerivatives.assign(Count, 0.0f);
    } catch (const std::bad_alloc&) {
        return;
    }
    ComputeCoefficients();
}

void TSpline::ComputeCoefficients()
{
    if (SecondDerivatives.size() != Count)
        return;
    std::vector<float>& y2 = SecondDerivatives;
    std::vector<float> u(Count - 1, 0.0f);
    y2[0] = 0.0f;
    for (uint32_t i = 1; i + 1 < Count; ++i) {
        const float h0 = X(i) - X(i - 1);
        const float h1 = X(i + 1) - X(i);
        const float h = X(i + 1) - X(i - 1);
        if (!(h0 > 0.0f && h1 > 0.0f && h > 0.0f)) {
            // x does not increase: the curve falls back to straight lines
            // between its points rather than use half-made coefficients.
            y2.assign(Count, 0.0f);
            return;
        }
        const float sig = h0 / h;
        const float p = sig * y2[i - 1] + 2.0f;
        y2[i] = (sig - 1.0f) / p;
        u[i] = (Y(i + 1) - Y(i)) / h1 - (Y(i) - Y(i - 1)) / h0;
        u[i] = (6.0f * u[i] / h - sig * u[i - 1]) / p;
    }
    y2[Count - 1] = 0.0f;
    for (uint32_t k = Count - 1; k-- > 0;)
        y2[k] = y2[k] * y2[k + 1] + u[k];
}

float TSpline::Evaluate(float x) const
{
    if (SecondDerivatives.empty() || Points == nullptr || Count < 2)
        return 0.0f;
    uint32_t lo = 0, hi = Count - 1;
    while (hi - lo >= 2) {
        const uint32_t mid = (lo + hi) / 2;
        if (X(mid) <= x)
            lo = mid;
        else
            hi = mid;
    }
    const float h = X(hi) - X(lo);
    switch (CurveMode) {
    case Cubic: {
        if (h == 0.0f)
            return Y(lo);
        const float a = (X(hi) - x) / h;
        const float b = (x - X(lo)) / h;
        const float* y2 = SecondDerivatives.data();
        return a * Y(lo) + b * Y(hi) + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * h * h / 6.0f;
    }
    case Linear:
        if (h == 0.0f)
            return Y(lo);
        return Y(lo) + (x - X(lo)) * (Y(hi) - Y(lo)) / h;
    default:
        return 0.0f;
    }
}
