#include "engine/TWaveLayout.h"

#include "tests/engine/Fixture.h"
#include "tests/engine/RiffBuilder.h"
#include "tests/engine/TolerantFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <utility>

namespace {

TWaveLayout Parse(const Bytes& b) { return TWaveLayout::Parse(b.data(), b.size()); }

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
    const Bytes odd(9, 0x22);
    const Bytes file = Riff({Chunk("fmt ", Extensible(kPcmGuid)), Chunk("data", odd, false)});
    const TWaveLayout w = Parse(Bytes(file.begin(), file.end()));
    EXPECT_EQ(w.Status, TWaveLayout::Valid);
    EXPECT_EQ(w.FormatTag, 0xFFFE);
    EXPECT_EQ(w.DataSize, 9u);
    EXPECT_EQ(w.Frames(), 1u);
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
    cut.pop_back();
    EXPECT_EQ(Parse(cut).CalibrationOffset, 0u);
    EXPECT_EQ(Parse(cut).Status, TWaveLayout::Valid);
}

Bytes WithSize(Bytes file, size_t at, uint32_t size)
{
    for (int k = 0; k < 4; ++k)
        file[at + k] = static_cast<uint8_t>(size >> (8 * k));
    return file;
}

struct TolerantCase {
    const char* name;
    Bytes file;
    size_t dataOffset;
    uint32_t dataSize;
    bool formatAfterData;
};

// Sizes that other programs leave wrong give way to what the file holds;
// sizes that agree with the file are kept, whatever follows them.
TEST(TWaveLayout, ReadsTheDataTheFileHoldsWhateverItsSizesSay)
{
    const Bytes fmt = Chunk("fmt ", Fmt(1, 2, 44100, 4, 16));
    const Bytes frames(40, 0x21);
    const Bytes good = Riff({fmt, Chunk("data", frames)});
    const Bytes calibration = Cat({Bytes{0x66, 0, 0, 0}, WithSize(Bytes(4), 0, 2048), Bytes(2048, 0)});
    const Bytes list = Chunk("LIST", Bytes(6, 'x'));
    const uint32_t riffSize = static_cast<uint32_t>(good.size() - 8);
    const TolerantCase cases[] = {
        {"as written", good, 44, 40, false},
        {"truncated data", Bytes(good.begin(), good.end() - 3), 44, 37, false},
        {"data size past the end", WithSize(good, 40, 0x7FFFFFFF), 44, 40, false},
        {"unknown sizes", WithSize(WithSize(good, 4, 0xFFFFFFFF), 40, 0xFFFFFFFF), 44, 40, false},
        {"zero sizes", WithSize(WithSize(good, 4, 0), 40, 0), 44, 40, false},
        {"zero data size, samples follow", WithSize(good, 40, 0), 44, 40, false},
        {"RIFF size 8 large", WithSize(good, 4, riffSize + 8), 44, 40, false},
        {"RIFF size 8 small", WithSize(good, 4, riffSize - 8), 44, 40, false},
        {"data before fmt", Riff({Chunk("data", frames), fmt}), 20, 40, true},
        {"a chunk after the RIFF chunk", Cat({good, calibration}), 44, 40, false},
        {"unknown data size, a chunk after the RIFF chunk",
         WithSize(Cat({good, calibration}), 40, 0xFFFFFFFF), 44, 40, false},
        {"zero data size, a chunk follows", Riff({fmt, Chunk("data", {}), list}), 44, 0, false},
        {"zero data size, nothing in the RIFF chunk follows", Cat({Riff({fmt, Chunk("data", {})}), calibration}), 44, 0,
         false},
        {"trailing bytes", Cat({good, Bytes(5, 0xEE)}), 44, 40, false},
    };
    for (const TolerantCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TWaveLayout w = Parse(c.file);
        EXPECT_EQ(w.Status, c.dataSize / 4 ? TWaveLayout::Valid : TWaveLayout::EmptyData);
        EXPECT_EQ(w.DataOffset, c.dataOffset);
        EXPECT_EQ(w.DataSize, c.dataSize);
        EXPECT_EQ(w.FormatAfterData, c.formatAfterData);
    }
    // With the RIFF size believed, the calibration chunk after it is found.
    EXPECT_EQ(Parse(Cat({good, calibration})).CalibrationOffset, good.size() + 8);
}

// The damaged files of the fixture script hold the frames the wave module
// reads from their intact originals.
TEST(TWaveLayout, FindsEveryFrameOfTheDamagedFixtures)
{
    for (const char* name : kTolerantFixtures) {
        SCOPED_TRACE(name);
        const Bytes file = ReadBytes(std::string(TONALYX_FIXTURES) + "/wav/tolerant_" + name + ".wav");
        ASSERT_FALSE(file.empty());
        const TWaveLayout w = Parse(file);
        ASSERT_EQ(w.Status, TWaveLayout::Valid);
        EXPECT_EQ(w.Frames(), ReadFixture(std::string("wav/tolerant_") + name + ".txt").size());
    }
}

