// The spectrogram views as the main window creates, feeds, closes and
// rebuilds them from the wave file, and what they ask of their host.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "engine/TChannelProcessing.h"
#include "engine/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "views/TSpectrogram.h"

void TMainWin::CreateSpectrogramView(int type, const char* settingsFile)
{
    const int index = type == Spectrogram2Type ? 1 : 0;
    if (SpectrogramViews[index] || !GetClientWindow())
        return;
    RECT rect;
    int showCommand = SW_SHOWNORMAL;
    GetInitialPlacement(rect, type, settingsFile, showCommand);
    const TRect placement(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    TSpectralData* primary = DisplayPrimary;
    TSpectralData* secondary = DisplaySecondary;
    TSpectralData* data = index == 0 ? primary : (secondary ? secondary : primary);
    TSpectralData* data2 = index == 0 && Settings.IndependentScalingAndCalibration != 1 ? secondary : nullptr;
    auto* view = new TSpectrogram(*static_cast<TMDIClient*>(GetClientWindow()), this,
                                  index == 0 ? IDS_VIEW_SPECTROGRAM_TEXT : IDS_VIEW_SPECTROGRAM2_TEXT, placement,
                                  Scaling[index], &SpectrogramOptions[index], data, data2, index + 1);
    SpectrogramViews[index] = view;
    view->Create();
    if (showCommand == SW_SHOWMAXIMIZED)
        view->Show(SW_SHOWMAXIMIZED);
    ViewStatus.Spectrogram = 1;
}

void TMainWin::CloseSpectrogramView(int index)
{
    if (!SpectrogramViews[index])
        return;
    SaveUtilityPlacements(index == 0 ? SpectrogramType : Spectrogram2Type, IniPath);
    std::unique_ptr<TSpectrogram>(std::exchange(SpectrogramViews[index], nullptr))->Destroy();
}

void TMainWin::SpectrogramViewClosed(TSpectrogram* view)
{
    if (SpectrogramViews[0] && SpectrogramViews[1]) {
        CloseSpectrogramView(view == SpectrogramViews[0] ? 0 : 1);
        return;
    }
    CmViewSpectrogram();
}

void TMainWin::CmViewSpectrogram()
{
    if (SpectrogramViews[0] || SpectrogramViews[1]) {
        CloseSpectrogramView(0);
        CloseSpectrogramView(1);
    } else {
        CreateViewWindow(SpectrogramType, IniPath);
        CreateViewWindow(Spectrogram2Type, IniPath);
    }
    ViewStatus.Spectrogram = SpectrogramViews[0] || SpectrogramViews[1] ? 1 : 0;
    UpdateViewMenuChecks();
}

// Each open spectrogram takes its channel's scaling and lays itself out for
// the new engines: after a change of format or size its lines no longer
// fit and the history starts again; after a change of window the lines are
// computed again from the file.
void TMainWin::ApplySpectrogramViewSettings(int refreshKind)
{
    for (int index = 0; index < 2; ++index)
        if (TSpectrogram* view = SpectrogramViews[index]) {
            view->SetViewSettings(Scaling[index]);
            view->UpdateLayout();
            if (refreshKind == RefreshFull)
                view->ClearHistory();
            else if (refreshKind == RefreshRecomputeHistory)
                RebuildSpectrogram(*view);
        }
}

float TMainWin::GetRpmTag() const
{
    if (!RpmLinkFlag)
        return 0.0f;
    return RpmEntries[std::clamp(RpmEntryCount - 1, 0, RpmEntryCapacity - 1)].Rpm;
}

void TMainWin::RebuildSpectrogram(TSpectrogram& view)
{
    // A view that has shown no line has nothing to rebuild.
    if (!ViewStatus.Spectrogram || !(view.GetHistoryMaxTime() > 0.0f))
        return;
    RecomputeSpectrogram(&view, view.GetHistoryMinTime(), view.GetHistoryMaxTime());
}

namespace {

// Esc (taken from the queue) or a waiting left-button press stops a rebuild.
bool RebuildCancelled()
{
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYUP, PM_REMOVE) && msg.message == WM_KEYDOWN
        && msg.wParam == VK_ESCAPE)
        return true;
    return ::PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}

