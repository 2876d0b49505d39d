#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The overlay curve file (".ovl", also the ".mic" compensation files): a
// name line ";name", an optional ";SPLINE OFF" line and one "frequency\tvalue"
// line a point, frequencies from 0 up and never falling. Parsing and
// formatting only; TOverlayData opens the files and builds the curve.
class TOverlayFile {
public:
    static constexpr uint32_t MaxPoints = 524288;
    static constexpr int NameSize = 24;
    // Lines are taken at most this many characters at a time; the rest of a
    // longer line is read as a line of its own.
    static constexpr int LineChunk = 127;
    // A fall in a file of at least this many points cuts it there instead
    // of refusing it.
    static constexpr uint32_t CutFrom = 100;
    // A band point (f, v) is kept as (f * Below, v), (f, v), (f * Above, v).
    static constexpr double BandBelow = 0.99999;
    static constexpr double BandAbove = 1.00001;

    enum Status { Usable, TooFew, NotAscending };

    // (frequency, value) float pairs one after the other.
    std::vector<float> Points;
    char Name[NameSize] = {};
    int SplineOff = 0;
    Status Result = TooFew;

    uint32_t Count() const { return uint32_t(Points.size() / 2); }

    // Reads the whole text; in band mode each point is stored as its triple.
    static TOverlayFile Parse(const char* text, size_t size, bool bandMode);
    // The name only: ";SPLINE" lines are skipped and the first data line ends the reading.
    static std::string ParseName(const char* text, size_t size);
    // The file's text with "\n" line ends: name line, ";SPLINE OFF" when
    // asked for, one line per (frequency, value) pair.
    static std::string Format(const char* name, int splineOff, const float* pairs, uint32_t count);

private:
    // Copies a name line's text after the ";" into name, ending it at the
    // first CR, LF or tab and after 23 characters.
    static void TakeName(std::string_view line, char* name);
};
