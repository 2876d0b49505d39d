#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "tests/engine/Fixture.h"
#include "utilities/TLeqData.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFullScale = 32767.0;
constexpr uint32_t kRate = 48000;
constexpr uint32_t kN = TLeqData::BlockSize;

// Every group flat and without averaging, as the tests start from.
LeqSettings FlatSettings()
{
    LeqSettings s;
    s.LeqT_Weight = s.Leq_Weight = s.Lsel_Weight = s.Lpk_Weight = s.Lmaxmin_Weight = s.Lstats_Weight = 0;
    s.LeqT_Avg = s.Leq_Avg = s.Lsel_Avg = s.Lpk_Avg = s.Lmaxmin_Avg = s.Lstats_Avg = TLeqData::AverageOff;
    return s;
}

TLeqData Make(const LeqSettings& s, float elapsed = 1.0f, int32_t capacity = 1000)
{
    AnalysisSettingsStruct a;
    a.Format = TWaveFormat(kRate, 1, 2);
    return TLeqData(s, a, DisplaySettingsStruct{}, nullptr, elapsed, capacity);
}

// One block of x(i) (fraction of full scale), i counted from the run's start.
void AddBlock(TLeqData& leq, uint32_t block, const std::function<double(uint32_t)>& x)
{
    TSeriesData series(kN, TWaveFormat(kRate, 1, 2), 1, 0);
    for (uint32_t i = 0; i < kN; ++i)
        series.PutSample(i, static_cast<int32_t>(std::lround(x(block * kN + i) * kFullScale)));
    leq.AddSpectrum(series);
}

std::function<double(uint32_t)> ToneAt(double hz, double amplitude)
{
    return [=](uint32_t i) { return amplitude * std::sin(2 * kPi * hz * i / kRate); };
}

}  // namespace

TEST(TLeqData, AveragingFactorsTruncateToBlockCounts)
{
    const float expected[] = {1.0f, 1.8f, 2.7097f, 11.365f, 100000.0f, 1.0f, 1.0f};
    for (uint16_t code = 0; code < std::size(expected); ++code)
        EXPECT_EQ(TLeqData::LeqAveragingFactor(code), expected[code]) << code;
}

// Steady tones and a pink multitone against numpy's levels, flat and A
// weighted, with the Leq group averaging for ever over the run.
TEST(TLeqData, LeqOfSteadySignalsMatchesNumpy)
{
    const auto rows = ReadFixture("leq_levels.txt");
    ASSERT_EQ(rows.size(), 6u);
    for (const auto& row : rows) {
        const bool pink = row[0] == 1.0;
        const auto weighting = static_cast<uint16_t>(row[pink ? 4 : 3]);
        SCOPED_TRACE(testing::Message() << (pink ? "pink" : "tone ") << row[1] << " weighting " << weighting);
        std::function<double(uint32_t)> x;
        if (pink) {
            const int first = static_cast<int>(row[1]), last = static_cast<int>(row[2]);
            const double scale = row[3];
            x = [=](uint32_t i) {
                double sum = 0.0;
                for (int k = first; k <= last; k += 4) {
                    const double f = double(k) * kRate / kN;
                    sum += scale / std::sqrt(f / 1000.0) * std::cos(2 * kPi * k * (i % kN) / kN + kPi * k * k / kN);
                }
                return sum;
            };
        } else {
            x = ToneAt(row[1], row[2]);
        }
        LeqSettings s = FlatSettings();
        s.Leq_Weight = weighting;
        s.Leq_Avg = TLeqData::AverageForever;
        TLeqData leq = Make(s);
        ASSERT_TRUE(leq.IsReady());
        const uint32_t blocks = pink ? 2 : 6;
        for (uint32_t b = 0; b < blocks; ++b) AddBlock(leq, b, x);
        leq.Compute();
        EXPECT_NEAR(leq.GetResults().Leq, row.back(), pink ? 0.3 : 0.1);
    }
}

TEST(TLeqData, LeqTAndLselAddTheirTimeOffsets)
{
    LeqSettings s = FlatSettings();
    s.LeqT_RefTimeSec = 3600;
    TLeqData leq = Make(s, 1.0f);
    AddBlock(leq, 0, ToneAt(1000.0, 0.25));
    for (float elapsed : {1.0f, 90.0f, 1800.0f, 7200.0f}) {
        leq.SetElapsedTime(elapsed);
        leq.Compute();
        const auto& r = leq.GetResults();
        EXPECT_NEAR(r.LeqT - r.Leq, 10 * std::log10(elapsed / 3600.0), 1e-3) << elapsed;
        EXPECT_NEAR(r.Lsel - r.Leq, 10 * std::log10(elapsed), 1e-3) << elapsed;
    }
}