// The header of a new file is the one Python's wave module writes, pad byte
// counted, for even and odd data.
TEST(TWaveLayout, HeaderMatchesTheWaveModule)
{
    for (int bits : {8, 16, 24, 32}) {
        for (uint16_t channels : {1, 2}) {
            for (uint32_t frames : {64u, 63u}) {
                const std::string name = "pattern_" + std::to_string(bits) + "_" + std::to_string(channels) +
                                         (frames == 64 ? "" : "_63") + ".wav";
                SCOPED_TRACE(name);
                const Bytes file = ReadBytes(std::string(TONALYX_FIXTURES) + "/wav/" + name);
                ASSERT_GE(file.size(), TWaveLayout::HeaderSize);
                const TWaveFormat format(32000, channels, static_cast<uint16_t>(bits / 8));
                const auto header = TWaveLayout::Header(format, frames * format.BytesPerFrame());
                EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin()));
            }
        }
    }
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
    const Bytes good = Riff({fmt, data});

    const BadCase cases[] = {
        {"empty file", {}, TWaveLayout::Invalid},
        {"truncated header", Bytes(good.begin(), good.begin() + 30), TWaveLayout::Invalid},
        {"header without data", Bytes(good.begin(), good.begin() + 44), TWaveLayout::EmptyData},
        {"not WAVE", Cat({Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}}), TWaveLayout::Invalid},
        {"no data chunk", Riff({fmt, Chunk("LIST", Bytes(4, 0))}), TWaveLayout::Invalid},
        {"no fmt chunk", Riff({data}), TWaveLayout::Invalid},
        {"fmt after data that runs to the end", Riff({WithSize(data, 4, 0xFFFFFFFF), fmt}), TWaveLayout::Invalid},
        {"short fmt", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 2, 16, 14)), data}), TWaveLayout::Invalid},
        {"fmt cut by the end of the file", Bytes(good.begin(), good.begin() + 28), TWaveLayout::Invalid},
        {"zero channels", Riff({Chunk("fmt ", Fmt(1, 0, 8000, 2, 16)), data}), TWaveLayout::Invalid},
        {"three channels", Riff({Chunk("fmt ", Fmt(1, 3, 8000, 6, 16)), data}), TWaveLayout::Invalid},
        {"zero block align", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 0, 16)), data}), TWaveLayout::Invalid},
        {"zero rate", Riff({Chunk("fmt ", Fmt(1, 1, 0, 2, 16)), data}), TWaveLayout::UnsupportedRate},
        {"rate 999", Riff({Chunk("fmt ", Fmt(1, 1, 999, 2, 16)), data}), TWaveLayout::UnsupportedRate},
        {"rate 768001", Riff({Chunk("fmt ", Fmt(1, 1, 768001, 2, 16)), data}), TWaveLayout::UnsupportedRate},
        {"rate 0xFFFFFFFF", Riff({Chunk("fmt ", Fmt(1, 1, 0xFFFFFFFF, 2, 16)), data}), TWaveLayout::UnsupportedRate},
        {"rate 1000", Riff({Chunk("fmt ", Fmt(1, 1, 1000, 2, 16)), data}), TWaveLayout::Valid},
        {"rate 768000", Riff({Chunk("fmt ", Fmt(1, 1, 768000, 2, 16)), data}), TWaveLayout::Valid},
        {"align not a whole sample per channel", Riff({Chunk("fmt ", Fmt(1, 2, 8000, 3, 12)), data}),
         TWaveLayout::Invalid},
        {"eight bytes a sample", Riff({Chunk("fmt ", Fmt(1, 1, 8000, 8, 64)), data}), TWaveLayout::Invalid},
        {"float tag", Riff({Chunk("fmt ", Fmt(3, 1, 8000, 4, 32)), data}), TWaveLayout::Invalid},
        {"ADPCM tag", Riff({Chunk("fmt ", Fmt(2, 1, 8000, 256, 4, 20)), data}), TWaveLayout::Invalid},
        {"extensible float", Riff({Chunk("fmt ", Extensible(kFloatGuid)), data}), TWaveLayout::Invalid},
        {"extensible cut short", Riff({Chunk("fmt ", Fmt(0xFFFE, 1, 8000, 2, 16, 18)), data}), TWaveLayout::Invalid},
        {"odd chunk without pad", Riff({Chunk("LIST", Bytes(3, 'x'), false), fmt, data}), TWaveLayout::Invalid},
        {"empty data", Riff({fmt, Chunk("data", {})}), TWaveLayout::EmptyData},
        {"less than a frame", Riff({fmt, Chunk("data", Bytes(3, 1))}), TWaveLayout::EmptyData},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Parse(c.file).Status, c.want);
    }
}

