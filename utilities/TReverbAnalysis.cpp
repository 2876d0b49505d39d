// Excitation, synchronisation, level check and decay table of a
// reverberation run.
#include "utilities/TReverbAnalysis.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr float SyncFrequency = 1000.0f;
constexpr uint32_t WaveHeaderWords = 44;

// An engine of one block at a time in dB, linear or in 1/3-octave bands.
struct TEngine {
    TEngine(const TWaveFormat& format, uint32_t fftSize, uint16_t window, uint16_t frequencyScale, float averaging)
        : Taper(fftSize, window), FrequencyScale(frequencyScale)
    {
        AnalysisSettingsStruct a;
        a.Format = format;
        a.FFTsize = fftSize;
        a.SmoothingWindow = window;
        a.AverageBlocks = 1;
        a.AverageType = TSpectralData::ExponentialAveraging;
        a.PeakHold = 0;
        a.OverlapPercent = 0;
        DisplaySettingsStruct d;
        d.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
        d.FreqScaleType = frequencyScale;
        d.OctaveNumber = 3;
        Data = std::make_unique<TSpectralData>(a, d, 0);
        Data->SetAveraging(averaging, TSpectralData::ExponentialAveraging);
    }
    bool Usable() const { return Data->Error == 0; }
    // Samples [first, first + FFT size) into the engine, averaged.
    void Analyse(const std::vector<float>& samples, size_t first)
    {
        const uint32_t n = Data->GetFFTSize();
        for (uint32_t i = 0; i < n; ++i)
            Data->SetTimeSample(i, first + i < samples.size() ? samples[first + i] : 0.0f);
        Taper.Apply(Data->GetFFTBuffer(), FrequencyScale, 0);
        Data->ComputeSpectrum();
        Data->Average(0);
    }
    // Bands, then the wideband entry, into one row.
    int FillRow(DecayRow& row, int bandCount)
    {
        const int low = Data->GetLowIndex();
        for (int e = 0; e + 1 < bandCount; ++e) {
            row.Frequency[e] = Data->GetBandExactCentre(low + e);
            row.Level[e] = Data->GetDisplayValue(low + e);
        }
        row.Frequency[bandCount - 1] = TReverbData::WidebandFrequency;
        row.Level[bandCount - 1] =
            Data->ComputeTotalPower(low, Data->GetHighIndex(), 1, TSpectralData::WeightAsDisplayed);
        return bandCount;
    }
    int BandCount() const
    {
        return std::min(Data->GetHighIndex() - Data->GetLowIndex() + 2, TReverbData::MaxEntries);
    }

    TSmoothing Taper;
    uint16_t FrequencyScale;
    std::unique_ptr<TSpectralData> Data;
};

// The first channel less the silence value, frame by frame.
std::vector<float> FirstChannel(TWaveData& wave)
{
    std::vector<float> out(wave.GetFrameCount());
    const float silence = float(wave.GetSilenceValue());
    for (uint32_t f = 0; f < out.size(); ++f)
        out[f] = wave.GetSample(f, 0, 0) - silence;
    return out;
}

}  // namespace

std::unique_ptr<TWaveData> TReverbAnalysis::BuildExcitation(const TReverbData& d, const TWaveFormat& format,
                                                            const uint8_t* noise, size_t noiseBytes)
{
    const uint32_t rate = format.SamplingRate;
    const uint32_t frames = uint32_t(d.TotalLength * 1.1 * rate);
    std::unique_ptr<TWaveData> wave;
    try {
        wave = std::make_unique<TWaveData>(frames, format);
    } catch (const std::exception&) {
        return nullptr;
    }
    if (wave->Error) return nullptr;
    wave->ClearBuffer();
    const double swing = double(format.MaxValue) - format.SilenceValue;
    const uint32_t burst = wave->TimeToFrame(d.SyncStart);
    const uint32_t burstEnd = burst + wave->TimeToFrame(d.SyncLength);
    for (uint32_t i = burst, n = 0; i <= burstEnd; ++i, ++n)
        wave->PutSample(int32_t(swing * std::sin(2.0 * Pi * SyncFrequency * n / rate) + format.SilenceValue), i, 0);
    const uint32_t words = uint32_t(noiseBytes / 2);
    if (!noise || words <= WaveHeaderWords) return wave;
    const uint32_t noiseStart = burstEnd + wave->TimeToFrame(d.NoiseGap);
    const uint32_t noiseFrames = wave->TimeToFrame(d.NoiseLength);
    const uint32_t step = uint32_t(format.NumChannels) * format.BytesPerSample;
    uint32_t word = WaveHeaderWords;
    for (uint32_t i = 0; i < noiseFrames; ++i) {
        const int16_t w = int16_t(noise[2 * word] | noise[2 * word + 1] << 8);
        wave->PutSample(int32_t(w * double(format.MaxValue) / 32768.0), noiseStart + i, 0);
        word += step;
        if (word >= words) word = WaveHeaderWords;
    }
    return wave;
}

