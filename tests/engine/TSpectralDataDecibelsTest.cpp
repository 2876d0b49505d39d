// The dB conversions against the C library's log10 and pow, which they
// replace: within 0.001 dB over every float level the program can meet.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/TSpectralData.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

constexpr double kBoundDB = 0.001;

double LibraryPowerToDB(float p)
{
    return p <= 0.0f ? TSpectralData::NoLevel : static_cast<float>(10.0 * std::log10(static_cast<double>(p)));
}

float LibraryFromDB(float dB, double perDB)
{
    return static_cast<float>(std::pow(10.0, perDB * dB));
}

// Powers and amplitudes with every binary exponent, subnormals included.
TEST(SpectralDecibels, LevelsOfEveryMagnitudeAreWithinAThousandthOfADecibel)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> mantissa(1.0f, 2.0f);
    double worst = 0.0;
    for (int exponent = -149; exponent <= 127; ++exponent) {
        for (int i = 0; i < 500; ++i) {
            const float x = i == 0 ? std::ldexp(1.0f, exponent) : std::ldexp(mantissa(rng), exponent);
            if (!std::isfinite(x))
                continue;
            const double power = TSpectralData::PowerToDB(x);
            const double amplitude = TSpectralData::AmplitudeToDB(x);
            worst = std::max(worst, std::fabs(power - LibraryPowerToDB(x)));
            worst = std::max(worst, std::fabs(amplitude - 2.0 * static_cast<double>(LibraryPowerToDB(x))));
        }
    }
    EXPECT_LT(worst, kBoundDB);
}

TEST(SpectralDecibels, NothingGivesNoLevelAndNonFiniteValuesPassThrough)
{
    for (float x : {0.0f, -0.0f, -1e-30f, -1.0f, -std::numeric_limits<float>::max()}) {
        EXPECT_EQ(TSpectralData::PowerToDB(x), TSpectralData::NoLevel) << x;
        EXPECT_EQ(TSpectralData::AmplitudeToDB(x), TSpectralData::NoLevel) << x;
    }
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(TSpectralData::PowerToDB(inf), inf);
    EXPECT_TRUE(std::isnan(TSpectralData::AmplitudeToDB(std::nanf(""))));
    EXPECT_EQ(TSpectralData::DBToAmplitude(inf), inf);
    EXPECT_EQ(TSpectralData::DBToPower(-inf), 0.0f);
    EXPECT_TRUE(std::isnan(TSpectralData::DBToPower(std::nanf(""))));
}

// From below "no level" to beyond the float range, in steps of 0.001 dB:
// equal zeros and infinities, and within the bound wherever the library's
// value is a number above zero.
TEST(SpectralDecibels, PowersAndAmplitudesOfLevelsAreWithinAThousandthOfADecibel)
{
    struct Case {
        float (*convert)(float);
        double perDB;
    };
    for (const Case c : {Case{TSpectralData::DBToPower, 0.1}, Case{TSpectralData::DBToAmplitude, 0.05}}) {
        SCOPED_TRACE(c.perDB);
        double worst = 0.0;
        int mismatchedZeros = 0;
        for (int step = -1100000; step <= 900000; ++step) {
            const float dB = step * 0.001f;
            const float want = LibraryFromDB(dB, c.perDB);
            const float got = c.convert(dB);
            if (want == 0.0f || std::isinf(want)) {
                mismatchedZeros += got != want;
                continue;
            }
            worst = std::max(worst, std::fabs(std::log10(static_cast<double>(got) / want) / c.perDB));
        }
        EXPECT_EQ(mismatchedZeros, 0);
        EXPECT_LT(worst, kBoundDB);
        EXPECT_EQ(c.convert(TSpectralData::NoLevel), LibraryFromDB(TSpectralData::NoLevel, c.perDB));
    }
}

}  // namespace

// The overall level sums the displayed amplitudes squared. Right after an
// average it takes the bins' powers directly; after a smoothing of width 1
// (the same levels, no longer the average's own) it converts every displayed
// level back: both ways agree within the bound.
TEST(SpectralDecibels, OverallLevelFromPowersEqualsTheSumOverDisplayedLevels)
{
    struct Case {
        const char* name;
        uint32_t psd;
        bool calibrated;
    };
    for (const Case c : {Case{"plain", 0, false}, Case{"density", 1, false}, Case{"calibrated", 0, true}}) {
        SCOPED_TRACE(c.name);
        DisplaySettingsStruct display = Display(1);
        display.SpectralDensityFlag = c.psd;
        TSpectralData s(Analysis(48000, 4096), display, 0);
        const CalibrationChannel block = CalibrationBlock(0.5f, 0, 2);
        if (c.calibrated)
            s.SetCalibration(&block);
        std::vector<double> x = Tone(4096, 100.5, 0.3);
        AddTo(x, Tone(4096, 1234, 1e-4));
        Analyse(s, x, TSmoothing::Hanning, 0, c.psd);
        const float fromPowers = s.GetOverallLevel();
        s.SmoothSpectrum(1);
        const float fromLevels = s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), 1, TSpectralData::WeightNone);
        EXPECT_GT(fromPowers, -200.0f);
        EXPECT_NEAR(fromPowers, fromLevels, kBoundDB);
    }
}
