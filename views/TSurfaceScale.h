#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "views/TAmplitudeScale.h"
#include "views/TFrequencyAxis.h"
#include "views/TPaneLayout.h"

class TLineSource;

// The 3-D surface's geometry. Line n of the history has its base n rows
// above the pane's bottom row and sits one column further right for every
// LinesPerStep rows, so depth runs up and to the right; the front line
// spans the column table, and a value rises at most a third of the pane.
// Colours divide the amplitude axis into equal bands, the lowest first.
class TSurfaceScale : public TAmplitudeScale {
public:
    static constexpr int NoColumn = TFrequencyAxis::NoColumn;
    // A level where no pane or no image answers.
    static constexpr float NoLevel = -999.9f;

    uint16_t FreqScaleType = 1;   // 0 linear, 1 logarithmic, 2 bands drawn as steps
    bool UseFullSpan = true;
    float StartFreq = 100.0f;
    float StopFreq = 10000.0f;
    int LinesPerStep = 3;

    std::vector<TColumnEntry> Columns;
    std::vector<TAxisLabel> FreqTicks;

    // The band shown: StartFreq..StopFreq within the data's range, the whole
    // range with UseFullSpan or when nothing of it is left.
    void Range(const TLineSource& source, double& lo, double& hi) const;
    // Columns of the front line in a pane: its width less the lines that fit
    // its height, never below 0.
    int ColumnCountFor(int width, int height) const;
    void BuildColumns(int width, int height, const TLineSource& source);
    float ColumnFrequency(int column) const { return TFrequencyAxis::FrequencyAt(Columns, column); }
    int ColumnForFrequency(float frequency) const { return TFrequencyAxis::ColumnOf(Columns, frequency); }
    void BuildFrequencyTicks(int width, const TLineSource& source);

    // The tallest a line rises in a pane.
    static int HeightScale(int paneHeight) { return paneHeight / 3; }
    // A value's height above its line's base, 0..scale.
    int HeightOf(float value, int scale) const;
    // The outline of a new front line in a pane image height rows tall, as
    // a closed polygon below the bottom edge. everyColumn draws each column;
    // otherwise a run of columns on one index draws once.
    std::vector<TCurvePoint> BuildOutline(const TLineSource& source, int height, bool everyColumn) const;

    // Colour by height: walks the vertical run of pen-coloured pixels at
    // each vertex of the outline (the two closing points left out), down
    // from the vertex and up from the row above it, and paints each with the
    // colour index of its row, count colours over scale rows.
    static void PaintByHeight(const std::vector<TCurvePoint>& outline, int height, int scale, int count,
                              const std::function<bool(int x, int y)>& isPen,
                              const std::function<void(int x, int y, int index)>& paint);
    // The colour to read at row y of an image height rows tall: the pixel's
    // own or, when it shows the background and probing is on, that of the
    // last of the rows 4, 3, -3, -4, 2, -2, 1, -1 away (inside the image)
    // that does not.
    static uint32_t ProbeColour(int y, int height, uint32_t background, bool probe,
                                const std::function<uint32_t(int y)>& pixelAt);

    // The height a level rises in a pane of paneHeight rows.
    int HeightOfLevel(float level, int paneHeight) const;
    // The front line's column under a point of a line standing height above
    // its base, in a pane with left edge left and bottom edge bottom.
    int FrontColumn(int x, int y, int left, int bottom, int height) const;
    // The history record (pixel row from the bottom) of that line's base,
    // within 0..count - 1.
    static int RecordAtRow(int y, int bottom, int height, int count);

    // What the level readout says for a colour band: a level in the top band
    // may lie anywhere above it, so that band reads "Over" and the bottom
    // one (and no band, -1) "Under".
    enum class BarText { Value, Over, Under };
    static BarText ReadoutText(int band, int count);

    // The cursor values as the clipboard takes them; the level only where
    // colours show it.
    static std::string CursorText(float frequency, float time, float level, bool withLevel);
};
