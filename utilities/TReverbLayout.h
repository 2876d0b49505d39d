#pragma once
#include <cstdint>
#include <string>

class TReverbData;

// Where the reverberation window draws its three plots and what a point of
// its graph reads: pure arithmetic over the graph rectangle, the table and
// the view settings, so that the window only draws what this computes.
class TReverbLayout {
public:
    enum TMode : int32_t { NoData = 0, RtBars = 1, DecayCurve = 2, Surface = 3 };
    struct TGraph {
        int Left, Top, Right, Bottom;
        int Width() const { return Right - Left; }
        int Height() const { return Bottom - Top; }
        bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    };

    // The time axes: 4 divisions from 1 s up, 10 below; labels "%6.2f" up to
    // 2 s, "%6.1f" above.
    static int TimeDivisions(float shownTime) { return shownTime >= 1.0f ? 4 : 10; }
    static std::string TimeLabel(float shownTime, int i);
    // The level axes: one division per 10 dB, and one for a range under 10 dB.
    static int LevelDivisions(float plotRange);
    // A frequency label: whole hertz below 1 kHz, else kilohertz "%6.1fk".
    static std::string FrequencyLabel(float frequency);
    // A value v of [0, span] as pixels of an axis of the given length, inside 1 .. length - 1.
    static int AxisPixels(double value, double span, int length);

    // The bar chart: the width of each bar, the left edge of an entry's, and
    // a time's height in pixels.
    static int BarWidth(const TGraph& g, int bandCount) { return g.Width() / bandCount - 2; }
    static int BarLeft(const TGraph& g, int bandCount, int entry)
    {
        return g.Left + 2 + entry * (2 + BarWidth(g, bandCount));
    }
    static int BarHeight(const TGraph& g, float time, float shownTime);
    // The decay curve: the row under pixel column p; its height for a level.
    static int DecayRow(int p, int width, float shownTime, float hopTime);
    static int LevelPixels(float level, float plotTop, float plotRange, int height);

    // The waterfall: amplitude height, number of lines, band spacing and
    // rows per line; Drawable is false when the graph or the table is too
    // small for one line, or holds a single entry.
    struct TSurface {
        int Amplitude = 0;
        int Lines = 0;
        double BandSpacing = 0.0;
        double RowsPerLine = 0.0;
        bool Drawable = false;
    };
    static TSurface SurfaceGeometry(const TGraph& g, int bandCount, float shownTime, float hopTime);

    // The entry a double click picks in mode 1 or 3; -1 when the click picks
    // none (another mode, outside the graph, columns under a pixel wide).
    static int ClickedEntry(int32_t mode, const TGraph& g, int bandCount, int x, int y);
    // The read-outs at a point.
    static float XValue(int32_t mode, const TGraph& g, const TReverbData& d, float shownTime, int x);
    static float YValue(int32_t mode, const TGraph& g, float shownTime, float plotTop, float plotRange, int y);

    // The clipboard text of a mode: T-values per entry, one band's decay, or
    // every entry's decay per row; empty in mode 0 or without rows.
    static std::string Text(int32_t mode, const TReverbData& d, int32_t rtIndex, int32_t band);
};
