#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TriggerSettings.h"

// What the configuration report tells: the main window's settings and which
// of its windows are open, gathered once per report.
struct TConfigurationFacts {
    // The views as the report lists them.
    enum View { TimeSeries, Spectrum, Phase, Surface, Spectrogram, ViewCount };
    // The utility windows as the report lists them.
    enum Utility {
        PeakFrequency, PeakAmplitude, TotalPower, THD, THDN, IMD, SNR, SINAD, SFDR, NoiseFigure, DelayFinder,
        Reverberation, MacroProcessor, DistortionVsFrequency, UtilityCount
    };

    int OpMode = 1;
    // Empty while no wave file is open.
    std::string WaveFile;
    AnalysisSettingsStruct Settings;
    std::array<ScalingStruct, 2> Scaling{};
    TriggerSettings Trigger;
    CalibrationStruct Calibration{};
    // Whether the analysis has an FFT window object to name.
    bool HasWindow = true;
    std::optional<std::string> InputDevice;
    std::optional<std::string> OutputDevice;
    std::array<bool, ViewCount> Views{};
    // The generator's description of each channel, while it is open.
    std::optional<std::array<std::string, 2>> Generator;
    std::array<bool, UtilityCount> Utilities{};
};

// The configuration report: numbered lines 1 to LastLine, each a text
// (possibly empty, a blank line) or nothing (left out). Settings outside
// their codes read "Unknown (n)".
class TConfigurationReport {
public:
    static constexpr int LastLine = 84;
    // How many line numbers callers ask for.
    static constexpr int LineCount = 100;

    static std::optional<std::string> Line(const TConfigurationFacts& facts, int number);
    // Every line that exists, in order.
    static std::vector<std::string> Lines(const TConfigurationFacts& facts);
};
