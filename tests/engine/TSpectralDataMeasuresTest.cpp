#include <gtest/gtest.h>

#include "tests/engine/Fixture.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

constexpr uint32_t kRate = 48000;
constexpr uint32_t kN = 8192;

TEST(TSpectralDataMeasures, DistortionOfTonesWithKnownHarmonics)
{
    for (const auto& row : ReadFixture("spectral_distortion.txt")) {
        const uint16_t window = static_cast<uint16_t>(row[0]);
        const double bin = row[1];
        SCOPED_TRACE(testing::Message() << "window " << window << " bin " << bin);
        auto x = Tone(kN, bin, row[2]);
        for (int h = 2; h <= 6; ++h)
            AddTo(x, Tone(kN, h * bin, row[2] * row[1 + h], 0.3 * h));
        TSpectralData s(Analysis(kRate, kN, window), Display(1), 0);
        Analyse(s, x, window);
        EXPECT_NEAR(s.ComputeTHD(), row[8], 0.01 * row[8]);
        EXPECT_NEAR(s.ComputeTHDN(), row[9], 0.01 * row[9]);
        // Harmonics are not noise: without noise only the transform's rounding is left.
        EXPECT_GT(s.ComputeSNR(), 100.0);
        EXPECT_NEAR(s.ComputeSINAD(), row[10], 0.05);
        EXPECT_NEAR(s.ComputeSFDR(), row[11], 0.05);
    }
}

// Measures from powers integrated over the analysed range, against numpy's
// least-squares fit of the same quantised signals: noise counts whether or
// not it forms peaks, and a tone weighs the same on and between bins.
TEST(TSpectralDataMeasures, IntegratedDistortionMatchesNumpy)
{
    const auto rows = ReadFixture("spectral_integrated_distortion.txt");
    ASSERT_GT(rows.size(), 3u);
    const uint32_t n = static_cast<uint32_t>(rows[0][0]);
    const std::vector<double>& noise = rows[1];
    ASSERT_EQ(noise.size(), n);
    auto dB = [](double ratio) { return 20.0 * std::log10(ratio); };
    for (size_t r = 2; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const uint16_t window = static_cast<uint16_t>(row[0]);
        const double bin = row[1], amplitude = row[2], harmonic = row[4], rms = row[6];
        const int bits = static_cast<int>(row[7]);
        const bool all = row[8] != 0.0;
        SCOPED_TRACE(testing::Message() << "window " << window << " bin " << bin << " harmonic " << harmonic
                                        << " noise " << rms << " bits " << bits);
        AnalysisSettingsStruct analysis = Analysis(static_cast<uint32_t>(rows[0][1]), n, window);
        analysis.Format = TWaveFormat(analysis.Format.SamplingRate, 1, static_cast<uint16_t>(bits / 8));
        TSpectralData s(analysis, Display(1), 0);
        ASSERT_EQ(s.GetLowIndex(), static_cast<int>(rows[0][2]));
        ASSERT_EQ(s.GetHighIndex(), static_cast<int>(rows[0][3]));
        const double scale = std::ldexp(1.0, bits - 1) - 1.0;
        for (uint32_t i = 0; i < n; ++i) {
            const double x = amplitude * std::cos(2.0 * kTestPi * bin * i / n + row[3])
                             + harmonic * amplitude * std::cos(2.0 * kTestPi * 3.0 * bin * i / n + row[5])
                             + rms * noise[i];
            s.SetTimeSample(i, static_cast<float>(std::nearbyint(x * scale)));
        }
        TSmoothing(n, window).Apply(s.GetFFTBuffer(), 0, 0);
        s.ComputeSpectrum();
        s.Average(0);

        const float thd = s.ComputeTHD(), thdn = s.ComputeTHDN();
        EXPECT_GE(thdn, thd);
        if (!all) {
            EXPECT_NEAR(dB(thd / row[9]), 0.0, 0.05) << "THD " << thd << " numpy " << row[9];
            continue;
        }
        EXPECT_NEAR(dB(thdn / row[10]), 0.0, 0.2) << "THD+N " << thdn << " numpy " << row[10];
        // Noise forms no harmonics, however its largest bins fall.
        if (harmonic == 0.0 && rms >= 1e-4) {
            EXPECT_LT(thd, 0.1 * thdn);
        }
        EXPECT_NEAR(s.ComputeSNR(), row[11], 0.2);
        EXPECT_NEAR(s.ComputeSINAD(), row[12], 0.2);
    }
}

