#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "views/TPaneLayout.h"
#include "views/TSeriesScale.h"
#include "views/TSpectrumScale.h"

class TSeriesReader;

// How the time series view turns samples into trace points: one value or a
// maximum/minimum pair per pixel column of a pane (read through the column
// table), the strip chart that shifts its points and reads only new frames,
// and the X/Y plot of one channel against the other.
class TSeriesTrace {
public:
    // Polyline takes at most this many points at a time; printers fewer.
    static constexpr int ScreenPiece = 8192;
    static constexpr int PrinterPiece = 256;
    // The strip chart moves in steps of at least this many columns.
    static constexpr int64_t StripChartMinColumns = 8;

    // How the second series joins the first.
    enum TCombine { FirstOnly, Difference, Sum };

    // The trace of a pane: min/max pairs while the visible frames outnumber
    // the pane's columns, else one sample per column whose frame changes
    // (and the first and last column), at most capacity points. False, with
    // nothing built, when the scale's column table or the capacity is
    // narrower than the pane.
    static bool Build(const TSeriesReader& first, const TSeriesReader* second, TCombine combine,
                      const TSeriesScale& scale, const TPaneRect& pane, size_t capacity,
                      std::vector<TCurvePoint>& points);

    // The strip chart's memory between steps: the input frame it last moved at.
    struct TStripState {
        int64_t LastFrame = 0;
    };
    // Moves the strip chart by the columns that the input has filled since
    // the last step and draws them from the newest frames of the analysis
    // blocks (blockLength frames each). False, with points and state
    // unchanged, until at least StripChartMinColumns columns are new.
    // keepFrame leaves the state for a second pane that must move as far.
    static bool Scroll(const TSeriesReader& first, const TSeriesReader* second, TCombine combine,
                       const TSeriesScale& scale, const TPaneRect& pane, size_t capacity, uint32_t inputFrame,
                       uint32_t blockLength, TStripState& state, bool keepFrame, std::vector<TCurvePoint>& points);

    // One point per frame of the first series: x from the first, y from the
    // second, both on the linear axis of -PlotTop .. PlotTop. False when
    // either is missing or the frames do not fit capacity.
    static bool BuildXY(const TSeriesReader& first, const TSeriesReader& second, uint32_t frames,
                        const TSeriesScale& scale, const TPaneRect& pane, size_t capacity,
                        std::vector<TCurvePoint>& points);

    // The (first point, count) pieces a polyline of count points is drawn
    // in; each piece after the first starts at the last point of the one
    // before, so the line stays joined.
    static std::vector<std::pair<int, int>> Pieces(int count, int pieceSize);
};