// A rebuild's progress: the status bar's gauge and the frame's title while it
// runs, both put back when it ends.
class TRebuildProgress {
public:
    explicit TRebuildProgress(TMainWin& main) : Main(main)
    {
        if (Main.StatusBarWindow)
            Main.StatusBarWindow->ShowGauge();
        Main.GetWindowText(Main.FrameCaption, sizeof Main.FrameCaption);
        Main.SetCaption(IDS_REBUILDING_DISPLAY_TEXT);
    }
    ~TRebuildProgress()
    {
        if (Main.StatusBarWindow)
            Main.StatusBarWindow->HideGauge();
        Main.SetCaption(Main.FrameCaption);
    }
    void Step(int k, int count)
    {
        if (count > 0 && Main.StatusBarWindow)
            Main.StatusBarWindow->SetGaugeValue(k * 100 / count);
    }

private:
    TMainWin& Main;
};

}  // namespace

void TMainWin::ComputeBlockAt(float seconds, TSpectrumPipeline& engines, TSeriesData& left, TSeriesData* right)
{
    WaveFile->SetPositionTime(seconds);
    const int64_t half = int64_t(left.GetLength()) / 2;
    ReadSeriesBlocks(int64_t(WaveFile->GetPosition()) - half, &left, right);
    CopySeriesToSpectral(engines.Left(), &left);
    CopySeriesToSpectral(engines.Right(), right);
    Pipeline.Compute(engines.Own());
}

void TMainWin::RecomputeSpectrogram(TSpectrogram* view, float start, float end)
{
    if (!view || !ViewStatus.Spectrogram || !view->GetHandle())
        return;
    if (DdeClientLink && OpMode == RealTime)
        return;
    if (!WaveFile)
        return;
    if (!(start < end))
        std::swap(start, end);
    TEngineWait wait;
    view->Invalidate(true);
    view->UpdateWindow();

    // The lines' engines, apart from the live ones, in the same mode and settings.
    TSpectrumPipeline engines(Settings, Scaling, Calibration);
    const uint32_t frames = Settings.FFTsize * Settings.DecimationRatio;
    const bool stereo = Settings.Format.NumChannels == 2;
    TSeriesData left(frames, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    TSeriesData right(stereo ? frames : 1, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    if (!engines.Build() || left.Error || (stereo && right.Error)) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, Caption, TEngineHost::MsgOk);
        return;
    }
    const bool first = view == SpectrogramViews[0];
    TSpectralData* data = first ? engines.Primary() : (engines.Secondary() ? engines.Secondary() : engines.Primary());
    TSpectralData* data2 = first ? engines.Secondary() : nullptr;

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
    // The picture reaches the window ten times a second while it is built.
    constexpr uint32_t ShowEvery = 100;
    uint32_t shown = TEngineHost::Get().TickCount();
    int line = i0;
    for (int k = 0; k <= count; ++k) {
        progress.Step(k, count);
        if (mode == TSpectrogram::ScrollImage)
            line = std::max(i0 - k, 0);
        else if (mode == TSpectrogram::WrapImage)
            line = i0 + k >= view->GetHistoryLineCount() ? 0 : i0 + k;
        ComputeBlockAt(view->GetHistoryTime(line), engines, left, stereo ? &right : nullptr);
        view->DrawSpectrumLine(line, data, data2);
        if (TEngineHost::Get().TickCount() - shown >= ShowEvery) {
            view->ShowPaneBitmaps();
            shown = TEngineHost::Get().TickCount();
        }
        if (RebuildCancelled())
            break;
    }
    view->ShowPaneBitmaps();
    view->InvalidateLogo();
    WaveFile->SetPosition(position);
}
