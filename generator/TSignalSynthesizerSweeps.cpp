// Builders of the signals that change with time: the frequency sweep
// (linear or logarithmic, once or with a return sweep), the level sweep and
// the frequency steps (linear in hertz or fractional-octave band centres).
#include "generator/TSignalSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "generator/TChannelWriter.h"

namespace {

constexpr double kTurn = 2.0 * std::numbers::pi;

// Centre and lower edge of band k of a 1/n-octave series.
double BandCentre(int64_t k, int32_t n)
{
    return std::pow(10.0, 3.0 * double(k) / (10.0 * n));
}

double LowerEdge(int64_t k, int32_t n)
{
    return BandCentre(k, n) * std::pow(0.5, 0.5 / n);
}

// The last band from 1 on whose lower edge lies at or below f; -1 when none does.
int64_t LastBandAtOrBelow(double f, int32_t n)
{
    if (!(f >= LowerEdge(1, n))) return -1;
    const double estimate = 10.0 * n / 3.0 * std::log10(f / std::pow(0.5, 0.5 / n));
    int64_t k = int64_t(std::clamp(std::floor(estimate), 1.0, double(TSignalSynthesizer::FrameLimit)));
    while (k < TSignalSynthesizer::FrameLimit && LowerEdge(k + 1, n) <= f) ++k;
    while (k > 1 && LowerEdge(k, n) > f) --k;
    return k;
}

int32_t OctaveFraction(const FreqStepParams& step)
{
    return step.OctaveNumber > 0 ? step.OctaveNumber : 1;
}

double LinearStep(const FreqStepParams& step)
{
    return step.StepSize > 0.0f ? step.StepSize : 1.0;
}

}  // namespace

void TSignalSynthesizer::BuildFreqSweep(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t frames = out.FrameCount();
    const uint32_t rate = block.GetSampleRate();
    const int64_t n = ScaleFrames(p.FreqSweep.TimeMSec, rate, 1000);
    double f1 = p.FreqSweep.FStartHz, f2 = p.FreqSweep.FStopHz;
    const int32_t type = p.FreqSweep.SweepType;
    if (n < 0 || (type != 1 && type != 2) || !std::isfinite(f1) || !std::isfinite(f2)) {
        out.FillSilence();
        return;
    }
    f1 = std::min(f1, rate / 2.0);
    f2 = std::min(f2, rate / 2.0);
    bool down = false;
    if (type == 2) {
        f1 = std::max(f1, 1.0);
        f2 = std::max(f2, 1.0);
        if (f2 < f1) {
            std::swap(f1, f2);
            down = true;
        }
    }
    // The frequency of frame i runs from f1 towards f2 in n frames, on a line
    // or geometrically; the phase is the sum of the frames' steps, so that
    // frequency is the sweep's instantaneous one. Frame 0 carries one step.
    const double logRatio = type == 2 ? std::log(f2 / f1) : 0.0;
    auto frequency = [&](int64_t i) {
        const double t = double(i) / double(n);
        return type == 1 ? f1 + (f2 - f1) * t : f1 * std::exp(logRatio * t);
    };
    const bool back = p.FreqSweep.ReturnSweepFlag != 0;
    // Frames outside the block are not stored.
    auto put = [&](int64_t at, double v) {
        if (at >= 0 && at < int64_t(frames)) out.Put(uint32_t(at), v);
    };
    const int64_t last = std::min<int64_t>(n, frames);
    double phase = 0.0;
    for (int64_t i = 0; i < last; ++i) {
        Progress(uint32_t(i), frames);
        phase += TwoPi * frequency(i) / rate;
        // Kept within one turn, where a double holds it finely over any length.
        phase = std::fmod(phase, kTurn);
        const double v = ToneSample(out, a, std::sin(phase));
        // A downward logarithmic sweep is the upward one written backwards;
        // the return sweep mirrors it from the end of the block.
        put(down ? n - 1 - i : i, v);
        if (back) put(down ? n + i : int64_t(frames) - 1 - i, v);
    }
}

