// Frequency sweeps, level sweeps and frequency steps.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "engine/FFT.h"
#include "generator/TSignalSynthesizer.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {

struct TSweeps : ::testing::Test {
    TTestSources Sources;
    TRuntimeRandom Random;
    TSignalSynthesizer Synth{Sources, Random};

    std::vector<int32_t> Render(const SignalParams& p, TWaveFormat f, uint32_t frames, double a = 1.0)
    {
        TWaveData block(frames, f);
        block.ClearBuffer();
        Synth.Build(block, p, 0, a);
        return Channel(block, 0);
    }
};

constexpr double kPi = 3.14159265358979323846;

// A tone sample without its dither: within two steps of the built one.
int32_t Tone(double x)
{
    return int32_t(std::floor(0.99 * 32767 * x + 0.5));
}

}  // namespace

// The instantaneous frequency, from the phase of the analytic signal (the
// spectrum's negative half cleared), follows f1 x (f2 / f1)^(i / n) within
// 1 % over the middle 95 % of the sweep, where the sweep's abrupt ends no
// longer disturb the analytic signal.
TEST_F(TSweeps, LogarithmicSweepFollowsItsLawByTheHilbertPhase)
{
    const uint32_t rate = 48000, size = 262144;
    const double f1 = 300.0, f2 = 20000.0;
    SignalParams p = DefaultSignal(FreqSweepSignal);
    p.FreqSweep.SweepType = 2;
    p.FreqSweep.FStartHz = float(f1);
    p.FreqSweep.FStopHz = float(f2);
    p.FreqSweep.TimeMSec = 1365;
    const int64_t n = Synth.GetSignalLength(p, TWaveFormat(rate, 1, 2));
    ASSERT_EQ(n, 65520);
    const std::vector<int32_t> s = Render(p, TWaveFormat(rate, 1, 2), uint32_t(n));
    std::vector<float> z(2 * size, 0.0f);
    // In the middle of silence: the transform's wrap-around joins silence, not the sweep's two ends.
    const int64_t at = (size - n) / 2;
    for (int64_t i = 0; i < n; ++i) z[2 * (at + i)] = float(s[i]);
    ComplexFFT(z.data(), int(size), 1);
    for (uint32_t k = size / 2 + 1; k < size; ++k) z[2 * k] = z[2 * k + 1] = 0.0f;
    for (uint32_t k = 1; k < size / 2; ++k) {
        z[2 * k] *= 2.0f;
        z[2 * k + 1] *= 2.0f;
    }
    ComplexFFT(z.data(), int(size), -1);
    // The phase step of each frame, then its mean over 101 frames, as the
    // sound test reads the captured sweep.
    std::vector<double> step(size_t(n), 0.0);
    for (int64_t i = 1; i < n; ++i) {
        const int64_t k = at + i;
        const std::complex<double> now(z[2 * k], z[2 * k + 1]), before(z[2 * k - 2], z[2 * k - 1]);
        step[i] = std::arg(now * std::conj(before)) * rate / (2.0 * kPi);
    }
    int outside = 0, counted = 0;
    for (int64_t i = n / 40; i < n - n / 40; ++i) {
        double f = 0.0;
        for (int64_t j = i - 50; j <= i + 50; ++j) f += step[j];
        f /= 101;
        const double law = f1 * std::pow(f2 / f1, double(i) / double(n));
        outside += std::abs(f / law - 1.0) > 0.01;
        ++counted;
    }
    EXPECT_EQ(outside, 0) << "of " << counted;
}

