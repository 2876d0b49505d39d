#include "engine/FFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

#include "engine/TFFTKernelSet.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/ReferenceFFT.h"

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

// Random values over forty binary orders of magnitude, so that differences
// of far-apart values and their rounding to single precision are exercised.
std::vector<float> WideRandom(size_t count, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::normal_distribution<float> value(0.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-20, 20);
    std::vector<float> x(count);
    for (float& v : x)
        v = std::ldexp(value(rng), exponent(rng));
    return x;
}

std::vector<const TFFTKernelSet*> KernelSets()
{
    std::vector<const TFFTKernelSet*> sets{&TFFTKernelSet::Sse2Set};
    if (TFFTKernelSet::Avx())
        sets.push_back(TFFTKernelSet::Avx());
    return sets;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST(FFTKernels, EqualThePlainAlgorithmBitForBitAtEverySize)
{
    for (int bits = 2; bits <= 20; ++bits) {
        const int n = 1 << bits;
        for (int direction : {1, -1}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " direction=" << direction);
            const std::vector<float> points = WideRandom(2 * size_t(n), bits * 2 + (direction > 0));
            std::vector<float> complexWant = points;
            ReferenceFFT::ComplexFFT(complexWant.data(), n, direction);
            const std::vector<float> samples(points.begin(), points.begin() + n);
            std::vector<float> realWant = samples;
            ReferenceFFT::RealFFT(realWant.data(), n, direction);
            for (const TFFTKernelSet* set : KernelSets()) {
                SCOPED_TRACE(set->Name);
                std::vector<float> complexGot = points;
                set->ComplexFFT(complexGot.data(), n, direction);
                EXPECT_TRUE(SameBits(complexGot, complexWant));
                std::vector<float> realGot = samples;
                EXPECT_EQ(set->RealFFT(realGot.data(), n, direction), n);
                EXPECT_TRUE(SameBits(realGot, realWant));
            }
        }
    }
}

// The smallest sizes take paths of their own; every direction other than 1
// is an inverse, and the split step tells positive from negative ones.
TEST(FFTKernels, EqualThePlainAlgorithmAtSmallSizesAndOddDirections)
{
    for (int n : {1, 2, 4, 8, 16, 32, 64}) {
        for (int direction : {1, -1, 0, 2, -3}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " direction=" << direction);
            const std::vector<float> points = WideRandom(2 * size_t(n), n + 7 * (direction + 3));
            std::vector<float> complexWant = points;
            ReferenceFFT::ComplexFFT(complexWant.data(), n, direction);
            std::vector<float> splitWant = points;
            ReferenceFFT::RealFFTSplit(splitWant.data(), 2 * n, direction);
            std::vector<float> realWant = points;
            ReferenceFFT::RealFFT(realWant.data(), 2 * n, direction);
            for (const TFFTKernelSet* set : KernelSets()) {
                SCOPED_TRACE(set->Name);
                std::vector<float> got = points;
                set->ComplexFFT(got.data(), n, direction);
                EXPECT_TRUE(SameBits(got, complexWant));
                got = points;
                set->RealFFTSplit(got.data(), 2 * n, direction);
                EXPECT_TRUE(SameBits(got, splitWant));
                got = points;
                set->RealFFT(got.data(), 2 * n, direction);
                EXPECT_TRUE(SameBits(got, realWant));
            }
        }
    }
}

TEST(FFTKernels, SizesThatAreNotPowersOfTwoOrTooLargeLeaveTheDataAlone)
{
    for (int n : {0, 3, 6, 1000, 1 << 21}) {
        SCOPED_TRACE(n);
        std::vector<float> data(2 * size_t(n) + 2);
        std::iota(data.begin(), data.end(), 1.0f);
        std::vector<float> x = data;
        ComplexFFT(x.data(), n, 1);
        EXPECT_TRUE(SameBits(x, data));
    }
    for (int n : {0, 1, 6, 1000, 1 << 22}) {
        SCOPED_TRACE(n);
        std::vector<float> data(size_t(n) + 2);
        std::iota(data.begin(), data.end(), 1.0f);
        std::vector<float> x = data;
        EXPECT_EQ(RealFFT(x.data(), n, 1), 0);
        EXPECT_TRUE(SameBits(x, data));
    }
}

}  // namespace
