#pragma once
#include <cstdint>
#include <string>

struct CalibrationChannel;

// The texts of the time series view's panes and axes, from the channel
// choice and each channel's calibration (null or disabled: not calibrated).
class TSeriesTitles {
public:
    // The title over a pane (1 upper or only, 2 lower) for a PlotChannel.
    static std::string PaneTitle(uint16_t plotChannel, int pane, const CalibrationChannel* left,
                                 const CalibrationChannel* right);
    // A channel's amplitude unit on the linear or the dB axis.
    static std::string UnitLabel(const CalibrationChannel* channel, bool decibels);
    // The title under the time axis. blockSpan is the visible span in
    // seconds of the analysis blocks (sources 1 and 2).
    static std::string TimeAxisTitle(uint16_t plotChannel, uint32_t source, float blockSpan, bool ddeLink,
                                     const CalibrationChannel* left);
};
