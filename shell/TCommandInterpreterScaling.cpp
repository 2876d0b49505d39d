// The spectrum scaling and weighting commands: amplitude and frequency
// scale, octave fraction, spectrum and total-power weighting, and the power
// spectral density with its type, each for both channels, the left or the
// right. Every one is acknowledged, whatever its argument.
#include "shell/TCommandInterpreter.h"

#include <iterator>
#include <optional>
#include "dialogs/TScalingForm.h"
#include "shell/TMainWin.h"

namespace {

using S = ScalingStruct;

// What a command sets, and how its argument names the value.
enum class TSetting { Amplitude, Frequency, Octave, Weighting, TotalPowerWeighting, DensityType, Density };
enum class TChannels { Both, Left, Right };

struct TScalingCommand {
    TKeyword Keyword;
    TSetting Setting;
    TChannels Channels;
    // The density switches' value; the other commands read their argument.
    uint32_t Fixed = 0;
};

struct TWord {
    const char* Text;
    uint16_t Code;
};
const TWord AmplitudeWords[] = {{"Linear", S::LinearAmplitude}, {"Log", S::DecibelAmplitude}};
const TWord FrequencyWords[] = {{"Linear", S::LinearFrequency}, {"Log", S::LogFrequency}, {"Octave", S::OctaveBands}};
const TWord WeightingWords[] = {{"Flat", 0}, {"A", 1}, {"B", 2}, {"C", 3}};
const TWord DensityTypeWords[] = {{"0", 0}, {"1", 1}};

// Scales name the value in any case and fall back to linear; weightings and
// density types must be spelt exactly, or name nothing.
template <size_t N> uint16_t ScaleCode(const std::string& argument, const TWord (&words)[N])
{
    for (const TWord& w : words)
        if (TKeywordTable::EqualsNoCase(argument, w.Text)) return w.Code;
    return 0;
}

template <size_t N> std::optional<uint32_t> ExactCode(const std::string& argument, const TWord (&words)[N])
{
    for (const TWord& w : words)
        if (argument == w.Text) return w.Code;
    return std::nullopt;
}

// Only the band fractions the scaling dialog offers.
std::optional<uint32_t> OctaveFraction(const std::string& argument)
{
    const int32_t n = TKeywordTable::ReadInteger(argument);
    for (const TScalingForm::TFrequencyChoice& c : TScalingForm::FrequencyChoices)
        if (c.Scale == S::OctaveBands && c.Fraction == n) return uint32_t(n);
    return std::nullopt;
}

// The value a command names; nothing when its argument names none.
std::optional<uint32_t> ValueOf(const TScalingCommand& command, const std::string& argument)
{
    switch (command.Setting) {
    case TSetting::Amplitude: return ScaleCode(argument, AmplitudeWords);
    case TSetting::Frequency: return ScaleCode(argument, FrequencyWords);
    case TSetting::Octave: return OctaveFraction(argument);
    case TSetting::Weighting:
    case TSetting::TotalPowerWeighting: return ExactCode(argument, WeightingWords);
    case TSetting::DensityType: return ExactCode(argument, DensityTypeWords);
    case TSetting::Density: return command.Fixed;
    }
    return std::nullopt;
}

// A channel's field of a setting, widened.
struct TField {
    uint16_t S::*Narrow;
    uint32_t S::*Wide;
};
constexpr TField Fields[] = {
    {&S::AmpScaleType, nullptr},       {&S::FreqScaleType, nullptr},       {&S::OctaveNumber, nullptr},
    {&S::StandardWeighting, nullptr},  {&S::TotalPowerWeighting, nullptr}, {&S::SpectralDensityType, nullptr},
    {nullptr, &S::SpectralDensityFlag}};
static_assert(std::size(Fields) == size_t(TSetting::Density) + 1);

uint32_t Get(const S& record, TSetting setting)
{
    const TField& f = Fields[size_t(setting)];
    return f.Narrow ? record.*f.Narrow : record.*f.Wide;
}

void Set(S& record, TSetting setting, uint32_t value)
{
    const TField& f = Fields[size_t(setting)];
    if (f.Narrow) record.*f.Narrow = uint16_t(value);
    else record.*f.Wide = value;
}

// The scales are set only when they change; weightings, density type and
// density are set and applied whatever they were.
bool TestsChange(TSetting setting)
{
    return setting == TSetting::Amplitude || setting == TSetting::Frequency || setting == TSetting::Octave;
}

using K = TKeyword;
using T = TSetting;
using C = TChannels;
constexpr TScalingCommand ScalingCommands[] = {
    {K::SetAmplitudeScalingType, T::Amplitude, C::Both},
    {K::SetLeftAmplitudeScalingType, T::Amplitude, C::Left},
    {K::SetRightAmplitudeScalingType, T::Amplitude, C::Right},
    {K::SetFrequencyScalingType, T::Frequency, C::Both},
    {K::SetLeftFrequencyScalingType, T::Frequency, C::Left},
    {K::SetRightFrequencyScalingType, T::Frequency, C::Right},
    {K::SetOctave, T::Octave, C::Both},
    {K::SetLeftOctave, T::Octave, C::Left},
    {K::SetRightOctave, T::Octave, C::Right},
    {K::SetSpectrumWeighting, T::Weighting, C::Both},
    {K::SetLeftSpectrumWeighting, T::Weighting, C::Left},
    {K::SetRightSpectrumWeighting, T::Weighting, C::Right},
    {K::SetTotalPowerWeighting, T::TotalPowerWeighting, C::Both},
    {K::SetLeftTotalPowerWeighting, T::TotalPowerWeighting, C::Left},
    {K::SetRightTotalPowerWeighting, T::TotalPowerWeighting, C::Right},
    {K::SetPSDType, T::DensityType, C::Both},
    {K::SetLeftPSDType, T::DensityType, C::Left},
    {K::SetRightPSDType, T::DensityType, C::Right},
    {K::EnablePSD, T::Density, C::Both, 1},
    {K::EnableLeftPSD, T::Density, C::Left, 1},
    {K::EnableRightPSD, T::Density, C::Right, 1},
    {K::DisablePSD, T::Density, C::Both, 0},
    {K::DisableLeftPSD, T::Density, C::Left, 0},
    {K::DisableRightPSD, T::Density, C::Right, 0},
};

// A command's row holds its place here, which is its keyword's place after
// the first of them.
constexpr int IndexOf(TKeyword keyword) { return int(keyword) - int(K::SetAmplitudeScalingType); }
constexpr bool InKeywordOrder()
{
    for (size_t i = 0; i < std::size(ScalingCommands); ++i)
        if (IndexOf(ScalingCommands[i].Keyword) != int(i)) return false;
    return true;
}
static_assert(InKeywordOrder());

}  // namespace

