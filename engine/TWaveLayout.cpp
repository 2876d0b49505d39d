#include "engine/TWaveLayout.h"

#include <cstring>

namespace {

constexpr uint32_t FourCC(const char (&s)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) | static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24;
}

constexpr uint32_t kRiff = FourCC("RIFF");
constexpr uint32_t kWave = FourCC("WAVE");
constexpr uint32_t kFmt = FourCC("fmt ");
constexpr uint32_t kData = FourCC("data");

// KSDATAFORMAT_SUBTYPE_PCM: {00000001-0000-0010-8000-00aa00389b71}.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return static_cast<uint32_t>(Le16(p)) | static_cast<uint32_t>(Le16(p + 2)) << 16; }

struct Chunk {
    uint32_t id;
    uint32_t size;
    uint64_t body;  // offset of the first byte after the header
    uint64_t Next() const { return body + size + (size & 1); }
};

class MemorySource : public TWaveLayout::TSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : Bytes(bytes), Length(size) {}
    uint64_t Size() override { return Length; }
    bool Read(uint64_t offset, void* dest, size_t bytes) override
    {
        if (offset > Length || bytes > Length - offset)
            return false;
        std::memcpy(dest, Bytes + offset, bytes);
        return true;
    }

private:
    const uint8_t* Bytes;
    size_t Length;
};

class Walker {
public:
    explicit Walker(TWaveLayout::TSource& source) : Source(source), FileSize(source.Size()) {}

    // The chunk header at `at`, when the header and the body it states both lie
    // within `end` (a missing pad byte after the last body is tolerated).
    bool ChunkAt(uint64_t at, uint64_t end, Chunk& chunk)
    {
        uint8_t header[8];
        if (at > end || end - at < 8 || !Source.Read(at, header, 8))
            return false;
        chunk = {Le32(header), Le32(header + 4), at + 8};
        return chunk.size <= end - chunk.body;
    }

    // First chunk with `id` among the chunks from `from` to `end`.
    bool Find(uint32_t id, uint64_t from, uint64_t end, Chunk& chunk)
    {
        for (uint64_t at = from; ChunkAt(at, end, chunk); at = chunk.Next()) {
            if (chunk.id == id)
                return true;
        }
        return false;
    }

    bool FindRiffWave(Chunk& riff)
    {
        for (uint64_t at = 0; ChunkAt(at, FileSize, riff); at = riff.Next()) {
            uint8_t form[4];
            if (riff.id == kRiff && riff.size >= 4 && Source.Read(riff.body, form, 4) && Le32(form) == kWave)
                return true;
        }
        return false;
    }

    // First top-level chunk `id` whose body holds at least `needed` bytes.
    uint64_t FindRecord(uint32_t id, uint32_t needed)
    {
        Chunk chunk;
        for (uint64_t at = 0; ChunkAt(at, FileSize, chunk); at = chunk.Next()) {
            if (chunk.id == id && chunk.size >= needed)
                return chunk.body;
        }
        return 0;
    }

    TWaveLayout::TSource& Source;
    uint64_t FileSize;
};

bool ReadFormat(TWaveLayout::TSource& source, const Chunk& fmt, TWaveLayout& layout)
{
    uint8_t f[40] = {};
    if (fmt.size < 16 || !source.Read(fmt.body, f, fmt.size < 40 ? fmt.size : 40))
        return false;
    layout.FormatTag = Le16(f);
    layout.Channels = Le16(f + 2);
    layout.SamplesPerSec = Le32(f + 4);
    layout.BlockAlign = Le16(f + 12);
    layout.BitsPerSample = Le16(f + 14);
    if (layout.FormatTag == TWaveLayout::FormatExtensible) {
        if (fmt.size < 40 || std::memcmp(f + 24, kPcmSubFormat, 16) != 0)
            return false;
    } else if (layout.FormatTag != TWaveLayout::FormatPcm) {
        return false;
    }
    if (layout.Channels == 0 || layout.Channels > 2 || layout.SamplesPerSec == 0 || layout.BlockAlign == 0)
        return false;
    const unsigned bytesPerSample = layout.BlockAlign / layout.Channels;
    return layout.BlockAlign % layout.Channels == 0 && bytesPerSample <= 4;
}

}  // namespace

TWaveLayout TWaveLayout::Parse(TSource& source)
{
    TWaveLayout layout;
    Walker walk(source);
    layout.CalibrationOffset = walk.FindRecord(CalibrationChunkId, CalibrationChunkSize);
    layout.LegacyCalibrationOffset = walk.FindRecord(LegacyCalibrationChunkId, LegacyCalibrationChunkSize);

    Chunk riff, fmt, data;
    if (!walk.FindRiffWave(riff))
        return layout;
    layout.RiffOffset = riff.body - 8;
    layout.RiffSize = riff.size;
    const uint64_t riffEnd = riff.body + riff.size;
    if (!walk.Find(kFmt, riff.body + 4, riffEnd, fmt) || !ReadFormat(source, fmt, layout))
        return layout;
    // The data chunk counts only when it follows the format chunk.
    if (!walk.Find(kData, fmt.Next(), riffEnd, data))
        return layout;
    layout.DataOffset = data.body;
    layout.DataSize = data.size;
    layout.Status = data.size == 0 ? EmptyData : Valid;
    return layout;
}

TWaveLayout TWaveLayout::Parse(const uint8_t* bytes, size_t size)
{
    MemorySource source(bytes, size);
    return Parse(source);
}
