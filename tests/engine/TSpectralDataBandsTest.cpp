#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "resources/StringIds.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

// Centres follow the base-ten series exactly; the half-band factor of the
// edges is 2^(1/2n), within 0.12 %/n of the base-ten G^(1/2n).
TEST(TSpectralDataBands, CentresAndEdgesFollowTheBaseTenSeries)
{
    const auto rows = ReadFixture("spectral_bands.txt");
    for (uint16_t fraction : {1, 3, 6, 12, 24}) {
        SCOPED_TRACE(fraction);
        TSpectralData s(Analysis(48000, 16384), Display(1, 2, fraction), 0);
        uint32_t count = 0;
        for (const auto& row : rows) {
            if (row[0] != fraction)
                continue;
            const int band = static_cast<int>(row[1]);
            ++count;
            const double edgeTolerance = 0.0013 / fraction;
            EXPECT_NEAR(s.GetBandExactCentre(band), row[2], 2e-6 * row[2]) << band;
            EXPECT_NEAR(s.GetBandLowerEdge(band), row[3], edgeTolerance * row[3]) << band;
            EXPECT_NEAR(s.GetBandUpperEdge(band), row[4], edgeTolerance * row[4]) << band;
        }
        EXPECT_EQ(s.GetBandCount(), count);
        EXPECT_EQ(s.GetBandCentre(count), 0.0f);
        EXPECT_EQ(s.GetDisplayValue(count), 0.0f);
        EXPECT_EQ(s.GetPhase(count), 0.0f);
    }
}

TEST(TSpectralDataBands, NominalCentresAreThePreferredFrequencies)
{
    const auto nominal = ReadFixture("spectral_nominal.txt");
    const uint16_t fractions[] = {1, 3};
    for (size_t line = 0; line < 2; ++line) {
        TSpectralData s(Analysis(48000, 16384), Display(1, 2, fractions[line]), 0);
        for (double f : nominal[line]) {
            const int band = s.FrequencyToBand(static_cast<float>(f));
            EXPECT_FLOAT_EQ(s.GetBandCentre(band), static_cast<float>(f)) << fractions[line] << " " << f;
        }
    }
    // Finer fractions: 1/24 still snaps to the preferred numbers, 1/48 keeps four digits.
    EXPECT_FLOAT_EQ(TSpectralData::NominalBandCentre(1059.25f, 24), 1060.0f);
    EXPECT_FLOAT_EQ(TSpectralData::NominalBandCentre(1059.25f, 48), 1059.0f);
    EXPECT_FLOAT_EQ(TSpectralData::NominalBandCentre(10.5925f, 48), 10.59f);
}

// Tones on bin centres and no window: each band holds exactly the power of
// the bins it covers.
TEST(TSpectralDataBands, PinkMultiToneBandLevels)
{
    const auto rows = ReadFixture("spectral_pink_bands.txt");
    const uint32_t n = static_cast<uint32_t>(rows[0][0]);
    TSpectralData s(Analysis(static_cast<uint32_t>(rows[0][1]), n, TSmoothing::Uniform), Display(1, 2, 3), 0);
    Analyse(s, rows[1], TSmoothing::Uniform, 2);
    ASSERT_GT(rows.size(), 20u);
    for (size_t r = 2; r < rows.size(); ++r)
        EXPECT_NEAR(s.GetDisplayValue(static_cast<int>(rows[r][0])), rows[r][1], 0.01) << rows[r][0];
}

TEST(TSpectralDataBands, SineLevelInItsBand)
{
    TSpectralData s(Analysis(48000, 4096), Display(1, 2, 3), 0);
    Analyse(s, Tone(4096, 1000.0 * 4096 / 48000, 0.5), TSmoothing::Hanning, 2);
    const int band = s.FrequencyToBand(1000.0f);
    EXPECT_FLOAT_EQ(s.GetBandCentre(band), 1000.0f);
    EXPECT_NEAR(s.GetDisplayValue(band), 20 * std::log10(0.5), 0.05);
    EXPECT_LT(s.GetDisplayValue(band + 2), -60.0f);
    EXPECT_EQ(s.GetPeakIndex(), static_cast<uint32_t>(band));
    EXPECT_FLOAT_EQ(s.GetPeakFrequency(), 1000.0f);
}

