// The spectral pipeline: spectra per channel-processing mode, block times,
// segment playback and reprocessing, and applying changed settings.
#include "shell/TMainWin.h"

#include <algorithm>
#include "engine/TChannelProcessing.h"
#include "base/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "automation/TMacro.h"
#include "generator/TSignalGenerator.h"
#include "engine/TWaveSpectra.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TPhaseScope.h"
#include "utilities/TLeqAnalysis.h"
#include "views/TSpectrogram.h"
#include "views/TPhasePlot.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"

namespace {

float TimeOfDaySeconds()
{
    TEngineHost::LocalTime t = TEngineHost::Get().Now();
    return float(t.Hour * 3600 + t.Minute * 60 + t.Second) + float(t.Millisecond / 10) * 0.01f;
}

}

int TMainWin::ComputeSpectra(TSpectralData* left, TSpectralData* right, TSpectralData* combined, TSpectralData* aux)
{
    const bool stereo = Settings.Format.NumChannels == 2;
    if (!left || (stereo && !right)) return 0;
    if (!UpdateAveragingRate()) return 0;
    const ViewStatusFlags& v = ViewStatus;
    const bool consumer = v.TimeSeries || v.SpectrumPlot || v.Spectrogram || v.SurfacePlot || v.PhasePlot
        || Windows.AnyUsesSpectra() || DataLog || DdeAdviseActive;
    if (!consumer) return 0;
    return Pipeline.Compute({left, right, combined, aux}) ? 1 : 0;
}

int TMainWin::UpdateAveragingRate()
{
    float before = CurrentTime;
    UpdateCurrentTime();
    if (Settings.AverageMode == AnalysisSettingsStruct::BlockAveraging || RunState == Stopped) return 1;
    float dt = CurrentTime - before;
    if (!(dt > 0.0f)) {
        dt = 0.001f;
        before = CurrentTime;
    }
    if (before == 0.0f) return 0;
    Pipeline.SetAveraging(TSpectrumPipeline::TimedAveragingNumber(Settings.AverageSpeed, dt, Pipeline.Mode()),
                          Settings.AverageType);
    return 1;
}

void TMainWin::UpdateCurrentTime()
{
    const float halfBlock = float(Settings.FFTsize) * Settings.DecimationRatio * 0.5f;
    switch (OpMode) {
    case RealTime:
        if (!SoundInput) return;
        if (WaveFile)
            CurrentTime = SoundInput->GetRecordedSeconds() + RecordTimeOffset - 0.2f
                - halfBlock / float(WaveFile->GetSampleRate());
        else
            CurrentTime = TimeOfDaySeconds();
        break;
    case PostProcess:
        if (WaveFile) CurrentTime = WaveFile->GetPositionTime() + halfBlock / float(WaveFile->GetSampleRate());
        break;
    case Recorder:
        if (RunState == Recording && WaveFile && SoundInput)
            CurrentTime = Trigger.Enable ? WaveFile->GetPositionTime()
                                         : SoundInput->GetRecordedSeconds() + RecordTimeOffset;
        else if (RunState == Playback && WaveFile && SoundOutput)
            CurrentTime = Trigger.Enable ? WaveFile->GetPositionTime()
                                         : SoundOutput->GetPlayedSeconds() + PlaybackTimeOffset;
        break;
    default:
        break;
    }
}

void TMainWin::UpdateViewTimes()
{
    // Without a history buffer a Real Time block has no time of its own.
    const bool timeOfDay = (OpMode == RealTime && FileIO.RealTimeWaveBufferEnableFlag == 0) || DdeClientLink;
    const float t = timeOfDay ? TimeOfDaySeconds() : CurrentTime;
    NotifyViewsNewData(t);
}