TEST_F(TSweeps, LinearSweepRisesFromStartToStop)
{
    // 1000 to 2000 Hz over 1000 ms at 44.1 kHz: the zero-crossing rate rises on a line.
    SignalParams p = DefaultSignal(FreqSweepSignal);
    const std::vector<int32_t> s = Render(p, TWaveFormat(44100, 1, 2), 44100);
    for (int window = 0; window < 10; ++window) {
        const int from = window * 4410, to = from + 4410;
        int crossings = 0;
        for (int j = from + 1; j < to; ++j) crossings += (s[j - 1] < 0) != (s[j] < 0);
        const double middle = 1000.0 + 1000.0 * (from + to) / 2.0 / 44100;
        EXPECT_NEAR(crossings / 2.0 / 0.1, middle, 15.0) << window;
    }
    // A stop above half the rate is half the rate.
    p.FreqSweep.FStopHz = 30000.0f;
    Random = TRuntimeRandom();
    const std::vector<int32_t> above = Render(p, TWaveFormat(44100, 1, 2), 44100);
    p.FreqSweep.FStopHz = 22050.0f;
    Random = TRuntimeRandom();
    EXPECT_EQ(Render(p, TWaveFormat(44100, 1, 2), 44100), above);
}

TEST_F(TSweeps, DownwardLogSweepIsTheUpwardOneReversedAndReturns)
{
    SignalParams up = DefaultSignal(FreqSweepSignal);
    up.FreqSweep.SweepType = 2;
    up.FreqSweep.FStartHz = 20.0f;
    up.FreqSweep.FStopHz = 20000.0f;
    up.FreqSweep.TimeMSec = 500;
    SignalParams down = up;
    std::swap(down.FreqSweep.FStartHz, down.FreqSweep.FStopHz);
    down.FreqSweep.ReturnSweepFlag = 1;
    const TWaveFormat f(48000, 1, 2);
    const uint32_t n = 24000;
    const std::vector<int32_t> rising = Render(up, f, n);
    ASSERT_EQ(Synth.GetSignalLength(down, f), 2 * n);
    const std::vector<int32_t> both = Render(down, f, 2 * n);
    for (uint32_t i = 0; i < n; ++i) {
        ASSERT_NEAR(both[n - 1 - i], rising[i], 2) << i;
        ASSERT_NEAR(both[n + i], rising[i], 2) << i;
    }
}

TEST_F(TSweeps, LinearSweepReturnMirrorsFromTheEndOfTheBlock)
{
    SignalParams p = DefaultSignal(FreqSweepSignal);
    p.FreqSweep.TimeMSec = 100;
    p.FreqSweep.ReturnSweepFlag = 1;
    const std::vector<int32_t> s = Render(p, TWaveFormat(8000, 1, 2), 1600);
    for (int i = 0; i < 800; ++i) ASSERT_EQ(s[1599 - i], s[i]) << i;
}

TEST_F(TSweeps, UnknownSweepTypeOrNegativeTimeIsSilent)
{
    SignalParams p = DefaultSignal(FreqSweepSignal);
    p.FreqSweep.SweepType = 3;
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 100), std::vector<int32_t>(100, 127));
    p.FreqSweep.SweepType = 1;
    p.FreqSweep.TimeMSec = -1000;
    EXPECT_EQ(Render(p, TWaveFormat(8000, 1, 1), 100), std::vector<int32_t>(100, 127));
}

TEST_F(TSweeps, LevelSweepReachesTheStopLevelInEveryRepetition)
{
    const TSampleFixture fixture = ReadSampleFixture("level_sweep_48000_16.txt");
    SignalParams p = DefaultSignal(LevelSweepSignal);
    p.LevelSweep.StartDB = -40.0f;
    p.LevelSweep.TimeMSec = 250;
    const std::vector<int32_t> s = Render(p, TWaveFormat(48000, 1, 2), uint32_t(fixture.Samples.size()));
    for (size_t j = 0; j < s.size(); ++j) ASSERT_NEAR(s[j], fixture.Samples[j], 1) << j;
    // The last crest of each 12,000-frame sweep stands near full scale, the first near -40 dB.
    for (int sweep = 0; sweep < 2; ++sweep) {
        EXPECT_GT(s[sweep * 12000 + 11999 - 36], 0.98 * 0.99 * 32767) << sweep;
        EXPECT_NEAR(s[sweep * 12000 + 11], 0.01 * 0.99 * 32767, 4) << sweep;
    }
}

