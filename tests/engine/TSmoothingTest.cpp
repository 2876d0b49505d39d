#include "engine/TSmoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "tests/engine/Fixture.h"

namespace {

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

TEST(TSmoothing, TablesMatchReference)
{
    for (uint32_t n : {64u, 1024u}) {
        const auto tables = ReadFixture("windows_" + std::to_string(n) + ".txt");
        ASSERT_EQ(tables.size(), TSmoothing::WindowCount);
        for (uint16_t type = 0; type < TSmoothing::WindowCount; ++type) {
            if (type == TSmoothing::Uniform)
                continue;  // Uniform computes no table
            TSmoothing w(n, type);
            ASSERT_EQ(w.Error, 0u);
            for (uint32_t i = 0; i < n; ++i)
                ASSERT_NEAR(w.Coefficients()[i], tables[type][i], 2e-6 * std::max(1.0, std::fabs(tables[type][i])))
                    << "type " << type << " n " << n << " i " << i;
        }
    }
}

// Every factor must restore the window's coherent gain (amplitude) and power
// gain (energy) to within 0.03 dB of the reference table's.
TEST(TSmoothing, CorrectionFactorsAgreeWithTheirTables)
{
    const auto factors = ReadFixture("window_factors_1024.txt");
    ASSERT_EQ(factors.size(), TSmoothing::WindowCount);
    for (uint16_t type = 0; type < TSmoothing::WindowCount; ++type) {
        TSmoothing w(1024, type);
        for (int mode : {1, 2}) {
            const double db = 20.0 * std::log10(w.CorrectionFactor(mode) / factors[type][mode - 1]);
            EXPECT_NEAR(db, 0.0, 0.03) << "type " << type << " mode " << mode;
        }
        EXPECT_EQ(w.CorrectionFactor(0), 1.0);
    }
}

// A full-scale cosine centred on a bin reads its true amplitude through every window.
TEST(TSmoothing, WindowedCosineReadsTrueAmplitude)
{
    const int n = 4096, bin = 512;
    for (uint16_t type = 0; type < TSmoothing::WindowCount; ++type) {
        TSmoothing w(n, type);
        std::vector<float> x(n);
        for (int i = 0; i < n; ++i)
            x[i] = static_cast<float>(0.5 * std::cos(2.0 * std::numbers::pi * bin * i / n));
        w.Apply(x.data(), 0, 0);
        // Direct DFT of one bin, so this test does not lean on the FFT kernels.
        double re = 0.0, im = 0.0;
        for (int i = 0; i < n; ++i) {
            re += x[i] * std::cos(2.0 * std::numbers::pi * bin * i / n);
            im -= x[i] * std::sin(2.0 * std::numbers::pi * bin * i / n);
        }
        const double amplitude = 2.0 * std::hypot(re, im) / n;
        EXPECT_NEAR(20.0 * std::log10(amplitude / 0.5), 0.0, 0.05) << "type " << type;
    }
}

TEST(TSmoothing, ApplyChoosesFactorByScaleModeAndPsdFlag)
{
    TSmoothing w(1024, TSmoothing::Hanning);
    const float* table = w.Coefficients();
    struct Case {
        uint16_t scaleMode;
        uint32_t psd;
        double factor;
    };
    const Case cases[] = {
        {0, 0, 2.0}, {1, 0, 2.0}, {2, 0, std::pow(10.0, 0.213)}, {0, 1, std::pow(10.0, 0.213)}, {3, 0, 1.0},
    };
    for (const Case& c : cases) {
        std::vector<float> x(1024, 1.0f);
        w.Apply(x.data(), c.scaleMode, c.psd);
        for (int i : {1, 300, 512})
            EXPECT_NEAR(x[i], table[i] * c.factor, 1e-5) << "mode " << c.scaleMode << " psd " << c.psd;
        const float edge = x[0];
        w.Remove(x.data(), c.psd ? 2 : c.scaleMode);
        for (int i : {1, 300, 512})
            EXPECT_NEAR(x[i], 1.0f, 1e-5);
        EXPECT_EQ(x[0], edge);  // Hanning's end coefficient is (near) zero: Remove leaves it
    }
}

TEST(TSmoothing, UniformLeavesDataAloneButKeepsPreviousTable)
{
    TSmoothing w(64, TSmoothing::Blackman);
    const std::vector<float> before(w.Coefficients(), w.Coefficients() + 64);
    w.SetWindowType(TSmoothing::Uniform);
    EXPECT_EQ(std::vector<float>(w.Coefficients(), w.Coefficients() + 64), before);
    std::vector<float> x(64, 0.75f);
    w.Apply(x.data(), 0, 1);
    w.Remove(x.data(), 2);
    EXPECT_EQ(x, std::vector<float>(64, 0.75f));
}

TEST(TSmoothing, InvalidTypeIsReportedAndSilencesNewTable)
{
    Host().Messages.clear();
    TSmoothing w(32, 12);
    EXPECT_EQ(w.Error, 1u);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "TSmoothing: Invalid Window Type");
    EXPECT_EQ(Host().Messages[0].Caption, "Error");
    EXPECT_EQ(Host().Messages[0].Style, TEngineHost::MsgIconStop);
    EXPECT_EQ(w.CorrectionFactor(1), 1.0);
    std::vector<float> x(32, 1.0f);
    w.Apply(x.data(), 0, 0);
    EXPECT_EQ(x, std::vector<float>(32, 0.0f));

