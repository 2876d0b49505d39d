#pragma once
#include <string>

#include "views/TSpectrumValues.h"

// The visible part of a spectrum as tab-separated text, one CR LF line per
// index: the clipboard's text (header with the unit and the label) and the
// text file's, whose header follows the channel-processing mode.
class TSpectrumText {
public:
    // Unit names and labels are cut to what an 80-byte buffer holds.
    static constexpr size_t NameLimit = 79;

    static std::string Clipboard(const char* unit, const char* label, int first, int last, const TSpectrumValues& data,
                                 const TSpectrumValues* data2, bool peakHold);
    // Display values only; a third column without data2 reads 0.0.
    static std::string File(int processingMode, const char* unit, int first, int last, const TSpectrumValues& data,
                            const TSpectrumValues* data2);
    // The file header's columns for a channel-processing mode: one or two.
    static int FileColumns(int processingMode);
};
