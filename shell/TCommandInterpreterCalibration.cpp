// The compensation, calibration and trigger commands: microphone and ambient
// compensation, the trigger, calibrating, calibration on and off, and the
// calibration files.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include "shell/TMainWin.h"

namespace {
constexpr int Left = 1, Right = 2, Both = Left | Right;
const char* const AmbientFiles[] = {"AmbientLeft.mic", "AmbientRight.mic"};

// One channel's switch is the other's too while the channels share their scaling.
unsigned SwitchedChannels(const TMainWin& main, int channels)
{
    return main.GetAnalysisSettings().IndependentScalingAndCalibration ? unsigned(channels) : unsigned(Both);
}

bool Readable(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    return file != nullptr;
}
}  // namespace

// The file commands set their own channels only, whatever the scaling mode.
uint32_t TCommandInterpreter::SetMicCompensationFile(const std::string& argument, int channels)
{
    if (argument.empty()) return 0;
    const std::optional<std::string> path = ResolveIn(TMainWin::MicFolder, argument);
    if (!path || !Readable(*path)) return 0;
    Main.SetMicCompensation(unsigned(channels), true, {path->c_str(), path->c_str()});
    return Done;
}

uint32_t TCommandInterpreter::MicCompensation(const std::string&, int channels)
{
    Main.SetMicCompensation(SwitchedChannels(Main, channels), true);
    return Done;
}

uint32_t TCommandInterpreter::NoMicCompensation(const std::string&, int channels)
{
    Main.SetMicCompensation(SwitchedChannels(Main, channels), false);
    return Done;
}

uint32_t TCommandInterpreter::TriggerEnable(const std::string&, int enable)
{
    TriggerSettings trigger = Main.GetTrigger();
    trigger.Enable = uint32_t(enable);
    Main.SetTrigger(trigger);
    return Done;
}

uint32_t TCommandInterpreter::TriggerReArm(const std::string&, int mode)
{
    TriggerSettings trigger = Main.GetTrigger();
    trigger.Mode = uint32_t(mode);
    Main.SetTrigger(trigger);
    return Done;
}

uint32_t TCommandInterpreter::TriggerThreshold(const std::string& argument, int)
{
    TriggerSettings trigger = Main.GetTrigger();
    trigger.Threshold = uint32_t(std::clamp(TKeywordTable::ReadInteger(argument), 0, 100));
    Main.SetTrigger(trigger);
    return Done;
}

// A failed capture leaves the calibration as it was and is still acknowledged.
uint32_t TCommandInterpreter::Calibrate(const std::string&, int)
{
    Main.CalibrateLeftFromInput();
    return Done;
}

uint32_t TCommandInterpreter::CalibrationEnable(const std::string&, int enable)
{
    Main.SetCalibrationEnabled(enable != 0);
    return Done;
}

// The calibration operations join a relative name to the calibration folder themselves.
uint32_t TCommandInterpreter::SaveCalibration(const std::string& argument, int)
{
    if (argument.empty()) return 0;
    return Main.SaveCalibration(argument.c_str()) ? Done : 0;
}

uint32_t TCommandInterpreter::LoadCalibration(const std::string& argument, int)
{
    if (argument.empty()) return 0;
    return Main.LoadCalibration(argument.c_str()) ? Done : 0;
}

uint32_t TCommandInterpreter::AmbientCompensate(const std::string&, int)
{
    Main.CaptureAmbient();
    return Done;
}

uint32_t TCommandInterpreter::AmbientCompensateEnable(const std::string&, int)
{
    std::string paths[2];
    for (int ch = 0; ch < 2; ++ch) {
        paths[ch] = std::string(Main.ConfiguredFolder(TMainWin::MicFolder)) + "\\" + AmbientFiles[ch];
        if (paths[ch].size() >= size_t(TMainWin::PathSize) || !Readable(paths[ch])) return 0;
    }
    Main.SetMicCompensation(Both, true, {paths[0].c_str(), paths[1].c_str()});
    return Done;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::CalibrationTable[] = {
    {K::SetMicCompensationFile, &I::SetMicCompensationFile, Both},
    {K::SetLeftMicCompensationFile, &I::SetMicCompensationFile, Left},
    {K::SetRightMicCompensationFile, &I::SetMicCompensationFile, Right},
    {K::EnableMicCompensation, &I::MicCompensation, Both},
    {K::EnableLeftMicCompensation, &I::MicCompensation, Left},
    {K::EnableRightMicCompensation, &I::MicCompensation, Right},
    {K::DisableMicCompensation, &I::NoMicCompensation, Both},
    {K::DisableLeftMicCompensation, &I::NoMicCompensation, Left},
    {K::DisableRightMicCompensation, &I::NoMicCompensation, Right},
    {K::MicCompensationEnable, &I::MicCompensation, Both},
    {K::MicCompensationDisable, &I::NoMicCompensation, Both},
    {K::TriggerOn, &I::TriggerEnable, 1},
    {K::TriggerOff, &I::TriggerEnable, 0},
    // The word names the opposite of the stored mode: re-arm on is mode 0.
    {K::TriggerReArmOn, &I::TriggerReArm, TriggerSettings::Rearm},
    {K::TriggerReArmOff, &I::TriggerReArm, TriggerSettings::StopOnTrigger},
    {K::TriggerThreshold, &I::TriggerThreshold, 0},
    {K::Calibrate, &I::Calibrate, 0},
    {K::EnableCalibration, &I::CalibrationEnable, 1},
    {K::DisableCalibration, &I::CalibrationEnable, 0},
    {K::SaveCalibration, &I::SaveCalibration, 0},
    {K::LoadCalibration, &I::LoadCalibration, 0},
    {K::AmbientCompensate, &I::AmbientCompensate, 0},
    {K::AmbientCompensateEnable, &I::AmbientCompensateEnable, 0},
    {K::AmbientCompensateDisable, &I::NoMicCompensation, Both},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::CalibrationRows()
{
    return {CalibrationTable, std::size(CalibrationTable)};
}
