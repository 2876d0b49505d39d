// The command interpreter's frame: which keyword has which body, the answers
// and pauses, and the run control, transport and operating-mode commands.
#include "shell/TCommandInterpreter.h"

#include <windows.h>
#include <cstdint>
#include <iterator>
#include <sstream>
#include "engine/TWaveFile.h"
#include "resources/StringIds.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"
#include "shell/ViewType.h"

namespace {
using K = TKeyword;
using I = TCommandInterpreter;
}

const TCommandInterpreter::TRow TCommandInterpreter::RunTable[] = {
    {K::Run, &I::Run, 0},
    {K::RunBlocks, &I::RunBlocks, 0},
    {K::SingleStep, &I::SingleStep, 0},
    {K::Stop, &I::Stop, 0},
    {K::Rewind, &I::Rewind, 0},
    {K::FastForward, &I::FastForward, 0},
    {K::Record, &I::Record, 0},
    {K::Play, &I::Play, 0},
    {K::PlaySegment, &I::PlaySegment, 0},
    {K::PauseRecorder, &I::PauseRecorder, 0},
    {K::ResumeRecorder, &I::ResumeRecorder, 0},
    {K::GoToSample, &I::GoToSample, 0},
    {K::GoTo, &I::GoTo, 0},
    {K::ResetAverage, &I::ResetAverage, 0},
    {K::ForceTrigger, &I::ForceTrigger, 0},
    {K::ResetOverload, &I::ResetOverload, 0},
    {K::ModeRealTime, &I::Mode, TMainWin::RealTime},
    {K::ModeRecorder, &I::Mode, TMainWin::Recorder},
    {K::ModePostProcessing, &I::Mode, TMainWin::PostProcess},
};

std::span<const TCommandInterpreter::TRow> TCommandInterpreter::RunRows()
{
    return {RunTable, std::size(RunTable)};
}

const TCommandInterpreter::TRow* TCommandInterpreter::FindRow(TKeyword keyword)
{
    static constexpr std::span<const TRow> (*Families[])() = {
        &I::RunRows,      &I::SettingsRows, &I::EditRows,        &I::OverlayRows,  &I::FilesRows,
        &I::WindowsRows,  &I::ScalingRows,  &I::CalibrationRows, &I::DisplayRows,  &I::SegmentsRows,
        &I::PrintRows,    &I::GeneratorRows, &I::SystemRows};
    for (const auto family : Families)
        for (const TRow& row : family())
            if (row.Keyword == keyword) return &row;
    return nullptr;
}

std::optional<std::string> TCommandInterpreter::ResolveIn(int folder, const std::string& name)
{
    char path[TMainWin::PathSize];
    if (!Main.ResolvePath(path, Main.ConfiguredFolder(folder), name.c_str())) return std::nullopt;
    return std::string(path);
}

namespace {

// The window kinds the open and close commands act on, each with the main
// window's toggle, which opens it when closed and closes it (asking its own
// questions) when open.
struct TToggledWindow {
    ViewType Type;
    void (TMainWin::*Toggle)();
};
constexpr TToggledWindow ToggledWindows[] = {
    {ViewType::Generator, &TMainWin::CmSignalGenerator},
    {ViewType::PhaseScope, &TMainWin::CmPhaseScope},
    {ViewType::DelayFinder, &TMainWin::CmDelayFinder},
    {ViewType::Leq, &TMainWin::CmLeq},
    {ViewType::Reverb, &TMainWin::CmReverbTime},
    {ViewType::ThdFreq, &TMainWin::CmTHDNvsFrequency},
    {ViewType::Thdn, &TMainWin::CmTHDN},
    {ViewType::Thd, &TMainWin::CmTHD},
    {ViewType::Imd, &TMainWin::CmIMD},
    {ViewType::Snr, &TMainWin::CmSNR},
    {ViewType::TotalPower, &TMainWin::CmTotalPower},
    {ViewType::PeakFrequency, &TMainWin::CmPeakFrequency},
    {ViewType::PeakAmplitude, &TMainWin::CmPeakAmplitude},
};

void MakeOpen(TMainWin& main, int type, bool open)
{
    for (const TToggledWindow& window : ToggledWindows)
        if (int(window.Type) == type && main.IsWindowOpen(window.Type) != open) (main.*window.Toggle)();
}

}  // namespace

uint32_t TCommandInterpreter::OpenUtility(const std::string&, int type)
{
    MakeOpen(Main, type, true);
    return Done;
}

uint32_t TCommandInterpreter::CloseUtility(const std::string&, int type)
{
    MakeOpen(Main, type, false);
    return Done;
}

bool TCommandInterpreter::HasBody(TKeyword keyword)
{
    return FindRow(keyword) != nullptr;
}