// Five levels 5 dB apart, a fifth of the blocks each: the extremes and
// percentiles land on the steps, the newest block included.
TEST(TLeqData, StatisticsHitTheStepLevels)
{
    TLeqData leq = Make(FlatSettings());
    const double top = 0.5;
    auto level = [&](int step) { return 20 * std::log10(top) - 5.0 * step; };
    uint32_t block = 0;
    for (int step = 4; step >= 0; --step)
        for (int i = 0; i < 4; ++i)
            AddBlock(leq, block++, ToneAt(1000.0, top * std::pow(10.0, -0.25 * step)));
    leq.Compute();
    const auto& r = leq.GetResults();
    EXPECT_NEAR(r.Lmax, level(0), 0.1);
    EXPECT_NEAR(r.Lpk, level(0), 0.1);
    EXPECT_NEAR(r.Lmin, level(4), 0.1);
    EXPECT_NEAR(r.L10, level(0), 0.1);
    EXPECT_NEAR(r.L50, level(2), 0.1);
    EXPECT_NEAR(r.L90, level(4), 0.1);
}

// One or two blocks since the reset are all the ring figures see; with none
// the figures of the last computation stay, as does the elapsed time.
TEST(TLeqData, RingFiguresUseTheFilledSlotsOnly)
{
    TLeqData leq = Make(FlatSettings(), 5.0f, 4);
    AddBlock(leq, 0, ToneAt(1000.0, 0.1));
    leq.Compute();
    EXPECT_NEAR(leq.GetResults().Lmax, -20.0, 0.1);
    EXPECT_NEAR(leq.GetResults().Lmin, -20.0, 0.1);
    AddBlock(leq, 1, ToneAt(1000.0, 0.5));
    leq.Compute();
    EXPECT_NEAR(leq.GetResults().Lmax, -6.02, 0.1);
    EXPECT_NEAR(leq.GetResults().Lmin, -20.0, 0.1);

    leq.Reset();
    EXPECT_EQ(leq.GetCount(), 0);
    EXPECT_EQ(leq.GetElapsedTime(), 5.0f);
    leq.Compute();
    EXPECT_NEAR(leq.GetResults().Lmax, -6.02, 0.1);
    EXPECT_NEAR(leq.GetResults().L90, -20.0, 0.1);

    // The ring keeps its capacity: six blocks into four slots keep the last four.
    for (uint32_t b = 0; b < 6; ++b) AddBlock(leq, b, ToneAt(1000.0, b < 2 ? 0.9 : 0.1));
    EXPECT_EQ(leq.GetCount(), 4);
    leq.Compute();
    EXPECT_NEAR(leq.GetResults().Lmax, -20.0, 0.1);
}

TEST(TLeqData, PeakGroupNeverAverages)
{
    LeqSettings s = FlatSettings();
    s.Lpk_Avg = TLeqData::AverageForever;
    s.Leq_Avg = TLeqData::AverageForever;
    TLeqData leq = Make(s);
    EXPECT_EQ(leq.GetSettings().Lpk_Avg, TLeqData::AverageOff);
    AddBlock(leq, 0, ToneAt(1000.0, 0.5));
    AddBlock(leq, 1, ToneAt(1000.0, 0.05));
    leq.Reset();
    AddBlock(leq, 2, ToneAt(1000.0, 0.05));
    leq.Compute();
    EXPECT_NEAR(leq.GetResults().Lpk, -26.02, 0.1);
    EXPECT_NEAR(leq.GetResults().Leq, -26.02, 0.1);
}

TEST(TLeqData, ReportTextsCarryTheGroupUnits)
{
    TLeqData::Results r;
    r.LeqT = 1.0f;
    r.Lmax = -2.5f;
    r.L90 = 40.0f;
    LeqSettings s;
    s.LeqT_Weight = 0;
    s.Lmaxmin_Weight = 3;
    s.LeqT_RefTimeSec = 60;
    EXPECT_EQ(TLeqData::ReportText(r, s, false),
              "Left Channel\r\nLeq(t) Ref Time = 60 sec\r\n\r\nLeq(t)  \t  1.00 \t dB\r\nLeq  \t  0.00 \t dB(A)\r\n"
              "Lsel  \t  0.00  \t dB(A)\r\nLpk  \t  0.00  \t dB(A)\r\nLmax  \t -2.50  \t dB(C)\r\nLmin   \t  0.00  \t dB(C)\r\n"
              "L10  \t  0.00  \t dB(A)\r\nL50   \t  0.00  \t dB(A)\r\nL90  \t 40.00 \t dB(A)");
    EXPECT_EQ(TLeqData::ReportText(r, s, true).substr(0, 87),
              "Right Channel\r\nLeq(t) Ref Time = 60 sec\r\n\r\nLeq(t)  \t  1.00  \t dB\r\nLeq  \t  0.00  \t dB(A)");
}
