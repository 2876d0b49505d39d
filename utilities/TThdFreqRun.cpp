// The THD+N versus frequency run: plan, test signal, synchronisation and distortion.
#include "utilities/TThdFreqRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveSpectra.h"

namespace {

enum StepType { LinearSteps = 1, OctaveSteps = 2 };

double BandCentre(int k, int fraction)
{
    return std::pow(10.0, 3.0 * k / (10.0 * fraction));
}

double BandLowerEdge(int k, int fraction)
{
    return BandCentre(k, fraction) * std::pow(0.5, 0.5 / fraction);
}

// The engine settings both stages analyse with; only the block size, the
// number averaged and the overlap differ between them.
AnalysisSettingsStruct EngineSettings(TWaveFormat format, uint32_t fftSize, uint16_t overlap)
{
    AnalysisSettingsStruct a;
    a.Format = format;
    a.FFTsize = fftSize;
    a.DecimationRatio = 1;
    a.ApplyLowPassFilter = 0;
    a.AverageBlocks = 1;
    a.AverageType = 0;
    a.AverageMode = AnalysisSettingsStruct::BlockAveraging;
    a.AverageSpeed = 0;
    a.PeakHold = 0;
    a.SmoothingWindow = TSmoothing::Hanning;
    a.OverlapPercent = overlap;
    a.HopSize = 0;
    a.ChannelProcessing = 0;
    a.EnableOverloadDetection = 1;
    a.SamplingRateCorrectionFactor = 1.0f;
    return a;
}

DisplaySettingsStruct EngineDisplay(uint16_t weighting)
{
    DisplaySettingsStruct d;
    d.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
    d.FreqScaleType = DisplaySettingsStruct::LinearFrequency;
    d.OctaveNumber = 3;
    d.StandardWeighting = weighting;
    return d;
}

// One block of a capture's channel through the window into the engine's spectrum.
void AnalyseBlock(TWaveData& capture, uint32_t pos, uint16_t channel, TSeriesData& block, const TSmoothing& window,
                  TSpectralData& engine)
{
    capture.ReadFrames(block.GetSamplePtr(0), pos, block.GetLength(), channel);
    TWaveSpectra::CopyBlock(&engine, &block);
    window.Apply(engine.GetFFTBuffer(), DisplaySettingsStruct::LinearFrequency, 0);
    engine.ComputeSpectrum();
    engine.Average(0);
}

// A sample stored at the format's width, as the wave's frame operations take it.
void PackSample(uint8_t* to, int32_t value, uint16_t width)
{
    if (width == 3) value = TWaveFormat::Pack24(value);
    for (uint16_t b = 0; b < width; ++b) to[b] = uint8_t(uint32_t(value) >> (8 * b));
}

}  // namespace

TThdFreqRun::TThdFreqRun(THDFreqSettings& settings, TProgress& progress) : Settings(settings), Progress(progress) {}

TThdFreqRun::~TThdFreqRun() = default;

int TThdFreqRun::StepCount(THDFreqSettings& s, int* firstIndex)
{
    if (firstIndex) *firstIndex = -1;
    const double lo = std::min(s.StartFreq, s.StopFreq), hi = std::max(s.StartFreq, s.StopFreq);
    if (s.StepType == LinearSteps) {
        if (!(s.StepSizeHz > 0.0f)) s.StepSizeHz = 1.0f;
        const double count = std::trunc((hi - lo) / s.StepSizeHz + 1.0);
        return count < 1.0 ? 1 : count > 1e6 ? 1000000 : int(count);
    }
    if (s.StepType != OctaveSteps) return 1;
    if (s.OctaveNumber <= 0) s.OctaveNumber = 1;
    const int n = s.OctaveNumber;
    int first = -1, last = -1;
    for (int k = 1; BandLowerEdge(k, n) <= hi && k < 100000; ++k) {
        if (BandLowerEdge(k, n) <= lo) first = k;
        last = k;
    }
    const int count = std::max(last - first + 1, 1);
    if (firstIndex) *firstIndex = s.StartFreq > s.StopFreq ? last : first;
    return count;
}

double TThdFreqRun::StepFrequency(const THDFreqSettings& s, int i, int firstIndex)
{
    const bool down = s.StartFreq > s.StopFreq;
    if (s.StepType == LinearSteps) return down ? s.StartFreq - double(i) * s.StepSizeHz : s.StartFreq + double(i) * s.StepSizeHz;
    if (s.StepType == OctaveSteps) return BandCentre(down ? firstIndex - i : firstIndex + i, s.OctaveNumber);
    return 0.0;
}

std::vector<double> TThdFreqRun::StepFrequencies(THDFreqSettings& s)
{
    int first = -1;
    const int count = StepCount(s, &first);
    std::vector<double> f(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) f[size_t(i)] = StepFrequency(s, i, first);
    return f;
}

