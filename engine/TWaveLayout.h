#pragma once
#include <cstddef>
#include <cstdint>

// Where the parts of a RIFF WAVE file lie, and whether they can be trusted.
// Every stated size is checked against the real size of the file before it is
// used, so nothing is read or allocated from a size the file cannot back.
class TWaveLayout {
public:
    enum TStatus {
        Valid,
        Invalid,    // not a PCM WAVE file we can read, or sizes beyond the file
        EmptyData,  // well formed, but the data chunk holds no bytes
    };

    // Random access to the file's bytes; the file code reads through mmio.
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

    TStatus Status = Invalid;
    uint16_t FormatTag = 0;
    uint16_t Channels = 0;
    uint32_t SamplesPerSec = 0;
    uint16_t BlockAlign = 0;
    uint16_t BitsPerSample = 0;
    uint64_t RiffOffset = 0;
    uint32_t RiffSize = 0;
    uint64_t DataOffset = 0;  // first data byte
    uint32_t DataSize = 0;
    // Offsets of the first body of each calibration chunk big enough to hold
    // its record, or 0 when the file has none.
    uint64_t CalibrationOffset = 0;
    uint64_t LegacyCalibrationOffset = 0;

    uint16_t BytesPerSample() const { return Channels ? static_cast<uint16_t>(BlockAlign / Channels) : 0; }

    static TWaveLayout Parse(TSource& source);
    static TWaveLayout Parse(const uint8_t* bytes, size_t size);
};