uint32_t TCommandInterpreter::Execute(std::string_view command)
{
    const auto parsed = TKeywordTable::Parse(command);
    if (!parsed) return 0;
    const TRow* row = FindRow(parsed->Keyword);
    if (!row) return 0;
    const uint32_t answer = (this->*row->Body)(parsed->Argument, row->Value);
    if (const uint16_t pause = TKeywordTable::Entry(parsed->Keyword).PauseMs) Main.PauseAfterCommand(pause);
    return answer;
}

uint32_t TCommandInterpreter::Run(const std::string&, int)
{
    Main.LiftBlockLimit();
    if (Main.GetOpMode() != TMainWin::Recorder) Main.StartAnalyzer();
    return Done;
}

uint32_t TCommandInterpreter::RunBlocks(const std::string& argument, int)
{
    const int32_t count = TKeywordTable::ReadInteger(argument);
    Main.LimitBlocks(count);
    if (count <= 0) return 0;
    if (Main.GetOpMode() != TMainWin::Recorder) Main.StartAnalyzer();
    return Done;
}

uint32_t TCommandInterpreter::SingleStep(const std::string&, int)
{
    Main.CmRun();
    return Done;
}

uint32_t TCommandInterpreter::Stop(const std::string&, int)
{
    Main.StopAnalyzer();
    return Done;
}

uint32_t TCommandInterpreter::Rewind(const std::string&, int)
{
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->CmRewind();
    return Done;
}

uint32_t TCommandInterpreter::FastForward(const std::string&, int)
{
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->CmForward();
    return Done;
}

uint32_t TCommandInterpreter::Record(const std::string&, int)
{
    Main.ResumeAppend();
    Main.StopAnalyzer();
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->CmRecord();
    return Done;
}

uint32_t TCommandInterpreter::Play(const std::string&, int)
{
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->CmPlay();
    return Done;
}

uint32_t TCommandInterpreter::PlaySegment(const std::string& argument, int)
{
    std::istringstream fields(argument);
    std::string start, end;
    if (fields >> start >> end)
        Main.StartPlayback(float(TKeywordTable::ReadNumber(start)), float(TKeywordTable::ReadNumber(end)),
                           Main.GetAnalysisSettings().Format.SamplingRate, 0);
    return Done;
}

uint32_t TCommandInterpreter::PauseRecorder(const std::string&, int)
{
    Main.HaltAppend();
    return Done;
}

uint32_t TCommandInterpreter::ResumeRecorder(const std::string&, int)
{
    if (!Main.IsAppendHalted()) return Done;
    if (!Main.Wave()) {
        if (!Main.MakeRecording()) {
            // Nothing half-made is kept to record into.
            Main.StopAnalyzer();
            return 0;
        }
        if (Main.GetHandle()) Main.SetWaveCaption(IDS_UNTITLED_TEXT);
        Main.SetTimePosition(0.0f);
    }
    Main.ResumeAppend();
    return Done;
}

uint32_t TCommandInterpreter::GoToSample(const std::string& argument, int)
{
    if (!Main.Wave()) return 0;
    Main.Wave()->SetPosition(uint32_t(TKeywordTable::ReadInteger(argument)));
    Main.SetTimePosition(Main.Wave()->GetPositionTime());
    return Done;
}

uint32_t TCommandInterpreter::GoTo(const std::string& argument, int)
{
    const float time = float(TKeywordTable::ReadNumber(argument));
    if (time < 0.0f || !Main.Wave()) return 0;
    Main.SetTimePosition(time);
    Main.Wave()->SetPositionTime(time);
    if (Main.GetTransportToolbar()) Main.GetTransportToolbar()->SetMode();
    Main.MarkSeriesSelection();
    return Done;
}

uint32_t TCommandInterpreter::ResetAverage(const std::string&, int)
{
    Main.ResetAveragers();
    return Done;
}

uint32_t TCommandInterpreter::ForceTrigger(const std::string&, int)
{
    Main.ForceNextTrigger();
    return Done;
}

uint32_t TCommandInterpreter::ResetOverload(const std::string&, int)
{
    Main.ResetOverload();
    return Done;
}

uint32_t TCommandInterpreter::Mode(const std::string&, int mode)
{
    switch (mode) {
    case TMainWin::RealTime:
        Main.CmModeRealTime();
        break;
    case TMainWin::Recorder:
        if (Main.GetOpMode() == TMainWin::RealTime) Main.CloseWaveFile();
        Main.CmModeRecorder();
        break;
    default:
        if (Main.GetOpMode() == TMainWin::RealTime) Main.CloseWaveFile();
        Main.CmModePostProcess();
        break;
    }
    return Done;
}