// The level of each tone is a power in either amplitude scale.
TEST(TSpectralDataMeasures, IntermodulationOfTwoTones)
{
    const auto rows = ReadFixture("spectral_imd.txt");
    auto x = Tone(kN, rows[0][0], rows[0][1]);
    AddTo(x, Tone(kN, rows[0][2], rows[0][3], 1.0));
    for (size_t r = 1; r < rows.size(); ++r)
        AddTo(x, Tone(kN, rows[r][0], rows[r][1], 0.5 * r));
    for (uint16_t scale : {0, 1}) {
        TSpectralData s(Analysis(kRate, kN), Display(scale), 0);
        Analyse(s, x, TSmoothing::Hanning);
        EXPECT_NEAR(s.ComputeIMD(), rows[0][4], 0.01 * rows[0][4]) << "scale " << scale;
    }
}

// Amplitude-corrected bin powers times the window's power correction give the
// tone's power, so a 0.5 full-scale tone totals -6.02 dB in every window.
TEST(TSpectralDataMeasures, TotalPowerOfAToneInEveryWindow)
{
    for (uint16_t window = 0; window < TSmoothing::WindowCount; ++window) {
        TSpectralData s(Analysis(kRate, kN, window), Display(1), 0);
        Analyse(s, Tone(kN, 300, 0.5), window);
        EXPECT_NEAR(s.GetOverallLevel(), 20 * std::log10(0.5), 0.1) << "window " << window;
        EXPECT_NEAR(s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), 0, TSpectralData::WeightNone), 0.5, 0.006)
            << "window " << window;
    }
}

TEST(TSpectralDataMeasures, WeightedTotalPower)
{
    DisplaySettingsStruct display = Display(1);
    display.TotalPowerWeighting = TSpectralData::WeightA;
    TSpectralData s(Analysis(40960, 4096), display, 0);
    // 100 Hz sits on a point of the A table: -19.1 dB.
    Analyse(s, Tone(4096, 10, 0.5), TSmoothing::Hanning);
    EXPECT_NEAR(s.GetOverallLevel(), 20 * std::log10(0.5) - 19.1, 0.05);
    EXPECT_NEAR(s.ComputeTotalPower(0, 2047, 1, TSpectralData::WeightC), 20 * std::log10(0.5) - 0.3, 0.05);

    // Nothing averaged yet.
    struct Case {
        uint16_t displayWeighting;
        int16_t weighting;
        float expected;
    } cases[] = {{1, 0, -999.0f}, {0, 0, 0.0f}, {1, 99, 0.0f}, {2, 2, 0.0f}, {0, 3, -999.0f}};
    for (const Case& c : cases) {
        DisplaySettingsStruct d = Display(1);
        d.StandardWeighting = c.displayWeighting;
        TSpectralData empty(Analysis(kRate, 1024), d, 0);
        EXPECT_EQ(empty.ComputeTotalPower(0, 511, 1, c.weighting), c.expected)
            << c.displayWeighting << " " << c.weighting;
    }
}

