#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// The bin (or band) index and frequency of one pixel column.
struct TColumnEntry {
    uint32_t Bin;
    float Frequency;
};

// A tick of an axis: a column (frequency axis) or a row offset from the pane
// top (amplitude axes), and its text; an empty text is a tick without label.
struct TAxisLabel {
    int32_t Position;
    char Text[11];
};

// The frequency axis every spectral view draws against: a table tying each
// pixel column to a frequency and the data's index of it, and the ticks of
// the axis, walked in whole hertz and labelled where they do not crowd.
class TFrequencyAxis {
public:
    static constexpr int NoColumn = -999;

    // count columns from lo, column j at lo + j (hi - lo) / count, or on a
    // logarithmic axis the same in log10 (a bound not above 0 counts as 0).
    // indexOf gives a frequency's index, held to 0..lastIndex; on a
    // logarithmic axis the last column reaches one index further, but never
    // past lastIndex.
    static std::vector<TColumnEntry> BuildColumns(int count, double lo, double hi, bool logarithmic,
                                                  const std::function<int(double)>& indexOf, int lastIndex);
    // The first column j with f(j) <= frequency <= f(j + 1); NoColumn for none.
    static int ColumnOf(const std::vector<TColumnEntry>& columns, float frequency);
    static float FrequencyAt(const std::vector<TColumnEntry>& columns, int column);

    // Ticks of the axis from lo to hi over the columns, at most width - 1:
    // steps of 10000 down to 1 Hz that give four or more ticks across the
    // span, on a logarithmic axis a decade's step at each frequency (and the
    // linear steps when that leaves fewer than four). Every tick is
    // labelled; Thin then clears the labels that crowd.
    static std::vector<TAxisLabel> BuildLabels(const std::vector<TColumnEntry>& columns, int width, double lo,
                                               double hi, bool logarithmic);

    // Empties the text of a label within spacing of the last one kept,
    // walking from the last label (fromLast) or from the first.
    static void Thin(std::vector<TAxisLabel>& labels, int spacing, bool fromLast);
    // The label's text: value printed with format, cut to 10 characters.
    static void SetText(TAxisLabel& label, const char* format, double value);
};