// A file of that size holding zeros except where bytes were put: waves of
// gigabytes without the gigabytes.
class SparseSource : public TWaveLayout::TSource {
public:
    explicit SparseSource(uint64_t size) : Length(size) {}
    void Put(uint64_t at, const uint8_t* bytes, size_t n) { Parts.push_back({at, Bytes(bytes, bytes + n)}); }
    uint64_t Size() override { return Length; }
    bool Read(uint64_t offset, void* dest, size_t bytes) override
    {
        if (offset > Length || bytes > Length - offset)
            return false;
        auto* out = static_cast<uint8_t*>(dest);
        std::fill(out, out + bytes, uint8_t{0});
        for (const auto& [at, part] : Parts)
            for (size_t i = 0; i < part.size(); ++i)
                if (at + i >= offset && at + i < offset + bytes)
                    out[at + i - offset] = part[i];
        return true;
    }

private:
    uint64_t Length;
    std::vector<std::pair<uint64_t, Bytes>> Parts;
};

// The calibration chunk of a long recording lies after its data, beyond the
// 2 GB that signed offsets reach, up to the RIFF limit.
TEST(TWaveLayout, FindsTheCalibrationChunkAfterDataOfGigabytes)
{
    struct Case {
        const char* name;
        uint32_t dataBytes;
    } cases[] = {{"just over 2 GB", 0x80000000u + 6 * 1000}, {"one hour of 192 kHz stereo 24-bit", 4147200000u},
                 {"odd bytes at the RIFF limit", 4294967257u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TWaveFormat format(192000, c.dataBytes & 1 ? 1 : 2, c.dataBytes & 1 ? 1 : 3);
        const auto header = TWaveLayout::Header(format, c.dataBytes);
        const uint64_t chunk = TWaveLayout::HeaderSize + uint64_t(c.dataBytes) + (c.dataBytes & 1);
        SparseSource file(chunk + 8 + TWaveLayout::CalibrationChunkSize);
        file.Put(0, header.data(), header.size());
        const uint8_t chunkHeader[8] = {0x66, 0, 0, 0, 0, 8, 0, 0};
        file.Put(chunk, chunkHeader, 8);
        const uint8_t mark = 0x5A;
        file.Put(chunk + 8, &mark, 1);
        const TWaveLayout w = TWaveLayout::Parse(file);
        ASSERT_EQ(w.Status, TWaveLayout::Valid);
        EXPECT_EQ(w.DataSize, c.dataBytes);
        EXPECT_EQ(w.RiffOffset + 8 + w.RiffSize, chunk);
        EXPECT_EQ(w.CalibrationOffset, chunk + 8);
    }
}

// The largest wave at each block align, against sizes worked out by hand: its
// RIFF size stays within 32 bits, one frame more would not, and its bytes fit
// the 32-bit sizes the wave keeps.
TEST(TWaveLayout, MaxFramesKeepsTheRiffSizeWithin32Bits)
{
    struct Case {
        uint64_t dataStart;
        uint16_t align;
        uint32_t frames;
    } cases[] = {{44, 1, 4294967258u}, {44, 2, 2147483629u}, {44, 3, 1431655752u}, {44, 4, 1073741814u},
                 {44, 6, 715827876u},  {44, 8, 536870907u},  {80, 6, 715827870u}, {0xFFFFFFFFu + 8, 2, 0u},
                 {44, 0, 0u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dataStart) + " / " + std::to_string(c.align));
        EXPECT_EQ(TWaveLayout::MaxFrames(c.dataStart, c.align), c.frames);
        if (!c.frames)
            continue;
        const uint64_t bytes = uint64_t(c.frames) * c.align;
        EXPECT_LE(TWaveLayout::RiffSizeFor(c.dataStart, bytes), TWaveLayout::MaxRiffSize);
        EXPECT_GT(TWaveLayout::RiffSizeFor(c.dataStart, bytes + c.align), TWaveLayout::MaxRiffSize);
        const TWaveFormat format(48000, c.align % 2 ? 1 : 2, uint16_t(c.align % 2 ? c.align : c.align / 2));
        if (c.dataStart == TWaveLayout::HeaderSize) {
            const auto header = TWaveLayout::Header(format, uint32_t(bytes));
            uint32_t riff, data;
            std::memcpy(&riff, &header[4], 4);
            std::memcpy(&data, &header[40], 4);
            EXPECT_EQ(riff, TWaveLayout::RiffSizeFor(44, bytes));
            EXPECT_EQ(data, bytes);
        }
    }
}

}  // namespace
