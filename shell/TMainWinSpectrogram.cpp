// The spectrogram views as the main window gives them their settings and
// rebuilds them from the wave file.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "base/TEngineHost.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveSpectra.h"
#include "resources/StringIds.h"
#include "shell/TRebuildProgress.h"
#include "views/TSpectrogram.h"

// Each open spectrogram takes its channel's scaling and lays itself out for
// the new engines: after a change of format or size its lines no longer
// fit and the history starts again; after a change of window the lines are
// computed again from the file.
void TMainWin::ApplySpectrogramViewSettings(RefreshKind refreshKind)
{
    Windows.Apply<TSpectrogram>(ViewType::Spectrogram, [&](TSpectrogram& view, int channel) {
        view.SetViewSettings(Scaling[channel]);
        view.UpdateLayout();
        if (refreshKind == RefreshKind::Full)
            view.ClearHistory();
        else if (refreshKind == RefreshKind::RecomputeHistory)
            RebuildSpectrogram(view);
    });
}

void TMainWin::RebuildSpectrogram(TSpectrogram& view)
{
    // A view that has shown no line has nothing to rebuild.
    if (!ViewStatus.Spectrogram || !(view.GetHistoryMaxTime() > 0.0f))
        return;
    RecomputeSpectrogram(&view, view.GetHistoryMinTime(), view.GetHistoryMaxTime());
}

void TMainWin::RecomputeSpectrogram(TSpectrogram* view, float start, float end)
{
    const int index = view && view == SpectrogramView(0) ? 0 : view && view == SpectrogramView(1) ? 1 : -1;
    if (index < 0 || !ViewStatus.Spectrogram || !view->GetHandle())
        return;
    // A DDE client link in Real Time redraws from its own data.
    if (DdeClientLink && OpMode == RealTime) {
        DdeLinkHook4();
        return;
    }
    if (!WaveFile)
        return;
    if (!(start < end))
        std::swap(start, end);
    TEngineWait wait;
    view->Invalidate(true);
    view->UpdateWindow();
    TWaveSpectra spectra(Settings, Scaling, Calibration, KaiserAlpha());
    if (!spectra.IsReady()) {
        MessageBox(IDS_NO_MEMORY_TEXT, Caption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    int i0 = view->FindHistoryIndex(start);
    const int i1 = view->FindHistoryIndex(end);
    int count = std::abs(i1 - i0);
    const uint16_t mode = view->GetDisplayMode();
    if (mode == TSpectrogram::WrapImage) {
        i0 = 0;
        count = i1;
    }
    const uint32_t position = WaveFile->GetPosition();
    TRebuildProgress progress(*this);
    int line = i0;
    for (int k = 0; k <= count; ++k) {
        if (mode == TSpectrogram::ScrollImage)
            line = std::max(i0 - k, 0);
        else if (mode == TSpectrogram::WrapImage)
            line = i0 + k >= view->GetHistoryLineCount() ? 0 : i0 + k;
        if (spectra.ComputeAt(*WaveFile, view->GetHistoryTime(line))) {
            TSpectralData *data, *data2;
            ViewEngines(index, spectra.Primary(), spectra.Secondary(), data, data2);
            view->DrawSpectrumLine(line, data, data2);
        }
        // The picture reaches the window as the gauge moves, while it is built.
        if (progress.Due()) {
            progress.Step(k, count);
            view->ShowPaneBitmaps();
            if (TRebuildProgress::Cancelled())
                break;
        }
    }
    view->ShowPaneBitmaps();
    view->InvalidateLogo();
    WaveFile->SetPosition(position);
}
