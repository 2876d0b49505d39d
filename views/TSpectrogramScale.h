#pragma once
#include <cstdint>
#include <vector>

#include "views/TAmplitudeScale.h"
#include "views/TFrequencyAxis.h"

class TLineSource;

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
// frequency ticks, the amplitude scale of its colours (the base), the time
// axis division and the colour of every column of a new line.
class TSpectrogramScale : public TAmplitudeScale {
public:
    static constexpr int NoColumn = TFrequencyAxis::NoColumn;

    // StartFreq..StopFreq (or the data's whole range with useFullSpan),
    // clamped into the data's range; the whole range when that is empty.
    static TFrequencyBand DisplayedBand(bool useFullSpan, float start, float stop, float dataLow, float dataHigh);

    // count columns over the band, linear (scale 0) or logarithmic (1, 2);
    // none reaches past the highest index the data displays.
    void BuildColumns(int count, TFrequencyBand band, uint16_t freqScaleType, const TLineSource& source);
    int FindColumn(float frequency) const { return TFrequencyAxis::ColumnOf(Columns, frequency); }
    float ColumnFrequency(int column) const { return TFrequencyAxis::FrequencyAt(Columns, column); }

    // Labels along the frequency axis, at most capacity - 1 of them; labels
    // closer than spacing pixels to the next higher labelled one lose their
    // text.
    void BuildFrequencyTicks(int capacity, TFrequencyBand band, uint16_t freqScaleType, int spacing);

    static TTimeDivision TimeDivision(float span);

    // The colour index among colourCount of each column for the source's
    // current values: the largest value since the previous column's bin.
    // Columns on the bin of the column before them repeat its index.
    void ColumnIndices(const TLineSource& source, int colourCount, std::vector<int>& indices) const;

    std::vector<TColumnEntry> Columns;
    std::vector<TAxisLabel> FrequencyTicks;
};