// A band inside one bin cannot be resolved: it reads no level, even over a
// bin that holds power.
TEST(TSpectralDataBands, BandInsideOneBinHasNoLevel)
{
    TSpectralData s(Analysis(48000, 1024), Display(1, 2, 3), 0);
    std::vector<double> x(1024, 0.25);
    Analyse(s, x, TSmoothing::Uniform, 2);
    EXPECT_GT(s.GetMagnitudes()[0], 0.0f);
    EXPECT_EQ(s.GetDisplayValue(0), TSpectralData::NoLevel);
    const int first = s.GetFirstUsableBand();
    EXPECT_GT(first, 0);
    EXPECT_GE(s.GetLowFrequency(), 2 * s.GetBinWidth());
}

// IEC 61672-1 Annex E against the point tables resampled per bin (10 Hz
// bins). The A and C tables are rounded to 0.1 dB; the B table is coarser
// (whole dB at 30 Hz, 10 kHz and 20 kHz, up to 1.2 dB from the formula).
TEST(TSpectralDataBands, WeightingCurvesFollowTheStandard)
{
    const auto rows = ReadFixture("spectral_weighting.txt");
    const double tolerance[] = {0.0, 0.15, 1.2, 0.15};
    for (uint16_t type = 1; type <= 3; ++type) {
        DisplaySettingsStruct display = Display(1);
        display.StandardWeighting = type;
        TSpectralData s(Analysis(40960, 4096), display, 0);
        const float* curve = s.GetWeightingCurve(TSpectralData::SpectrumCurve);
        ASSERT_NE(curve, nullptr);
        for (const auto& row : rows) {
            const uint32_t bin = s.FrequencyToBin(static_cast<float>(row[0]));
            EXPECT_NEAR(20 * std::log10(curve[bin]), row[type], tolerance[type]) << "type " << type << " " << row[0];
        }
    }
    DisplaySettingsStruct a = Display(1);
    a.StandardWeighting = 1;
    TSpectralData s(Analysis(40960, 4096), a, 0);
    const float* curve = s.GetWeightingCurve(TSpectralData::SpectrumCurve);
    EXPECT_FLOAT_EQ(curve[100], 1.0f);
    EXPECT_FLOAT_EQ(curve[10], TSpectralData::DBToAmplitude(-19.1f));
    EXPECT_FLOAT_EQ(curve[0], TSpectralData::DBToAmplitude(-70.4f));
}

class TSpectralDataCompensation : public testing::Test {
protected:
    void SetUp() override { TEngineHost::Install(&Host); }
    void TearDown() override
    {
        TEngineHost::Install(nullptr);
        std::remove(Path.c_str());
    }
    const char* Write(const std::string& text)
    {
        std::ofstream(Path) << text;
        return Path.c_str();
    }
    THeadlessEngineHost Host;
    std::string Path = testing::TempDir() + "tonalyx_mic.txt";
};

TEST_F(TSpectralDataCompensation, RefusedFilesLeaveNoCompensation)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"100\t1\n200\t2\n", IDS_MICCOMP_TOO_FEW_TEXT},
        {"100\t1\n90\t2\n200\t3\n", IDS_MICCOMP_NOT_ASCENDING_TEXT},
        {"-5\t1\n90\t2\n200\t3\n", IDS_MICCOMP_NOT_ASCENDING_TEXT},
        {"; only comments\n;SPLINE OFF\n", IDS_MICCOMP_TOO_FEW_TEXT},
        // A number that is not finite ends the data as any other text does.
        {"100\tnan\n200\t2\n300\t3\n", IDS_MICCOMP_TOO_FEW_TEXT},
        {"100\t1\ninf\t2\n300\t3\n", IDS_MICCOMP_TOO_FEW_TEXT},
        {"100\t1\n200\t1e39\n300\t3\n", IDS_MICCOMP_TOO_FEW_TEXT},
    };
    for (const Case& c : cases) {
        Host.Messages.clear();
        TSpectralData s(Analysis(48000, 1024), Display(1), 0);
        s.LoadMicCompensation(Write(c.text), 1);
        EXPECT_FALSE(s.HasCompensation()) << c.text;
        ASSERT_EQ(Host.Messages.size(), 1u) << c.text;
        char expected[512];
        std::snprintf(expected, sizeof expected, c.message, Path.c_str());
        EXPECT_EQ(Host.Messages[0].Text, expected);
        EXPECT_EQ(Host.Messages[0].Caption, "");
    }
    Host.Messages.clear();
    TSpectralData s(Analysis(48000, 1024), Display(1), 0);
    s.LoadMicCompensation("/nonexistent/tonalyx/mic.txt", 1);
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0].Text, "Failure opening mic compensation file: /nonexistent/tonalyx/mic.txt");
}

