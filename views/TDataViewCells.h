#pragma once
#include <array>
#include <cstdint>
#include <string>

// The texts of the numeric data view without its window: which columns it
// has, the header row and every cell's format, per data type and scale.
class TDataViewCells {
public:
    enum Kind : uint16_t { TimeSeries = 1, Spectral = 2, Phase = 5 };
    static constexpr int CellWidth = 80;
    static constexpr int CellHeight = 18;
    // Text ends this far inside a cell's right edge; rows start this far below its top.
    static constexpr int TextInset = 2;
    static constexpr int MaxAxisLabel = 20;

    // A spectral or phase listing shows the second result beside the first
    // only while both channels share one scaling.
    static bool ShowsSecond(uint16_t channelProcessing, bool independent);
    static int SpectralColumns(uint16_t channelProcessing, bool independent)
    {
        return ShowsSecond(channelProcessing, independent) ? 3 : 2;
    }

    struct THeaderInput {
        Kind Type = Spectral;
        uint16_t AmplitudeScale = 0;  // the source's: 0 linear, 1 dB
        uint16_t ChannelProcessing = 2;
        // The axis shows the link's RPM instead of frequency or time.
        bool RpmAxis = false;
        const char* RpmLabel = "RPM";
        // A time series with a right channel.
        bool RightChannel = false;
    };
    static std::array<std::string, 3> Header(const THeaderInput& input);

    // Column 1 of a spectral or phase row, and the value cells by type and scale.
    static std::string FrequencyText(float hertz);
    static std::string ValueText(Kind type, float value, uint16_t amplitudeScale);
    static std::string TimeText(double milliseconds);
    // With each channel scaled on its own the caption names the source.
    static std::string Caption(Kind type, bool independent, const char* sourceLabel);
};
