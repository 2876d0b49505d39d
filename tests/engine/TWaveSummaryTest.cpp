// The wave's min/max summary: the extremes it gives equal a frame-by-frame
// scan, it stays equal to one built from scratch across every write, and its
// memory stays under 1/100 of the wave.
#include "engine/TWaveData.h"
#include "engine/TWaveSummary.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Random samples over the full range of each width (8-bit codes 0..255).
void FillRandom(TWaveData& wave, uint32_t seed)
{
    std::mt19937 rng(seed);
    const TWaveFormat f = wave.GetFormat();
    const int32_t lo = f.BytesPerSample == 1 ? 0 : f.MinValue;
    const int32_t hi = f.BytesPerSample == 1 ? 255 : f.MaxValue;
    std::uniform_int_distribution<int32_t> value(lo, hi);
    for (uint32_t i = 0; i < wave.GetFrameCount(); ++i)
        for (uint16_t c = 0; c < f.NumChannels; ++c)
            wave.PutSample(value(rng), i, c);
}

// A summary of the wave's present frames, built from nothing.
TWaveSummary Rebuilt(TWaveData& wave)
{
    TWaveSummary fresh;
    fresh.Reset(wave.GetFormat(), wave.GetFrameCount());
    EXPECT_TRUE(fresh.Refresh([&](uint32_t frame, uint32_t) { return wave.GetBuffer() + wave.FramesToBytes(frame); }));
    return fresh;
}

void ExpectKeptEqualsRebuilt(TWaveData& wave)
{
    ASSERT_TRUE(wave.RefreshSummary());
    EXPECT_TRUE(wave.GetSummary().SameAs(Rebuilt(wave)));
}

}  // namespace

// Every width and channel count, ranges from inside one block to the whole
// wave, with their ends on, just before and just after block boundaries of
// the finest and the next level, and rms (which the summary cannot give).
TEST(TWaveSummary, MinMaxWithTheSummaryEqualsAScanOfTheFrames)
{
    for (uint16_t bytes : {1, 2, 3, 4}) {
        for (uint16_t channels : {1, 2}) {
            const TWaveFormat format(8000, channels, bytes);
            const uint32_t block = TWaveSummary::BlockFramesFor(bytes);
            const uint32_t big = block * TWaveSummary::Fanout;
            const uint32_t frames = 3 * big + 7 * block + 13;  // an odd length, a partial last block
            TWaveData kept(frames, format), scanned(frames, format);
            FillRandom(kept, bytes * 10 + channels);
            FillRandom(scanned, bytes * 10 + channels);
            scanned.SetSummaryEnabled(false);
            const uint32_t ranges[][2] = {
                {0, frames},           {0, block},          {1, block + 1},       {block - 1, 2 * block + 1},
                {5, 3 * block - 2},    {block, 3 * block},  {big - 1, 2 * big + 1}, {big + 3, 3 * big - 5},
                {17, frames - 1},      {frames - block - 40, frames + 9}, {100, 101}, {2 * big, 2 * big},
            };
            for (const auto& r : ranges) {
                for (uint16_t channel : {0, 1}) {
                    for (int rms : {0, 1}) {
                        SCOPED_TRACE(testing::Message() << bytes << " bytes, " << channels << " channels, ["
                                                        << r[0] << ", " << r[1] << ") channel " << channel
                                                        << " rms " << rms);
                        float maxA = -1, minA = -1, maxB = -2, minB = -2;
                        kept.GetMinMax(r[0], r[1], &maxA, &minA, channel, 1, rms);
                        scanned.GetMinMax(r[0], r[1], &maxB, &minB, channel, 1, rms);
                        EXPECT_EQ(maxA, maxB);
                        EXPECT_EQ(minA, minB);
                    }
                }
            }
            EXPECT_TRUE(kept.GetSummary().IsCurrent());
            EXPECT_LE(kept.GetSummary().MemoryBytes() * 100, size_t(frames) * format.BytesPerFrame()) << bytes;
        }
    }
}

// Each kind of write, in place and at both ends, leaves the summary that the
// next use refreshes equal to one built from the frames as they now are.
TEST(TWaveSummary, KeptAcrossEveryWriteEqualsOneBuiltFromScratch)
{
    const TWaveFormat format(8000, 2, 2);
    const uint32_t block = TWaveSummary::BlockFramesFor(2);
    const uint32_t frames = 5 * block * TWaveSummary::Fanout + 300;
    struct TEdit {
        const char* Name;
        void (*Apply)(TWaveData&);
    };
    const TEdit edits[] = {
        {"one sample", [](TWaveData& w) { w.PutSample(32767, 70000, 1); }},
        {"channel frames", [](TWaveData& w) {
             std::vector<int16_t> v(9000, -32767);
             w.WriteFrames(v.data(), 20000, 9000, 0);
         }},
        {"stream at the end", [](TWaveData& w) {
             std::vector<int16_t> v(2 * 500, 12345);
             w.SetPosition(w.GetFrameCount() - 500);
             w.WriteStream(v.data(), 2000);
         }},
        {"silence", [](TWaveData& w) { w.SilenceFrames(1000, 150000); }},
        {"growth", [](TWaveData& w) {
             const uint32_t old = w.GetFrameCount();
             w.SetLength(old + 3 * 512 + 11);
             w.PutSample(-32000, old + 700, 0);
         }},
        {"cut at the end", [](TWaveData& w) { w.SetLength(w.GetFrameCount() - 40000); }},
        {"cut inside a block", [](TWaveData& w) { w.SetLength(w.GetFrameCount() - 7); }},
        {"cleared", [](TWaveData& w) { w.ClearBuffer(); }},
        {"new width", [](TWaveData& w) { w.SetFormat(8000, 1, 4); }},
    };
    TWaveData wave(frames, format);
    FillRandom(wave, 3);
    ExpectKeptEqualsRebuilt(wave);
    for (const TEdit& edit : edits) {
        SCOPED_TRACE(edit.Name);
        edit.Apply(wave);
        ExpectKeptEqualsRebuilt(wave);
        // Two edits far apart before the next use.
        wave.PutSample(-5, 3, 0);
        wave.PutSample(5, wave.GetFrameCount() - 1, 1);
        ExpectKeptEqualsRebuilt(wave);
    }
}
