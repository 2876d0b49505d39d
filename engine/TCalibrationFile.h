#pragma once
#include "engine/CalibrationStruct.h"

#include <cstdint>
#include <functional>
#include <string>

// Calibration files (".cal"): profile text with the sections "Calibration"
// (left channel) and "CalibrationR" (right channel). The keys, their order,
// defaults and conversions live here; the caller says how a key's text is
// fetched from or stored into the file, so the rules build without the
// platform. The enable flags and the file name are not part of the file.
class TCalibrationFile {
public:
    // The text stored under a key, or `fallback` when the file has none.
    using TLookup = std::function<std::string(const char* section, const char* key, const char* fallback)>;
    using TStore = std::function<void(const char* section, const char* key, const std::string& text)>;

    // Layout id of files that hold both channels in sections of their own.
    static constexpr int32_t LayoutId = 102;
    // Numbers are read as the first 79 characters of their text.
    static constexpr size_t NumberLength = 79;

    // Reads both channel blocks into the record; a file without the layout id
    // gives the right channel the left one's values but for its level, ratio
    // and name. Texts are cut to their fields. Returns false, leaving the
    // record as it was, when a number is not finite or a value lies outside
    // what the calibration dialog stores.
    static bool Read(const TLookup& lookup, CalibrationStruct& record);
    // Writes the keys of both channel blocks and the layout id, in file order.
    static void Write(const TStore& store, const CalibrationStruct& record);
};
