// The data log's commands and the per-block logging step.
#include <windows.h>
#include <cstdio>
#include "automation/TDdeItemTable.h"
#include "shell/TMainWin.h"
#include "utilities/TDataLog.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"

void TMainWin::CmDataLogOn()
{
    if (DataLog) return;
    DataLog = std::make_unique<TDataLog>(Logging, [this](const std::string& text, const std::string& caption) {
        MessageBox(text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
    });
    UpdateButtonToolbar();
}

void TMainWin::CmDataLogOff()
{
    if (!DataLog) return;
    DataLog.reset();
    UpdateButtonToolbar();
    std::snprintf(LastClosedFile, sizeof LastClosedFile, "%s", Logging.LogFileName);
    PostDdeAdvise(TDdeItem::FileClosed);
}

// Ends logging so that the viewer sees the whole file; both paths quoted,
// as either may hold blanks.
void TMainWin::CmDataLogView()
{
    CmDataLogOff();
    char command[2 * PathSize + 8];
    std::snprintf(command, sizeof command, "\"%s\" \"%s\"", Logging.LogViewerProgram, Logging.LogFileName);
    ::WinExec(command, SW_SHOWNORMAL);
}

void TMainWin::SetLogFileName(const char* path)
{
    std::snprintf(Logging.LogFileName, sizeof Logging.LogFileName, "%s", path);
}

void TMainWin::CeDataLogOn(TCommandEnabler& ce) { ce.Enable(!DataLog); }

void TMainWin::CeDataLogOff(TCommandEnabler& ce) { ce.Enable(DataLog != nullptr); }

void TMainWin::UpdateDataLog()
{
    if (!DataLog) return;
    TDataLog::Block block;
    block.Left = DisplayPrimary;
    block.Right = DisplaySecondary;
    block.OpMode = uint16_t(OpMode);
    block.ChannelProcessing = Settings.ChannelProcessing;
    if (OpMode == RealTime) {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        block.Time = now.wHour * 3600.0f + now.wMinute * 60.0f + now.wSecond + (now.wMilliseconds / 10) * 0.01f;
    } else {
        block.Time = CurrentTime;
    }
    block.LeftDecibels = Scaling[0].AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    const int right = Settings.IndependentScalingAndCalibration ? 1 : 0;
    block.RightDecibels = Scaling[right].AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
    if (const TDelayFinder* finder = DelayFinder()) block.Delay = finder->GetDelayInUnits();
    if (const TLeqAnalysis* leq = LeqWindow()) {
        if (leq->Data(0)) block.LeqLeft = &leq->Data(0)->GetResults();
        if (leq->Data(1)) block.LeqRight = &leq->Data(1)->GetResults();
    }
    block.NoiseFigure = GetNoiseFigure();
    for (int i = 0; i < MarkerSettings::Count; ++i)
        if (Markers.MarkerEnable[i]) block.MarkerFrequencies.push_back(Markers.MarkerFreq[i]);
    DataLog->WriteRecord(block);
}