void TMainWin::RefreshAllViews()
{
    RefreshReadouts();
    if (TDelayFinder* finder = DelayFinder(); finder && finder->GetHandle()) finder->Update();
    if (TLeqAnalysis* leq = LeqWindow(); leq && leq->GetHandle()) leq->Update(false);
    if (TPhaseScope* scope = PhaseScope(); scope && scope->GetHandle()) scope->UpdateTrace();
}

float TMainWin::GetNoiseFigure() const
{
    if (!SpectralLeft || !SpectralRight) return 0.0f;
    const float left = SpectralLeft->ComputeSNR();
    const float right = SpectralRight->ComputeSNR();
    return NoiseFigureOrder == 6 ? left - right : right - left;
}

void TMainWin::StartPlayback(float start, float end, uint32_t rate, int loop)
{
    if (!WaveFile || !SoundOutput) return;
    if (PlaybackCopy) {
        SoundOutput->CloseDevice();
        PlaybackCopy.reset();
        PlaybackActive = 0;
    }
    const float duration = WaveFile->GetDuration();
    if (end < start || start >= duration) return;
    start = std::max(start, 0.0f);
    // Frames, so that a segment ending at the end of the wave keeps its last frame.
    const uint32_t first = WaveFile->TimeToFrame(start);
    const uint32_t last = end >= duration ? WaveFile->GetFrameCount() : WaveFile->TimeToFrame(end);
    uint32_t n = last > first ? last - first : 0;
    if (n % 2) ++n;
    PlaybackCopy.reset(new (std::nothrow) TWaveData(n, Settings.Format));
    if (!PlaybackCopy || PlaybackCopy->Error) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "Tonalyx", TEngineHost::MsgOk);
        PlaybackCopy.reset();
        return;
    }
    const uint32_t position = WaveFile->GetPosition();
    WaveFile->SetPosition(first);
    const int read = WaveFile->ReadStream(PlaybackCopy->GetBuffer(), PlaybackCopy->GetBufferSize());
    WaveFile->SetPosition(position);
    SoundOutput->SetFormat(rate, Settings.Format.NumChannels, Settings.Format.BytesPerSample);
    const int opened = SoundOutput->Open(HWindow, 0);
    if (read && opened) {
        SoundOutput->WriteBuffer(PlaybackCopy->GetBuffer(), PlaybackCopy->GetBufferSize(), 0, loop);
        PlaybackActive = 1;
        SoundOutput->Restart();
    } else {
        PlaybackCopy.reset();
        SoundOutput->CloseDevice();
    }
}

