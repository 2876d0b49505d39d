// The signal block: format, length per waveform code, allocation, output
// level, dither and the dispatch to the builders.
#include "generator/TSignalSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/TEngineHost.h"
#include "generator/TChannelWriter.h"
#include "generator/TSignalSources.h"
#include "resources/StringIds.h"

TSignalSynthesizer::TSignalSynthesizer(TSignalSources& sources, TRuntimeRandom& random)
    : Sources(sources), Random(random)
{
}

void TSignalSynthesizer::SetPinkWave(const uint8_t* bytes, uint32_t size)
{
    Pink = bytes;
    PinkSize = bytes ? size : 0;
}

int64_t TSignalSynthesizer::ScaleFrames(int64_t count, int64_t rate, int64_t per)
{
    const __int128 v = __int128(count) * rate / per;
    return int64_t(std::clamp<__int128>(v, -FrameLimit, FrameLimit));
}

TWaveFormat TSignalSynthesizer::ChooseFormat(TWaveFormat analyser, bool locked, uint32_t generatorRate,
                                             bool narrow24, const SignalParams& left, const SignalParams& right)
{
    // 0, or a rate the program does not take, means the analyser's.
    uint32_t rate = TWaveFormat::IsValidRate(generatorRate) ? generatorRate : analyser.SamplingRate;
    const uint16_t channels = locked ? 1 : analyser.NumChannels;
    uint16_t bytes = analyser.BytesPerSample;
    if (bytes == 3 && narrow24) bytes = 2;

    TWaveFormat file[2];
    bool opened[2] = {false, false};
    const SignalParams* records[2] = {&left, &right};
    for (int c = 0; c < channels; ++c) {
        uint32_t frames = 0;
        if (records[c]->SigType == UserDefinedSignal)
            opened[c] = Sources.QueryWave(records[c]->UserDefined.WaveFileName, file[c], frames);
    }
    if (opened[0] && opened[1]) {
        rate = std::max(file[0].SamplingRate, file[1].SamplingRate);
        bytes = std::max(file[0].BytesPerSample, file[1].BytesPerSample);
        if (file[0].SamplingRate != file[1].SamplingRate) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "Generator - The Left and Right wave files have different sampling rates (%lu and %lu Hz); "
                          "both play at %lu Hz.",
                          static_cast<unsigned long>(file[0].SamplingRate),
                          static_cast<unsigned long>(file[1].SamplingRate), static_cast<unsigned long>(rate));
            Sources.Report(text, TEngineHost::MsgIconInformation);
        }
    } else if (opened[0] || opened[1]) {
        const TWaveFormat& f = file[opened[0] ? 0 : 1];
        rate = f.SamplingRate;
        bytes = f.BytesPerSample;
    }
    return TWaveFormat(rate, channels, bytes);
}

std::unique_ptr<TWaveData> TSignalSynthesizer::AllocateSignal(const SignalParams& left, const SignalParams& right,
                                                              TWaveFormat format)
{
    int64_t frames = GetSignalLength(left, format);
    if (format.NumChannels == 2) frames = std::max(frames, GetSignalLength(right, format));
    frames += frames & 1;
    std::unique_ptr<TWaveData> block;
    if (uint64_t(frames) * format.BytesPerFrame() <= MaxSignalBytes) {
        block = std::make_unique<TWaveData>(uint32_t(frames), format);
        if (block->Error) block.reset();
    }
    if (!block) {
        Sources.Report(IDS_NO_MEMORY_TEXT, TEngineHost::MsgIconExclamation);
        return nullptr;
    }
    // Frames a builder leaves unwritten hold silence, also where silence is not 0.
    block->ClearBuffer();
    return block;
}

void TSignalSynthesizer::BuildChannels(TWaveData& block, const SignalParams& left, const SignalParams& right,
                                       const double amplitude[2])
{
    for (uint16_t c = 0; c < block.GetChannels(); ++c) {
        const SignalParams& params = c == 0 ? left : right;
        if (amplitude[c] > 0.0 && amplitude[c] <= 1.0) Build(block, params, c, amplitude[c]);
        else BuildDigitalZero(block, params, c, 0.0);
    }
}