// Straight lines through 0 dB at 0 Hz and +6 dB at 1 kHz: a tone at f reads
// Every spectral object of a channel reads the file: its problem is told
// once while the file stays as it is, and again after a load that asks anew.
TEST_F(TSpectralDataCompensation, ARefusedFileIsToldOncePerLoad)
{
    const char* path = Write("100\t1\n200\t2\n");
    for (int i = 0; i < 4; ++i) {
        TSpectralData s(Analysis(48000, 1024), Display(1), 0);
        s.LoadMicCompensation(path, 1);
    }
    EXPECT_EQ(Host.Messages.size(), 1u);
    Host.ForgetFileMessages();
    TSpectralData again(Analysis(48000, 1024), Display(1), 0);
    again.LoadMicCompensation(path, 1);
    EXPECT_EQ(Host.Messages.size(), 2u);
    // Changed, it is another file.
    again.LoadMicCompensation(Write("100\t1\n90\t2\n200\t3\n"), 1);
    EXPECT_EQ(Host.Messages.size(), 3u);
}

// 6 f / 1000 dB lower than without compensation.
TEST_F(TSpectralDataCompensation, CompensationDividesTheSpectrum)
{
    DisplaySettingsStruct display = Display(1);
    display.MicCompEnable = 1;
    std::snprintf(display.MicCompFilename, sizeof display.MicCompFilename, "%s",
                  Write("; microphone\n0\t0\n;spline off\n1000\t6\n2000\t6\nend of data\n3000\t50\n"));
    TSpectralData compensated(Analysis(48000, 4096), display, 1);
    TSpectralData plain(Analysis(48000, 4096), Display(1), 0);
    ASSERT_TRUE(compensated.HasCompensation());
    const uint32_t bin = 43;
    const auto x = Tone(4096, bin, 0.5);
    Analyse(compensated, x, TSmoothing::Hanning);
    Analyse(plain, x, TSmoothing::Hanning);
    const double f = compensated.BinToFrequency(bin);
    EXPECT_NEAR(plain.GetDisplayValue(bin) - compensated.GetDisplayValue(bin), 6.0 * f / 1000.0, 0.001);
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(TSpectralDataCompensation, MorePointsThanBinsAreResampled)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += std::to_string(i * 5) + "\t" + std::to_string((i % 7) * 0.5) + "\n";
    TSpectralData s(Analysis(48000, 64), Display(1), 0);
    s.LoadMicCompensation(Write(text), 1);
    EXPECT_TRUE(s.HasCompensation());
    EXPECT_TRUE(Host.Messages.empty());
}

TEST(TSpectralDataSmoothing, SmoothsDBAndHeldValuesOverTheWindow)
{
    TSpectralData s(Analysis(48000, 64, TSmoothing::Hanning, 0, 1, 4), Display(1), 0);
    std::vector<double> spectrum(64, 0.0);
    spectrum[2 * 10] = 3.0;
    PutSpectrum(s, spectrum);
    s.Average(0);
    s.UpdatePeakHold();
    s.SmoothSpectrum(3);
    EXPECT_NEAR(s.GetDisplayValue(9), 0.0, 1e-4);   // mean amplitude 3/3
    EXPECT_NEAR(s.GetDisplayValue(11), 0.0, 1e-4);
    EXPECT_NEAR(s.GetDisplayValue(12), TSpectralData::NoLevel, 1e-3);
    EXPECT_NEAR(s.GetPeakHoldValue(9), 0.0, 1e-3);

    TSpectralData bands(Analysis(48000, 1024, TSmoothing::Hanning, 0, 1, 4), Display(1, 2, 1), 0);
    Analyse(bands, Tone(1024, 20, 0.5), TSmoothing::Hanning, 2);
    bands.UpdatePeakHold();
    bands.SmoothSpectrum(5);
    EXPECT_LE(bands.GetPeakHoldValue(0), 0.0f);
}

}  // namespace