TEST(TSpectralDataMeasures, PeaksMinimumAndRanges)
{
    TSpectralData s(Analysis(kRate, 1024), Display(0), 0);
    auto x = Tone(1024, 40, 0.5);
    AddTo(x, Tone(1024, 100, 0.1));
    AddTo(x, Tone(1024, 200, 0.3));
    Analyse(s, x, TSmoothing::Hanning);
    const double expected[] = {40, 200, 100};
    for (int rank = 0; rank < 3; ++rank) {
        float frequency = -1.0f, value = -1.0f;
        s.FindNthPeak(0, 511, &frequency, &value, rank);
        EXPECT_FLOAT_EQ(frequency, s.BinToFrequency(static_cast<uint32_t>(expected[rank]))) << rank;
        EXPECT_FLOAT_EQ(value, s.GetDisplayValue(static_cast<int>(expected[rank]))) << rank;
    }
    float frequency = -1.0f, value = -1.0f;
    s.FindNthPeak(0, 511, &frequency, &value, 11);
    EXPECT_EQ(frequency, -1.0f);
    EXPECT_EQ(value, -1.0f);
    EXPECT_FLOAT_EQ(s.FindNthPeakInRange(s.BinToFrequency(150), s.BinToFrequency(300), 0, 0), s.BinToFrequency(200));

    EXPECT_FLOAT_EQ(s.RangeMaxValue(30, 50), s.GetDisplayValue(40));
    EXPECT_EQ(s.RangeMaxValue(50, 30), -999999.0f);
    EXPECT_EQ(s.RangeMaxValue(-4, 40), s.GetDisplayValue(40));
    s.FindMinimum(38, 42, &frequency, &value);
    EXPECT_LT(value, s.GetDisplayValue(40));
    EXPECT_NE(frequency, s.BinToFrequency(40));
}

TEST(TSpectralDataMeasures, EmptyOrLowSpectrumHasNoDistortion)
{
    TSpectralData empty(Analysis(kRate, 1024), Display(1), 0);
    EXPECT_EQ(empty.ComputeTHD(), 0.0f);
    EXPECT_EQ(empty.ComputeIMD(), 0.0f);
    TSpectralData low(Analysis(100, 1024), Display(1), 0);  // a tone at 0.49 Hz
    Analyse(low, Tone(1024, 10, 0.5), TSmoothing::Hanning);
    ASSERT_EQ(low.GetPeakIndex(), 10u);
    EXPECT_EQ(low.ComputeTHD(), 0.0f);
    // Only the fundamental: no spurs, so SNR is its dB plus 999.9.
    TSpectralData pure(Analysis(kRate, kN), Display(1), 0);
    std::vector<double> spectrum(kN, 0.0);
    spectrum[2 * 500] = 0.5;
    PutSpectrum(pure, spectrum);
    pure.Average(0);
    EXPECT_EQ(pure.ComputeTHDN(), 0.0f);
    EXPECT_NEAR(pure.ComputeSNR(), 20 * std::log10(0.5) + 999.9, 1e-3);
    float frequency = -1.0f;
    pure.FindNthPeak(0, 400, &frequency, nullptr, 0);  // no local maximum in range
    EXPECT_EQ(frequency, 0.0f);
}

// A resonance with half-power points 10 Hz apart at 1 kHz, on 1 Hz bins.
TEST(TSpectralDataMeasures, BandwidthAndQOfAResonance)
{
    TSpectralData s(Analysis(8192, 8192), Display(1), 0);
    float* power = s.GetMagnitudes();
    for (uint32_t k = 0; k < 4096; ++k) {
        const double detune = (k - 1000.0) / 5.0;
        power[k] = static_cast<float>(1.0 / (1.0 + detune * detune));
    }
    EXPECT_NEAR(s.ComputeBandwidth(900.0f, 1100.0f, 0), 10.0, 0.15);
    EXPECT_NEAR(s.ComputeQFactor(900.0f, 1100.0f, 0), 100.0, 1.5);
    // Ranges that leave an edge (995 or 1005 Hz) outside have no width and no Q.
    struct Range { float Low, High; };
    for (const Range r : {Range{900, 1003}, Range{997, 1100}, Range{998, 1002}, Range{1100, 900}}) {
        SCOPED_TRACE(r.Low);
        EXPECT_EQ(s.ComputeBandwidth(r.Low, r.High, 0), 0.0f);
        EXPECT_EQ(s.ComputeQFactor(r.Low, r.High, 0), 0.0f);
    }
}

}  // namespace
