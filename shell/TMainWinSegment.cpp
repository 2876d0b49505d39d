// Analyses over a marked segment of the open wave: the segment they take,
// the average spectrum in the spectrum views, the spectrogram and surface
// views filled from it, and its Leq figures.
#include "shell/TMainWin.h"

#include <algorithm>

#include "dialogs/TLeqOptionsDialog.h"
#include "dialogs/TLeqResultsDialog.h"
#include "engine/TSegmentLayout.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveSpectra.h"
#include "framework/TMDIClient.h"
#include "resources/StringIds.h"
#include "shell/TSegmentRun.h"
#include "utilities/TLeqData.h"
#include "views/TSpectrogram.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

bool TMainWin::TakeSegment(bool useGiven, float& start, float& end)
{
    if (!WaveFile)
        return false;
    if (!useGiven) {
        start = end = 0.0f;
        if (!GetSelectedSegment(start, end))
            return false;
    }
    if (start == end) {
        MessageBox("You must first select a time segment.", "Tonalyx", MB_OK);
        return false;
    }
    if (end < start)
        std::swap(start, end);
    return true;
}

bool TMainWin::CentreSegment(float& start, float& end, uint32_t blockFrames) const
{
    return TSegmentLayout::Centre(start, end, WaveFile->FrameToTime(blockFrames / 2));
}

void TMainWin::ActivateView(TWindow* view)
{
    if (view && view->GetHandle())
        GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(view->GetHandle()));
}

void TMainWin::AverageSpectrumOfSegment(bool useGiven, float start, float end)
{
    if (!TakeSegment(useGiven, start, end))
        return;
    const uint32_t blockFrames = TWaveSpectra::BlockFrames(Settings);
    if (!CentreSegment(start, end, blockFrames))
        return;
    // The live analysis would average its own blocks into the result.
    StopAnalyzerForRun();
    if (!ViewStatus.SpectrumPlot)
        CmViewSpectrum();
    else
        ActivateView(SpectrumView(0));
    {
        TSegmentRun run(*this, *WaveFile, "Computing average spectrum... press <Esc> to cancel.");
        uint32_t delays[2];
        TWaveSpectra::ChannelDelays(Settings, delays);
        if (!run.MakeBlocks(Settings.Format, blockFrames, Settings.DecimationRatio,
                            Settings.ApplyLowPassFilter, delays)) {
            MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        // Past a thousand blocks the averager keeps the plain running mean.
        Pipeline.SetAveraging(100000.0f, Settings.AverageType);
        UpdateHopSize();
        const uint32_t count = TSegmentLayout::AverageCount(WaveFile->TimeToFrame(end - start),
                                                            Settings.DecimationRatio, Settings.HopSize);
        const uint32_t step = Settings.DecimationRatio * Settings.HopSize;
        Pipeline.ResetAveraging();
        WaveFile->SetPositionTime(start);
        for (uint32_t i = 0; i < count; ++i) {
            run.Progress(i, count);
            run.ReadBlocks();
            CopySeriesToSpectral(SpectralLeft, run.Block(0));
            CopySeriesToSpectral(SpectralRight, run.Block(1));
            ComputeSpectra(SpectralLeft, SpectralRight, SpectralCombined, SpectralAux);
            WaveFile->Advance(step);
            if (TSegmentRun::Cancelled())
                break;
        }
    }
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle()) {
            view->SetCepstrumAxis(0);
            view->NewData(0.0f);
        }
    Pipeline.RestoreAveraging();
    RefreshAllViews();
    PostDdeAdviseAll();
}

void TMainWin::ShowSegmentSpectrogram(bool useGiven, float start, float end)
{
    if (!TakeSegment(useGiven, start, end))
        return;
    if (!ViewStatus.Spectrogram)
        CmViewSpectrogram();
    for (TSpectrogram* view : SpectrogramViews())
        if (view) {
            SpectrogramOfSegment(view, start, end);
            ActivateView(view);
        }
}

void TMainWin::ShowSegmentSurface(bool useGiven, float start, float end)
{
    if (!TakeSegment(useGiven, start, end))
        return;
    if (!ViewStatus.SurfacePlot)
        CmViewSurface();
    for (TSurfacePlot* view : SurfaceViews())
        if (view) {
            SurfaceOfSegment(view, start, end);
            ActivateView(view);
        }
}

uint32_t TMainWin::SegmentLineStep(float start, float end, uint32_t lines)
{
    bool raised = false;
    const uint32_t step = TSegmentLayout::LineStep(WaveFile->TimeToFrame(end - start), lines, raised);
    if (raised)
        MessageBox("Note: You have reached the maximum time resolution that can be produced with the current "
                   "sampling rate",
                   "Tonalyx", MB_OK);
    return step;
}

