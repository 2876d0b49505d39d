#pragma once
#include <cstdint>
#include <vector>

// A curve through a table of (x, y) points, x ascending: a natural cubic
// spline (zero curvature at both ends) or straight lines between the points.
// The points stay the caller's and must outlive the spline.
class TSpline {
public:
    enum Mode : uint32_t { Cubic = 0, Linear = 1 };

    // points holds count (x, y) pairs one after the other.
    TSpline(const float* points, uint32_t count, uint32_t mode);

    void ComputeCoefficients();
    // 0 for fewer than 3 points or an unknown mode; beyond the ends the end
    // interval's curve is extended.
    float Evaluate(float x) const;

private:
    float X(uint32_t i) const { return Points[2 * i]; }
    float Y(uint32_t i) const { return Points[2 * i + 1]; }

    uint32_t Count;
    const float* Points;
    std::vector<float> SecondDerivatives;
    uint32_t CurveMode;
};
