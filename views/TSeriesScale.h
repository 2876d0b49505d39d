#pragma once
#include <cstdint>
#include <vector>

#include "views/TAmplitudeSteps.h"
#include "views/TSpectrumScale.h"

struct CalibrationChannel;
class TSeriesReader;

// What the time series view shows (the main window's SeriesLiveBlock).
enum TSeriesSource : uint32_t { WaveSource = 0, BlockSource = 1, StripChartSource = 2 };

// The channel combo's choices (the setting PlotChannel).
enum TPlotChannel : uint16_t {
    LeftChannel = 0, RightChannel, BothChannels, LeftMinusRight, RightMinusLeft, LeftPlusRight, LeftVsRight,
    RightVsLeft
};
inline bool IsXYChannel(uint16_t plotChannel) { return plotChannel == LeftVsRight || plotChannel == RightVsLeft; }

// One pixel column of the graph area: the frame and the time it shows.
struct TSeriesColumn {
    uint32_t Frame;
    float Time;
};

// A readout value with the precision code of its box.
struct TReadout {
    float Value;
    int Precision;
};

// The time series view's scales: the amplitude axis (linear in percent of
// full scale or in calibrated units, or dB) with its ticks, the column table
// that ties each pixel column to a frame and a time with the time ticks
// built on it, and the cursor readouts and rows of both axes.
class TSeriesScale {
public:
    static constexpr int NoColumn = -999;
    enum AmpScale : uint16_t { LinearAxis = 0, DecibelAxis = 1 };

    uint16_t AmpScaleType = LinearAxis;
    float PlotTop = 100.0f;
    float PlotRange = 100.0f;
    // The series of a DDE client link: a linear axis from 0 to PlotTop.
    bool DdeLink = false;
    // The least pixels between two labels of the time and amplitude axes.
    int TimeLabelSpacing = 36;
    int AmplitudeLabelSpacing = 10;
    // Each channel's calibration; null or disabled means percent of full scale.
    const CalibrationChannel* Calibration[2] = {};

    std::vector<TSeriesColumn> Columns;
    std::vector<TAxisLabel> TimeTicks;
    std::vector<TAxisLabel> AmplitudeTicks;

    bool IsCalibrated(uint16_t channel) const;
    // A scaled sample in linear axis units: percent of full scale for a
    // channel without calibration, its calibrated units otherwise.
    double AxisValue(float sample, uint16_t channel) const;
    // The level of a scaled sample's magnitude in the channel's dB unit.
    double Level(float sample, uint16_t channel) const;
    // Height above the bottom of a pane h pixels high of an axis value
    // (linear) or level (dB), limited to 1 .. h - 1.
    int Height(double value, int h) const;
    // The same on the linear axis from -PlotTop to PlotTop, whatever the
    // axis kind (the X/Y plot).
    int LinearHeight(double value, int h) const;

    // Column i of width shows time t0 + i (t1 - t0) / width and the frame of
    // that time in the source of clock.
    void BuildColumns(int width, float t0, float t1, const TSeriesReader& clock);
    // The time of a column offset from the graph's left edge, held to the table.
    float OffsetToTime(int offset) const;
    // The column whose time span holds t; NoColumn at or after the last.
    int TimeToColumn(float t) const;

    // Ticks of the visible times t0 .. t1 on the columns; block times are
    // labelled in milliseconds under two seconds. X/Y plots get the linear
    // axis -PlotTop .. PlotTop over graphWidth instead.
    void BuildTimeTicks(float t0, float t1, bool blockTimes, bool xy, int graphWidth);
    // Ticks from PlotTop down over a pane height pixels high; X/Y plots get
    // PlotTop .. -PlotTop over graphHeight.
    void BuildAmplitudeTicks(int height, bool xy, int graphHeight);

    // Readouts of the measuring cursor. x and y are client pixels; left,
    // right, top and bottom the edges (right and bottom exclusive) of the
    // graph area or of the pane under the cursor.
    TReadout XYCursorX(int x, int left, int right) const;
    TReadout CursorY(int y, int top, int bottom) const;
    // The row of a scaled sample of a channel in a pane, limited to the pane.
    int SampleRow(float sample, uint16_t channel, int top, int bottom) const;

    static TPlotTopSpin PlotTopSpin(uint16_t ampScaleType, double value);

private:
    double Factor(uint16_t channel) const;
};