void TMainWin::ReprocessSegment(float time)
{
    if (!WaveFile) return;
    if (!ViewStatus.SpectrumPlot) CmViewSpectrum();
    TEngineWait wait;
    const uint32_t position = WaveFile->GetPosition();
    const float halfBlock = float(Settings.FFTsize) * Settings.DecimationRatio * 0.5f / float(WaveFile->GetSampleRate());
    WaveFile->SetPositionTime(std::max(time - halfBlock, 0.0f));
    const uint32_t n = TWaveSpectra::BlockFrames(Settings);
    const bool stereo = Settings.Format.NumChannels == 2;
    TSeriesData left(n, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    TSeriesData right(stereo ? n : 1, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    Pipeline.SetAveraging(1.0f, TSpectralData::ExponentialAveraging);
    uint32_t delays[2];
    TWaveSpectra::ChannelDelays(Settings, delays);
    TSeriesData* const blocks[2] = {&left, stereo ? &right : nullptr};
    TWaveSpectra::ReadBlocks(*WaveFile, WaveFile->GetPosition(), delays, blocks);
    CopySeriesToSpectral(SpectralLeft, &left);
    if (stereo) CopySeriesToSpectral(SpectralRight, &right);
    ComputeSpectra(SpectralLeft, SpectralRight, SpectralCombined, SpectralAux);
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle()) {
            view->SetCepstrumAxis(0);
            view->NewData(0.0f);
        }
    RefreshAllViews();
    WaveFile->SetPosition(position);
    Pipeline.RestoreAveraging();
    PostDdeAdviseAll();
}

void TMainWin::ApplySettings(RefreshKind refreshKind)
{
    if (Settings.Format.NumChannels == 1) Settings.ChannelProcessing = TChannelProcessing::LeftOnly;
    CloseDisallowedViews();
    AllocateSeriesBuffers();
    AllocateSpectralData();
    if (refreshKind != RefreshKind::KeepViews) {
        if (TimeSeriesView()) TimeSeriesView()->UpdateLayout();
        ApplySpectrumViewSettings();
        ApplyPhaseViewSettings();
    }
    if (refreshKind == RefreshKind::Full)
        ApplySurfaceViewSettings();
    ShapeWindow();
    UpdateDelaySamples();
    // After the window: a recomputed history runs through it.
    if (refreshKind != RefreshKind::KeepViews) ApplySpectrogramViewSettings(refreshKind);
    RefreshStatusBar(StatusBar::WholeBar);
    if (SignalGenerator()) SignalGenerator()->FormatChanged(uint32_t(OutputDeviceID), 0);
    ApplyUtilitySettings();
    if (refreshKind == RefreshKind::RecomputeHistory)
        for (TSurfacePlot* view : SurfaceViews())
            if (view && view->GetHandle()) {
                RecomputeSurface(*view);
                view->Invalidate(true);
            }
    SetMenuCheck(CM_TOGGLEMAINTOOLBAR, MainToolbarFlag != 0);
    SetMenuCheck(CM_TOGGLESECONDARYTOOLBAR, ButtonToolbarFlag != 0);
    SetMenuCheck(CM_TOGGLESTATUSBAR, StatusBarFlag != 0);
    RefreshButtonToolbar();
}

// The utility windows rebuild their measurements for the new settings.
void TMainWin::ApplyUtilitySettings()
{
    RefreshReadouts();
    if (TMacro* macro = MacroWindow(); macro && macro->GetHandle()) macro->Refresh();
    if (TDelayFinder* finder = DelayFinder(); finder && finder->GetHandle()) finder->ClearDelay();
    if (TLeqAnalysis* leq = LeqWindow(); leq && leq->GetHandle()) leq->Refresh();
    if (TPhaseScope* scope = PhaseScope(); scope && scope->GetHandle()) scope->UpdateLayout();
}

void TMainWin::CloseDisallowedViews()
{
    for (ViewType family : {ViewType::Spectrum, ViewType::Spectrogram, ViewType::Phase, ViewType::Surface})
        for (ViewType type : {family, SecondChannel(family)})
            if (TWindow* view = Windows.Window(type); view && !IsViewAllowed(type))
                Windows.Closed(*view);
}

void TMainWin::ApplySpectrumViewSettings()
{
    // The range comes before the layout, so that the layout clamps the stored
    // range against the new engines rather than bin indexes of the old ones.
    Windows.Apply<TSpectrumPlot>(ViewType::Spectrum, [this](TSpectrumPlot& view, int channel) {
        view.SetScaling(Scaling[channel]);
        if (view.GetHandle())
            view.SetFrequencyRange(SpectrumOptions[channel].StartFreq, SpectrumOptions[channel].StopFreq);
    });
}

void TMainWin::ApplyPhaseViewSettings()
{
    Windows.Apply<TPhasePlot>(ViewType::Phase, [this](TPhasePlot& view, int channel) {
        view.SetViewSettings(Scaling[channel]);
        if (view.GetHandle())
            view.SetFrequencyRange(PhaseOptions[channel].StartFreq, PhaseOptions[channel].StopFreq);
    });
}

void TMainWin::ApplySurfaceViewSettings()
{
    Windows.Apply<TSurfacePlot>(ViewType::Surface, [this](TSurfacePlot& view, int channel) {
        view.SetViewSettings(Scaling[channel]);
        view.UpdateLayout();
        view.ClearHistory();
    });
}
