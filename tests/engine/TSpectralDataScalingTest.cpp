#include <gtest/gtest.h>

#include <cstring>

#include "base/THeadlessEngineHost.h"
#include "resources/StringIds.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

// The symmetric Hanning table's coherent gain is (N - 1) / N of its fixed
// correction: about 0.1 % (0.0085 dB) low at N = 1024.
constexpr double kGainTolerance = 1.5e-3;
constexpr double kGainToleranceDB = 0.01;
constexpr uint32_t kN = 1024;
constexpr uint32_t kRate = 44100;
constexpr uint32_t kToneBin = 100;

TEST(TSpectralDataScaling, FullScaleSineReadsHundredPercentAndZeroDB)
{
    TSpectralData linear(Analysis(kRate, kN), Display(0), 0);
    TSpectralData dB(Analysis(kRate, kN), Display(1), 0);
    ASSERT_EQ(linear.Error, 0u);
    const auto x = Tone(kN, kToneBin, 1.0);
    Analyse(linear, x, TSmoothing::Hanning);
    Analyse(dB, x, TSmoothing::Hanning);
    EXPECT_NEAR(linear.GetDisplayValue(kToneBin), 100.0, 100.0 * kGainTolerance);
    EXPECT_NEAR(dB.GetDisplayValue(kToneBin), 0.0, kGainToleranceDB);
    EXPECT_EQ(linear.GetPeakIndex(), kToneBin);
    EXPECT_STREQ(linear.GetAmplitudeUnitName(), IDS_UNIT_PERCENT_FULL_SCALE_TEXT);
    EXPECT_STREQ(dB.GetAmplitudeUnitName(), IDS_UNIT_RELATIVE_DB_TEXT);
}

// A tone of half full scale with 2.5 units per full scale: 1.25 units peak.
TEST(TSpectralDataScaling, CalibratedValuesInEngineeringUnits)
{
    const double peak = 0.5 * 2.5;
    const double f = kToneBin * (kRate / 2.0) / (kN / 2);
    struct Case {
        uint32_t labelType, refUnits, conversion, integration;
        double linear;
        double dBOffset;
    } cases[] = {
        {0, 0, 0, 0, peak, 0.0},
        {1, 0, 0, 0, peak / std::sqrt(2.0), 0.0},
        {2, 0, 0, 0, 2 * peak, 0.0},
        {1, 7, 0, 0, peak / std::sqrt(2.0), 2.213966},
        {0, 2, 0, 0, peak, 93.9794},
        {0, 3, 1, 1, peak * 32.174 / (2 * kTestPi * f), 0.0},
        {0, 3, 5, 2, peak * 12 * 32.174 / std::pow(2 * kTestPi * f, 2), 0.0},
    };
    const auto x = Tone(kN, kToneBin, 0.5);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "label " << c.labelType << " units " << c.refUnits << " conversion "
                                        << c.conversion);
        const CalibrationChannel block = CalibrationBlock(2.5f, c.labelType, c.refUnits, c.conversion, c.integration);
        TSpectralData linear(Analysis(kRate, kN), Display(0), 0);
        TSpectralData dB(Analysis(kRate, kN), Display(1), 0);
        linear.SetCalibration(&block);
        dB.SetCalibration(&block);
        Analyse(linear, x, TSmoothing::Hanning);
        Analyse(dB, x, TSmoothing::Hanning);
        EXPECT_NEAR(linear.GetDisplayValue(kToneBin), c.linear, kGainTolerance * c.linear);
        EXPECT_NEAR(dB.GetDisplayValue(kToneBin), 20 * std::log10(c.linear) + c.dBOffset, kGainToleranceDB);
    }
}

TEST(TSpectralDataScaling, DisabledCalibrationBlockReadsUncalibrated)
{
    CalibrationChannel block = CalibrationBlock(10.0f, 1, 7);
    block.IsEnabled = 0;
    std::strcpy(block.LabelLinear, "Volts");
    TSpectralData s(Analysis(kRate, kN), Display(0), 0);
    s.SetCalibration(&block);
    Analyse(s, Tone(kN, kToneBin, 0.25), TSmoothing::Hanning);
    EXPECT_NEAR(s.GetDisplayValue(kToneBin), 25.0, 25.0 * kGainTolerance);
    EXPECT_STREQ(s.GetAmplitudeUnitName(), IDS_UNIT_PERCENT_FULL_SCALE_TEXT);
}

// Calibrated in RMS units, the density of white noise is Welch's estimate.
// In dB either density unit reads 10 log10 of the power density.
TEST(TSpectralDataScaling, PowerSpectralDensityOfWhiteNoiseMatchesWelch)
{
    const auto rows = ReadFixture("spectral_psd.txt");
    const uint32_t n = static_cast<uint32_t>(rows[0][0]);
    const uint32_t blocks = static_cast<uint32_t>(rows[0][1]);
    const uint32_t rate = static_cast<uint32_t>(rows[0][2]);
    const std::vector<double>& welch = rows[1 + blocks];
    const CalibrationChannel rms = CalibrationBlock(1.0f, 1, 0);
    for (uint16_t units : {0, 1}) {
        DisplaySettingsStruct linearDisplay = Display(0);
        linearDisplay.SpectralDensityFlag = 1;
        linearDisplay.SpectralDensityType = units;
        DisplaySettingsStruct dBDisplay = linearDisplay;
        dBDisplay.AmpScaleType = 1;
        TSpectralData linear(Analysis(rate, n, TSmoothing::Hanning, 1, blocks), linearDisplay, 0);
        TSpectralData dB(Analysis(rate, n, TSmoothing::Hanning, 1, blocks), dBDisplay, 0);
        linear.SetCalibration(&rms);
        dB.SetCalibration(&rms);
        for (uint32_t b = 0; b < blocks; ++b) {
            Analyse(linear, rows[1 + b], TSmoothing::Hanning, 0, 1);
            Analyse(dB, rows[1 + b], TSmoothing::Hanning, 0, 1);
        }
        for (uint32_t k = 2; k < n / 2 - 1; ++k) {
            const double expected = units == 0 ? welch[k] : std::sqrt(welch[k]);
            EXPECT_NEAR(linear.GetDisplayValue(k), expected, 0.003 * expected) << "bin " << k;
            EXPECT_NEAR(dB.GetDisplayValue(k), 10 * std::log10(welch[k]), 0.03) << "bin " << k;
        }
    }
}

