#include "engine/FFT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
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
    if (TFFTKernelSet::Avx512())
        sets.push_back(TFFTKernelSet::Avx512());
    return sets;
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

using Complex = std::complex<double>;

// The exact transform, as near as double precision comes: radix-2 with every
// twiddle from its own angle. sign -1 is e^-i; no scaling.
std::vector<Complex> ExactDFT(std::vector<Complex> a, int sign)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    std::vector<Complex> w(n / 2);
    for (size_t k = 0; k < n / 2; ++k)
        w[k] = std::polar(1.0, sign * 2.0 * std::numbers::pi * double(k) / double(n));
    for (size_t len = 2; len <= n; len <<= 1)
        for (size_t i = 0; i < n; i += len)
            for (size_t k = 0; k < len / 2; ++k) {
                // Written out: the library's product checks for infinities.
                const Complex u = a[i + k], b = a[i + k + len / 2], t = w[k * (n / len)];
                const Complex v(b.real() * t.real() - b.imag() * t.imag(), b.real() * t.imag() + b.imag() * t.real());
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
    return a;
}

// What ComplexFFT should give, as interleaved doubles.
std::vector<double> ExactComplex(const std::vector<float>& x, int direction)
{
    const size_t n = x.size() / 2;
    std::vector<Complex> a(n);
    for (size_t i = 0; i < n; ++i)
        a[i] = Complex(x[2 * i], x[2 * i + 1]);
    a = ExactDFT(std::move(a), direction == 1 ? -1 : 1);
    std::vector<double> out(2 * n);
    const double scale = direction == 1 ? 1.0 : 1.0 / double(n);
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = a[i].real() * scale;
        out[2 * i + 1] = a[i].imag() * scale;
    }
    return out;
}

// What RealFFT should give: forward twice the half spectrum, packed; inverse
// the samples whose forward result the input is.
std::vector<double> ExactReal(const std::vector<float>& x, int direction)
{
    const size_t n = x.size();
    std::vector<Complex> a(n);
    if (direction == 1) {
        for (size_t i = 0; i < n; ++i)
            a[i] = x[i];
        a = ExactDFT(std::move(a), -1);
        std::vector<double> out(n);
        out[0] = 2.0 * a[0].real();
        out[1] = 2.0 * a[n / 2].real();
        for (size_t k = 1; k < n / 2; ++k) {
            out[2 * k] = 2.0 * a[k].real();
            out[2 * k + 1] = 2.0 * a[k].imag();
        }
        return out;
    }
    a[0] = x[0] / 2.0;
    a[n / 2] = x[1] / 2.0;
    for (size_t k = 1; k < n / 2; ++k) {
        a[k] = Complex(x[2 * k], x[2 * k + 1]) / 2.0;
        a[n - k] = std::conj(a[k]);
    }
    a = ExactDFT(std::move(a), 1);
    std::vector<double> out(n);
    for (size_t i = 0; i < n; ++i)
        out[i] = a[i].real() / double(n);
    return out;
}

// Root mean square of the error over that of the exact values, gathered
// over as many transforms as are added.
struct TErrorSum {
    double Error = 0.0, Size = 0.0;

    void Add(const std::vector<float>& got, const std::vector<double>& want)
    {
        for (size_t i = 0; i < want.size(); ++i) {
            Error += (got[i] - want[i]) * (got[i] - want[i]);
            Size += want[i] * want[i];
        }
    }
    double Relative() const { return std::sqrt(Error / Size); }
};

double RmsRelativeError(const std::vector<float>& got, const std::vector<double>& want)
{
    TErrorSum sum;
    sum.Add(got, want);
    return sum.Relative();
}