double TThdFreqRun::LevelAmplitude(const THDFreqSettings& s, int channel)
{
    const double level = channel == 0 ? s.SignalLevelL : channel == 1 ? s.SignalLevelR : 0.0;
    const double a = std::pow(10.0, 0.05 * level);
    return a > 1.0 || !(a > 0.0) ? 1.0 : a;
}

uint32_t TThdFreqRun::FFTSizeFor(uint32_t rate, float startFrequency)
{
    // Columns: below 44100, 44100 to 48000, to 88000, above; rows: a start
    // at or above LowStart, below it.
    static constexpr uint32_t sizes[2][4] = {{16384, 16384, 32768, 65536}, {16384, 32768, 65536, 131072}};
    const int column = rate < 44100 ? 0 : rate <= 48000 ? 1 : rate <= 88000 ? 2 : 3;
    return sizes[startFrequency < LowStart ? 1 : 0][column];
}

double TThdFreqRun::Dither()
{
    // 15 random bits, whatever the runtime's RAND_MAX.
    constexpr double unit = 1.0 / 32767.0;
    const double a = (std::rand() & 0x7FFF) * unit - 0.5;
    const double b = (std::rand() & 0x7FFF) * unit - 0.5;
    return a + b;
}

bool TThdFreqRun::ShowProgress(int percent, const char* text)
{
    if (Progress.Show(percent, text)) Abort = true;
    return Abort;
}

double TThdFreqRun::SignalSeconds() const
{
    THDFreqSettings plan = Settings;
    return double(LeadTime) + BurstTime + GapTime + StepCount(plan, nullptr) * Settings.DwellTimeMSec * 0.001;
}

bool TThdFreqRun::BuildTestSignal(uint32_t analyserRate, uint16_t bytesPerSample, std::string& message)
{
    message.clear();
    const uint32_t rate = TestRate(analyserRate);
    if (!std::isfinite(Settings.StopFreq) || rate / 2 < Settings.StopFreq) {
        char text[400];
        std::snprintf(text, sizeof text,
                      " The Stop Frequency must be less than %d Hz (one half of the sampling rate).  Either increase "
                      "the analyzer sampling rate \r or lower the stop frequency (click the options button on the "
                      "right).",
                      int(rate / 2));
        message = text;
        Abort = true;
        return false;
    }
    Settings.DwellTimeMSec = Settings.StartFreq < LowStart ? 2000 : 1000;
    Format.Set(rate, uint16_t(Settings.NumChannels == 2 ? 2 : 1), bytesPerSample);
    BurstTime = float(BurstFrames / rate);
    const double frames = std::trunc(rate * SignalSeconds());
    Signal.reset();
    if (frames > double(UINT32_MAX / Format.BytesPerFrame())) {
        Abort = true;
        return false;
    }
    Signal = std::make_unique<TWaveData>(uint32_t(frames), Format);
    if (Signal->Error || !Signal->GetBuffer()) {
        Signal.reset();
        Abort = true;
        return false;
    }
    // 8-bit silence is 127: zero bytes would play a full-scale negative step.
    Signal->ClearBuffer();

    const uint32_t s0 = Signal->TimeToFrame(LeadTime);
    const uint32_t s1 = s0 + Signal->TimeToFrame(BurstTime);
    const double swing = double(Format.MaxValue) - Format.SilenceValue;
    const double a = LevelAmplitude(Settings, 0);
    std::vector<uint8_t> sample(Format.BytesPerSample);
    for (uint32_t s = s0; s <= s1 && s < Signal->GetFrameCount(); ++s) {
        const double phase = 2.0 * std::numbers::pi * BurstFrequency * (s - s0) / rate;
        PackSample(sample.data(), int32_t(std::trunc(swing * a * std::sin(phase) + Format.SilenceValue)),
                   Format.BytesPerSample);
        Signal->WriteFrames(sample.data(), s, 1, 0);
    }
    FillSteppedSine(*Signal, uint32_t(std::trunc(rate * (double(LeadTime) + BurstTime + GapTime))));
    return !Abort;
}

void TThdFreqRun::FillSteppedSine(TWaveData& signal, uint32_t startFrame)
{
    if (signal.GetFrameCount() == 0) return;
    const TWaveFormat format = signal.GetFormat();
    const double rate = format.SamplingRate;
    const uint32_t framesPerStep = uint32_t(std::trunc(Settings.DwellTimeMSec * rate * 0.001));
    const std::vector<double> steps = StepFrequencies(Settings);
    const uint64_t total = uint64_t(steps.size()) * framesPerStep;
    const double amplitude[2] = {LevelAmplitude(Settings, 0), LevelAmplitude(Settings, 1)};
    const double swing = (double(format.MaxValue) - format.SilenceValue) * 0.99;
    const uint16_t width = format.BytesPerSample;
    std::vector<uint8_t> packed(size_t(framesPerStep) * width);
    uint64_t done = 0;
    for (size_t i = 0; i < steps.size() && !Abort; ++i) {
        const double w = 2.0 * std::numbers::pi * steps[i] / rate;
        for (uint16_t c = 0; c < format.NumChannels; ++c) {
            for (uint32_t j = 0; j < framesPerStep; ++j) {
                const double value = std::sin((j + 1) * w) * amplitude[c] * swing + format.SilenceValue + Dither();
                const double rounded = std::clamp(std::floor(value + 0.5), double(format.MinValue), double(format.MaxValue));
                PackSample(&packed[size_t(j) * width], int32_t(rounded), width);
            }
            signal.WriteFrames(packed.data(), startFrame + uint32_t(i) * framesPerStep, framesPerStep, c);
        }
        done += framesPerStep;
        ShowProgress(int(done * 100 / std::max<uint64_t>(total, 1)), "Building Signal...");
    }
}