TEST(TSpectralDataScaling, InverseTransformRestoresTheWindowedBlock)
{
    TSpectralData s(Analysis(kRate, kN), Display(1), 0);
    auto x = Tone(kN, 37, 0.3, 0.4);
    AddTo(x, Tone(kN, 150.5, 0.1));
    Transform(s, x, TSmoothing::Hanning);
    std::vector<float> windowed(kN);
    for (uint32_t i = 0; i < kN; ++i)
        windowed[i] = static_cast<float>(x[i] * kFullScale16);
    TSmoothing(kN, TSmoothing::Hanning).Apply(windowed.data(), 0, 0);
    s.Average(0);
    s.InverseTransform();
    ASSERT_NE(s.GetInverseBuffer(), nullptr);
    for (uint32_t i = 0; i < kN; ++i)
        EXPECT_NEAR(s.GetInverseSample(i), windowed[i], 2.0) << i;
    EXPECT_EQ(s.GetInverseSample(kN), 0.0f);
    s.ComputeSpectrum();
    EXPECT_EQ(s.GetInverseBuffer(), nullptr);
}

TEST(TSpectralDataScaling, BinFrequencyMappingAndOutOfRangeQueries)
{
    TSpectralData s(Analysis(kRate, kN), Display(1), 0);
    Analyse(s, Tone(kN, kToneBin, 0.5), TSmoothing::Hanning);
    const uint32_t bins = kN / 2;
    EXPECT_FLOAT_EQ(s.GetBinWidth(), 22050.0f / bins);
    EXPECT_EQ(s.FrequencyToBin(s.GetNyquist()), bins - 1);
    EXPECT_EQ(s.FrequencyToBin(1e6f), bins - 1);
    EXPECT_EQ(s.FrequencyToBin(-5.0f), 0u);
    EXPECT_EQ(s.FrequencyToBin(s.GetBinWidth() * 10.49f), 10u);
    EXPECT_FLOAT_EQ(s.BinToFrequency(bins), s.GetNyquist());
    EXPECT_EQ(s.GetLowIndex(), 2);
    EXPECT_EQ(s.GetHighIndex(), static_cast<int>(s.FrequencyToBin(0.99f * 22050.0f)));
    EXPECT_EQ(s.GetDisplayValue(bins), 0.0f);
    EXPECT_EQ(s.GetDisplayValue(-1), 0.0f);
    EXPECT_EQ(s.GetPhase(bins), 0.0f);
    s.SetTimeSample(kN, 1.0f);  // ignored, not written past the buffer
    EXPECT_NEAR(s.GetPhase(kToneBin), 0.0, 0.01);
}

TEST(TSpectralDataScaling, UnusableFFTSizeLeavesAnInertObject)
{
    // Beyond the largest transform as well as sizes that are not powers of two.
    for (uint32_t n : {0u, 1u, 1000u, 1u << 22}) {
        TSpectralData s(Analysis(kRate, n), Display(1), 0);
        EXPECT_EQ(s.Error, 1u) << n;
        s.SetTimeSample(0, 1.0f);
        s.ComputeSpectrum();
        s.Average(0);
        s.UpdatePeakHold();
        EXPECT_EQ(s.GetFFTBuffer(), nullptr);
        EXPECT_EQ(s.GetDisplayValue(0), 0.0f);
        EXPECT_EQ(s.GetPeakHoldValue(0), TSpectralData::NoLevel);
        EXPECT_EQ(s.ComputeTHD(), 0.0f);
    }
}

TEST(TSpectralDataScaling, SpectrumToTimeBufferPlacesDisplayValuesInTheMiddle)
{
    constexpr uint32_t n = 64;
    TSpectralData s(Analysis(kRate, n), Display(0), 0);
    Analyse(s, Tone(n, 5, 0.5), TSmoothing::Hanning);
    std::vector<float> values(n / 2);
    for (uint32_t k = 0; k < n / 2; ++k)
        values[k] = s.GetDisplayValue(k);
    s.SpectrumToTimeBuffer();
    const float* buffer = s.GetFFTBuffer();
    for (uint32_t i = 0; i < n; ++i) {
        const bool inside = i >= n / 4 + 4 && i <= 3 * n / 4 - 4;
        EXPECT_FLOAT_EQ(buffer[i], inside ? values[i - (n / 4 + 4)] : 0.0f) << i;
    }
    EXPECT_EQ(s.GetDisplayValue(5), 0.0f);  // averages were reset
}

}  // namespace