void TSignalSynthesizer::Build(TWaveData& block, const SignalParams& p, uint16_t channel, double a)
{
    switch (p.SigType) {
    case WhiteNoiseSignal: BuildWhiteNoise(block, p, channel, a); break;
    case PinkNoiseSignal: BuildPinkNoise(block, p, channel, a); break;
    case NoiseBurstSignal:
        if (p.NoiseBurst.Type == 1) BuildPinkNoiseBurst(block, p, channel, a);
        else if (p.NoiseBurst.Type == 0) BuildWhiteNoiseBurst(block, p, channel, a);
        break;
    case Tone1kSignal: BuildTone1k(block, p, channel, a); break;
    case MultipleTonesSignal: BuildMultipleTones(block, p, channel, a); break;
    case ToneBurstSignal: BuildToneBurst(block, p, channel, a); break;
    case IMDTonesSignal: BuildIMDTones(block, p, channel, a); break;
    case FreqSweepSignal: BuildFreqSweep(block, p, channel, a); break;
    case LevelSweepSignal: BuildLevelSweep(block, p, channel, a); break;
    case SawtoothSignal: BuildSawtooth(block, p, channel, a); break;
    case TriangularSignal: BuildTriangular(block, p, channel, a); break;
    case PulseSignal: BuildPulse(block, p, channel, a); break;
    case SquareSignal: BuildSquare(block, p, channel, a); break;
    case UserDefinedSignal: BuildUserDefined(block, p, channel, a); break;
    case DTMFSignal: BuildDTMF(block, p, channel, a); break;
    case DigitalZeroSignal: BuildDigitalZero(block, p, channel, a); break;
    case FreqStepSignal: BuildFreqStep(block, p, channel, a); break;
    default: break;
    }
}

int64_t TSignalSynthesizer::GetSignalLength(const SignalParams& p, TWaveFormat f)
{
    const int64_t r = f.SamplingRate;
    int64_t n = r;
    switch (p.SigType) {
    case WhiteNoiseSignal: n = FitToCycles(10 * r, f); break;
    case PinkNoiseSignal: n = PinkFrames(); break;
    case NoiseBurstSignal: n = FitToCycles(ScaleFrames(p.NoiseBurst.CycleTimeMsec, r, 1000), f); break;
    case Tone1kSignal: n = TrimToWholePeriods(FitToCycles(10 * r, f), f, 1000.0f); break;
    case MultipleTonesSignal: {
        const ToneParams* first = &p.Tones[0];
        for (const ToneParams& t : p.Tones)
            if (t.ToneEnable != 0) {
                first = &t;
                break;
            }
        n = TrimToWholePeriods(FitToCycles(10 * r, f), f, first->FreqHz);
        break;
    }
    case ToneBurstSignal: n = FitToCycles(ScaleFrames(p.ToneBurst.CycleTimeMsec, r, 1000), f); break;
    case IMDTonesSignal: n = FitToCycles(r, f); break;
    case FreqSweepSignal:
        n = ScaleFrames(p.FreqSweep.TimeMSec, r, 1000);
        if (p.FreqSweep.ReturnSweepFlag != 0) n *= 2;
        break;
    case LevelSweepSignal: n = FitToCycles(ScaleFrames(p.LevelSweep.TimeMSec, r, 1000), f); break;
    case SawtoothSignal: n = FitToCycles(PeriodFrames(f.SamplingRate, p.Sawtooth.FreqHz), f); break;
    case TriangularSignal: n = FitToCycles(PeriodFrames(f.SamplingRate, p.Triangular.FreqHz), f); break;
    case PulseSignal:
        n = ScaleFrames(p.Pulse.RepIntervalNSec, r, 1000000);
        if (p.Pulse.OneShotFlag == 0) n = FitToCycles(n, f);
        break;
    case SquareSignal: n = FitToCycles(PeriodFrames(f.SamplingRate, p.Square.FreqHz), f); break;
    case UserDefinedSignal: {
        TWaveFormat format;
        uint32_t frames = 0;
        n = Sources.QueryWave(p.UserDefined.WaveFileName, format, frames) ? frames : 0;
        break;
    }
    case DTMFSignal: {
        n = DTMFPassFrames(p.DTMF, f.SamplingRate);
        if (p.DTMF.RepeatFlag == 1) n = FitToCycles(n, f);
        break;
    }
    case DigitalZeroSignal: n = FitToCycles(r, f); break;
    case FreqStepSignal: {
        const int64_t steps = CountFreqSteps(p, nullptr);
        const __int128 span = __int128(steps) * p.FreqStep.DwellTimeMSec * r / 1000;
        n = int64_t(std::clamp<__int128>(span, -FrameLimit, FrameLimit));
        if (p.FreqStep.ReturnStepFlag != 0) n *= 2;
        break;
    }
    default: break;
    }
    return std::max<int64_t>(n, 0);
}

