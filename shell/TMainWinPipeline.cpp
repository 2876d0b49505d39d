// The spectral pipeline: spectra per channel-processing mode, block times,
// segment playback and reprocessing, and applying changed settings.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdlib>
#include "engine/TEngineHost.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "generator/TSignalGenerator.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "views/TSpectrumPlot.h"

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
    const bool consumer = v.TimeSeries || v.SpectrumPlot || v.Spectrogram || v.SurfacePlot || v.PhasePlot || DataLog
        || ThdWindow || ThdnWindow || ImdWindow || SnrWindow || SinadWindow || SfdrWindow || NoiseFigureWindow
        || PeakFrequencyWindow || PeakAmplitudeWindow || TotalPowerWindow || DelayFinderWindow || PhaseScopeWindow
        || LeqWindow || DdeAdviseActive;
    if (!consumer) return 0;

    const uint16_t mode = EffectiveChannelProcessing();
    // Every engine the mode works on must exist, and the window must too.
    const bool needsCombined = mode >= 3 && mode <= 12;
    if (!Smoothing || (mode >= 1 && mode <= 12 && !right) || (needsCombined && !combined) || (mode >= 11 && mode <= 12 && !aux))
        return 0;

    auto prepare = [&](TSpectralData* x, const ScalingStruct& display) {
        if (Smoothing->GetLength() != x->GetFFTSize()) Smoothing->SetLengthAndType(x->GetFFTSize(), Settings.SmoothingWindow);
        Smoothing->Apply(x->GetFFTBuffer(), display.FreqScaleType, display.SpectralDensityFlag);
        x->ComputeSpectrum();
    };
    auto prepareL = [&] { prepare(left, Scaling[0]); };
    auto prepareR = [&] { prepare(right, Scaling[1]); };
    auto vectorReset = [&](TSpectralData* x) {
        if (Settings.AverageType == 2) x->SetAveraging(float(Settings.AverageBlocks), 0);
    };
    auto spectrum = [](TSpectralData* x) { return x->GetSpectrumBuffer(); };
    auto averaged = [](TSpectralData* x) { return x->GetMagnitudes(); };
    auto averagedComplex = [](TSpectralData* x) { return x->GetAverageComplex(); };

    switch (mode) {
    case 0:
        prepareL();
        left->Average(0);
        left->UpdatePeakHold();
        break;
    case 1:
        prepareR();
        right->Average(0);
        right->UpdatePeakHold();
        break;
    case 2:
        prepareL();
        left->Average(0);
        left->UpdatePeakHold();
        prepareR();
        right->Average(0);
        right->UpdatePeakHold();
        break;
    case 3:
        prepareL();
        left->Average(0);
        prepareR();
        right->Average(0);
        combined->AverageChannels(spectrum(left), spectrum(right));
        combined->Average(0);
        combined->UpdatePeakHold();
        break;
    case 4:
    case 5: {
        TSpectralData* a = mode == 4 ? left : right;
        TSpectralData* b = mode == 4 ? right : left;
        prepareL();
        left->Average(0);
        prepareR();
        right->Average(0);
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        combined->Average(0);
        combined->ComputeTransferRatio(averaged(a), averaged(b), averagedComplex(a), averagedComplex(b));
        combined->UpdatePeakHold();
        break;
    }
    case 6:
    case 7:
        prepareL();
        prepareR();
        combined->ComputeCrossSpectrum(spectrum(mode == 6 ? left : right), spectrum(mode == 6 ? right : left));
        combined->Average(0);
        combined->UpdatePeakHold();
        break;
    case 8:
    case 9: {
        TSpectralData* a = mode == 8 ? left : right;
        TSpectralData* reference = mode == 8 ? right : left;
        prepareL();
        prepareR();
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(reference));
        combined->Average(0);
        vectorReset(reference);
        left->Average(0);
        right->Average(0);
        combined->ComputeTransferFromCross(averaged(reference));
        combined->UpdatePeakHold();
        break;
    }
    case 10:
        prepareL();
        prepareR();
        combined->ComputeCrossSpectrum(spectrum(left), spectrum(right));
        combined->Average(1);
        vectorReset(left);
        vectorReset(right);
        left->Average(0);
        right->Average(0);
        combined->ComputeCoherence(averaged(left), averaged(right));
        combined->UpdatePeakHold();
        break;
    case 11:
    case 12: {
        TSpectralData* a = mode == 11 ? left : right;
        TSpectralData* reference = mode == 11 ? right : left;
        prepareL();
        prepareR();
        aux->ComputeCrossSpectrum(spectrum(a), spectrum(reference));
        aux->Average(0);
        vectorReset(left);
        vectorReset(right);
        if (mode == 11) {
            right->Average(0);
            left->Average(0);
        } else {
            left->Average(0);
            right->Average(0);
        }
        aux->ComputeCoherence(averaged(a), averaged(reference));
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(reference));
        combined->Average(1);
        combined->ComputeTransferFromCross(averaged(reference));
        combined->UpdatePeakHold();
        break;
    }
    default:
        break;
    }
    return 1;
}