    // An invalid type set later keeps the old coefficients, now with factor 1.
    TSmoothing h(32, TSmoothing::Hanning);
    const float mid = h.Coefficients()[16];
    h.SetWindowType(10);
    EXPECT_EQ(h.Error, 1u);
    std::vector<float> y(32, 1.0f);
    h.Apply(y.data(), 0, 0);
    EXPECT_FLOAT_EQ(y[16], mid);
}

TEST(TSmoothing, KaiserCentreIsOneAndEdgeIsReciprocalBessel)
{
    TSmoothing w(1024, TSmoothing::Kaiser);
    EXPECT_EQ(w.Coefficients()[512], 1.0f);
    const auto bessel = ReadFixture("bessel_i0.txt");
    double i0FivePi = 0.0;
    for (const auto& row : bessel) {
        if (std::fabs(row[0] - 5.0 * std::numbers::pi) < 1e-9)
            i0FivePi = row[1];
    }
    ASSERT_GT(i0FivePi, 0.0);
    EXPECT_NEAR(w.Coefficients()[0] * i0FivePi, 1.0, 1e-5);

    w.SetKaiserParameter(2.0f);
    EXPECT_EQ(w.Coefficients()[512], 1.0f);
    EXPECT_GT(w.Coefficients()[0], 1.0f / i0FivePi);
}

TEST(TSmoothing, BesselI0MatchesScipy)
{
    for (const auto& row : ReadFixture("bessel_i0.txt"))
        EXPECT_NEAR(BesselI0(row[0]) / row[1], 1.0, 2e-6) << row[0];
}

TEST(TSmoothing, NamesAndLengths)
{
    const char* names[] = {"Bartlett", "Blackman", "Flat top", "Hamming", "Hanning",
                           "Kaiser", "Parzen", "Triangular", "Uniform", "Gaussian"};
    char buffer[TSmoothing::NameLength + 1];
    for (uint16_t type = 0; type < TSmoothing::WindowCount; ++type) {
        TSmoothing::GetWindowName(type, buffer);
        EXPECT_STREQ(buffer, names[type]);
    }
    TSmoothing::GetWindowName(10, buffer);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TSmoothing::GetWindowCount(), 10);

    TSmoothing w(64, TSmoothing::Hamming);
    w.SetLengthAndType(128, TSmoothing::Gaussian);
    EXPECT_EQ(w.GetLength(), 128u);
    EXPECT_EQ(w.GetWindowType(), TSmoothing::Gaussian);
    w.SetLength(31);  // odd lengths still give a symmetric window
    for (uint32_t i = 0; i < 31; ++i)
        EXPECT_FLOAT_EQ(w.Coefficients()[i], w.Coefficients()[30 - i]) << i;
}

}  // namespace
