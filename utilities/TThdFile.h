#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "utilities/TThdFreqRun.h"

// The binary .thd result file, little-endian without padding: magic 5000,
// the point count n, start and stop frequency, plot top and bottom (f32),
// then n left points and, for two-channel results, n right points. Nothing
// follows: a file is exactly 24 + 8 n or 24 + 16 n bytes.
class TThdFile {
public:
    static constexpr int32_t Magic = 5000;
    static constexpr size_t HeaderSize = 24;

    struct TContents {
        float StartFreq = 0.0f;
        float StopFreq = 0.0f;
        float PlotTop = 0.0f;
        float PlotBottom = 0.0f;
        std::vector<TThdPoint> Left;
        std::vector<TThdPoint> Right;
    };
    enum TStatus { Valid, BadMagic, NoData, BadSize, BadValue };

    // The file's bytes; right points are written only when there are as many
    // as left points.
    static std::vector<uint8_t> Encode(const TContents& contents);
    // Checks the layout and that every value is finite before anything is
    // taken; contents is written only for Valid.
    static TStatus Decode(const std::vector<uint8_t>& bytes, TContents& contents);
};
