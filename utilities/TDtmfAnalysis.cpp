#include "utilities/TDtmfAnalysis.h"

#include <algorithm>
#include <cmath>
#include <exception>


uint32_t TDtmfAnalysis::FftSize(uint32_t rate)
{
    if (rate <= 8000) return 512;
    if (rate <= 16000) return 1024;
    if (rate <= 34000) return 2048;
    if (rate <= 50000) return 4096;
    return 8192;
}

uint32_t TDtmfAnalysis::DetectionStep(uint32_t fftSize)
{
    return static_cast<uint32_t>(fftSize * (1.0 - 0.99));
}

TDtmfAnalysis::TDtmfAnalysis(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& display)
    : Settings(analysis), Display(display)
{
    Settings.FFTsize = FftSize(analysis.Format.SamplingRate);
    Settings.DecimationRatio = 1;
    Settings.AverageBlocks = 1;
    Settings.AverageType = TSpectralData::ExponentialAveraging;
    Settings.PeakHold = 0;
    Settings.SmoothingWindow = TSmoothing::Hanning;
    Display.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
    Display.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    Display.OctaveNumber = 3;
    Display.SpectralDensityFlag = 0;
    Display.StandardWeighting = 0;
    Display.TotalPowerWeighting = 0;
    Display.MicCompEnable = 0;
    Channels = analysis.Format.NumChannels == 2 ? 2 : 1;
}

bool TDtmfAnalysis::Analyse(TWaveData& wave, int channel, uint32_t frame)
{
    const uint32_t n = Settings.FFTsize;
    Block->Clear();
    wave.ReadFrames(Block->GetSamplePtr(0), frame, n, static_cast<uint16_t>(channel));
    TSpectralData& s = *Spectra[channel];
    for (uint32_t i = 0; i < n; ++i) s.SetTimeSample(i, Block->GetSample(i, 0));
    Window->Apply(s.GetFFTBuffer(), DisplaySettingsStruct::LinearFrequency, 0);
    s.ComputeSpectrum();
    s.Average(0);
    return true;
}

TDtmfAnalysis::PassEnd TDtmfAnalysis::RunPass(TWaveData& wave, uint32_t startFrame, uint32_t step, uint32_t blocks,
                                              const Progress& progress,
                                              const std::function<void(int, uint32_t)>& take)
{
    uint32_t frame = startFrame;
    for (uint32_t b = 0; b < blocks; ++b, frame += step) {
        const Poll poll = progress ? progress(static_cast<int>(uint64_t{b} * 100 / blocks)) : Poll::Continue;
        if (poll == Poll::EndPass) return PassEnd::Pass;
        if (poll == Poll::EndAll) return PassEnd::All;
        for (int c = 0; c < Channels; ++c) {
            Analyse(wave, c, frame);
            take(c, frame);
        }
    }
    return PassEnd::Done;
}

bool TDtmfAnalysis::Run(TWaveData& wave, uint32_t startFrame, uint32_t frames, const Progress& progress)
{
    const uint32_t n = Settings.FFTsize;
    Settings.Format = wave.GetFormat();
    Channels = std::min<int>(Channels, wave.GetChannels());
    try {
        Window = std::make_unique<TSmoothing>(n, TSmoothing::Hanning);
        Block = std::make_unique<TSeriesData>(n, TWaveFormat(Settings.Format.SamplingRate, 1,
                                                             Settings.Format.BytesPerSample), 1, 0);
        for (int c = 0; c < Channels; ++c) Spectra[c] = std::make_unique<TSpectralData>(Settings, Display, 0);
    } catch (const std::exception&) {
        return false;
    }
    if (Window->Error || Block->Error) return false;
    for (int c = 0; c < Channels; ++c)
        if (Spectra[c]->Error) return false;

    // Pass 1: the loudest keypad-band peak of every block, not only the last
    // one, so that a segment ending in silence keeps its reference.
    for (float& r : Reference) r = NoPeak;
    const PassEnd first = RunPass(wave, startFrame, n / 2, std::max(frames / (n / 2), 1u), progress,
                                  [this](int c, uint32_t) {
                                      const TSpectralData& s = *Spectra[c];
                                      float hz = 0.0f, level = NoPeak;
                                      s.FindNthPeak(s.GetIndex(KeypadLowHz), s.GetIndex(KeypadHighHz), &hz, &level, 0);
                                      if (std::isfinite(level)) Reference[c] = std::max(Reference[c], level);
                                  });
    for (int c = 0; c < Channels; ++c) {
        Detectors[c] = std::make_unique<TDTMFData>(Reference[c] - ThresholdBelowPeak, MinimumDigitMs, MinimumSpaceMs);
        Spectra[c]->ResetAll();
    }
    if (first == PassEnd::All) return true;

    const uint32_t step = std::max(DetectionStep(n), 1u);
    const double rate = Settings.Format.SamplingRate;
    RunPass(wave, startFrame, step, std::max(frames / step, 1u), progress, [this, rate](int c, uint32_t frame) {
        Detectors[c]->ProcessSpectrum(Spectra[c].get(), static_cast<int32_t>(frame / rate * 1000.0));
    });
    return true;
}

std::string TDtmfAnalysis::Keys(int channel) const
{
    if (channel < 0 || channel >= Channels || !Detectors[channel]) return {};
    char keys[TDTMFData::KeyStringSize];
    Detectors[channel]->GetKeys(keys);
    return keys;
}

std::string TDtmfAnalysis::Message() const
{
    if (Channels == 1) return "DTMF keys = " + Keys(0);
    return "DTMF keys (Left)  = " + Keys(0) + "\rDTMF keys (right) = " + Keys(1);
}