int64_t TSignalSynthesizer::PeriodFrames(uint32_t rate, float frequency)
{
    const long double v = std::trunc(static_cast<long double>(rate) / frequency);
    if (!(v >= 1) || std::isinf(v)) return 0;
    return v >= FrameLimit ? FrameLimit : int64_t(v);
}

int64_t TSignalSynthesizer::FitToCycles(int64_t n, TWaveFormat format)
{
    const int64_t r = format.SamplingRate;
    if (n <= 0) return r;
    if (n < r) return (r / n + 1) * n;
    return n;
}

int64_t TSignalSynthesizer::TrimToWholePeriods(int64_t n, TWaveFormat format, float frequency)
{
    if (!(frequency > 0.1f) || !std::isfinite(frequency)) return n;
    const float period = float(format.SamplingRate) / frequency;
    const int64_t k = std::max<int64_t>(int64_t(std::trunc(double(n) / period)), 1);
    int64_t m = int64_t(std::trunc(double(k) * period));
    if (n - m <= 0) return n;
    return m + (m & 1);
}

double TSignalSynthesizer::GetChannelAmplitude(OutputLevelStruct& level, int channel)
{
    const double l = channel == 0 ? level.OutputLevel : level.OutputLevelR;
    if (level.OutputUnits >= VoltsUnits && level.OutputUnits <= DbuUnits && !(level.FSLevel > 0.0f))
        level.FSLevel = 1.0f;
    const double fs = level.FSLevel;
    double a = 0.0;
    switch (level.OutputUnits) {
    case DbFullScaleUnits: a = std::pow(10.0, 0.05 * l); break;
    case PercentFullScaleUnits: a = 0.01 * l; break;
    case VoltsUnits: a = l / fs; break;
    case MillivoltsUnits: a = 0.001 * l / fs; break;
    case DbvUnits: a = std::pow(10.0, 0.05 * l) / fs; break;
    case DbmvUnits: a = 0.001 * std::pow(10.0, 0.05 * l) / fs; break;
    case DbuUnits: a = 0.775 * std::pow(10.0, 0.05 * l) / fs; break;
    default: break;
    }
    // A level no unit gives, or none above zero, is silence, never full scale.
    if (!(a > 0.0) || !std::isfinite(l)) return 0.0;
    return std::min(a, 1.0);
}

float TSignalSynthesizer::Dither()
{
    const double r1 = Random.Next15();
    const double r2 = Random.Next15();
    return float((r1 / 32767 - 0.5) + (r2 / 32767 - 0.5));
}

double TSignalSynthesizer::ToneSample(const TChannelWriter& out, double a, double x)
{
    return a * 0.99 * out.Span() * x + out.Silence() + Dither();
}

void TSignalSynthesizer::Progress(uint32_t frame, uint32_t frames)
{
    if (frame % 1000 == 0 && frames) Sources.Progress(int(uint64_t(frame) * 100 / frames));
}
