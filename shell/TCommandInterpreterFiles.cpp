// The marker and file commands: the eight frequency markers, and opening,
// saving, closing, deleting, decimating and merging files by name.
#include "shell/TCommandInterpreter.h"

#include <windows.h>
#include <cctype>
#include <iterator>
#include <sstream>
#include <utility>
#include <string>
#include "automation/TMacro.h"
#include "engine/TWaveFile.h"
#include "resources/CommandIds.h"
#include "shell/FileTypes.h"
#include "shell/TMainWin.h"
#include "utilities/TReverb.h"
#include "utilities/TTHDFreq.h"

namespace {

// The marker number, counted from 1, as an index; -1 out of 1..8.
int MarkerIndex(const std::string& field)
{
    const int32_t n = TKeywordTable::ReadInteger(field);
    return n >= 1 && n <= MarkerSettings::Count ? n - 1 : -1;
}

// The first two blank-separated fields, empty when missing.
std::pair<std::string, std::string> TwoFields(const std::string& argument)
{
    std::istringstream in(argument);
    std::string first, second;
    in >> first >> second;
    return {first, second};
}

bool OpenWave(TMainWin& main, const char* name)
{
    // Real Time keeps its live input: the command is acknowledged, nothing opens.
    if (main.GetOpMode() == TMainWin::RealTime) return true;
    char path[TMainWin::PathSize];
    if (!main.ResolvePath(path, main.ConfiguredFolder(TMainWin::WavFolder), name)) return false;
    main.StopAnalyzer();
    main.OpenWaveFile(path);
    return main.Wave() && TKeywordTable::EqualsNoCase(main.Wave()->FileName(), path);
}

bool OpenConfiguration(TMainWin& main, const char* name)
{
    main.StopAnalyzer();
    return main.LoadConfigurationFile(name);
}

bool OpenCalibration(TMainWin& main, const char* name) { return main.TakeCalibrationFile(name); }

bool OpenCompensation(TMainWin& main, const char* name) { return main.UseCompensationFiles(name, name); }

// An overlay curve compensates the left channel alone.
bool OpenOverlayAsCompensation(TMainWin& main, const char* name)
{
    char path[TMainWin::PathSize];
    if (!main.ResolvePath(path, main.ConfiguredFolder(TMainWin::OvlFolder), name)) return false;
    return main.UseCompensationFiles(path, "");
}

bool OpenMacro(TMainWin& main, const char* name) { return main.OpenMacroScript(main.ResolveMacroPath(name), true) != 0; }

bool OpenReverb(TMainWin& main, const char* name)
{
    if (!main.ReverbWindow()) main.CmReverbTime();
    TReverb* window = main.ReverbWindow();
    return window && window->ReadReverbFile(name);
}

bool OpenThdFreq(TMainWin& main, const char* name)
{
    if (!main.ThdFreqWindow()) main.CmTHDNvsFrequency();
    TTHDFreq* window = main.ThdFreqWindow();
    return window && window->LoadFile(name);
}

bool OpenFilterResponse(TMainWin& main, const char* name) { return main.UseFilterResponseFile(name); }

struct TOpener {
    const char* Extension;
    bool (*Open)(TMainWin& main, const char* name);
};

const TOpener Openers[] = {
    {"wav", OpenWave},       {"cfg", OpenConfiguration}, {"cal", OpenCalibration},
    {"mic", OpenCompensation}, {"ovl", OpenOverlayAsCompensation}, {"mac", OpenMacro},
    {"rvb", OpenReverb},     {"thd", OpenThdFreq},       {"flt", OpenFilterResponse},
};

}  // namespace

uint32_t TCommandInterpreter::SetMarker(const std::string& argument, int)
{
    const auto [number, frequency] = TwoFields(argument);
    const int marker = MarkerIndex(number);
    if (marker < 0) return 0;
    Main.MoveMarker(marker, float(TKeywordTable::ReadNumber(frequency)), true);
    return Done;
}

uint32_t TCommandInterpreter::ShowMarker(const std::string& argument, int shown)
{
    const int marker = MarkerIndex(argument);
    if (marker < 0) return 0;
    Main.ShowMarker(marker, shown != 0);
    return Done;
}