float TReverbAnalysis::FindSyncTime(TWaveData& captured, const TReverbData& d, float previous, TProgress& progress)
{
    float sync = previous;
    const uint32_t n = d.Geometry.FftSize, hop = n / 2;
    TEngine engine(captured.GetFormat(), n, TSmoothing::Hanning, DisplaySettingsStruct::LinearFrequency, 1.0f);
    if (engine.Usable()) {
        const std::vector<float> samples = FirstChannel(captured);
        const uint32_t blocks = captured.TimeToFrame(1.5f * d.SyncStart) / hop;
        float best = -999.0f;
        for (uint32_t b = 0; b < blocks; ++b) {
            engine.Data->ResetAverages();
            engine.Analyse(samples, size_t(b) * hop);
            const float snr = engine.Data->ComputeSNR();
            const float peak = engine.Data->GetPeakFrequency();
            if (peak > 900.0f && peak < 1100.0f && snr > best) {
                best = snr;
                sync = captured.FrameToTime(b * hop);
            }
            if (!progress.Progress(int(b * 100 / blocks), "Finding Sync...")) break;
        }
    }
    if (std::fabs(sync - d.SyncStart) > 0.5f) sync = d.SyncStart;
    return sync;
}

int TReverbAnalysis::LowLevelLimit(const TWaveFormat& format)
{
    const double range = double(format.MaxValue) - format.SilenceValue;
    return int(100.0 * std::log10(range * 0.01) / std::log10(range));
}

TReverbAnalysis::TLevels TReverbAnalysis::EvaluateLevels(TWaveData& captured, TReverbData& d, TProgress& progress)
{
    TLevels levels;
    const uint32_t n = d.Geometry.FftSize, hop = uint32_t(n * 0.5);
    TEngine engine(captured.GetFormat(), n, TSmoothing::FlatTop, DisplaySettingsStruct::OctaveBands, 1000000.0f);
    if (!engine.Usable() || d.Rows.empty()) return levels;
    const std::vector<float> samples = FirstChannel(captured);
    const uint32_t first = captured.TimeToFrame(d.SyncTime + d.NoiseGap + d.NoiseLength / 2);
    const uint32_t last = captured.TimeToFrame(d.SyncTime + d.NoiseGap + d.NoiseLength);
    const uint32_t blocks = last > first ? (last - first) / hop : 0;
    TSeriesData block(n, captured.GetFormat(), 1, 0);
    for (uint32_t b = 0; b < blocks; ++b) {
        const uint32_t start = first + b * hop;
        captured.ReadFrames(block.GetSamplePtr(0), start, n, 0);
        levels.PeakMeter = std::max(levels.PeakMeter, block.GetPeakMagnitude());
        engine.Analyse(samples, start);
        ++levels.Blocks;
        if (!progress.Progress(int(b * 100 / blocks), "Evaluating Levels...")) break;
    }
    d.RowCount = 1;
    d.BandCount = engine.BandCount();
    d.Rows[0] = TReverbData::EmptyRow();
    engine.FillRow(d.Rows[0], d.BandCount);
    return levels;
}

bool TReverbAnalysis::AnalyzeDecay(TWaveData& captured, TReverbData& d, float offset, TProgress& progress)
{
    const uint32_t n = d.Geometry.FftSize, hop = TReverbData::HopFrames(d.Geometry);
    TEngine engine(captured.GetFormat(), n, TSmoothing::FlatTop, DisplaySettingsStruct::OctaveBands, 1.0f);
    if (!engine.Usable() || d.Rows.empty() || hop == 0) return true;
    d.BandCount = engine.BandCount();
    const std::vector<float> samples = FirstChannel(captured);
    const uint32_t rate = captured.GetSampleRate();
    const uint32_t s0 =
        captured.TimeToFrame(offset + d.SyncTime + d.SyncLength + d.NoiseGap + d.NoiseLength);
    const int64_t frames = (int64_t(captured.GetFrameCount()) - s0 - n) / hop;
    bool stopped = false;
    for (int64_t k = 0; k < frames; ++k) {
        const size_t start = size_t(s0 + k * hop);
        engine.Data->ResetAverages();
        engine.Analyse(samples, start);
        DecayRow& row = d.Rows[size_t(d.RowCount)];
        engine.FillRow(row, d.BandCount);
        row.Time = float(double(start - s0) / rate);
        if (++d.RowCount >= d.RowCapacity) {
            d.RowCount = d.RowCapacity - 1;
            break;
        }
        if (k % 10 == 0 && !progress.Progress(int(k * 100 / frames), "Analyzing Reverberation...")) {
            stopped = true;
            break;
        }
        if (row.Time > d.DecayLength + 0.1f) break;
    }
    stopped = !progress.Progress(100, "") || stopped;
    d.HopTime = float(double(hop) / rate);
    return !stopped;
}

bool TReverbAnalysis::AnalyzeSegment(TWaveData& captured, TReverbData& d, int32_t smoothing, int32_t extrapolation,
                                     TProgress& progress)
{
    const uint32_t rate = captured.GetSampleRate();
    d.Geometry = TReverbData::SegmentGeometry(rate);
    d.ComputeSegmentTiming(rate, captured.GetDuration());
    if (!d.AllocateRows()) return false;
    d.SyncTime = d.DecayStartTime = 0.0f;
    d.RowCount = 0;
    if (!AnalyzeDecay(captured, d, 0.0f, progress)) return false;
    d.NormalizeDecay();
    d.ApplySmoothing(smoothing, extrapolation);
    d.ComputeReverbTimes(extrapolation);
    return true;
}