void TSignalSynthesizer::BuildLevelSweep(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t frames = out.FrameCount();
    const uint32_t rate = block.GetSampleRate();
    const int64_t period = ScaleFrames(p.LevelSweep.TimeMSec, rate, 1000);
    const double startDb = p.LevelSweep.StartDB, stopDb = p.LevelSweep.StopDB, f = p.LevelSweep.FreqHz;
    if (period < 1 || !std::isfinite(startDb) || !std::isfinite(stopDb) || !std::isfinite(f)) {
        out.FillSilence();
        return;
    }
    // Every repetition of a sweep shorter than the block runs the whole range.
    const double slope = (stopDb - startDb) / double(period);
    int64_t q = 0;
    for (uint32_t j = 0; j < frames; ++j) {
        Progress(j, frames);
        const double g = std::pow(10.0, 0.05 * (startDb + double(q) * slope));
        const double x = std::sin((double(q) + 1.0) * TwoPi * f / rate);
        out.Put(j, a * g * 0.99 * out.Span() * x + out.Silence() + Dither());
        if (++q >= period) q = 0;
    }
}

int64_t TSignalSynthesizer::CountFreqSteps(const SignalParams& params, int32_t* firstBand)
{
    const FreqStepParams& step = params.FreqStep;
    const double lo = std::min(step.FStartHz, step.FStopHz);
    const double hi = std::max(step.FStartHz, step.FStopHz);
    int64_t count = 1, first = -1;
    if (std::isfinite(lo) && std::isfinite(hi)) {
        if (step.StepType == 1) {
            const double steps = std::trunc((hi - lo) / LinearStep(step) + 1.0);
            count = steps >= double(FrameLimit) ? FrameLimit : std::max<int64_t>(int64_t(steps), 1);
        } else if (step.StepType == 2) {
            const int32_t n = OctaveFraction(step);
            const int64_t low = LastBandAtOrBelow(lo, n), high = LastBandAtOrBelow(hi, n);
            count = std::max<int64_t>(high - low + 1, 1);
            // Steps that go down start from the highest band.
            first = step.FStartHz > step.FStopHz ? high : low;
        }
    }
    if (firstBand) *firstBand = int32_t(std::clamp<int64_t>(first, INT32_MIN, INT32_MAX));
    return count;
}

void TSignalSynthesizer::BuildFreqStep(TWaveData& block, SignalParams p, uint16_t channel, double a)
{
    TChannelWriter out(block, channel);
    const uint32_t frames = out.FrameCount();
    const uint32_t rate = block.GetSampleRate();
    const FreqStepParams& step = p.FreqStep;
    const int64_t dwell = ScaleFrames(step.DwellTimeMSec, rate, 1000);
    if (dwell < 0 || (step.StepType != 1 && step.StepType != 2) || !std::isfinite(step.FStartHz)
        || !std::isfinite(step.FStopHz)) {
        out.FillSilence();
        return;
    }
    int32_t first = -1;
    const int64_t count = CountFreqSteps(p, &first);
    const bool down = step.FStartHz > step.FStopHz;
    auto frequency = [&](int64_t s) {
        if (step.StepType == 1) return step.FStartHz + (down ? -1.0 : 1.0) * double(s) * LinearStep(step);
        return BandCentre(down ? first - s : first + s, OctaveFraction(step));
    };
    // Frames past the block are not stored, neither forward nor mirrored.
    const int64_t span = count > FrameLimit / std::max<int64_t>(dwell, 1) ? FrameLimit : count * dwell;
    const int64_t last = std::min<int64_t>(span, frames);
    const bool back = step.ReturnStepFlag != 0;
    int64_t s = 0, phase = 0;
    double f = frequency(0);
    for (int64_t j = 0; j < last; ++j) {
        Progress(uint32_t(j), frames);
        const double v = ToneSample(out, a, std::sin((double(phase) + 1.0) * TwoPi * f / rate));
        out.Put(uint32_t(j), v);
        if (back) out.Put(uint32_t(frames - 1 - j), v);
        // Each step lasts dwell + 1 frames and starts at the same phase.
        if (++phase > dwell) {
            phase = 0;
            if (s < count - 1) f = frequency(++s);
        }
    }
}
