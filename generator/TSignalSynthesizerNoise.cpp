// Builders of the stationary signals: white and pink noise, noise bursts,
// the 1 kHz tone, multiple tones, the tone burst, the IMD pair and digital zero.
#include "generator/TSignalSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "generator/TChannelWriter.h"

namespace {

// The pink wave's 44-byte header, and the loop's start at its 23rd data sample.
constexpr uint32_t PinkHeaderBytes = 44;
constexpr uint32_t PinkLoopStartBytes = 88;

// Frames of a burst or a cycle; negative when the time is.
int64_t BurstFrames(int32_t milliseconds, uint32_t rate)
{
    return TSignalSynthesizer::ScaleFrames(milliseconds, rate, 1000);
}

}  // namespace

double TSignalSynthesizer::NextWhite()
{
    return double(int64_t(Random.Next31() % 65535) - 32768);
}

int64_t TSignalSynthesizer::PinkFrames() const
{
    return (int64_t(PinkSize) - PinkHeaderBytes) / 2 - 20;
}

uint32_t TSignalSynthesizer::PinkLoopLength() const
{
    if (!Pink || PinkSize < PinkLoopStartBytes + 2) return 0;
    int64_t loop = PinkFrames();
    loop -= loop & 1;
    // The loop never reads past the samples the resource holds.
    return uint32_t(std::min<int64_t>(loop, (PinkSize - PinkLoopStartBytes) / 2));
}

double TSignalSynthesizer::NextPink(uint32_t& index, uint32_t loop)
{
    int16_t sample;
    std::memcpy(&sample, Pink + PinkLoopStartBytes + 2 * size_t(index), sizeof sample);
    if (++index >= loop) index = 0;
    return sample;
}

void TSignalSynthesizer::BuildWhiteNoise(TWaveData& block, SignalParams, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        // Half the peak of a tone of the same setting.
        out.Put(j, out.Silence() + 0.5 * a * NextWhite() * out.Span() / 32768);
    }
}

void TSignalSynthesizer::BuildPinkNoise(TWaveData& block, SignalParams, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const uint32_t loop = PinkLoopLength();
    if (loop == 0) {
        out.FillSilence();
        return;
    }
    uint32_t index = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        out.Put(j, out.Silence() + NextPink(index, loop) * a * out.Span() / 32768);
    }
}

void TSignalSynthesizer::BuildNoiseBurst(TWaveData& block, const SignalParams& p, uint16_t channel, double a,
                                         bool pink)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t cycle = BurstFrames(p.NoiseBurst.CycleTimeMsec, block.GetSampleRate());
    const int64_t burst = BurstFrames(p.NoiseBurst.BurstTimeMsec, block.GetSampleRate());
    const uint32_t loop = pink ? PinkLoopLength() : 0;
    if (cycle < 0 || burst < 0 || (pink && loop == 0)) {
        out.FillSilence();
        return;
    }
    uint32_t index = 0;
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        // The noise runs on through the silent part of each cycle.
        const double noise = pink ? out.Silence() + NextPink(index, loop) * a * out.Span() / 32768
                                  : out.Silence() + 0.5 * a * NextWhite() * out.Span() / 32768;
        out.Put(j, q < cycle - burst ? out.Silence() : noise);
        if (++q >= cycle) q = 0;
    }
}

void TSignalSynthesizer::BuildWhiteNoiseBurst(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    BuildNoiseBurst(block, p, channel, a, false);
}

void TSignalSynthesizer::BuildPinkNoiseBurst(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    BuildNoiseBurst(block, p, channel, a, true);
}

void TSignalSynthesizer::BuildTone1k(TWaveData& block, SignalParams, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const double rate = block.GetSampleRate();
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        out.Put(j, ToneSample(out, a, std::sin((j + 1.0) * TwoPi * 1000.0 / rate)));
    }
}

void TSignalSynthesizer::BuildMultipleTones(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const double rate = block.GetSampleRate();
    int count = 0;
    for (const ToneParams& t : p.Tones) count += t.ToneEnable != 0;
    for (const ToneParams& t : p.Tones)
        if (t.ToneEnable == 1 && !(std::isfinite(t.FreqHz) && std::isfinite(t.Amplitude))) {
            out.FillSilence();
            return;
        }
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        double sum = 0.0;
        for (const ToneParams& t : p.Tones)
            if (t.ToneEnable == 1) sum += t.Amplitude * std::sin((j + 1.0) * TwoPi * t.FreqHz / rate);
        // The sum of in-phase tones stays within one tone's peak. Without a
        // tone the channel is silence plus dither.
        out.Put(j, ToneSample(out, a, count ? sum / count : 0.0));
    }
}

void TSignalSynthesizer::BuildToneBurst(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const double rate = block.GetSampleRate();
    const int64_t cycle = BurstFrames(p.ToneBurst.CycleTimeMsec, block.GetSampleRate());
    const int64_t burst = BurstFrames(p.ToneBurst.BurstTimeMsec, block.GetSampleRate());
    if (cycle < 0 || burst < 0) {
        out.FillSilence();
        return;
    }
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        // The phase runs on from the frame index: a burst starts wherever the tone stands.
        const float x = float(std::sin((j + 1.0) * TwoPi * p.ToneBurst.FreqHz / rate));
        const double tone = ToneSample(out, a, x);
        if (q < cycle - burst) out.PutSilence(j);
        else out.Put(j, tone);
        if (++q >= cycle) q = 0;
    }
}

void TSignalSynthesizer::BuildIMDTones(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const double rate = block.GetSampleRate();
    double low = 250.0, high = 8020.0, highAmplitude = 0.25;
    if (p.IMD.IMDtype == 1) {
        low = 60.0;
        high = 7000.0;
    } else if (p.IMD.IMDtype == 2) {
        low = p.IMD.LoFreqHz;
        high = p.IMD.HiFreqHz;
        highAmplitude = p.IMD.PwrRatio > 0.0f ? 1.0 / p.IMD.PwrRatio : 0.25;
    }
    if (!(std::isfinite(low) && std::isfinite(high) && std::isfinite(highAmplitude))) {
        out.FillSilence();
        return;
    }
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        const double phase = (j + 1.0) * TwoPi;
        const double x = (std::sin(phase * low / rate) + highAmplitude * std::sin(phase * high / rate)) / 2.0;
        out.Put(j, ToneSample(out, a, x));
    }
}

void TSignalSynthesizer::BuildDigitalZero(TWaveData& block, SignalParams, uint16_t channel, double)
{
    TChannelWriter(block, channel).FillSilence();
}
