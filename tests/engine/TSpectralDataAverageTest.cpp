#include <gtest/gtest.h>

#include "base/THeadlessEngineHost.h"
#include "tests/engine/Fixture.h"
#include "tests/engine/SpectralTestSupport.h"

namespace {

// Puts one complex value in every bin; its power is value^2.
void FeedFlat(TSpectralData& s, double value)
{
    std::vector<double> x(s.GetFFTSize(), 0.0);
    for (size_t i = 0; i < x.size(); i += 2)
        x[i] = value;
    PutSpectrum(s, x);
    s.Average(0);
}

TEST(TSpectralDataAverage, AveragesMatchPlainLoops)
{
    const auto rows = ReadFixture("spectral_average.txt");
    const uint32_t bins = static_cast<uint32_t>(rows[0][0]);
    const uint32_t blocks = static_cast<uint32_t>(rows[0][1]);
    const size_t results = 1 + blocks;
    struct Case {
        uint16_t type;
        double number;
        const std::vector<double>* power;
        const std::vector<double>* complex;
    } cases[] = {
        {0, rows[0][2], &rows[results], &rows[results + 1]},
        {1, rows[0][3], &rows[results + 2], &rows[results + 3]},
        {2, rows[0][4], &rows[results + 4], nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        TSpectralData s(Analysis(48000, 2 * bins, TSmoothing::Hanning, c.type, static_cast<uint32_t>(c.number)),
                        Display(1), 0);
        for (uint32_t b = 0; b < blocks; ++b) {
            PutSpectrum(s, rows[1 + b]);
            s.Average(0);
        }
        for (uint32_t k = 0; k + 1 < bins; ++k) {
            EXPECT_NEAR(s.GetMagnitudes()[k], (*c.power)[k], 1e-5) << "bin " << k;
            if (c.complex) {
                EXPECT_NEAR(s.GetAverageComplex()[2 * k], (*c.complex)[2 * k], 1e-5) << "bin " << k;
                EXPECT_NEAR(s.GetAverageComplex()[2 * k + 1], (*c.complex)[2 * k + 1], 1e-5) << "bin " << k;
            }
        }
    }
}

// Block i has power i in every bin; the average is the mean power of the
// blocks the ring keeps.
TEST(TSpectralDataAverage, LinearRingKeepsWholeNumberOfBlocks)
{
    struct Case {
        uint32_t blocks;
        float number;
        double expected;
    } cases[] = {
        {5, 2.5f, (4.0 + 5.0) / 2},   // trunc(2.5) = 2 slots
        {5, 0.5f, 5.0},               // at least one slot
        {999, 1000.0f, (999.0 * 1000 / 2 - 1) / 998},  // 1000 runs as 998 slots
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        TSpectralData s(Analysis(48000, 32, TSmoothing::Hanning, 1, 1), Display(1), 0);
        s.SetAveraging(c.number, 1);
        for (uint32_t b = 1; b <= c.blocks; ++b)
            FeedFlat(s, std::sqrt(static_cast<double>(b)));
        EXPECT_NEAR(s.GetMagnitudes()[3], c.expected, 1e-3 * c.expected);
        EXPECT_EQ(s.Error, 0u);
    }
}

TEST(TSpectralDataAverage, LinearAboveThousandRunsAsExponential)
{
    TSpectralData linear(Analysis(48000, 32, TSmoothing::Hanning, 1, 1500), Display(1), 0);
    TSpectralData exponential(Analysis(48000, 32, TSmoothing::Hanning, 0, 1500), Display(1), 0);
    for (int b = 1; b <= 20; ++b) {
        FeedFlat(linear, b);
        FeedFlat(exponential, b);
    }
    EXPECT_FLOAT_EQ(linear.GetMagnitudes()[4], exponential.GetMagnitudes()[4]);
}

TEST(TSpectralDataAverage, VectorAverageOfOppositePhasesIsSilence)
{
    TSpectralData s(Analysis(48000, 32, TSmoothing::Hanning, 2, 8), Display(1), 0);
    FeedFlat(s, 1.0);
    FeedFlat(s, -1.0);
    EXPECT_NEAR(s.GetMagnitudes()[3], 0.0, 1e-12);
    EXPECT_EQ(s.GetDisplayValue(3), TSpectralData::NoLevel);
}

// Each stored spectrum of 65536 points holds 32768 powers and 32768 complex
// pairs: 384 KiB, taken only as blocks arrive and given back by a reset.
TEST(TSpectralDataAverage, LinearRingGrowsWithTheBlocks)
{
    const uint32_t n = 65536;
    const size_t slotBytes = (n / 2) * 3 * sizeof(float);
    TSpectralData off(Analysis(48000, n, TSmoothing::Hanning, 0, 1000), Display(1), 0);
    TSpectralData linear(Analysis(48000, n, TSmoothing::Hanning, 1, 1000), Display(1), 0);
    const size_t empty = linear.MemoryInUse();
    EXPECT_LT(empty - off.MemoryInUse(), 1000 * 2 * sizeof(void*) + 1);
    for (int b = 0; b < 3; ++b)
        FeedFlat(linear, 1.0);
    EXPECT_EQ(linear.MemoryInUse() - empty, 3 * slotBytes);
    linear.ResetAverages();
    EXPECT_EQ(linear.MemoryInUse(), empty);
}

// A clock the test sets, for the hold times of peak hold.
class TClockHost : public THeadlessEngineHost {
public:
    LocalTime Now() override { return Time; }
    void Set(int day, int hour, int minute, int second, int millisecond = 0)
    {
        Time = {2024, 3, day, hour, minute, second, millisecond};
    }
    LocalTime Time{2024, 3, 1, 12, 0, 0, 0};
};

class TSpectralDataPeakHold : public testing::Test {
protected:
    void SetUp() override { TEngineHost::Install(&Clock); }
    void TearDown() override { TEngineHost::Install(nullptr); }

    // One block at a level in dB on every bin, then the peak-hold update.
    void Block(TSpectralData& s, double dB)
    {
        FeedFlat(s, std::pow(10.0, dB / 20.0));
        s.UpdatePeakHold();
    }

    TClockHost Clock;
};

TEST_F(TSpectralDataPeakHold, HeldValueDecaysAfterItsHoldTime)
{
    TSpectralData s(Analysis(48000, 32, TSmoothing::Hanning, 0, 1, 1), Display(1), 0);
    Clock.Set(1, 12, 0, 0);
    Block(s, 0.0);
    struct Step {
        int second, millisecond;
        double held;
    } steps[] = {{0, 500, 0.0}, {1, 100, -2.0}, {1, 600, -4.0}, {2, 0, -6.0}, {2, 500, -6.0}};
    for (const Step& step : steps) {
        Clock.Set(1, 12, 0, step.second, step.millisecond);
        Block(s, -6.0);
        EXPECT_NEAR(s.GetPeakHoldValue(3), step.held, 1e-4) << step.second << "." << step.millisecond;
    }
    Block(s, 3.0);
    EXPECT_NEAR(s.GetPeakHoldMax(2, 10), 3.0, 1e-4);
    EXPECT_EQ(s.GetPeakHoldValue(1000), s.GetPeakHoldValue(15));
    EXPECT_EQ(s.GetPeakHoldValue(-1), TSpectralData::NoLevel);
}

TEST_F(TSpectralDataPeakHold, HoldTimeRunsThroughMidnight)
{
    TSpectralData s(Analysis(48000, 32, TSmoothing::Hanning, 0, 1, 1), Display(1), 0);
    Clock.Set(1, 23, 59, 59, 500);
    Block(s, 0.0);
    Clock.Set(2, 0, 0, 1);
    Block(s, -6.0);
    EXPECT_NEAR(s.GetPeakHoldValue(3), -2.0, 1e-4);
}

TEST_F(TSpectralDataPeakHold, ForeverHoldsAndOverallPeakWithoutHoldNeverDecays)
{
    TSpectralData forever(Analysis(48000, 32, TSmoothing::Hanning, 0, 1, 4), Display(1), 0);
    TSpectralData off(Analysis(48000, 32, TSmoothing::Hanning, 0, 1, 0), Display(1), 0);
    Clock.Set(1, 12, 0, 0);
    Block(forever, 0.0);
    Block(off, 0.0);
    const float overallPeak = off.GetOverallLevelPeak();
    EXPECT_GT(overallPeak, TSpectralData::NoLevel);
    Clock.Set(5, 12, 0, 0);
    Block(forever, -20.0);
    Block(off, -20.0);
    EXPECT_NEAR(forever.GetPeakHoldValue(3), 0.0, 1e-4);
    EXPECT_EQ(off.GetOverallLevelPeak(), overallPeak);
    EXPECT_EQ(off.GetPeakHoldValue(3), TSpectralData::NoLevel);
    forever.SetPeakHoldMode(2);
    EXPECT_EQ(forever.GetPeakHoldValue(3), TSpectralData::NoLevel);
    EXPECT_EQ(forever.GetOverallLevelPeak(), TSpectralData::NoLevel);
}

}  // namespace
