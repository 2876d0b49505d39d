#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/TSpectralData.h"

// The microphone compensation file: one "frequency\tlevel" line a point, in
// hertz and dB, ";" comment lines, and ";SPLINE OFF" anywhere before the end
// of the data for straight lines between the points. The first line that is
// not two finite numbers ends the data. Parsing only; TSpectralData reads the
// file and reports what the result says.
class TCompensationFile {
public:
    static constexpr uint32_t MaxPoints = TSpectralData::MaxCompensationPoints;
    // Characters of a line that are read; the rest of a longer line is not.
    static constexpr size_t LineLength = 127;
    // Levels are held within +/- this many dB.
    static constexpr float LevelLimit = 240.0f;

    enum Status { Usable, TooFew, NotAscending };

    std::vector<TSpectralData::FreqPoint> Points;
    uint32_t SplineOff = 0;
    Status Result = TooFew;

    // At least three points, frequencies from 0 up and never falling, for a
    // usable file.
    static TCompensationFile Parse(const char* text, size_t size);
};
