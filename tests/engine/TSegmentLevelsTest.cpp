#include "engine/TSegmentLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "engine/TWaveData.h"
#include "tests/engine/Fixture.h"

namespace {

// Fills a 16-bit stereo wave with the fixture's channels.
void FillStereo(TWaveData& wave, const std::vector<double>& left, const std::vector<double>& right)
{
    std::vector<int16_t> frames;
    for (size_t i = 0; i < left.size(); ++i) {
        frames.push_back(int16_t(left[i]));
        frames.push_back(int16_t(right[i]));
    }
    EXPECT_EQ(wave.WriteStream(frames.data(), uint32_t(frames.size() * 2)), 1);
}

float NoCalibrationDb(int, float level)
{
    return LevelToDisplayUnits(nullptr, level);
}

}  // namespace

// RMS, peak, crest factor and sum of magnitudes of a stereo segment as numpy
// computes them over the scaled samples, and the texts the results box shows.
TEST(TSegmentLevels, MeasuresOfASegmentMatchNumpy)
{
    const auto rows = ReadFixture("segment_levels.txt");
    ASSERT_EQ(rows.size(), 5u);
    const uint32_t rate = uint32_t(rows[2][2]);
    TWaveData wave(uint32_t(rows[0].size()), TWaveFormat(rate, 2, 2));
    FillStereo(wave, rows[0], rows[1]);
    const float start = float(rows[2][0] / rate), end = float(rows[2][1] / rate);
    const TSegmentLevels levels(wave, start, end);
    ASSERT_TRUE(levels.IsStereo());
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        const auto& want = rows[3 + size_t(c)];
        EXPECT_NEAR(levels.Channel(c).Rms, want[0], 1e-5);
        EXPECT_NEAR(levels.Channel(c).Peak, want[1], 1e-6);
        EXPECT_NEAR(levels.Crest(c), want[2], 1e-4);
        EXPECT_NEAR(levels.Channel(c).SumOfMagnitudes, want[3], 1e-2);
    }
    EXPECT_FLOAT_EQ(levels.Seconds(), 0.25f);

    CalibrationStruct calibration{};
    char expected[256];
    std::snprintf(expected, sizeof expected, "Left:\t%6.4f\tPercent Full Scale\t(%6.2f dBFS)\rRight:\t%6.4f\tPercent "
                  "Full Scale\t(%6.2f dBFS)", rows[3][0], 20 * std::log10(rows[3][0]), rows[4][0],
                  20 * std::log10(rows[4][0]));
    EXPECT_EQ(levels.RmsText(calibration, NoCalibrationDb), expected);
    std::snprintf(expected, sizeof expected, "Left:\t%6.2f\t(%6.2f dB)\rRight:\t%6.2f\t(%6.2f dB)", rows[3][2],
                  20 * std::log10(rows[3][2]), rows[4][2], 20 * std::log10(rows[4][2]));
    EXPECT_EQ(levels.CrestText(), expected);
}

// A mono wave: one-line texts; a silent segment reads 0 with the no-level dB
// for RMS and crest factor; the PSI time level of a sine over whole periods.
TEST(TSegmentLevels, MonoSilentAndPsiTexts)
{
    const uint32_t rate = 8000;
    TWaveData wave(rate, TWaveFormat(rate, 1, 2));
    std::vector<int16_t> samples(rate);
    for (uint32_t i = 0; i < 4000; ++i)
        samples[i] = int16_t(std::lround(20000 * std::sin(2 * std::numbers::pi * 100 * i / rate)));
    ASSERT_EQ(wave.WriteStream(samples.data(), uint32_t(samples.size() * 2)), 1);

    const TSegmentLevels sine(wave, 0.0f, 0.5f);
    EXPECT_FALSE(sine.IsStereo());
    EXPECT_NEAR(sine.Crest(0), std::sqrt(2.0), 1e-3);
    EXPECT_EQ(sine.CrestText(), "  1.41\t(  3.01 dB)");
    EXPECT_EQ(sine.Channel(1).Rms, 0.0f);

    const TSegmentLevels silent(wave, 0.6f, 0.9f);
    CalibrationStruct calibration{};
    EXPECT_EQ(silent.RmsText(calibration, NoCalibrationDb), "0.0000\tPercent Full Scale\r-999.90\tdBFS");
    EXPECT_EQ(silent.CrestText(), "  0.00\t(-999.90 dB)");

    // Sum of |x| over 0.5 s of a sine at 20000 / 32767 of full scale: 4000 x 2/pi x a.
    const double sum = 4000 * 2 / std::numbers::pi * 20000.0 / 32767;
    const double psi = TSegmentLevels::PsiPerPascal * sum;
    char expected[200];
    std::snprintf(expected, sizeof expected, "PSI: \t%6.3f\t Seconds: \t%6.3f\t PSI(t): \t%6.3f\t PSI(t) dB: \t%6.3f",
                  psi, 0.5, psi * 0.5, -12.5);
    EXPECT_EQ(sine.PsiText([](int, float) { return -12.5f; }), expected);
}

// Units: the calibrated channel's labels, replaced for volts, millivolts and
// acceleration; pressure units alone allow the PSI time level.
TEST(TSegmentLevels, UnitNamesAndPressureCalibration)
{
    struct Case {
        uint32_t enabled, units;
        const char *linear, *log;
        bool pressure;
    };
    const Case cases[] = {
        {0, UnitSplAir, "Percent Full Scale", "dBFS", false},
        {1, UnitVolts, "Volts", "dBV", false},
        {1, UnitMillivolts, "Millivolts", "dBmV", false},
        {1, UnitAcceleration, "Acceleration (G)", "Acceleration (G dB)", false},
        {1, UnitCustom, "Widgets", "dB Widgets", false},
        {1, UnitSplAir, "Widgets", "dB Widgets", true},
        {1, UnitPascalsAir, "Widgets", "dB Widgets", true},
        {1, UnitSplWater, "Widgets", "dB Widgets", true},
        {1, UnitPascalsWater, "Widgets", "dB Widgets", true},
        {1, UnitPsi, "Widgets", "dB Widgets", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << " " << c.units);
        CalibrationChannel channel{};
        channel.IsEnabled = c.enabled;
        channel.RefUnits = c.units;
        std::strcpy(channel.LabelLinear, "Widgets");
        std::strcpy(channel.LabelLog, "dB Widgets");
        std::string linear, log;
        TSegmentLevels::UnitNames(channel, linear, log);
        EXPECT_EQ(linear, c.linear);
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(TSegmentLevels::IsPressureCalibrated(channel), c.pressure);
    }
}
