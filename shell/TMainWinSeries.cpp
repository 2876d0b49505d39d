// The time series view as the main window drives it: what it asks of its
// host, the segment it zooms to and the run control's steps on it.
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

void TMainWin::ZoomToSegment(float start, float end)
{
    if (!WaveFile)
        return;
    if (!ViewStatus.TimeSeries || !TimeSeriesView())
        CmViewTimeSeries();
    TSeriesPlot* series = TimeSeriesView();
    if (!series)
        return;
    GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(series->GetHandle()));
    TEngineWait wait;
    // An empty segment is one analysis block long.
    if (end <= start)
        end = start + WaveFile->FrameToTime(Settings.FFTsize * Settings.DecimationRatio);
    series->SetTimeRange(start, end);
    series->UpdateLayout();
}

void TMainWin::MarkSeriesSelection()
{
    if (TSeriesPlot* series = TimeSeriesView())
        series->UpdatePositionMark();
}

void TMainWin::SeriesViewStarted()
{
    TSeriesPlot* series = TimeSeriesView();
    if (!series)
        return;
    series->SaveTimeRange();
    series->UpdateLayout();
}

void TMainWin::SeriesViewStopped()
{
    SeriesLiveBlock = WaveSource;
    TSeriesPlot* series = TimeSeriesView();
    if (!series)
        return;
    // Real Time shows its whole history; the other modes the range kept at the start.
    if (OpMode == RealTime)
        series->SetTimeRange(0.0f, WholeHistory);
    else
        series->RestoreTimeRange();
    series->UpdateLayout();
}