uint32_t TCommandInterpreter::QuickMarker(const std::string& argument, int marker)
{
    const double f = TKeywordTable::ReadNumber(argument);
    // Only a frequency inside the open band up to Nyquist moves the marker.
    if (f > 0.0 && f < Main.GetAnalysisSettings().Format.SamplingRate * 0.5) Main.MoveMarker(marker, float(f), false);
    return Done;
}

uint32_t TCommandInterpreter::FileOpen(const std::string& argument, int)
{
    std::string name = argument;
    for (char& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
    for (const TOpener& opener : Openers)
        if (HasExtension(name.c_str(), opener.Extension)) return opener.Open(Main, name.c_str()) ? Done : 0;
    return Done;
}

uint32_t TCommandInterpreter::FileSave(const std::string& argument, int)
{
    if (Main.GetOpMode() == TMainWin::RealTime || !Main.Wave()) return Done;
    return Main.SaveWaveTo(argument.c_str()) ? Done : 0;
}

uint32_t TCommandInterpreter::FileClose(const std::string&, int)
{
    if (Main.GetOpMode() != TMainWin::RealTime) Main.DiscardWave();
    return Done;
}

uint32_t TCommandInterpreter::FileDelete(const std::string& argument, int)
{
    const std::optional<std::string> path = ResolveIn(TMainWin::WavFolder, argument);
    if (!path) return 0;
    // A file that is not there any more is as good as deleted.
    ::DeleteFileA(path->c_str());
    return Done;
}

uint32_t TCommandInterpreter::ExitApplication(const std::string&, int)
{
    // Posted, so that the answer goes out (and a macro's step returns)
    // before the windows close.
    if (Main.GetHandle()) Main.PostMessage(WM_COMMAND, CM_EXIT);
    return Done;
}

uint32_t TCommandInterpreter::FileDecimate(const std::string& argument, int)
{
    if (!Main.Wave()) return Done;
    const auto [name, ratioField] = TwoFields(argument);
    const std::optional<std::string> path = ResolveIn(TMainWin::WavFolder, name);
    if (!path) return 0;
    const int32_t ratio = TKeywordTable::ReadInteger(ratioField);
    Main.StopAnalyzer();
    // A ratio out of range reaches the decimation as 0, which it refuses with its message.
    const uint16_t given = ratio >= 1 && ratio <= 0xFFFF ? uint16_t(ratio) : 0;
    return Main.DecimateFile(path->c_str(), given, Main.GetAnalysisSettings().ApplyLowPassFilter) ? Done : 0;
}

uint32_t TCommandInterpreter::FileMerge(const std::string& argument, int)
{
    if (Main.Wave() || Main.GetOpMode() == TMainWin::RealTime) return Done;
    const auto [leftName, rightName] = TwoFields(argument);
    const std::optional<std::string> left = ResolveIn(TMainWin::WavFolder, leftName);
    if (!left) return 0;
    const std::optional<std::string> right = ResolveIn(TMainWin::WavFolder, rightName);
    if (!right) return 0;
    Main.StopAnalyzer();
    return Main.MergeFiles(left->c_str(), right->c_str()) ? Done : 0;
}

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::FilesTable[] = {
    {K::SetMarker, &I::SetMarker, 0},
    {K::ShowMarker, &I::ShowMarker, 1},
    {K::HideMarker, &I::ShowMarker, 0},
    {K::Marker1, &I::QuickMarker, 0},
    {K::Marker2, &I::QuickMarker, 1},
    {K::Marker3, &I::QuickMarker, 2},
    {K::Marker4, &I::QuickMarker, 3},
    {K::Marker5, &I::QuickMarker, 4},
    {K::Marker6, &I::QuickMarker, 5},
    {K::FileOpen, &I::FileOpen, 0},
    {K::FileSave, &I::FileSave, 0},
    {K::FileClose, &I::FileClose, 0},
    {K::FileDelete, &I::FileDelete, 0},
    {K::ExitApplication, &I::ExitApplication, 0},
    {K::FileDecimate, &I::FileDecimate, 0},
    {K::FileMerge, &I::FileMerge, 0},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::FilesRows()
{
    return {FilesTable, std::size(FilesTable)};
}
