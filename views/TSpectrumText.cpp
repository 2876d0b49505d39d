// Spectrum values as text for the clipboard and for text files.
#include "views/TSpectrumText.h"

#include <cstdio>
#include "engine/TChannelProcessing.h"

namespace {

std::string Cut(const char* text)
{
    std::string s = text ? text : "";
    if (s.size() > TSpectrumText::NameLimit)
        s.resize(TSpectrumText::NameLimit);
    return s;
}

void AppendLine(std::string& text, float frequency, float value, const float* second)
{
    char line[160];
    const int n = second ? std::snprintf(line, sizeof line, "%5.4f\t%f\t%f\r\n", frequency, value, *second)
                         : std::snprintf(line, sizeof line, "%5.4f\t%f\r\n", frequency, value);
    text.append(line, size_t(n > 0 && n < int(sizeof line) ? n : 0));
}

void AppendRows(std::string& text, int first, int last, const TSpectrumValues& data, const TSpectrumValues* data2,
                bool twoColumns, bool peakHold)
{
    for (int i = first; i <= last; ++i) {
        const float second = data2 ? data2->ValueOf(i, peakHold) : 0.0f;
        AppendLine(text, data.FrequencyOf(i), data.ValueOf(i, peakHold), twoColumns ? &second : nullptr);
    }
}

}  // namespace

std::string TSpectrumText::Clipboard(const char* unit, const char* label, int first, int last,
                                     const TSpectrumValues& data, const TSpectrumValues* data2, bool peakHold)
{
    std::string text = ";Freq(Hz)\t" + Cut(unit) + ": " + Cut(label) + "\r\n";
    AppendRows(text, first, last, data, data2, data2 != nullptr, peakHold);
    return text;
}

int TSpectrumText::FileColumns(int processingMode)
{
    const bool known = processingMode >= 0 && processingMode < TChannelProcessing::ModeCount;
    return known && TChannelProcessing::ShowsTwoResults(uint16_t(processingMode)) ? 2 : 1;
}

std::string TSpectrumText::File(int processingMode, const char* unit, int first, int last,
                                const TSpectrumValues& data, const TSpectrumValues* data2)
{
    const std::string u = Cut(unit);
    std::string text = ";Freq(Hz)\t" + u;
    switch (processingMode) {
    case 0: text += ": Left"; break;
    case 1: text += ": Right"; break;
    case 2: text += ": Left\t" + u + ": Right"; break;
    case 11:
    case 12: text += ": Transfer Function\t" + u + ": Coherence"; break;
    default: text += ": Level"; break;
    }
    text += "\r\n";
    AppendRows(text, first, last, data, data2, FileColumns(processingMode) == 2, false);
    return text;
}