// The kernels compute in another order than the plain algorithm, so their
// bits differ; at every size and in both directions their error against the
// exact transform must be no larger than the plain algorithm's. Small sizes
// add up several transforms, so that chance does not decide.
TEST(FFTKernels, NoLessAccurateThanThePlainAlgorithmAtEverySize)
{
    // Complex transforms of n points, real ones of 2n samples (64 to 2^20).
    for (int bits = 5; bits <= 19; ++bits) {
        const int n = 1 << bits;
        const int transforms = std::max(1, (1 << 16) / n);
        for (int direction : {1, -1}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " direction=" << direction);
            const std::vector<const TFFTKernelSet*> sets = KernelSets();
            TErrorSum plainComplex, plainReal;
            std::vector<TErrorSum> setComplex(sets.size()), setReal(sets.size());
            for (int t = 0; t < transforms; ++t) {
                const std::vector<float> points = WideRandom(2 * size_t(n), (bits * 2 + (direction > 0)) * 1000 + t);
                const std::vector<double> complexExact = ExactComplex(points, direction);
                std::vector<float> got = points;
                ReferenceFFT::ComplexFFT(got.data(), n, direction);
                plainComplex.Add(got, complexExact);
                const std::vector<double> realExact = ExactReal(points, direction);
                got = points;
                ReferenceFFT::RealFFT(got.data(), 2 * n, direction);
                plainReal.Add(got, realExact);
                for (size_t s = 0; s < sets.size(); ++s) {
                    got = points;
                    sets[s]->ComplexFFT(got.data(), n, direction);
                    setComplex[s].Add(got, complexExact);
                    got = points;
                    EXPECT_EQ(sets[s]->RealFFT(got.data(), 2 * n, direction), 2 * n);
                    setReal[s].Add(got, realExact);
                }
            }
            ASSERT_LT(plainComplex.Relative(), 3e-7);
            ASSERT_LT(plainReal.Relative(), 3e-7);
            for (size_t s = 0; s < sets.size(); ++s) {
                SCOPED_TRACE(sets[s]->Name);
                EXPECT_LE(setComplex[s].Relative(), plainComplex.Relative());
                EXPECT_LE(setReal[s].Relative(), plainReal.Relative());
            }
        }
    }
}

// Every instruction set does the same arithmetic in the same order.
TEST(FFTKernels, EverySetGivesTheSameBits)
{
    const std::vector<const TFFTKernelSet*> sets = KernelSets();
    if (sets.size() < 2)
        GTEST_SKIP() << "only one kernel set runs on this processor";
    // Past 2^13 points only the depth of the cache blocking grows.
    for (int bits = 0; bits <= 16; ++bits) {
        const int n = 1 << bits;
        for (int direction : {1, -1}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " direction=" << direction);
            const std::vector<float> points = WideRandom(2 * size_t(n), bits + 100 * (direction > 0));
            std::vector<float> complex = points, real = points;
            sets[0]->ComplexFFT(complex.data(), n, direction);
            sets[0]->RealFFT(real.data(), 2 * n, direction);
            for (size_t other = 1; other < sets.size(); ++other) {
                SCOPED_TRACE(sets[other]->Name);
                std::vector<float> x = points;
                sets[other]->ComplexFFT(x.data(), n, direction);
                EXPECT_TRUE(SameBits(complex, x));
                x = points;
                sets[other]->RealFFT(x.data(), 2 * n, direction);
                EXPECT_TRUE(SameBits(real, x));
            }
        }
    }
}

// The smallest sizes take paths of their own; every direction other than 1
// is an inverse, and the split step, unchanged from the plain algorithm, tells
// positive from negative ones.
TEST(FFTKernels, SmallSizesAndOddDirectionsAgreeWithThePlainAlgorithm)
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
            const std::vector<double> complexNear(complexWant.begin(), complexWant.end());
            const std::vector<double> realNear(realWant.begin(), realWant.end());
            for (const TFFTKernelSet* set : KernelSets()) {
                SCOPED_TRACE(set->Name);
                std::vector<float> got = points;
                set->ComplexFFT(got.data(), n, direction);
                EXPECT_LT(RmsRelativeError(got, complexNear), 5e-7);
                got = points;
                set->RealFFTSplit(got.data(), 2 * n, direction);
                EXPECT_TRUE(SameBits(got, splitWant));
                got = points;
                set->RealFFT(got.data(), 2 * n, direction);
                EXPECT_LT(RmsRelativeError(got, realNear), 5e-7);
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
