#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The THD+N plot's axes without a window: the value of every pixel column
// and row, the lookups between values and pixels, and the ticks with their
// labels. Column 0 is a pane's left edge, row 0 its bottom edge.
class TThdFreqScale {
public:
    static constexpr int NoPixel = -999;
    // Labels closer than these to the next label kept are blanked.
    static constexpr int FrequencyLabelGap = 30;
    static constexpr int AmplitudeLabelGap = 12;

    struct TTick {
        int Offset;
        // Empty: a tick without a label.
        std::string Label;
    };

    // Frequency scale 0 linear, 1 or 2 logarithmic; amplitude scale 0
    // linear, 1 logarithmic. count columns or rows (none for count <= 0).
    static std::vector<float> FrequencyScale(int count, float start, float stop, uint16_t scaleType);
    static std::vector<float> AmplitudeScale(int count, float top, float bottom, uint16_t scaleType);
    // The pixel i with table(i) <= value < table(i + 1), 0 below the first
    // entry, the last at or above the last one; NoPixel without a table.
    static int ToPixel(const std::vector<float>& table, float value);
    // A column's frequency, 0 outside the table.
    static float ColumnValue(const std::vector<float>& table, int x);
    // A row's value, the first below row 0 and the last past the end.
    static float RowValue(const std::vector<float>& table, int y);

    static std::vector<TTick> FrequencyTicks(const std::vector<float>& scale, float start, float stop,
                                             uint16_t scaleType);
    // None unless top is above bottom.
    static std::vector<TTick> AmplitudeTicks(const std::vector<float>& scale, float top, float bottom,
                                             uint16_t scaleType);
};
