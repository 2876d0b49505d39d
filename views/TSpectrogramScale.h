#pragma once
#include <cstdint>
#include <vector>

#include "views/TSpectrumScale.h"
#include "views/TSpectrumSource.h"

// The displayed frequency band of a spectrogram, in Hz.
struct TFrequencyBand {
    float Low;
    float High;
};

// The division of a time axis and the suffix of its title.
struct TTimeDivision {
    float Seconds;
    const char* Suffix;
};

// The spectrogram's scales: the band it shows, the column table that ties
// each pixel along the frequency axis to a frequency and a bin, the
// frequency and amplitude tick tables, the time axis division and the colour
// index of every column of a new line.
class TSpectrogramScale {
public:
    static constexpr int NoColumn = -999;

    // StartFreq..StopFreq (or the data's whole range with useFullSpan),
    // clamped into the data's range; the whole range when that is empty.
    static TFrequencyBand DisplayedBand(bool useFullSpan, float start, float stop, float dataLow, float dataHigh);

    // count columns over the band, linear (scale 0) or logarithmic (1, 2).
    void BuildColumns(int count, TFrequencyBand band, uint16_t freqScaleType, const TSpectrumSource& source);
    // The first column p with f(p) <= f <= f(p + 1); NoColumn when none.
    int FindColumn(float frequency) const;
    // The frequency of column p; 0 outside the table.
    float ColumnFrequency(int column) const;

    // Labels along the frequency axis, at most capacity of them; labels
    // closer than spacing pixels to the next higher labelled one lose their
    // text.
    void BuildFrequencyTicks(int capacity, TFrequencyBand band, uint16_t freqScaleType, int spacing);
    // Labels of the colour bar, positions from its top over height pixels.
    void BuildAmplitudeTicks(int height, uint16_t ampScaleType, float top, float range);

    static TTimeDivision TimeDivision(float span);

    // The colour map index of each column for the source's current values.
    // Columns on the bin of the column before them repeat its index.
    void ColumnIndices(const TSpectrumSource& source, uint16_t ampScaleType, float top, float range, int colourCount,
                       std::vector<int>& indices) const;

    std::vector<TColumnEntry> Columns;
    std::vector<TAxisLabel> FrequencyTicks;
    std::vector<TAxisLabel> AmplitudeTicks;
};
