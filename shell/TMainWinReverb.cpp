// The reverberation window's segment analysis and what the window asks of
// the main window.
#include "shell/TMainWin.h"

#include <cstring>

#include "engine/TSoundInput.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "shell/StatusBar.h"
#include "utilities/TReverb.h"

namespace {
constexpr uint32_t LiveRate = 44100;
constexpr uint32_t FallbackRate = 48000;
}

TReverb* TMainWin::ReverbWindow() const
{
    return Windows.View<TReverb>(ViewType::Reverb);
}

void TMainWin::AnalyzeReverbSegment(int useGivenBounds, float start, float stop)
{
    TWaveData* wave = GetWaveData();
    if (!wave) return;
    if (!useGivenBounds && !GetSelectedSegment(start, stop)) return;
    if (start == stop) {
        MessageBox("You must first select a time segment.", "Tonalyx", MB_OK);
        return;
    }
    if (!ReverbWindow()) CreateViewWindow(ViewType::Reverb, IniPath);
    TReverb* reverb = ReverbWindow();
    if (!reverb) return;
    reverb->SetFocus();
    const HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    const uint32_t position = wave->GetPosition();
    reverb->AnalyzeSegment(wave, start, stop);
    wave->SetPosition(position);
    ::SetCursor(old);
}

void TMainWin::SetReverbView(const ReverbSettings& options)
{
    // Only what the window shows; the measurement's own settings stay the dialog's.
    ReverbOptions.DisplayedDecayTime = options.DisplayedDecayTime;
    ReverbOptions.DisplayedRTTime = options.DisplayedRTTime;
    ReverbOptions.DisplayedDecayBand = options.DisplayedDecayBand;
    ReverbOptions.PlotTop = options.PlotTop;
}

void TMainWin::StopAnalyzerForRun()
{
    if (RunState == Running) StopAnalyzer();
}

bool TMainWin::DeviceIsFullDuplex()
{
    return SoundInput && SoundInput->IsFullDuplex();
}

// 44.1 kHz, or 48 kHz on an input that does not take 44.1 kHz but takes 48.
uint32_t TMainWin::RunSampleRate()
{
    TSoundInput probe(static_cast<uint32_t>(InputDeviceID));
    if (probe.QueryFormat(TWaveFormat(LiveRate, 1, 2)) != 1 && probe.QueryFormat(TWaveFormat(FallbackRate, 1, 2)) == 1)
        return FallbackRate;
    return LiveRate;
}

void TMainWin::ShowRunLevel(int32_t level)
{
    InputLevelLeft = InputLevelRight = level;
    if (StatusBarWindow) StatusBarWindow->RefreshPanes(StatusBar::StatusAndMeter);
}

void TMainWin::ShowRunning(bool running)
{
    RunState = running ? Running : Stopped;
}

bool TMainWin::ResolveReverbPath(std::string& resolved, const char* name)
{
    char path[PathSize];
    if (!ResolvePath(path, ConfiguredFolders[RvbFolder], name)) return false;
    resolved = path;
    return true;
}

void TMainWin::ShowReverbOptions()
{
    RunCommand(CM_REVERBOPTIONS);
}

void TMainWin::PrintReverbPlot()
{
    PrintView(ViewType::Reverb, true);
}
