#pragma once
#include "engine/TWaveFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Where the parts of a RIFF WAVE file lie, and whether they can be trusted.
// Every stated size is checked against the real size of the file before it is
// used, so nothing is read or allocated from a size the file cannot back.
//
// Sizes that other programs leave wrong are read as the file itself shows
// them: a data chunk cut short by a crash or a full disk gives the bytes the
// file holds; a data size of 0xFFFFFFFF, or of 0 with samples following, as
// programs writing to a pipe leave it, runs to the end of the RIFF chunk; a
// RIFF size that the rest of the file contradicts gives way to the file's
// length, as does one too small to hold the format and data chunks that
// follow it; the format and data chunks may come in either order.
class TWaveLayout {
public:
    enum TStatus {
        Valid,
        Invalid,    // not a PCM WAVE file we can read
        EmptyData,  // well formed, but the data chunk holds not one frame
        // PCM, but at a rate TWaveFormat::IsValidRate refuses; SamplesPerSec
        // holds it, the data fields are not filled.
        UnsupportedRate,
    };

    // Random access to the file's bytes.
    class TSource {
    public:
        virtual ~TSource() = default;
        virtual uint64_t Size() = 0;
        virtual bool Read(uint64_t offset, void* dest, size_t bytes) = 0;
    };

    static constexpr uint32_t CalibrationChunkId = 0x66;
    static constexpr uint32_t LegacyCalibrationChunkId = 0x65;
    static constexpr uint32_t CalibrationChunkSize = 2048;
    static constexpr uint32_t LegacyCalibrationChunkSize = 1024;
    static constexpr uint16_t FormatPcm = 1;
    static constexpr uint16_t FormatExtensible = 0xFFFE;
    static constexpr size_t HeaderSize = 44;
    // RIFF sizes are unsigned 32-bit: the RIFF chunk's body, from its form
    // type to the pad byte after the data, holds at most this many bytes.
    static constexpr uint64_t MaxRiffSize = 0xFFFFFFFF;

    TStatus Status = Invalid;
    uint16_t FormatTag = 0;
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
    uint64_t RiffOffset = 0;
    uint32_t RiffSize = 0;    // as stated in the file
    uint64_t DataOffset = 0;  // first data byte
    // The data bytes the file holds, which may differ from the stated size.
    uint32_t DataSize = 0;
    uint32_t StatedDataSize = 0;
    // The format chunk stands after the data chunk.
    bool FormatAfterData = false;
    // Offsets of the first body of each calibration chunk big enough to hold
    // its record, or 0 when the file has none.
    uint64_t CalibrationOffset = 0;
    uint64_t LegacyCalibrationOffset = 0;

    uint16_t BytesPerSample() const { return Channels ? static_cast<uint16_t>(BlockAlign / Channels) : 0; }
    uint32_t Frames() const { return BlockAlign ? DataSize / BlockAlign : 0; }

    // The RIFF size of a file whose data chunk's body starts dataStart bytes
    // after the RIFF chunk's id and holds dataBytes, with the pad byte after
    // odd data.
    static constexpr uint64_t RiffSizeFor(uint64_t dataStart, uint64_t dataBytes)
    {
        return dataStart - 8 + dataBytes + (dataBytes & 1);
    }
    // The most frames of blockAlign bytes such a data chunk can hold. Inline:
    // the wave data checks its length with it, without the parser.
    static constexpr uint32_t MaxFrames(uint64_t dataStart, uint16_t blockAlign)
    {
        if (blockAlign == 0 || dataStart < 8 || RiffSizeFor(dataStart, 0) > MaxRiffSize)
            return 0;
        uint64_t frames = (MaxRiffSize - (dataStart - 8)) / blockAlign;
        if (RiffSizeFor(dataStart, frames * blockAlign) > MaxRiffSize)
            --frames;
        return static_cast<uint32_t>(frames < UINT32_MAX ? frames : UINT32_MAX);
    }

    static TWaveLayout Parse(TSource& source);
    static TWaveLayout Parse(const uint8_t* bytes, size_t size);

    // The 44 bytes before the frames of a PCM file holding dataBytes of
    // frames; the RIFF size counts the pad byte that follows odd data.
    static std::array<uint8_t, HeaderSize> Header(const TWaveFormat& format, uint32_t dataBytes);
};
