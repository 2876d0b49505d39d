// The time series view as the main window drives it: what it asks of its
// host, its window, the segment it zooms to and the run control's steps on it.
#include "shell/TMainWin.h"

#include <memory>
#include <utility>

#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"
#include "shell/Toolbar.h"
#include "shell/TakeView.h"
#include "views/TSeriesPlot.h"

namespace {
// A range end past any history: the whole of it.
constexpr float WholeHistory = 999999.875f;
}  // namespace

TWaveData* TMainWin::GetWaveData() const
{
    return WaveFile.get();
}

const TSeriesData* TMainWin::GetSeriesBlock(uint16_t channel) const
{
    return channel ? SeriesRight : SeriesLeft;
}

bool TMainWin::GetLastInputFrame(uint32_t& frame) const
{
    if (!SoundInput || !SoundInput->IsOpen())
        return false;
    frame = SoundInput->GetLastInputFrame();
    return true;
}

uint32_t TMainWin::GetRealTimeBufferSeconds() const
{
    return FileIO.RealTimeWaveBufferLengthSecs > 0 ? uint32_t(FileIO.RealTimeWaveBufferLengthSecs) : 0;
}

void TMainWin::SetPositionTime(float seconds)
{
    CurrentTime = seconds;
    if (TransportToolbar)
        TransportToolbar->UpdateDisplay(1, 0);
    if (WaveFile)
        WaveFile->SetPositionTime(seconds);
}

void TMainWin::RunCommand(int commandId)
{
    SendMessage(WM_COMMAND, WPARAM(commandId));
}

void TMainWin::CreateSeriesView(const char* settingsFile)
{
    if (TimeSeriesView || !GetClientWindow())
        return;
    OpenView(ViewType::TimeSeries, settingsFile, [this](const RECT& stored) {
        return TimeSeriesView = new TSeriesPlot(*GetClientWindow(), this, LoadStr(IDS_VIEW_TIME_SERIES),
                                                TRect(stored.left, stored.top, stored.right, stored.bottom),
                                                &SeriesOptions);
    });
    ViewStatus.TimeSeries = 1;
}

void TMainWin::CloseSeriesView()
{
    if (!TimeSeriesView)
        return;
    SaveUtilityPlacements(ViewType::TimeSeries, IniPath);
    // The pointer is clear before the window goes: nothing reaches a view while it goes.
    TakeView(TimeSeriesView)->Destroy();
}

void TMainWin::CmViewTimeSeries()
{
    if (TimeSeriesView)
        CloseSeriesView();
    else
        CreateViewWindow(ViewType::TimeSeries, IniPath);
    ViewStatus.TimeSeries = TimeSeriesView ? 1 : 0;
    UpdateViewMenuChecks();
    if (TransportToolbar)
        TransportToolbar->Invalidate(true);
}

void TMainWin::ZoomToSegment(float start, float end)
{
    if (!WaveFile)
        return;
    if (!ViewStatus.TimeSeries || !TimeSeriesView)
        CmViewTimeSeries();
    if (!TimeSeriesView)
        return;
    GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(TimeSeriesView->GetHandle()));
    TEngineWait wait;
    // An empty segment is one analysis block long.
    if (end <= start)
        end = start + WaveFile->FrameToTime(Settings.FFTsize * Settings.DecimationRatio);
    TimeSeriesView->SetTimeRange(start, end);
    TimeSeriesView->UpdateLayout();
}

void TMainWin::MarkSeriesSelection()
{
    if (TimeSeriesView)
        TimeSeriesView->UpdatePositionMark();
}

void TMainWin::SeriesViewStarted()
{
    if (!TimeSeriesView)
        return;
    TimeSeriesView->SaveTimeRange();
    TimeSeriesView->UpdateLayout();
}

void TMainWin::SeriesViewStopped()
{
    SeriesLiveBlock = WaveSource;
    if (!TimeSeriesView)
        return;
    // Real Time shows its whole history; the other modes the range kept at the start.
    if (OpMode == RealTime)
        TimeSeriesView->SetTimeRange(0.0f, WholeHistory);
    else
        TimeSeriesView->RestoreTimeRange();
    TimeSeriesView->UpdateLayout();
}
