// The device, configuration, macro-window and temporary-file commands.
#include "shell/TCommandInterpreter.h"

#include <algorithm>
#include <iterator>
#include <vector>
#include "automation/TMacro.h"
#include "shell/FileTypes.h"
#include "shell/TMainWin.h"

namespace {

// Device names are compared over this many characters.
constexpr size_t DeviceNameLength = 32;

// The fields between commas; adjacent commas make no empty field.
std::vector<std::string> CommaFields(const std::string& text)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

}  // namespace

uint32_t TCommandInterpreter::SetDevice(const std::string& argument, int input)
{
    if (argument.empty()) return 0;
    int32_t index;
    if (argument.size() <= 2) {
        // A device number counted from 1, within the devices there are.
        const int64_t count = input ? Main.InputDeviceCount() : Main.OutputDeviceCount();
        int64_t wanted = int64_t(TKeywordTable::ReadInteger(argument)) - 1;
        if (wanted >= count) wanted = count - 1;
        index = int32_t(std::max<int64_t>(wanted, 0));
    } else {
        const std::string name = argument.substr(0, DeviceNameLength);
        index = input ? Main.FindInputDeviceByName(name.c_str()) : Main.FindOutputDeviceByName(name.c_str());
    }
    Main.SelectSoundDevice(input != 0, index);
    return Done;
}

uint32_t TCommandInterpreter::LoadConfig(const std::string& argument, int)
{
    if (!IsConfigFileName(argument.c_str())) return Done;
    Main.StopAnalyzer();
    return Main.LoadConfiguration(argument.c_str()) ? Done : 0;
}

uint32_t TCommandInterpreter::SaveConfig(const std::string& argument, int)
{
    const std::optional<std::string> path = ResolveIn(TMainWin::CfgFolder, argument);
    return path && Main.SaveConfiguration(path->c_str()) ? Done : 0;
}

uint32_t TCommandInterpreter::OpenMacro(const std::string&, int)
{
    if (!Main.MacroWindow()) Main.CmMacroProcessor();
    return Done;
}

uint32_t TCommandInterpreter::CloseMacro(const std::string&, int)
{
    // From the window's own step the close is posted and waits for the step's end.
    if (TMacro* macro = Main.MacroWindow()) {
        if (macro->IsRunning()) macro->CmStop();
        Main.CmMacroProcessor();
    }
    return Done;
}

uint32_t TCommandInterpreter::OpenMacroFile(const std::string& argument, int)
{
    if (!IsMacroFileName(argument.c_str())) return Done;
    const std::optional<std::string> path = ResolveIn(TMainWin::MacroFolder, argument);
    return path && Main.OpenMacroScript(*path, false) ? Done : 0;
}

uint32_t TCommandInterpreter::StartMacro(const std::string&, int)
{
    if (TMacro* macro = Main.MacroWindow(); macro && !macro->IsRunning()) macro->CmRun();
    return Done;
}

uint32_t TCommandInterpreter::StopMacro(const std::string&, int)
{
    if (TMacro* macro = Main.MacroWindow(); macro && macro->IsRunning()) macro->CmStop();
    return Done;
}

uint32_t TCommandInterpreter::UseTempFile(const std::string& argument, int)
{
    // The wave's name and four fields that must be there and are not used.
    constexpr size_t FieldCount = 5;
    const std::vector<std::string> fields = CommaFields(argument);
    if (fields.size() < FieldCount) return 0;
    Main.StopAnalyzer();
    if (Main.GetOpMode() == TMainWin::RealTime) Main.CmModePostProcess();
    const std::optional<std::string> path = ResolveIn(TMainWin::WavFolder, fields[0]);
    return path && Main.OpenTemporaryWave(path->c_str()) ? Done : 0;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::SystemTable[] = {
    {K::SetInputDevice, &I::SetDevice, 1},
    {K::SetOutputDevice, &I::SetDevice, 0},
    {K::LoadConfig, &I::LoadConfig, 0},
    {K::SaveConfig, &I::SaveConfig, 0},
    {K::OpenMacro, &I::OpenMacro, 0},
    {K::CloseMacro, &I::CloseMacro, 0},
    {K::OpenMacroFile, &I::OpenMacroFile, 0},
    {K::StartMacro, &I::StartMacro, 0},
    {K::StopMacro, &I::StopMacro, 0},
    {K::UseTempFile, &I::UseTempFile, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::SystemRows()
{
    return {SystemTable, std::size(SystemTable)};
}
