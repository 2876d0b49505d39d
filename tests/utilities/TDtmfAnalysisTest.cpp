#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/engine/Fixture.h"
#include "utilities/TDtmfAnalysis.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr char kKeys[] = "123A456B789C*0#D";
constexpr double kRows[] = {697, 770, 852, 941};
constexpr double kColumns[] = {1209, 1336, 1477, 1633};

}  // namespace

// numpy's sequences of the 16 keys, ending in silence, at four rates; the
// right channel holds the same keys 12 dB quieter.
TEST(TDtmfAnalysis, SequencesGiveTheirKeysAtEveryRate)
{
    const auto rows = ReadFixture("dtmf_sequences.txt");
    ASSERT_EQ(rows.size(), 4u * 17u);
    for (size_t r = 0; r < rows.size(); r += 17) {
        const auto rate = static_cast<uint32_t>(rows[r][0]);
        SCOPED_TRACE(rate);
        const auto frames = static_cast<uint32_t>(rows[r][1] * rate);
        TWaveData wave(frames, TWaveFormat(rate, 2, 2));
        std::string expected;
        for (size_t k = r + 1; k < r + 17; ++k) {
            const auto& key = rows[k];
            const int index = static_cast<int>(key[0]);
            expected += kKeys[index];
            const auto first = static_cast<uint32_t>(key[1] * rate);
            const auto last = static_cast<uint32_t>((key[1] + key[2]) * rate);
            for (uint32_t i = first; i < last; ++i) {
                const double t = double(i - first) / rate;
                const double x = key[3] * std::sin(kTwoPi * kRows[index / 4] * t + key[5]) +
                                 key[4] * std::sin(kTwoPi * kColumns[index % 4] * t + key[6]);
                wave.PutSample(static_cast<int32_t>(std::lround(x * 32767.0)), i, 0);
                wave.PutSample(static_cast<int32_t>(std::lround(x * 0.25 * 32767.0)), i, 1);
            }
        }
        AnalysisSettingsStruct analysis;
        analysis.Format = TWaveFormat(rate, 2, 2);
        TDtmfAnalysis dtmf(analysis, DisplaySettingsStruct{});
        int calls = 0;
        ASSERT_TRUE(dtmf.Run(wave, 0, frames, [&](int percent) {
            EXPECT_GE(percent, 0);
            EXPECT_LT(percent, 100);
            ++calls;
            return TDtmfAnalysis::Poll::Continue;
        }));
        EXPECT_GT(calls, 0);
        EXPECT_EQ(dtmf.Keys(0), expected);
        EXPECT_EQ(dtmf.Keys(1), expected);
        EXPECT_EQ(dtmf.Message(), "DTMF keys (Left)  = " + expected + "\rDTMF keys (right) = " + expected);
    }
}

TEST(TDtmfAnalysis, BlockSizesStepsAndEnds)
{
    const struct {
        uint32_t rate, n, step;
    } cases[] = {{8000, 512, 5}, {11025, 1024, 10}, {16000, 1024, 10}, {22050, 2048, 20},
                 {44100, 4096, 40}, {48000, 4096, 40}, {96000, 8192, 81}};
    for (const auto& c : cases) {
        EXPECT_EQ(TDtmfAnalysis::FftSize(c.rate), c.n) << c.rate;
        EXPECT_EQ(TDtmfAnalysis::DetectionStep(c.n), c.step) << c.n;
    }

    // A mono recording of silence gives an empty sequence; ending every pass
    // at once still reports (nothing).
    TWaveData wave(8000, TWaveFormat(8000, 1, 2));
    AnalysisSettingsStruct analysis;
    analysis.Format = TWaveFormat(8000, 1, 2);
    TDtmfAnalysis dtmf(analysis, DisplaySettingsStruct{});
    ASSERT_TRUE(dtmf.Run(wave, 0, 8000, [](int) { return TDtmfAnalysis::Poll::EndAll; }));
    EXPECT_EQ(dtmf.Message(), "DTMF keys = ");
    EXPECT_EQ(dtmf.ReferenceLevel(0), TDtmfAnalysis::NoPeak);
}
