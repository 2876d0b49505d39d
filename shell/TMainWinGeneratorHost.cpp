#include "shell/TMainWinGeneratorHost.h"

#include "engine/TSoundInput.h"
#include "resources/CommandIds.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"

TWaveFormat TMainWinGeneratorHost::AnalyserFormat() const
{
    return Main.GetAnalysisSettings().Format;
}

bool TMainWinGeneratorHost::ChannelsLocked() const
{
    return Main.IsGeneratorLocked();
}

int TMainWinGeneratorHost::RunState() const
{
    return Main.GetRunState();
}

void TMainWinGeneratorHost::StartAnalyzer()
{
    Main.StartAnalyzer();
}

void TMainWinGeneratorHost::StopAnalyzer()
{
    Main.StopAnalyzer();
}

bool TMainWinGeneratorHost::InputStartsSynchronised() const
{
    return Main.InputPort() && Main.InputPort()->Quirks.quirkD;
}

std::string TMainWinGeneratorHost::IniPath() const
{
    return Main.GetIniPath();
}

std::string TMainWinGeneratorHost::HelpPath() const
{
    return Main.GetHelpPath();
}

std::string TMainWinGeneratorHost::WaveFolder() const
{
    return Main.CurrentFolder(TMainWin::WavFolder);
}

HFONT TMainWinGeneratorHost::DialogFont() const
{
    return Main.GetMainFont() ? HFONT(*Main.GetMainFont()) : nullptr;
}

HBRUSH TMainWinGeneratorHost::BackgroundBrush() const
{
    return Main.GetFaceBrush() ? HBRUSH(*Main.GetFaceBrush()) : nullptr;
}

HWND TMainWinGeneratorHost::FrameWindow() const
{
    return Main.GetHandle();
}

void TMainWinGeneratorHost::ShowGauge()
{
    if (Main.GetStatusBar()) Main.GetStatusBar()->ShowGauge();
}

void TMainWinGeneratorHost::SetGauge(int percent)
{
    if (Main.GetStatusBar()) Main.GetStatusBar()->SetGaugeValue(percent);
}

void TMainWinGeneratorHost::HideGauge()
{
    if (Main.GetStatusBar()) Main.GetStatusBar()->HideGauge();
}

void TMainWinGeneratorHost::SavePlacement()
{
    Main.SaveUtilityPlacements(TMainWin::ViewType::Generator, Main.GetIniPath());
}

void TMainWinGeneratorHost::CloseGenerator()
{
    if (Main.GetHandle()) Main.PostMessage(WM_COMMAND, CM_SIGNALGENERATOR, 0);
}
