#pragma once
#include <cstdint>
#include <string>

class TSpectralData;
struct DisplaySettingsStruct;

// The single-value readouts without a window: the ten measure kinds with
// their captions, commands and window types, how many rows a readout shows,
// the unit texts, the formatted values and the size of the text.
class TReadoutFormat {
public:
    enum TMeasureKind : uint16_t {
        THD, THDN, IMD, SNR, SINAD, SFDR, NoiseFigure, PeakFrequency, PeakAmplitude, TotalPower, KindCount
    };
    struct TKindRow {
        TMeasureKind Kind;
        const char* Caption;
        unsigned Command;
        int WindowType;
    };
    // One channel as a readout row sees it: its result and display settings.
    struct TChannel {
        TSpectralData* Spectrum;
        const DisplaySettingsStruct* Scaling;
        bool Calibrated;
    };
    // The character size for a text of some length and the client size; nothing is drawn when Draw is false.
    struct TMetrics {
        int CharWidth, CharHeight;
        bool Draw;
    };
    static constexpr int MinWidth = 120;
    static constexpr int MinRowHeight = 64;

    static const TKindRow& Row(TMeasureKind kind);
    // The kind shown by a window type; KindCount for another type.
    static TMeasureKind KindOfWindowType(int type);
    // 1 or 2 rows from the channel-processing mode (two for both channels, and
    // for the transfer-and-coherence modes); SINAD shown as time has one.
    static int RowCount(TMeasureKind kind, uint16_t channelProcessing, int32_t timeSwitch);
    static std::string AmplitudeUnit(const TChannel& channel);
    static std::string TotalPowerUnit(const TChannel& channel);
    static std::string DbUnit(const TChannel& channel);
    // A row's text from the channel's result; "0.0" without one. The noise
    // figure is the host's one number for the pair of channels.
    static std::string ValueText(TMeasureKind kind, const TChannel& channel, float noiseFigure);
    static TMetrics Metrics(int clientWidth, int clientHeight, int rows, size_t longestText);
    // A row's text at its widest: the largest value the kind shows in its
    // format and unit; the window is sized and its font set for it.
    static std::string WidestText(TMeasureKind kind, const TChannel& channel);
};
