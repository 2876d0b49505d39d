#include "engine/TWaveLayout.h"

#include "tests/engine/RiffBuilder.h"

#include <gtest/gtest.h>

namespace {

TWaveLayout Parse(const Bytes& b) { return TWaveLayout::Parse(b.data(), b.size()); }

const Bytes kFrames(12, 0x11);

TEST(TWaveLayout, FindsFormatAndDataPastOtherChunks)
{
    const Bytes file = Riff({Chunk("LIST", Bytes(5, 'x')), Chunk("fmt ", Fmt(1, 2, 96000, 6, 24, 18)), Chunk("fact", Bytes(4, 0)),
                             Chunk("data", kFrames), Chunk("LIST", Bytes(3, 'y'))});
    const TWaveLayout w = Parse(file);
    ASSERT_EQ(w.Status, TWaveLayout::Valid);
    EXPECT_EQ(w.Channels, 2);
    EXPECT_EQ(w.SamplesPerSec, 96000u);
    EXPECT_EQ(w.BlockAlign, 6);
    EXPECT_EQ(w.BytesPerSample(), 3);
    EXPECT_EQ(w.DataSize, kFrames.size());
    EXPECT_EQ(file[w.DataOffset - 8], 'd');
    EXPECT_EQ(w.CalibrationOffset, 0u);
}

TEST(TWaveLayout, AcceptsExtensiblePcmAndADataChunkMissingItsPadAtTheEnd)
{
    const Bytes odd(5, 0x22);
    const Bytes file = Riff({Chunk("fmt ", Extensible(kPcmGuid)), Chunk("data", odd, false)});
    const TWaveLayout w = Parse(Bytes(file.begin(), file.end()));
    EXPECT_EQ(w.Status, TWaveLayout::Valid);
    EXPECT_EQ(w.FormatTag, 0xFFFE);
    EXPECT_EQ(w.DataSize, 5u);
}

TEST(TWaveLayout, FindsCalibrationChunksAfterTheRiffChunkOnlyWhenWhole)
{
    const Bytes wave = Riff({Chunk("fmt ", Fmt(1, 1, 8000, 2, 16)), Chunk("data", kFrames)});
    const Bytes cal(2048, 7), legacy(1024, 8), shortCal(100, 9);
    Bytes id66 = {0x66, 0, 0, 0}, id65 = {0x65, 0, 0, 0};
    auto raw = [](const Bytes& id, const Bytes& body) {
        Bytes b = id;
        Put32(b, static_cast<uint32_t>(body.size()));
        b.insert(b.end(), body.begin(), body.end());
        return b;
    };

    const Bytes both = Cat({wave, raw(id65, legacy), raw(id66, shortCal), raw(id66, cal)});
    const TWaveLayout w = Parse(both);
    ASSERT_EQ(w.Status, TWaveLayout::Valid);
    EXPECT_EQ(both[w.CalibrationOffset], 7);
    EXPECT_EQ(both[w.LegacyCalibrationOffset], 8);

    // A chunk that states 2,048 bytes but is cut off by the end of the file is no record.
    Bytes cut = Cat({wave, raw(id66, cal)});
    cut.resize(cut.size() - 1);
    EXPECT_EQ(Parse(cut).CalibrationOffset, 0u);
    EXPECT_EQ(Parse(cut).Status, TWaveLayout::Valid);
}

struct BadCase {
    const char* name;
    Bytes file;
    TWaveLayout::TStatus want;
};

TEST(TWaveLayout, RefusesMalformedFiles)
{
    const Bytes fmt = Chunk("fmt ", Fmt(1, 2, 44100, 4, 16));
    const Bytes data = Chunk("data", kFrames);
    Bytes hugeData = Chunk("data", kFrames);
    hugeData[4] = hugeData[5] = hugeData[6] = hugeData[7] = 0xFF;
    Bytes hugeRiff = Riff({fmt, data});
    hugeRiff[7] = 0x7F;
    const Bytes good = Riff({fmt, data});

    const BadCase cases[] = {
        {"empty file", {}, TWaveLayout::Invalid},
        {"truncated header", Bytes(good.begin(), good.begin() + 30), TWaveLayout::Invalid},
        {"truncated data", Bytes(good.begin(), good.end() - 3), TWaveLayout::Invalid},
        {"not WAVE", Cat({Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}}), TWaveLayout::Invalid},
        {"huge RIFF size", hugeRiff, TWaveLayout::Invalid},
        {"huge data size", Riff({fmt, hugeData}), TWaveLayout::Invalid},
        {"no data chunk", Riff({fmt, Chunk("LIST", Bytes(4, 0))}), TWaveLayout::Invalid},
        {"no fmt chunk", Riff({data}), TWaveLayout::Invalid},
        {"data before fmt", Riff({data, fmt}), TWaveLayout::Invalid},
        {"short fmt", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 2, 16, 14)), data}), TWaveLayout::Invalid},
        {"zero channels", Riff({Chunk("fmt ", Fmt(1, 0, 8000, 2, 16)), data}), TWaveLayout::Invalid},
        {"three channels", Riff({Chunk("fmt ", Fmt(1, 3, 8000, 6, 16)), data}), TWaveLayout::Invalid},
        {"zero block align", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 0, 16)), data}), TWaveLayout::Invalid},
        {"zero rate", Riff({Chunk("fmt ", Fmt(1, 1, 0, 2, 16)), data}), TWaveLayout::Invalid},
        {"align not a whole sample per channel", Riff({Chunk("fmt ", Fmt(1, 2, 8000, 3, 12)), data}),
         TWaveLayout::Invalid},
        {"eight bytes a sample", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8, 64)), data}), TWaveLayout::Invalid},
        {"float tag", Riff({Chunk("fmt ", Fmt(3, 1, 8000, 4, 32)), data}), TWaveLayout::Invalid},
        {"ADPCM tag", Riff({Chunk("fmt ", Fmt(2, 1, 8000, 256, 4, 20)), data}), TWaveLayout::Invalid},
        {"extensible float", Riff({Chunk("fmt ", Extensible(kFloatGuid)), data}), TWaveLayout::Invalid},
        {"extensible cut short", Riff({Chunk("fmt ", Fmt(0xFFFE, 1, 8000, 2, 16, 18)), data}), TWaveLayout::Invalid},
        {"odd chunk without pad", Riff({Chunk("LIST", Bytes(3, 'x'), false), fmt, data}), TWaveLayout::Invalid},
        {"empty data", Riff({fmt, Chunk("data", {})}), TWaveLayout::EmptyData},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Parse(c.file).Status, c.want);
    }
}

}  // namespace