int TMainWin::UpdateAveragingRate()
{
    float before = CurrentTime;
    UpdateCurrentTime();
    if (Settings.AverageMode == 0 || RunState == Stopped) return 1;
    float dt = CurrentTime - before;
    if (!(dt > 0.0f)) {
        dt = 0.001f;
        before = CurrentTime;
    }
    if (before == 0.0f) return 0;
    const uint16_t mode = EffectiveChannelProcessing();
    float number = 1.0f;
    switch (Settings.AverageSpeed) {
    case 0: number = mode >= 10 && mode <= 12 ? 1.1f : 1.0f; break;
    case 1: number = 1.8f * (0.1f / dt); break;
    case 2: number = 2.7097f * (0.1f / dt); break;
    case 3: number = 11.365f * (0.1f / dt); break;
    case 4: number = 100000.0f; break;
    default: break;
    }
    for (TSpectralData* spectral : {SpectralLeft, SpectralRight, SpectralCombined, SpectralAux})
        if (spectral) spectral->SetAveraging(number, Settings.AverageType);
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
    // The time-series and both phase views take t through NewData here once they exist.
    // Both spectrogram views take it through NewSpectrum here once they exist.
    // Both surface views take it here once they exist.
    // The data log writes its record (UpdateDataLog) here once it exists.
}

void TMainWin::RefreshAllViews()
{
    // The ten single-value readout windows are invalidated here once they exist.
    // The delay finder, phase scope and Leq window update here once they exist.
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
        delete PlaybackCopy;
        PlaybackCopy = nullptr;
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
    PlaybackCopy = new (std::nothrow) TWaveData(n, Settings.Format);
    if (!PlaybackCopy || PlaybackCopy->Error) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "Tonalyx", TEngineHost::MsgOk);
        delete PlaybackCopy;
        PlaybackCopy = nullptr;
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
        delete PlaybackCopy;
        PlaybackCopy = nullptr;
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
    const uint32_t n = Settings.FFTsize * Settings.DecimationRatio;
    const bool stereo = Settings.Format.NumChannels == 2;
    TSeriesData left(n, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    TSeriesData right(stereo ? n : 1, Settings.Format, Settings.DecimationRatio, Settings.ApplyLowPassFilter);
    for (TSpectralData* spectral : {SpectralLeft, SpectralRight, SpectralCombined, SpectralAux})
        if (spectral) spectral->SetAveraging(1.0f, 0);
    uint32_t delays[2] = {0, 0};
    if (stereo) delays[Settings.DelayChannel == 1 ? 1 : 0] = Settings.DelaySamples;
    TSeriesData* blocks[2] = {&left, stereo ? &right : nullptr};
    for (uint16_t k = 0; k < 2; ++k) {
        if (!blocks[k] || blocks[k]->Error) continue;
        const int64_t start = int64_t(WaveFile->GetPosition()) - delays[k];
        uint32_t skip = 0;
        if (start < 0) {
            blocks[k]->Clear();
            skip = uint32_t(std::min<int64_t>(-start, n));
        }
        if (skip < n) WaveFile->ReadFrames(blocks[k]->GetSamplePtr(skip), uint32_t(start + skip), n - skip, k);
        blocks[k]->Decimate();
    }
    CopySeriesToSpectral(SpectralLeft, &left);
    if (stereo) CopySeriesToSpectral(SpectralRight, &right);
    ComputeSpectra(SpectralLeft, SpectralRight, SpectralCombined, SpectralAux);
    for (TSpectrumPlot* view : SpectrumViews)
        if (view && view->GetHandle()) {
            view->SetCepstrumAxis(0);
            view->NewData(0.0f);
        }
    RefreshAllViews();
    WaveFile->SetPosition(position);
    for (TSpectralData* spectral : {SpectralLeft, SpectralRight, SpectralCombined, SpectralAux})
        if (spectral) spectral->SetAveraging(float(Settings.AverageBlocks), Settings.AverageType);
}

