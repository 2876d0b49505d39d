// The Edit menu's commands: the clipboard, the sample edits, undo, select
// all and playback of the selected segment at any speed.
#include "shell/TMainWin.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "dialogs/TGetInputDialog.h"
#include "engine/TPlaybackRate.h"
#include "engine/TSampleText.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "framework/TClipboard.h"
#include "framework/TMDIClient.h"
#include "resources/StringIds.h"
#include "shell/Toolbar.h"
#include "views/TLinkClipboard.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrumPlot.h"

void TMainWin::CmEditCut()
{
    if (!ConfirmDiskEdit())
        return;
    float start = 0.0f, end = 0.0f;
    if (GetSelectedSegment(start, end) && WaveFile)
        WaveFile->Cut(start, end);
    RefreshViewsAfterEdit(true);
}

void TMainWin::CmEditCopy()
{
    // The spectrum and phase views copy their values as text.
    const TMDIClient* client = GetClientWindow();
    TWindow* active = client ? client->GetActiveMDIChild() : nullptr;
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && active == view) {
            view->CopyAsText();
            return;
        }
    for (TPhasePlot* view : PhaseViews())
        if (view && active == view) {
            view->CopyAsText();
            return;
        }
    float start = 0.0f, end = 0.0f;
    if (GetSelectedSegment(start, end) && WaveFile)
        WaveFile->CopyToClipboard(start, end);
}

// One value of the text copy in the unit the time series shows.
float TMainWin::CopiedValue(float value, uint16_t channel)
{
    const CalibrationChannel& calibration = channel == 0 ? Calibration.Left : Calibration.Right;
    switch (SeriesOptions.AmpScaleType) {
    case 0:
        return calibration.IsEnabled ? value : value * 100.0f;
    case 1:
        return LevelToDisplayUnits(channel, std::fabs(value));
    default:
        return value;
    }
}

void TMainWin::CopyDataToClipboard()
{
    float start = 0.0f, end = 0.0f;
    if (!GetSelectedSegment(start, end))
        return;
    uint32_t first = 0, last = Settings.FFTsize;
    if (WaveFile) {
        first = WaveFile->TimeToFrame(start);
        last = WaveFile->TimeToFrame(end);
    }
    const bool fromWave = SeriesLiveBlock == 0;
    if (!fromWave && !SeriesLeft)
        return;
    const uint16_t channels = Settings.Format.NumChannels;
    const TMDIClient* client = GetClientWindow();
    const bool seriesActive = TimeSeriesView() && client && client->GetActiveMDIChild() == TimeSeriesView();
    const int combine = seriesActive ? SeriesOptions.PlotChannel : int(TSampleText::Separate);

    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen())
        return;
    clipboard.EmptyClipboard();
    std::string text;
    try {
        float seconds = 0.0f;
        for (uint32_t i = first; i < last; ++i) {
            float left = 0.0f, right = 0.0f;
            if (fromWave && WaveFile) {
                seconds = WaveFile->FrameToTime(i);
                left = WaveFile->GetSample(i, 0, 1);
                if (channels == 2)
                    right = WaveFile->GetSample(i, 1, 1);
            } else if (!fromWave) {
                seconds = SeriesLeft->SamplesToTime(i);
                left = SeriesLeft->GetSample(i, 1);
                if (channels == 2 && SeriesRight)
                    right = SeriesRight->GetSample(i, 1);
            }
            TSampleText::AppendLine(text, seconds, CopiedValue(left, 0), channels == 2 ? CopiedValue(right, 1) : 0.0f,
                                    channels, combine);
        }
    } catch (const std::bad_alloc&) {
        MessageBox(IDS_NO_MEMORY_TEXT, "", MB_OK);
        return;
    }
    if (!clipboard.SetText(text)) {
        MessageBox(IDS_NO_MEMORY_TEXT, "", MB_OK);
        return;
    }
    TLinkClipboard::Put(clipboard, GetDdeServiceName(), "Time Series");
}

// The active view where the pastes go: only the time series view takes one.
bool TMainWin::PasteViewActive()
{
    const TMDIClient* client = GetClientWindow();
    return (client ? client->GetActiveMDIChild() : nullptr) == TimeSeriesView();
}

void TMainWin::CmEditPasteInsert()
{
    StopBeforeEdit();
    if (!ConfirmDiskEdit())
        return;
    if (!WaveFile) {
        PasteAsNewWave();
        return;
    }
    float pasteTime = 0.0f;
    if (PasteViewActive()) {
        pasteTime = CurrentTime;
        WaveFile->PasteInsert(pasteTime);
    }
    RefreshViewsAfterEdit(true);
}

bool TMainWin::PasteAsNewWave()
{
    auto pasted = std::make_unique<TWaveFile>(TWaveFile::TFromClipboard{}, uint16_t(FileIO.WaveFileMode),
                                              ConfiguredFolders[TmpFolder]);
    // An empty wave, like an empty file, has nothing to analyse or edit.
    if (pasted->Error || pasted->GetFrameCount() == 0)
        return false;
    ReplaceWave(std::move(pasted));
    TakeOpenedWave(IDS_UNTITLED_TEXT);
    if (TransportToolbar)
        TransportToolbar->UpdateDisplay(1, 1);
    return true;
}

