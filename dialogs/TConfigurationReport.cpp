#include "dialogs/TConfigurationReport.h"

#include <cstdio>
#include <cstring>

#include "dialogs/TAveragingChoices.h"
#include "dialogs/TProcessingSettingsForm.h"
#include "engine/TSmoothing.h"

namespace {

using Facts = TConfigurationFacts;
using Text = std::optional<std::string>;

std::string Unknown(long value) { return "Unknown (" + std::to_string(value) + ")"; }

template <size_t N> std::string Pick(const char* const (&names)[N], unsigned value)
{
    if (value < N)
        return names[value];
    return Unknown(long(value));
}

template <class... T> std::string Format(const char* format, T... values)
{
    char text[400];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

const char* const OnOff[] = {"Disabled", "Enabled"};
const char* const Weightings[] = {"Flat", "A", "B", "C"};
const char* const Channels[] = {"Left", "Right"};

bool Stereo(const Facts& f) { return f.Settings.Format.NumChannels == 2; }
bool Independent(const Facts& f) { return f.Settings.IndependentScalingAndCalibration == 1; }
const CalibrationChannel& Cal(const Facts& f, int channel) { return channel ? f.Calibration.Right : f.Calibration.Left; }

// A scaling or calibration line: labelled per channel while the channels are
// independent, else once, unlabelled, from the left channel.
Text PerChannel(const Facts& f, int channel, const char* title, const std::string& value)
{
    if (channel == 1 && !Independent(f))
        return std::nullopt;
    const std::string label = Independent(f) ? std::string(title) + " " + Channels[channel] : std::string(title);
    return "\t" + label + ":\t" + value;
}

std::string FrequencyAxis(const ScalingStruct& s)
{
    if (s.FreqScaleType == DisplaySettingsStruct::OctaveBands)
        return Format("1/%d Octave", int(s.OctaveNumber));
    const char* const names[] = {"Linear", "Logarithmic"};
    return Pick(names, s.FreqScaleType);
}

std::string Units(const Facts& f, int channel)
{
    const CalibrationChannel& c = Cal(f, channel);
    const unsigned scale = f.Scaling[channel].AmpScaleType;
    if (scale > 1)
        return Unknown(scale);
    const char* label = scale == 0 ? c.LabelLinear : c.LabelLog;
    return std::string(label, strnlen(label, sizeof c.LabelLinear));
}

Text Device(const char* title, const std::optional<std::string>& name)
{
    return std::string("\t") + title + ":\t" + (name ? name->substr(0, 32) : std::string("None"));
}

std::string FileName(const ScalingStruct& s)
{
    return std::string(s.MicCompFilename, strnlen(s.MicCompFilename, sizeof s.MicCompFilename));
}

std::string WindowName(uint16_t window)
{
    char name[TSmoothing::NameLength + 1];
    TSmoothing::GetWindowName(window, name);
    return name[0] ? std::string(name) : Unknown(window);
}

Text Optional(bool present, std::string text) { return present ? Text(std::move(text)) : std::nullopt; }

using Row = Text (*)(const Facts&);
const AnalysisSettingsStruct& S(const Facts& f) { return f.Settings; }
const ScalingStruct& L(const Facts& f) { return f.Scaling[0]; }
const ScalingStruct& R(const Facts& f) { return f.Scaling[1]; }

const char* const Axes[] = {"Linear", "Logarithmic"};
const char* const PsdTypes[] = {"Units^2/Hz", "Units/Sqrt Hz"};
const char* const Views[] = {"\tTime Series", "\tSpectrum", "\tPhase", "\t3-D Surface", "\tSpectrogram"};
const char* const Utilities[] = {
    "\tPeak Frequency", "\tPeak Amplitude", "\tTotal Power", "\tTotal Harmonic Distortion (THD)",
    "\tTotal Harmonic Distortion + Noise (THD+N)", "\tInterModulation Distortion (IMD)",
    "\tSignal to Noise Ratio (SNR)", "\tSignal to Noise And Distortion Ratio (SINAD)",
    "\tSpurious Free Dynamic Range (SFDR)", "\tNoise Figure (NF)", "\tDelay Finder", "\tReverberation (RT60)",
    "\tMacro Command Processor", "\tDistortion vs Frequency"};
static_assert(std::size(Views) == Facts::ViewCount && std::size(Utilities) == Facts::UtilityCount);

Text Blank(const Facts&) { return std::string(); }
Text Nothing(const Facts&) { return std::nullopt; }
template <int V> Text ViewLine(const Facts& f) { return Optional(f.Views[V], Views[V]); }
template <int U> Text UtilityLine(const Facts& f) { return Optional(f.Utilities[U], Utilities[U]); }

// Lines 0 to 84, by number.
const Row Rows[TConfigurationReport::LastLine + 1] = {
    Nothing,
    [](const Facts& f) -> Text {
        const char* const modes[] = {"Real-Time", "Post-Processing", "Recorder"};
        return "MODE:\t" + (f.OpMode >= 1 && f.OpMode <= 3 ? std::string(modes[f.OpMode - 1]) : Unknown(f.OpMode));
    },
    [](const Facts& f) { return Optional(!f.WaveFile.empty(), "WAVE FILE:\t" + f.WaveFile); },
    Blank,
    [](const Facts&) -> Text { return "PROCESSING SETTINGS"; },
    [](const Facts& f) -> Text { return Format("\tSampling Rate:\t%d Hz", int(S(f).Format.SamplingRate)); },
    [](const Facts& f) -> Text { return Format("\tSampling Precision:\t%d bits", int(S(f).Format.BitsPerSample)); },
    [](const Facts& f) -> Text { return Format("\tChannels:\t%d", int(S(f).Format.NumChannels)); },
    [](const Facts& f) -> Text { return Format("\tFFT size:\t%d pts", int(S(f).FFTsize)); },
    [](const Facts& f) -> Text { return Format("\tDecimation Ratio:\t%d", int(S(f).DecimationRatio)); },
    [](const Facts& f) {
        return Optional(S(f).DecimationRatio > 1, "\tLow Pass Filter:\t" + Pick(OnOff, S(f).ApplyLowPassFilter));
    },
    [](const Facts& f) -> Text {
        const char* const types[] = {"Exponential", "Linear", "Vector"};
        return "\tAveraging Type:\t" + Pick(types, S(f).AverageType);
    },
    [](const Facts& f) -> Text {
        const char* const modes[] = {"Free Run (Blocks)", "Sound Level Meter"};
        return "\tAveraging Mode:\t" + Pick(modes, S(f).AverageMode);
    },
    [](const Facts& f) -> Text {
        if (S(f).AverageMode == AnalysisSettingsStruct::BlockAveraging)
            return Format("\tAveraging Block Size:\t%d", int(S(f).AverageBlocks));
        return "\tAveraging Speed:\t" + Pick(TAveragingChoices::Speeds, S(f).AverageSpeed);
    },
    [](const Facts& f) -> Text { return "\tPeak Hold:\t" + Pick(TAveragingChoices::Speeds, S(f).PeakHold); },
    [](const Facts& f) { return Optional(f.HasWindow, "\tSmoothing Window:\t" + WindowName(S(f).SmoothingWindow)); },
    [](const Facts& f) -> Text { return Format("\tOverlap Percentage:\t%d", int(S(f).OverlapPercent)); },
    [](const Facts& f) -> Text {
        return "\tIndpendent Channels:\t" + Pick(OnOff, S(f).IndependentScalingAndCalibration);
    },
    [](const Facts& f) -> Text {
        return "\tChannel Processing:\t" + Pick(TProcessingSettingsForm::ChannelModes, S(f).ChannelProcessing);
    },
    [](const Facts& f) { return Optional(Stereo(f), "\tDelay Channel:\t" + Pick(Channels, S(f).DelayChannel)); },
    [](const Facts& f) {
        return Optional(Stereo(f), Format("\tDelay time\t%d milliseconds", int(S(f).DelayTimeMsec)));
    },
    [](const Facts& f) -> Text {
        const char* const onOff[] = {"Off", "On"};
        return "\tOverload Detection:\t" + Pick(onOff, S(f).EnableOverloadDetection);
    },
    [](const Facts& f) {
        const char* const noYes[] = {"No", "Yes"};
        return Optional(S(f).EnableOverloadDetection == 1,
                        "\tExclude Overloaded data:\t" + Pick(noYes, S(f).ExcludeOverloadFlag));
    },
    Blank,
    [](const Facts&) -> Text { return "SCALING"; },
    [](const Facts& f) { return PerChannel(f, 0, "Amplitude Axis", Pick(Axes, L(f).AmpScaleType)); },
    [](const Facts& f) { return PerChannel(f, 1, "Amplitude Axis", Pick(Axes, R(f).AmpScaleType)); },
    [](const Facts& f) { return PerChannel(f, 0, "Frequency Axis", FrequencyAxis(L(f))); },
    [](const Facts& f) { return PerChannel(f, 1, "Frequency Axis", FrequencyAxis(R(f))); },
    [](const Facts& f) -> Text {
        if (Independent(f))
            return PerChannel(f, 0, "PSD", Pick(OnOff, L(f).SpectralDensityFlag));
        return "\tPower Spectral Density:\t" + Pick(OnOff, L(f).SpectralDensityFlag);
    },
    [](const Facts& f) { return PerChannel(f, 1, "PSD", Pick(OnOff, R(f).SpectralDensityFlag)); },
    [](const Facts& f) -> Text {
        if (L(f).SpectralDensityFlag == 0)
            return std::nullopt;
        return PerChannel(f, 0, "PSD Type", Pick(PsdTypes, L(f).SpectralDensityType));
    },
    [](const Facts& f) -> Text {
        if (R(f).SpectralDensityFlag == 0)
            return std::nullopt;
        return PerChannel(f, 1, "PSD Type", Pick(PsdTypes, R(f).SpectralDensityType));
    },
    [](const Facts& f) { return PerChannel(f, 0, "Spectral Weighting", Pick(Weightings, L(f).StandardWeighting)); },
    [](const Facts& f) {
        return PerChannel(f, 0, "Total Power Weighting", Pick(Weightings, L(f).TotalPowerWeighting));
    },
    [](const Facts& f) { return PerChannel(f, 1, "Spectral Weighting", Pick(Weightings, R(f).StandardWeighting)); },
    [](const Facts& f) {
        return PerChannel(f, 1, "Total Power Weighting", Pick(Weightings, R(f).TotalPowerWeighting));
    },
    [](const Facts& f) -> Text {
        return std::string("\tMicrophone Compensation Left:\t") +
               (L(f).MicCompEnable ? FileName(L(f)) : std::string("Disabled"));
    },
    [](const Facts& f) -> Text {
        return std::string("\tMicrophone Compensation Right:\t") +
               (R(f).MicCompEnable && Stereo(f) ? FileName(R(f)) : std::string("Disabled"));
    },
    Blank,
    [](const Facts&) -> Text { return "TRIGGERING"; },
    [](const Facts& f) -> Text { return "\tTrigger Status:\t" + Pick(OnOff, f.Trigger.Enable); },
    [](const Facts& f) -> Text {
        const char* const modes[] = {"Rearm after trigger", "Stop after trigger", "Run after trigger"};
        return "\tMode:\t" + Pick(modes, f.Trigger.Mode);
    },
    [](const Facts& f) -> Text { return "\tSource Channel:\t" + Pick(Channels, f.Trigger.Channel); },
    [](const Facts& f) -> Text {
        const char* const types[] = {"Level", "Edge"};
        return "\tTrigger Type:\t" + Pick(types, f.Trigger.TriggerType);
    },
    [](const Facts& f) -> Text {
        const char* const slopes[] = {"Positive", "Negative"};
        return "\tTrigger Slope:\t" + Pick(slopes, f.Trigger.TriggerSlope);
    },
    [](const Facts& f) -> Text { return Format("\tThreshold:\t%d percent", int(f.Trigger.Threshold)); },
    [](const Facts& f) -> Text {
        const char* const delays[] = {"Pre-Trigger", "Post-Trigger"};
        return "\tDelay Type:\t" + Pick(delays, f.Trigger.DelayType);
    },
    [](const Facts& f) -> Text { return Format("\tDelay Time:\t%3.1f milliseconds", double(f.Trigger.DelayMsec)); },
    Blank,
    [](const Facts&) -> Text { return "CALIBRATION"; },
    [](const Facts& f) { return PerChannel(f, 0, "Status", Pick(OnOff, Cal(f, 0).IsEnabled)); },
    [](const Facts& f) { return PerChannel(f, 1, "Status", Pick(OnOff, Cal(f, 1).IsEnabled)); },
    Nothing,
    [](const Facts& f) -> Text {
        return Cal(f, 0).IsEnabled == 1 ? PerChannel(f, 0, "Units", Units(f, 0)) : std::nullopt;
    },
    [](const Facts& f) -> Text {
        return Cal(f, 1).IsEnabled == 1 ? PerChannel(f, 1, "Units", Units(f, 1)) : std::nullopt;
    },
    Blank,
    [](const Facts&) -> Text { return "I/O DEVICES"; },
    [](const Facts& f) { return Device("Input Device", f.InputDevice); },
    [](const Facts& f) { return Device("Output Device", f.OutputDevice); },
    Blank,
    [](const Facts&) -> Text { return "ACTIVE VIEWS"; },
    ViewLine<0>, ViewLine<1>, ViewLine<2>, ViewLine<3>, ViewLine<4>,
    Blank,
    [](const Facts&) -> Text { return "ACTIVE UTILITIES"; },
    [](const Facts& f) -> Text {
        if (!f.Generator)
            return std::nullopt;
        return (Stereo(f) ? "\tSignal Generator Left\t" : "\tSignal Generator\t") + (*f.Generator)[0];
    },
    [](const Facts& f) {
        return Optional(f.Generator && Stereo(f), "\tSignal Generator Right\t" + (f.Generator ? (*f.Generator)[1] : ""));
    },
    UtilityLine<0>, UtilityLine<1>, UtilityLine<2>, UtilityLine<3>, UtilityLine<4>, UtilityLine<5>, UtilityLine<6>,
    UtilityLine<7>, UtilityLine<8>, UtilityLine<9>, UtilityLine<10>, UtilityLine<11>, UtilityLine<12>,
    UtilityLine<13>,
};

}  // namespace

std::optional<std::string> TConfigurationReport::Line(const TConfigurationFacts& facts, int number)
{
    if (number < 1 || number > LastLine)
        return std::nullopt;
    return Rows[number](facts);
}

std::vector<std::string> TConfigurationReport::Lines(const TConfigurationFacts& facts)
{
    std::vector<std::string> lines;
    for (int n = 1; n <= LineCount; ++n)
        if (auto line = Line(facts, n))
            lines.push_back(std::move(*line));
    return lines;
}