void TThdFreqRun::Synchronize(TWaveData& capture)
{
    if (Abort || capture.GetFrameCount() == 0) return;
    const TWaveFormat format = capture.GetFormat();
    TSeriesData block(SyncBlock, format, 1, 0);
    TSmoothing window(SyncBlock, TSmoothing::Hanning);
    TSpectralData engine(EngineSettings(format, SyncBlock, 95), EngineDisplay(Settings.StandardWeighting), 0);
    if (block.Error || engine.Error) return;

    const uint32_t end = capture.TimeToFrame(LeadTime + BurstTime + 1.5f * GapTime);
    const uint32_t hop = uint32_t(std::trunc((1.0 - 0.95) * SyncBlock));
    const uint32_t blocks = end / hop;
    float best = -999.0f;
    bool found = false;
    for (uint32_t b = 0; b < blocks; ++b) {
        const uint32_t pos = b * hop;
        AnalyseBlock(capture, pos, 0, block, window, engine);
        const float snr = engine.ComputeSNR();
        const float peak = engine.GetPeakFrequency();
        if (peak > 900.0f && peak < 1100.0f && snr > best) {
            best = snr;
            SyncTime = capture.FrameToTime(pos + 3 * SyncBlock / 4);
            found = true;
        }
        if (b % 10 == 0 && ShowProgress(int(uint64_t(b) * 100 / blocks), "Synchronizing...")) break;
    }
    if (!found || std::fabs(SyncTime - LeadTime) > 0.5f) SyncTime = LeadTime;
}

void TThdFreqRun::ComputeDistortion(TWaveData& capture, std::vector<TThdPoint>& left, std::vector<TThdPoint>& right)
{
    if (Abort || capture.GetFrameCount() == 0) return;
    const TWaveFormat format = capture.GetFormat();
    const uint32_t n = FFTSizeFor(format.SamplingRate, Settings.StartFreq);
    const int channels = format.NumChannels == 2 ? 2 : 1;
    AnalysisSettingsStruct analysis = EngineSettings(format, n, 94);
    analysis.AverageBlocks = 1000000;
    analysis.HopSize = 94 * n / 100;
    const DisplaySettingsStruct display = EngineDisplay(Settings.StandardWeighting);
    TSmoothing window(n, TSmoothing::Hanning);
    std::unique_ptr<TSeriesData> blocks[2];
    std::unique_ptr<TSpectralData> engines[2];
    for (int c = 0; c < channels; ++c) {
        blocks[c] = std::make_unique<TSeriesData>(n, format, 1, 0);
        engines[c] = std::make_unique<TSpectralData>(analysis, display, 0);
        if (blocks[c]->Error || engines[c]->Error) return;
        engines[c]->SetAveraging(1000000.0f, 0);
    }

    const uint32_t stepFrames = capture.TimeToFrame(Settings.DwellTimeMSec * 0.001f);
    const uint32_t margin = stepFrames / 25;
    const int64_t usable = int64_t(stepFrames) - 2 * int64_t(margin) - n;
    const uint32_t hop = uint32_t(std::trunc((1.0 - 0.94) * n));
    const int64_t blocksPerStep = usable > 0 ? usable / hop : 0;

    const int count = StepCount(Settings, nullptr);
    left.assign(size_t(count), TThdPoint{});
    right.assign(channels == 2 ? size_t(count) : 0, TThdPoint{});
    std::vector<TThdPoint>* points[2] = {&left, &right};

    int64_t pos = int64_t(std::trunc((double(SyncTime) + GapTime + 0.5 * BurstTime) * format.SamplingRate)) + margin;
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
            engines[c]->ResetAverages();
            for (int64_t b = 0; b < blocksPerStep; ++b)
                AnalyseBlock(capture, uint32_t(std::max<int64_t>(pos + b * hop, 0)), uint16_t(c), *blocks[c], window,
                             *engines[c]);
            (*points[c])[size_t(i)] = {engines[c]->GetPeakFrequency(), engines[c]->ComputeTHDN()};
        }
        pos += stepFrames;
        if (ShowProgress(i * 100 / count, "Computing Distortion Values...")) break;
    }
    ShowProgress(100, "");
}
