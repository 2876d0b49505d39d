// The dB conversions against the C library's log10 and pow, which they
// replace: within 0.001 dB over every float level the program can meet.
#include <gtest/gtest.h>

#include <algorithm>
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

// The bins' levels are worked out several at a time, yet each is PowerToDB's
// own, bit for bit: powers of every binary order, zero, subnormal and
// infinite ones, and mantissas on both sides of the series' octave fold.
// The column maxima and the minimum read those levels, with the unit offset
// when calibrated, as the display values they are.
TEST(SpectralDecibels, BinLevelsAreThoseOfPowerToDBAndTheMeasuresReadThem)
{
    for (const bool calibrated : {false, true}) {
        SCOPED_TRACE(calibrated ? "calibrated" : "plain");
        TSpectralData s(Analysis(48000, 1024), Display(1), 0);
        const CalibrationChannel block = CalibrationBlock(0.5f, 0, 2);
        if (calibrated)
            s.SetCalibration(&block);
        std::mt19937 random(5);
        std::uniform_real_distribution<double> mantissa(1.0, 2.0);
        const double fold = std::sqrt(std::sqrt(2.0));  // squared, the mantissa sqrt(2)
        std::vector<double> x(1024, 0.0);
        for (int k = 0; k < 512; ++k) {
            const double m = k % 5 == 0 ? fold * (k % 2 ? 1.0 + 1e-7 : 1.0 - 1e-7) : mantissa(random);
            // Amplitudes 2^-76 to 2^64: powers from zero to infinity.
            x[size_t(2 * k)] = k % 9 == 0 ? 0.0 : std::ldexp(m, k % 141 - 76);
        }
        PutSpectrum(s, x);
        s.Average(0);
        const float offset = calibrated ? 93.9794f : 0.0f;  // dB SPL of 1 Pa
        for (int k = 0; k < 511; ++k)
            ASSERT_EQ(s.GetDisplayValue(k), TSpectralData::PowerToDB(s.GetMagnitudes()[k]) + offset) << "bin " << k;
        float largest = -1e30f, smallest = 1e30f;
        for (int k = 20; k <= 400; ++k) {
            largest = std::max(largest, s.GetDisplayValue(k));
            smallest = std::min(smallest, s.GetDisplayValue(k));
        }
        EXPECT_EQ(s.RangeMaxValue(20, 400), largest);
        float minimum = 0.0f;
        s.FindMinimum(20, 400, nullptr, &minimum);
        EXPECT_EQ(minimum, smallest);
    }
}
