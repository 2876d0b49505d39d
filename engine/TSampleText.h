#pragma once
#include <cstdint>
#include <string>

// The time series copied as text: one line per frame, the time in
// milliseconds and the values printed "%3.4f", separated by tabs and ended
// by CR LF. Lines are as long as their numbers need.
class TSampleText {
public:
    // How the time series view combines the channels ("PlotChannel"); other
    // values copy the channels as they are.
    enum TCombine : int { Separate = 0, LeftMinusRight = 3, RightMinusLeft = 4, Sum = 5 };

    // right is used with two channels or a combination (0 for mono data).
    static void AppendLine(std::string& text, float seconds, float left, float right, uint16_t channels,
                           int combine);
};
