// Builders of the waveform shapes (sawtooth, triangle, pulse, square), the
// user's wave file and the DTMF key sequence.
#include "generator/TSignalSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "base/TEngineHost.h"
#include "generator/TChannelWriter.h"
#include "generator/TSignalSources.h"
#include "utilities/TDTMFData.h"

namespace {

// Deviation from silence at full scale, a power of two per width, so that a
// file converted to another width keeps its level and a file of the block's
// own width stays bit-exact.
double FullScaleStep(uint16_t bytesPerSample)
{
    return bytesPerSample == 4 ? 1073741824.0 : std::ldexp(1.0, 8 * bytesPerSample - 1);
}

// One stored sample of any width, 8-bit codes as stored.
int32_t RawSample(const uint8_t* p, uint16_t width)
{
    switch (width) {
    case 1: return p[0];
    case 2: return int16_t(uint16_t(p[0] | p[1] << 8));
    case 3: return SignExtend24(int32_t(p[0] | p[1] << 8 | p[2] << 16));
    default: return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    }
}

}  // namespace

void TSignalSynthesizer::BuildSawtooth(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t period = PeriodFrames(block.GetSampleRate(), p.Sawtooth.FreqHz);
    if (period < 1) {
        out.FillSilence();
        return;
    }
    const double range = double(out.Max()) - out.Min();
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        const double ramp = double(q) * range / double(period);
        const double y = p.Sawtooth.Slope == 1 ? ramp + out.Min() : out.Max() - ramp;
        out.Put(j, out.Silence() + (y - out.Silence()) * a);
        if (++q >= period) q = 0;
    }
}

void TSignalSynthesizer::BuildTriangular(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t period = PeriodFrames(block.GetSampleRate(), p.Triangular.FreqHz);
    const int64_t half = period / 2;
    if (half < 1) {
        out.FillSilence();
        return;
    }
    const double range = double(out.Max()) - out.Min();
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        const double y = q < half ? double(q) * range / double(half) + out.Min()
                                  : range - double(q - half) * range / double(half) + out.Min();
        out.Put(j, out.Silence() + (y - out.Silence()) * a);
        if (++q >= period) q = 0;
    }
}

void TSignalSynthesizer::BuildSquare(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t period = PeriodFrames(block.GetSampleRate(), p.Square.FreqHz);
    if (period < 1) {
        out.FillSilence();
        return;
    }
    const int64_t high = ScaleFrames(period, p.Square.DutyCyclePct, 100);
    const double top = (out.Max() - out.Silence()) * 0.99;
    const double bottom = (out.Min() - out.Silence()) * 0.99;
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        out.Put(j, out.Silence() + (q < high ? top : bottom) * a);
        if (++q >= period) q = 0;
    }
}

void TSignalSynthesizer::BuildPulse(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t period = ScaleFrames(p.Pulse.RepIntervalNSec, block.GetSampleRate(), 1000000);
    const int64_t width = ScaleFrames(p.Pulse.WidthNSec, block.GetSampleRate(), 1000000);
    if (period < 1) {
        out.FillSilence();
        return;
    }
    const double high = out.Silence() + a * 0.99 * out.Span();
    int64_t q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        out.Put(j, q < width ? high : double(out.Silence()));
        if (++q >= period) q = 0;
    }
}

void TSignalSynthesizer::BuildUserDefined(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const std::unique_ptr<TWaveData> file = Sources.LoadWave(p.UserDefined.WaveFileName);
    if (!file || !file->GetBuffer()) {
        Sources.Report(std::string("Generator - Failure opening file: ") + p.UserDefined.WaveFileName,
                       TEngineHost::MsgOk);
        out.FillSilence();
        return;
    }
    const TWaveFormat f = file->GetFormat();
    const uint32_t frames = file->GetFrameCount();
    const uint8_t* samples = file->GetBuffer();
    // A one-channel file feeds both channels.
    if (channel == 1 && f.NumChannels == 2) samples += f.BytesPerSample;
    const double scale = a * FullScaleStep(out.GetFormat().BytesPerSample) / FullScaleStep(f.BytesPerSample);
    uint32_t k = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        if (frames == 0) {
            out.PutSilence(j);
            continue;
        }
        const int32_t s = RawSample(samples + size_t(k) * f.BytesPerFrame(), f.BytesPerSample);
        out.Put(j, out.Silence() + (double(s) - f.SilenceValue) * scale);
        if (++k >= frames) k = 0;
    }
}

int64_t TSignalSynthesizer::KeyCount(const DTMFParams& dtmf)
{
    return int64_t(strnlen(dtmf.KeyString, DTMFParams::KeySize));
}

int64_t TSignalSynthesizer::DTMFPassFrames(const DTMFParams& dtmf, uint32_t rate)
{
    const int64_t pass = (int64_t(dtmf.PulseWidthMsec) + dtmf.PulseSpacingMsec) * KeyCount(dtmf);
    if (pass <= 0) return 0;
    return pass > FrameLimit / rate ? FrameLimit : pass * rate / 1000;
}

void TSignalSynthesizer::BuildDTMF(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t n = out.FrameCount();
    const int64_t rate = block.GetSampleRate();
    const DTMFParams& d = p.DTMF;
    const int64_t keys = KeyCount(d);
    const int64_t tone = rate * d.PulseWidthMsec / 1000;
    const int64_t slot = tone + rate * d.PulseSpacingMsec / 1000;
    if (d.PulseWidthMsec < 0 || d.PulseSpacingMsec < 0 || slot <= 0 || !std::isfinite(d.TwistDB)) {
        out.FillSilence();
        return;
    }
    const int64_t pass = DTMFPassFrames(d, block.GetSampleRate());
    // A positive twist lowers the row tone, a negative one the column tone.
    const double cut = 1.0 / std::pow(10.0, 0.05 * std::fabs(d.TwistDB));
    const double rowGain = d.TwistDB >= 0 ? cut : 1.0;
    const double columnGain = d.TwistDB >= 0 ? 1.0 : cut;
    const TDTMFData pairs(-20.0f, 20, 10);
    int64_t position = 0, q = 0;
    for (uint32_t j = 0; j < n; ++j) {
        Progress(j, n);
        const int64_t index = position / slot;
        const char key = index < keys ? d.KeyString[index] : d.KeyString[0];
        if (q >= slot) q = 0;
        ++q;
        double x = 0.0;
        if (q <= tone) {
            const double phase = (double(position) + 1.0) * TwoPi;
            x = rowGain * std::sin(phase * pairs.GetRowFrequency(key) / double(rate))
                + columnGain * std::sin(phase * pairs.GetColumnFrequency(key) / double(rate));
        }
        if (++position == pass) position = 0;
        out.Put(j, a * 0.99 * out.Span() * x / 2 + out.Silence() + Dither());
    }
}