TEST_F(TSweeps, OctaveStepsAreBandCentres)
{
    SignalParams p = DefaultSignal(FreqStepSignal);
    p.FreqStep.StepType = 2;
    p.FreqStep.DwellTimeMSec = 100;
    int32_t first = 0;
    EXPECT_EQ(TSignalSynthesizer::CountFreqSteps(p, &first), 31);
    EXPECT_EQ(first, 13);
    const TWaveFormat f(48000, 1, 2);
    const uint32_t dwell = 4800;
    const std::vector<int32_t> s = Render(p, f, 31 * dwell);
    // Each step is dwell + 1 frames of its centre from phase 0.
    for (int step = 0; step < 30; ++step) {
        const double centre = std::pow(10.0, (13 + step) / 10.0);
        for (uint32_t q = 0; q <= dwell; q += 37) {
            const uint32_t j = step * (dwell + 1) + q;
            ASSERT_NEAR(s[j], Tone(std::sin((q + 1.0) * TSignalSynthesizer::TwoPi * centre / 48000)), 2)
                << "step " << step << " frame " << q;
        }
    }

    // From 22 kHz down to 20 Hz: the same 31 centres, falling.
    std::swap(p.FreqStep.FStartHz, p.FreqStep.FStopHz);
    EXPECT_EQ(TSignalSynthesizer::CountFreqSteps(p, &first), 31);
    EXPECT_EQ(first, 43);
    const std::vector<int32_t> falling = Render(p, f, 31 * dwell);
    const double top = std::pow(10.0, 4.3);
    EXPECT_NEAR(falling[5], Tone(std::sin(6.0 * TSignalSynthesizer::TwoPi * top / 48000)), 2);
}

TEST_F(TSweeps, LinearStepsCountAndReturn)
{
    SignalParams p = DefaultSignal(FreqStepSignal);
    p.FreqStep.FStartHz = 1000.0f;
    p.FreqStep.FStopHz = 5000.0f;
    int32_t first = 0;
    EXPECT_EQ(TSignalSynthesizer::CountFreqSteps(p, &first), 5);
    EXPECT_EQ(first, -1);
    // A step size of 0 or below counts as 1 Hz.
    p.FreqStep.StepSize = 0.0f;
    EXPECT_EQ(TSignalSynthesizer::CountFreqSteps(p, nullptr), 4001);
    p.FreqStep.StepSize = 1000.0f;
    p.FreqStep.StepType = 5;
    EXPECT_EQ(TSignalSynthesizer::CountFreqSteps(p, nullptr), 1);

    p.FreqStep.StepType = 1;
    p.FreqStep.DwellTimeMSec = 10;
    p.FreqStep.ReturnStepFlag = 1;
    const std::vector<int32_t> s = Render(p, TWaveFormat(8000, 1, 2), 800);
    for (int j = 0; j < 400; ++j) ASSERT_EQ(s[799 - j], s[j]) << j;
    // The third step, 3000 Hz, from frame 2 x 81 on.
    EXPECT_NEAR(s[162 + 1], Tone(std::sin(2.0 * TSignalSynthesizer::TwoPi * 3000.0 / 8000)), 2);
}

TEST_F(TSweeps, StepsAndSweepsLeaveTheRestOfALongerBlockSilent)
{
    SignalParams p = DefaultSignal(FreqStepSignal);
    p.FreqStep.FStartHz = 1000.0f;
    p.FreqStep.FStopHz = 2000.0f;
    p.FreqStep.DwellTimeMSec = 10;
    const std::vector<int32_t> s = Render(p, TWaveFormat(8000, 1, 1), 1000);
    // Two steps of 80 frames: 160 frames, then silence.
    EXPECT_EQ(std::vector<int32_t>(s.begin() + 160, s.end()), std::vector<int32_t>(840, 127));
    EXPECT_NE(std::vector<int32_t>(s.begin(), s.begin() + 160), std::vector<int32_t>(160, 127));
}
