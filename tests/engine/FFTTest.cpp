#include "engine/FFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "tests/engine/Fixture.h"

namespace {

std::vector<float> ToFloats(const std::vector<double>& v)
{
    return std::vector<float>(v.begin(), v.end());
}

// Largest absolute difference, relative to the largest reference magnitude.
double RelativeError(const std::vector<float>& got, const std::vector<double>& want)
{
    double worst = 0.0, scale = 0.0;
    for (size_t i = 0; i < want.size(); ++i) {
        worst = std::max(worst, std::fabs(got[i] - want[i]));
        scale = std::max(scale, std::fabs(want[i]));
    }
    return worst / scale;
}

TEST(RealFFT, ForwardMatchesNumpyReference)
{
    for (int n : {64, 4096}) {
        const auto rows = ReadFixture("fft_real_" + std::to_string(n) + ".txt");
        ASSERT_EQ(rows.size(), 2u) << n;
        std::vector<float> x = ToFloats(rows[0]);
        RealFFT(x.data(), n, 1);
        EXPECT_LT(RelativeError(x, rows[1]), 2e-6) << n;
    }
}

TEST(RealFFT, CosineLandsInItsBinWithRealPartN)
{
    const int n = 1024;
    for (int k : {1, 7, 100, 511}) {
        std::vector<float> x(n);
        for (int i = 0; i < n; ++i)
            x[i] = static_cast<float>(std::cos(2.0 * std::numbers::pi * k * i / n));
        RealFFT(x.data(), n, 1);
        for (int bin = 1; bin < n / 2; ++bin) {
            const double want = bin == k ? n : 0.0;
            ASSERT_NEAR(x[2 * bin], want, 2e-3) << "k=" << k << " bin=" << bin;
            ASSERT_NEAR(x[2 * bin + 1], 0.0, 2e-3) << "k=" << k << " bin=" << bin;
        }
        EXPECT_NEAR(x[0], 0.0, 2e-3);
        EXPECT_NEAR(x[1], 0.0, 2e-3);
    }
}

TEST(RealFFT, ConstantGivesTwiceTheSumAtDC)
{
    const int n = 256;
    std::vector<float> x(n, 1.0f);
    RealFFT(x.data(), n, 1);
    EXPECT_FLOAT_EQ(x[0], 2.0f * n);
    for (int i = 1; i < n; ++i)
        ASSERT_NEAR(x[i], 0.0, 1e-4) << i;
}

TEST(RealFFT, InverseAfterForwardRestoresSamples)
{
    for (int n : {4, 64, 4096, 65536}) {
        std::vector<float> x(n);
        for (int i = 0; i < n; ++i)
            x[i] = static_cast<float>(std::sin(0.013 * i * i) + 0.1 * ((i * 7919) % 13));
        std::vector<float> y = x;
        RealFFT(y.data(), n, 1);
        EXPECT_EQ(RealFFT(y.data(), n, -1), n);
        double worst = 0.0;
        for (int i = 0; i < n; ++i)
            worst = std::max(worst, static_cast<double>(std::fabs(y[i] - x[i])));
        EXPECT_LT(worst, 2e-5 * std::log2(n)) << n;
    }
}

TEST(ComplexFFT, ForwardMatchesNumpyAndRoundTrips)
{
    for (int n : {64, 2048}) {
        const auto rows = ReadFixture("fft_complex_" + std::to_string(n) + ".txt");
        ASSERT_EQ(rows.size(), 2u) << n;
        std::vector<float> z = ToFloats(rows[0]);
        ComplexFFT(z.data(), n, 1);
        EXPECT_LT(RelativeError(z, rows[1]), 2e-6) << n;
        ComplexFFT(z.data(), n, -1);
        EXPECT_LT(RelativeError(z, rows[0]), 2e-6) << n;
    }
}

TEST(ComplexFFT, LargestSizeTransformsAnImpulse)
{
    const int n = 1 << 20;
    std::vector<float> z(2 * n, 0.0f);
    z[2] = 1.0f;  // impulse at sample 1: bin k is e^(-i 2 pi k / n)
    ComplexFFT(z.data(), n, 1);
    for (int k : {0, 1, 12345, n / 2, n - 1}) {
        EXPECT_NEAR(z[2 * k], std::cos(2.0 * std::numbers::pi * k / n), 1e-4) << k;
        EXPECT_NEAR(z[2 * k + 1], -std::sin(2.0 * std::numbers::pi * k / n), 1e-4) << k;
    }
}

}  // namespace
