#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "utilities/TReverbData.h"

// The .rvb file: int32 magic 13211, int32 entry count, int32 row count, then
// the rows as DecayRow holds them, little-endian, nothing after. A file is
// taken whole or not at all.
class TReverbFile {
public:
    static constexpr int32_t Magic = 13211;
    static constexpr size_t HeaderBytes = 12;
    // Rows lie within a decay of at most 30 s and the second after it.
    static constexpr float MaxRowTime = 31.0f;

    enum class TStatus { Ok, OpenFailed, Invalid, ReadFailed, NoMemory, WriteFailed };
    struct TContents {
        int32_t BandCount = 0;
        std::vector<DecayRow> Rows;
    };

    // The contents of a file image; false when it is not a sound .rvb file:
    // a wrong magic, an entry count outside 1 to 31, no rows, a size other
    // than the header and the rows, a value not finite, or row times that go
    // back or lie beyond MaxRowTime.
    static bool Parse(const uint8_t* data, size_t size, TContents& out);
    static TStatus Read(const std::string& path, TContents& out);
    // The image of the first rowCount rows.
    static std::vector<uint8_t> Image(int32_t bandCount, const DecayRow* rows, int32_t rowCount);
    // Writes the image: OpenFailed when the file cannot be made; WriteFailed,
    // with the partial file removed, when a write or the close fails.
    static TStatus Write(const std::string& path, int32_t bandCount, const DecayRow* rows, int32_t rowCount);
};