void TMainWin::ApplySettings(int refreshKind)
{
    if (Settings.Format.NumChannels == 1) Settings.ChannelProcessing = 0;
    CloseDisallowedViews();
    AllocateSeriesBuffers();
    AllocateSpectralData();
    if (refreshKind != 1) {
        // The time-series view lays itself out again here once it exists.
        ApplySpectrumViewSettings();
        // The phase views take their settings, range and layout here once they exist.
    }
    // With kind 0 the spectrogram and surface views take their settings and clear their history here once they exist.
    // The readout windows, delay finder, macro window, phase scope and Leq window refresh here once they exist.
    if (!Smoothing) Smoothing = new TSmoothing(Settings.FFTsize, Settings.SmoothingWindow);
    Smoothing->SetLengthAndType(Settings.FFTsize, Settings.SmoothingWindow);
    if (Settings.SmoothingWindow == TSmoothing::Kaiser) {
        char text[40] = {};
        ::GetPrivateProfileStringA("Settings", "KaiserAlpha", "5.0", text, sizeof text, IniPath);
        Smoothing->SetKaiserParameter(float(std::atoi(text)));
    }
    UpdateDelaySamples();
    RefreshStatusBar(2);
    if (SignalGenerator) SignalGenerator->FormatChanged(uint32_t(OutputDeviceID), 0);
    // With kind 2 the spectrogram and surface views recompute their history here once they exist.
    // The button toolbar refreshes here once it exists.
    SetMenuCheck(CM_TOGGLEMAINTOOLBAR, MainToolbarFlag != 0);
    SetMenuCheck(CM_TOGGLESECONDARYTOOLBAR, ButtonToolbarFlag != 0);
    SetMenuCheck(CM_TOGGLESTATUSBAR, StatusBarFlag != 0);
}

void TMainWin::CloseDisallowedViews()
{
    for (int index = 0; index < 2; ++index)
        if (SpectrumViews[index] && !IsViewAllowed(index == 0 ? 2 : 22)) SpectrumViewClosed(SpectrumViews[index]);
    // Phase (5, 25), spectrogram (3, 23) and surface (4, 24) views close here once they exist.
}

void TMainWin::ApplySpectrumViewSettings()
{
    // The range comes before the layout, so that the layout clamps the stored
    // range against the new engines rather than bin indexes of the old ones.
    for (int index = 0; index < 2; ++index)
        if (TSpectrumPlot* view = SpectrumViews[index]) {
            view->SetScaling(Scaling[index]);
            if (view->GetHandle())
                view->SetFrequencyRange(SpectrumOptions[index].StartFreq, SpectrumOptions[index].StopFreq);
        }
}