uint32_t TCommandInterpreter::Scale(const std::string& argument, int index)
{
    const TScalingCommand& command = ScalingCommands[index];
    const T setting = command.Setting;
    const std::optional<uint32_t> value = ValueOf(command, argument);
    // An octave fraction the analyser does not offer changes nothing at all.
    if (setting == T::Octave && !value) return Done;

    S records[2] = {Main.GetScaling(0), Main.GetScaling(1)};
    if (command.Channels == C::Both) {
        if (TestsChange(setting) && Get(records[0], setting) == *value && Get(records[1], setting) == *value)
            return Done;
        if (value) Set(records[0], setting, *value);
        Set(records[1], setting, Get(records[0], setting));
        Main.SetSpectrumScaling(records[0], records[1], true);
        return Done;
    }

    const int side = command.Channels == C::Left ? 0 : 1;
    S& own = records[side];
    S& other = records[1 - side];
    if (TestsChange(setting) && Get(own, setting) == *value) return Done;
    if (value) Set(own, setting, *value);
    if (Main.GetAnalysisSettings().IndependentScalingAndCalibration == 0) Set(other, setting, Get(own, setting));
    // A mono analysis shows no right channel: its settings are only stored,
    // but switching its density on still rebuilds the spectra.
    const bool apply = side == 0 || Main.GetAnalysisSettings().Format.NumChannels == 2
        || (setting == T::Density && *value == 1);
    Main.SetSpectrumScaling(records[0], records[1], apply);
    return Done;
}

namespace {
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::ScalingTable[] = {
    {K::SetAmplitudeScalingType, &I::Scale, IndexOf(K::SetAmplitudeScalingType)},
    {K::SetLeftAmplitudeScalingType, &I::Scale, IndexOf(K::SetLeftAmplitudeScalingType)},
    {K::SetRightAmplitudeScalingType, &I::Scale, IndexOf(K::SetRightAmplitudeScalingType)},
    {K::SetFrequencyScalingType, &I::Scale, IndexOf(K::SetFrequencyScalingType)},
    {K::SetLeftFrequencyScalingType, &I::Scale, IndexOf(K::SetLeftFrequencyScalingType)},
    {K::SetRightFrequencyScalingType, &I::Scale, IndexOf(K::SetRightFrequencyScalingType)},
    {K::SetOctave, &I::Scale, IndexOf(K::SetOctave)},
    {K::SetLeftOctave, &I::Scale, IndexOf(K::SetLeftOctave)},
    {K::SetRightOctave, &I::Scale, IndexOf(K::SetRightOctave)},
    {K::SetSpectrumWeighting, &I::Scale, IndexOf(K::SetSpectrumWeighting)},
    {K::SetLeftSpectrumWeighting, &I::Scale, IndexOf(K::SetLeftSpectrumWeighting)},
    {K::SetRightSpectrumWeighting, &I::Scale, IndexOf(K::SetRightSpectrumWeighting)},
    {K::SetTotalPowerWeighting, &I::Scale, IndexOf(K::SetTotalPowerWeighting)},
    {K::SetLeftTotalPowerWeighting, &I::Scale, IndexOf(K::SetLeftTotalPowerWeighting)},
    {K::SetRightTotalPowerWeighting, &I::Scale, IndexOf(K::SetRightTotalPowerWeighting)},
    {K::SetPSDType, &I::Scale, IndexOf(K::SetPSDType)},
    {K::SetLeftPSDType, &I::Scale, IndexOf(K::SetLeftPSDType)},
    {K::SetRightPSDType, &I::Scale, IndexOf(K::SetRightPSDType)},
    {K::EnablePSD, &I::Scale, IndexOf(K::EnablePSD)},
    {K::EnableLeftPSD, &I::Scale, IndexOf(K::EnableLeftPSD)},
    {K::EnableRightPSD, &I::Scale, IndexOf(K::EnableRightPSD)},
    {K::DisablePSD, &I::Scale, IndexOf(K::DisablePSD)},
    {K::DisableLeftPSD, &I::Scale, IndexOf(K::DisableLeftPSD)},
    {K::DisableRightPSD, &I::Scale, IndexOf(K::DisableRightPSD)},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::ScalingRows()
{
    return {ScalingTable, std::size(ScalingTable)};
}