void TMainWin::SpectrogramOfSegment(TSpectrogram* view, float start, float end)
{
    const int index = view && view == SpectrogramView(0) ? 0 : view && view == SpectrogramView(1) ? 1 : -1;
    if (index < 0 || !view->GetHandle() || !TakeSegment(true, start, end))
        return;
    const uint32_t blockFrames = TWaveSpectra::BlockFrames(Settings);
    if (!CentreSegment(start, end, blockFrames))
        return;
    view->UpdateLayout();
    const int lines = view->GetHistoryLineCount();
    if (lines < 1)
        return;
    const uint32_t step = SegmentLineStep(start, end, uint32_t(lines));
    TWaveSpectra spectra(Settings, Scaling, Calibration, KaiserAlpha());
    if (!spectra.IsReady()) {
        MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    {
        TSegmentRun run(*this, *WaveFile, IDS_REBUILDING_DISPLAY_TEXT);
        WaveFile->SetPositionTime(start);
        const float half = WaveFile->FrameToTime(blockFrames / 2);
        for (int i = 0; i < lines; ++i) {
            run.Progress(uint32_t(i), uint32_t(lines));
            const int line = TSegmentLayout::SpectrogramLine(i, lines, view->GetDisplayMode());
            if (spectra.ComputeFrom(*WaveFile, WaveFile->GetPosition())) {
                TSpectralData *data, *data2;
                ViewEngines(index, spectra.Primary(), spectra.Secondary(), data, data2);
                view->DrawSpectrumLine(line, data, data2);
            }
            view->SetHistoryRecord(line, WaveFile->GetPositionTime() + half);
            WaveFile->Advance(step);
            if (TSegmentRun::Cancelled())
                break;
        }
    }
    view->ShowPaneBitmaps();
    view->UpdateReadout();
    view->InvalidateLogo();
}

void TMainWin::SurfaceOfSegment(TSurfacePlot* view, float start, float end)
{
    const int index = view && view == SurfaceView(0) ? 0 : view && view == SurfaceView(1) ? 1 : -1;
    if (index < 0 || !view->GetHandle() || !TakeSegment(true, start, end))
        return;
    const uint32_t blockFrames = TWaveSpectra::BlockFrames(Settings);
    if (!CentreSegment(start, end, blockFrames))
        return;
    view->UpdateLayout();
    const uint32_t lines = view->GetHistoryLineCount();
    if (lines < 1)
        return;
    const uint32_t step = SegmentLineStep(start, end, lines);
    TWaveSpectra spectra(Settings, Scaling, Calibration, KaiserAlpha());
    if (!spectra.IsReady()) {
        MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    {
        TSegmentRun run(*this, *WaveFile, IDS_REBUILDING_DISPLAY_TEXT);
        WaveFile->SetPositionTime(start);
        const float half = WaveFile->FrameToTime(blockFrames / 2);
        // Each line drawn moves the ones before it back: the first block
        // read ends on the last line.
        for (uint32_t i = lines; i-- > 0;) {
            run.Progress(lines - 1 - i, lines);
            if (spectra.ComputeFrom(*WaveFile, WaveFile->GetPosition())) {
                TSpectralData *data, *data2;
                ViewEngines(index, spectra.Primary(), spectra.Secondary(), data, data2);
                view->DrawSpectrumLine(data, data2);
            }
            view->SetHistoryRecord(i, WaveFile->GetPositionTime() + half);
            WaveFile->Advance(step);
            if (TSegmentRun::Cancelled())
                break;
        }
    }
    view->UpdateReadout();
    view->InvalidateLogo();
}

void TMainWin::LeqOfSegment()
{
    float start = 0.0f, end = 0.0f;
    if (!TakeSegment(false, start, end))
        return;
    // The dialog writes the options back itself on OK.
    TLeqOptionsDialog options(this, *this, "DIALOG_LEQ_OPTIONS", &LeqOptions);
    if (ExecuteDialog(options) != IDOK || !CentreSegment(start, end, TSegmentLayout::LeqBlockFrames))
        return;
    SegmentLeqTexts = {};
    const bool stereo = Settings.Format.NumChannels == 2;
    const uint32_t frames = WaveFile->TimeToFrame(end - start);
    const uint32_t step = TSegmentLayout::LeqStep(Settings.Format.SamplingRate, frames);
    const uint32_t count = TSegmentLayout::LeqCount(frames, step);
    std::unique_ptr<TLeqData> data[2];
    for (int k = 0; k < (stereo ? 2 : 1); ++k) {
        data[k] = std::make_unique<TLeqData>(LeqOptions, Settings, Scaling[k],
                                             k == 0 ? &Calibration.Left : &Calibration.Right, end - start,
                                             int32_t(count));
        if (!data[k]->IsReady()) {
            MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    {
        TSegmentRun run(*this, *WaveFile, "Computing Leq values... press <Esc> to cancel.");
        const uint32_t delays[2] = {0, 0};
        if (!run.MakeBlocks(Settings.Format, TSegmentLayout::LeqBlockFrames, 1, 0, delays)) {
            MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        WaveFile->SetPositionTime(start);
        for (uint32_t i = 0; i < count; ++i) {
            run.Progress(i, count);
            run.ReadBlocks();
            for (int k = 0; k < 2; ++k)
                if (data[k]) {
                    data[k]->AddSpectrum(*run.Block(k));
                    data[k]->Compute();
                }
            WaveFile->Advance(step);
            if (TSegmentRun::Cancelled())
                break;
        }
    }
    for (int k = 0; k < 2; ++k)
        if (data[k])
            SegmentLeqTexts[k] = TLeqData::ReportText(data[k]->GetResults(), LeqOptions, k == 1);
    TLeqResultsDialog results(this, "DIALOG_LEQ_RESULTS", LeqOptions, SegmentLeqTexts[0], SegmentLeqTexts[1]);
    ExecuteDialog(results);
}