void TMainWin::CmEditPasteOver()
{
    if (!WaveFile)
        return;
    StopBeforeEdit();
    if (!ConfirmDiskEdit())
        return;
    if (PasteViewActive())
        WaveFile->PasteOver(CurrentTime);
    RefreshViewsAfterEdit(true);
}

void TMainWin::CmEditUndo()
{
    StopBeforeEdit();
    if (!WaveFile || !WaveFile->IsUndoAvailable())
        return;
    if (TransportToolbar)
        TransportToolbar->Invalidate(true);
    WaveFile->Undo();
    RefreshViewsAfterEdit(false);
}

void TMainWin::CmEditMute()
{
    if (!ConfirmDiskEdit() || !WaveFile)
        return;
    float start = 0.0f, end = 0.0f;
    if (GetSelectedSegment(start, end)) {
        WaveFile->SaveUndo(TWaveFile::UndoOverwrite, start, end);
        WaveFile->SilenceTime(start, end);
    }
    RefreshViewsAfterEdit(false);
}

void TMainWin::CmEditGainAdjust()
{
    float start = 0.0f, end = 0.0f;
    if (WaveFile && GetSelectedSegment(start, end) && GainAdjustSegment(start, end))
        RefreshViewsAfterEdit(false);
}

void TMainWin::CmEditDCOffset()
{
    float start = 0.0f, end = 0.0f;
    if (WaveFile && GetSelectedSegment(start, end) && DCOffsetSegment(start, end))
        RefreshViewsAfterEdit(false);
}

void TMainWin::CmEditFilter()
{
    if (!WaveFile)
        return;
    StopBeforeEdit();
    if (!ConfirmDiskEdit())
        return;
    float start = 0.0f, end = 0.0f;
    if (!GetSelectedSegment(start, end) || !RequireSegment(start, end))
        return;
    if (RunFilterDialog() && FilterSegment(start, end))
        RefreshViewsAfterEdit(false);
}

void TMainWin::CmEditSelectAll()
{
    if (WaveFile && TimeSeriesView())
        TimeSeriesView()->SelectAll();
}

bool TMainWin::SegmentToPlay(float& start, float& end)
{
    StopBeforeEdit();
    start = end = 0.0f;
    GetSelectedSegment(start, end);
    return RequireSegment(start, end);
}

void TMainWin::CmPlay()
{
    float start = 0.0f, end = 0.0f;
    if (SegmentToPlay(start, end) && end - start > 0.0f)
        StartPlayback(start, end, Settings.Format.SamplingRate, 0);
}

void TMainWin::CmPlayLoop()
{
    float start = 0.0f, end = 0.0f;
    if (SegmentToPlay(start, end))
        StartPlayback(start, end, Settings.Format.SamplingRate, 1);
}

// The device's nearest rate to requested; the sampling rate itself means the
// device offers nothing nearer, which is said and nothing plays.
void TMainWin::PlayAtNearestRate(uint32_t requested)
{
    float start = 0.0f, end = 0.0f;
    if (!SegmentToPlay(start, end))
        return;
    const uint32_t rate = TSoundOutput(uint32_t(OutputDeviceID)).NearestSupportedRate(requested);
    if (rate == Settings.Format.SamplingRate) {
        MessageBox(IDS_FORMAT_NOT_SUPPORTED_TEXT, Product, MB_OK);
        return;
    }
    StartPlayback(start, end, rate, 0);
}

void TMainWin::CmPlayHalfSpeed()
{
    PlayAtNearestRate(TPlaybackRate::HalfSpeed(Settings.Format.SamplingRate));
}

void TMainWin::CmPlayDoubleSpeed()
{
    PlayAtNearestRate(TPlaybackRate::DoubleSpeed(Settings.Format.SamplingRate));
}

void TMainWin::CmPlayArbitrarySpeed()
{
    if (!SoundOutput)
        return;
    float start = 0.0f, end = 0.0f;
    if (!SegmentToPlay(start, end))
        return;
    if (ArbitraryPlaybackRate == 0)
        ArbitraryPlaybackRate = TPlaybackRate::DefaultArbitraryRate;
    char text[20];
    std::snprintf(text, sizeof text, "%u", unsigned(ArbitraryPlaybackRate));
    TGetInputDialog dialog(this, "Enter Sampling Rate", "Playback Sampling Rate:", text, sizeof text);
    if (ExecuteDialog(dialog) != IDOK)
        return;
    ArbitraryPlaybackRate = TPlaybackRate::Parse(text);
    const TWaveFormat& format = Settings.Format;
    if (SoundOutput->QueryFormat(ArbitraryPlaybackRate, format.BytesPerSample, format.NumChannels))
        StartPlayback(start, end, ArbitraryPlaybackRate, 0);
    else
        MessageBox(IDS_FORMAT_NOT_SUPPORTED_TEXT, Product, MB_OK);
}
