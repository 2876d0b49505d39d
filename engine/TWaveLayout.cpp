#include "engine/TWaveLayout.h"

#include <algorithm>
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
// What programs writing to a pipe leave where they could not go back to write the size.
constexpr uint32_t kUnknownSize = 0xFFFFFFFF;

// KSDATAFORMAT_SUBTYPE_PCM: {00000001-0000-0010-8000-00aa00389b71}.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return static_cast<uint32_t>(Le16(p)) | static_cast<uint32_t>(Le16(p + 2)) << 16; }

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

struct Chunk {
    uint32_t id;
    uint32_t size;
    uint64_t body;  // offset of the first byte after the header
    uint64_t Next() const { return body + size + (size & 1); }
    // The body lies within `end` (a missing pad byte after the last body is tolerated).
    bool FitsIn(uint64_t end) const { return body <= end && size <= end - body; }
};

// Chunk ids are four printable characters, except the calibration chunks'.
bool PlausibleId(uint32_t id)
{
    if (id == TWaveLayout::CalibrationChunkId || id == TWaveLayout::LegacyCalibrationChunkId)
        return true;
    for (int k = 0; k < 4; ++k) {
        const uint8_t c = static_cast<uint8_t>(id >> (8 * k));
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

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

    // The chunk header at `at`, when its eight bytes lie within `end`.
    bool HeaderAt(uint64_t at, uint64_t end, Chunk& chunk)
    {
        uint8_t header[8];
        if (at > end || end - at < 8 || !Source.Read(at, header, 8))
            return false;
        chunk = {Le32(header), Le32(header + 4), at + 8};
        return true;
    }

    // Whether a whole chunk with a plausible id starts at `at`: samples
    // rarely look like one, and silence never does.
    bool ChunkStartsAt(uint64_t at, uint64_t end)
    {
        Chunk chunk;
        return HeaderAt(at, end, chunk) && PlausibleId(chunk.id) && chunk.FitsIn(end);
    }

    // The first top-level RIFF chunk of form WAVE. Its stated size is not
    // needed to find it: pipes and crashes leave it wrong.
    bool FindRiffWave(Chunk& riff)
    {
        Chunk chunk;
        for (uint64_t at = 0; HeaderAt(at, FileSize, chunk); at = chunk.Next()) {
            uint8_t form[4];
            if (chunk.id == kRiff && Source.Read(chunk.body, form, 4) && Le32(form) == kWave) {
                riff = chunk;
                return true;
            }
            if (!chunk.FitsIn(FileSize))
                return false;
        }
        return false;
    }

    // Where the RIFF chunk ends: where its size says, when the file agrees
    // (it ends there, or a chunk follows, as the calibration chunk does);
    // otherwise at the end of the file.
    uint64_t RiffEnd(const Chunk& riff)
    {
        if (riff.size < 4 || !riff.FitsIn(FileSize))
            return FileSize;
        const uint64_t end = riff.body + riff.size;
        if (end == FileSize || riff.Next() == FileSize || ChunkStartsAt(riff.Next(), FileSize))
            return end;
        return FileSize;
    }

    // First top-level chunk `id` whose body holds at least `needed` bytes; the
    // RIFF chunk, when there is one, is stepped over to `riffNext`.
    uint64_t FindRecord(uint32_t id, uint32_t needed, const Chunk* riff, uint64_t riffNext)
    {
        Chunk chunk;
        for (uint64_t at = 0; HeaderAt(at, FileSize, chunk);) {
            if (riff && chunk.body == riff->body) {
                at = riffNext;
                continue;
            }
            if (!chunk.FitsIn(FileSize))
                return 0;
            if (chunk.id == id && chunk.size >= needed)
                return chunk.body;
            at = chunk.Next();
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
    if (layout.Channels == 0 || layout.Channels > 2 || layout.BlockAlign == 0)
        return false;
    const unsigned bytesPerSample = layout.BlockAlign / layout.Channels;
    return layout.BlockAlign % layout.Channels == 0 && bytesPerSample <= 4;
}

}  // namespace

TWaveLayout TWaveLayout::Parse(TSource& source)
{
    TWaveLayout layout;
    Walker walk(source);
    Chunk riff;
    if (!walk.FindRiffWave(riff)) {
        layout.CalibrationOffset = walk.FindRecord(CalibrationChunkId, CalibrationChunkSize, nullptr, 0);
        layout.LegacyCalibrationOffset =
            walk.FindRecord(LegacyCalibrationChunkId, LegacyCalibrationChunkSize, nullptr, 0);
        return layout;
    }
    layout.RiffOffset = riff.body - 8;
    layout.RiffSize = riff.size;
    uint64_t limit = walk.RiffEnd(riff);

    // The first format and data chunks, in either order. A data chunk whose
    // size the file cannot back, or that states no size while samples follow
    // it, runs to the end of the RIFF chunk and is the last chunk read.
    Chunk fmt{}, data{};
    bool haveFmt = false, haveData = false, dataToEnd = false;
    auto findChunks = [&] {
        haveFmt = haveData = dataToEnd = false;
        Chunk chunk;
        for (uint64_t at = riff.body + 4; !(haveFmt && haveData) && walk.HeaderAt(at, limit, chunk);
             at = chunk.Next()) {
            if (chunk.id == kData && !haveData) {
                data = chunk;
                haveData = true;
                dataToEnd = chunk.size == kUnknownSize || !chunk.FitsIn(limit) ||
                            (chunk.size == 0 && chunk.body < limit && !walk.ChunkStartsAt(chunk.body, limit));
                if (dataToEnd)
                    break;
            } else if (!chunk.FitsIn(limit)) {
                break;
            } else if (chunk.id == kFmt && !haveFmt) {
                fmt = chunk;
                haveFmt = true;
            }
        }
    };
    findChunks();
    // A RIFF size too small to hold both chunks, when the file holds them
    // after it, is as wrong as any other: the file's length counts instead.
    if (!(haveFmt && haveData) && limit < walk.FileSize) {
        limit = walk.FileSize;
        findChunks();
    }
    // The top-level walk goes on after the RIFF chunk only where its size holds.
    const uint64_t riffNext = limit == walk.FileSize ? walk.FileSize : riff.Next();
    layout.CalibrationOffset = walk.FindRecord(CalibrationChunkId, CalibrationChunkSize, &riff, riffNext);
    layout.LegacyCalibrationOffset =
        walk.FindRecord(LegacyCalibrationChunkId, LegacyCalibrationChunkSize, &riff, riffNext);
    if (!haveFmt || !haveData || !ReadFormat(source, fmt, layout))
        return layout;
    if (!TWaveFormat::IsValidRate(layout.SamplesPerSec)) {
        layout.Status = UnsupportedRate;
        return layout;
    }
    layout.DataOffset = data.body;
    layout.StatedDataSize = data.size;
    const uint64_t size = dataToEnd ? limit - data.body : data.size;
    layout.DataSize = static_cast<uint32_t>(std::min<uint64_t>(size, kUnknownSize));
    layout.FormatAfterData = fmt.body > data.body;
    layout.Status = layout.Frames() ? Valid : EmptyData;
    return layout;
}

TWaveLayout TWaveLayout::Parse(const uint8_t* bytes, size_t size)
{
    MemorySource source(bytes, size);
    return Parse(source);
}

std::array<uint8_t, TWaveLayout::HeaderSize> TWaveLayout::Header(const TWaveFormat& format, uint32_t dataBytes)
{
    const uint32_t align = format.BytesPerFrame();
    const uint64_t riffSize = HeaderSize - 8 + static_cast<uint64_t>(dataBytes) + (dataBytes & 1);
    std::array<uint8_t, HeaderSize> h{};
    std::memcpy(&h[0], "RIFF", 4);
    Put32(&h[4], static_cast<uint32_t>(std::min<uint64_t>(riffSize, kUnknownSize)));
    std::memcpy(&h[8], "WAVEfmt ", 8);
    Put32(&h[16], 16);
    Put16(&h[20], FormatPcm);
    Put16(&h[22], format.NumChannels);
    Put32(&h[24], format.SamplingRate);
    Put32(&h[28], format.SamplingRate * align);
    Put16(&h[32], align);
    Put16(&h[34], format.BitsPerSample);
    std::memcpy(&h[36], "data", 4);
    Put32(&h[40], dataBytes);
    return h;
}
