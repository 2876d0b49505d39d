// Block format, lengths, allocation, output level and dither of the synthesis.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "base/TEngineHost.h"
#include "generator/TSignalSynthesizer.h"
#include "resources/StringIds.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {

struct TSynthesis : ::testing::Test {
    TTestSources Sources;
    TRuntimeRandom Random;
    TSignalSynthesizer Synth{Sources, Random};
};

struct TLengthCase {
    const char* Name;
    uint32_t Rate;
    void (*Set)(SignalParams&);
    int64_t Frames;
};

}  // namespace

TEST_F(TSynthesis, LengthsFollowEachKindsRule)
{
    const TLengthCase cases[] = {
        // Ten seconds of whole 1 kHz periods.
        {"1 kHz tone", 44100, [](SignalParams& p) { p.SigType = Tone1kSignal; }, 441000},
        {"white noise", 48000, [](SignalParams& p) { p.SigType = WhiteNoiseSignal; }, 480000},
        // A 250 ms cycle repeated past one second: five cycles.
        {"tone burst 250 ms", 48000,
         [](SignalParams& p) {
             p.SigType = ToneBurstSignal;
             p.ToneBurst.CycleTimeMsec = 250;
         },
         60000},
        // A cycle of a second or more is not repeated.
        {"noise burst 2000 ms", 44100, [](SignalParams& p) { p.SigType = NoiseBurstSignal; }, 88200},
        {"noise burst 250 ms", 44100,
         [](SignalParams& p) {
             p.SigType = NoiseBurstSignal;
             p.NoiseBurst.CycleTimeMsec = 250;
         },
         55125},
        {"IMD", 48000, [](SignalParams& p) { p.SigType = IMDTonesSignal; }, 48000},
        {"digital zero", 44100, [](SignalParams& p) { p.SigType = DigitalZeroSignal; }, 44100},
        // 10,999 periods of 1100 Hz are 479,956.4 frames: cut to whole frames, made even.
        {"multiple tones, first tone on 1100 Hz", 48000,
         [](SignalParams& p) {
             p.SigType = MultipleTonesSignal;
             p.Tones[0].ToneEnable = 0;
             p.Tones[2].ToneEnable = 1;
             p.Tones[2].FreqHz = 1100.0f;
         },
         479956},
        // A cycle dividing a second exactly gives R + n.
        {"square 1 kHz", 48000, [](SignalParams& p) { p.SigType = SquareSignal; p.Square.FreqHz = 1000.0f; }, 48048},
        {"sawtooth 1 kHz", 44100, [](SignalParams& p) { p.SigType = SawtoothSignal; }, 44132},
        // 10 ms is 441 frames at 44.1 kHz, exactly.
        {"single pulse 10 ms", 44100,
         [](SignalParams& p) {
             p.SigType = PulseSignal;
             p.Pulse.OneShotFlag = 1;
         },
         441},
        {"pulse train 10 ms", 44100, [](SignalParams& p) { p.SigType = PulseSignal; }, 44541},
        {"sweep with return", 44100,
         [](SignalParams& p) {
             p.SigType = FreqSweepSignal;
             p.FreqSweep.ReturnSweepFlag = 1;
         },
         88200},
        {"level sweep 250 ms", 48000,
         [](SignalParams& p) {
             p.SigType = LevelSweepSignal;
             p.LevelSweep.TimeMSec = 250;
         },
         60000},
        // Sixteen keys of 100 + 100 ms.
        {"DTMF once", 8000, [](SignalParams& p) { p.SigType = DTMFSignal; }, 25600},
        {"DTMF repeated, empty", 8000,
         [](SignalParams& p) {
             p.SigType = DTMFSignal;
             p.DTMF.KeyString[0] = '\0';
             p.DTMF.RepeatFlag = 1;
         },
         8000},
        // 31 third-octave steps of one second.
        {"octave steps 20 Hz - 22 kHz", 44100,
         [](SignalParams& p) {
             p.SigType = FreqStepSignal;
             p.FreqStep.StepType = 2;
         },
         31 * 44100},
        {"linear steps with return", 8000,
         [](SignalParams& p) {
             p.SigType = FreqStepSignal;
             p.FreqStep.FStartHz = 1000.0f;
             p.FreqStep.FStopHz = 5000.0f;
             p.FreqStep.DwellTimeMSec = 100;
             p.FreqStep.ReturnStepFlag = 1;
         },
         2 * 5 * 800},
        {"unknown code", 22050, [](SignalParams& p) { p.SigType = 17; }, 22050},
        // Values no dialog accepts end in a length that can be held.
        {"negative sweep time", 44100,
         [](SignalParams& p) {
             p.SigType = FreqSweepSignal;
             p.FreqSweep.TimeMSec = -5;
         },
         0},
        {"sawtooth at 0 Hz", 44100,
         [](SignalParams& p) {
             p.SigType = SawtoothSignal;
             p.Sawtooth.FreqHz = 0.0f;
         },
         44100},
        {"square above the rate", 8000,
         [](SignalParams& p) {
             p.SigType = SquareSignal;
             p.Square.FreqHz = 9000.0f;
         },
         8000},
    };
    for (const TLengthCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SignalParams p = DefaultSignal(Tone1kSignal);
        c.Set(p);
        EXPECT_EQ(Synth.GetSignalLength(p, TWaveFormat(c.Rate, 1, 2)), c.Frames);
    }
}

TEST_F(TSynthesis, FittingAndTrimmingFollowTheirRules)
{
    const TWaveFormat f(48000, 1, 2);
    EXPECT_EQ(TSignalSynthesizer::FitToCycles(0, f), 48000);
    EXPECT_EQ(TSignalSynthesizer::FitToCycles(-7, f), 48000);
    EXPECT_EQ(TSignalSynthesizer::FitToCycles(7000, f), 49000);
    EXPECT_EQ(TSignalSynthesizer::FitToCycles(48000, f), 48000);
    EXPECT_EQ(TSignalSynthesizer::FitToCycles(50001, f), 50001);
    EXPECT_EQ(TSignalSynthesizer::TrimToWholePeriods(480000, f, 0.1f), 480000);
    EXPECT_EQ(TSignalSynthesizer::TrimToWholePeriods(480000, f, 1000.0f), 480000);
    EXPECT_EQ(TSignalSynthesizer::TrimToWholePeriods(480000, f, 1100.0f), 479956);
    // Shorter than a period: one period, even.
    EXPECT_EQ(TSignalSynthesizer::TrimToWholePeriods(10, f, 1000.0f), 10);
}

TEST_F(TSynthesis, UserFilesSetLengthRateAndWidth)
{
    Sources.AddFile("a.wav", TWaveFormat(22050, 1, 1), std::vector<int32_t>(1001, 127));
    Sources.AddFile("b.wav", TWaveFormat(32000, 2, 3), std::vector<int32_t>(2 * 3000, 0));
    SignalParams left = DefaultSignal(UserDefinedSignal), right = DefaultSignal(UserDefinedSignal);
    std::strcpy(left.UserDefined.WaveFileName, "a.wav");
    std::strcpy(right.UserDefined.WaveFileName, "b.wav");
    const TWaveFormat analyser(48000, 2, 2);

    // Both files: the larger rate and the larger width; the channels stay the analyser's.
    TWaveFormat f = Synth.ChooseFormat(analyser, false, 0, false, left, right);
    EXPECT_EQ(f.SamplingRate, 32000u);
    EXPECT_EQ(f.BytesPerSample, 3);
    EXPECT_EQ(f.NumChannels, 2);
    ASSERT_EQ(Sources.Reports.size(), 1u);
    EXPECT_EQ(Sources.Reports[0].Text, "Generator - The Left and Right wave files have different sampling rates "
                                       "(22050 and 32000 Hz); both play at 32000 Hz.");
    EXPECT_EQ(Synth.GetSignalLength(left, f), 1001);

    // Locked: one channel from the left file alone.
    Sources.Reports.clear();
    f = Synth.ChooseFormat(analyser, true, 0, false, left, right);
    EXPECT_EQ(f.SamplingRate, 22050u);
    EXPECT_EQ(f.BytesPerSample, 1);
    EXPECT_EQ(f.NumChannels, 1);
    EXPECT_TRUE(Sources.Reports.empty());

    // A file that does not open changes nothing and has no frames.
    std::strcpy(left.UserDefined.WaveFileName, "missing.wav");
    left.SigType = Tone1kSignal;
    f = Synth.ChooseFormat(analyser, false, 0, false, DefaultSignal(UserDefinedSignal), DefaultSignal(Tone1kSignal));
    EXPECT_TRUE(f.IsEqual(analyser));
    EXPECT_EQ(Synth.GetSignalLength(DefaultSignal(UserDefinedSignal), f), 0);
}

TEST_F(TSynthesis, FormatTakesTheGeneratorRateAndNarrows24BitWhenAsked)
{
    const SignalParams tone = DefaultSignal(Tone1kSignal);
    TWaveFormat f = Synth.ChooseFormat(TWaveFormat(44100, 2, 3), false, 22050, false, tone, tone);
    EXPECT_EQ(f.SamplingRate, 22050u);
    EXPECT_EQ(f.BytesPerSample, 3);
    f = Synth.ChooseFormat(TWaveFormat(44100, 2, 3), false, 0, true, tone, tone);
    EXPECT_EQ(f.SamplingRate, 44100u);
    EXPECT_EQ(f.BytesPerSample, 2);
}

TEST_F(TSynthesis, BlockTakesTheLongerChannelAndIsEven)
{
    SignalParams left = DefaultSignal(IMDTonesSignal);
    SignalParams right = DefaultSignal(NoiseBurstSignal);
    right.NoiseBurst.CycleTimeMsec = 250;
    // Stereo: the right's 55,125 frames, made even.
    auto block = Synth.AllocateSignal(left, right, TWaveFormat(44100, 2, 2));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->GetFrameCount(), 55126u);
    // One channel (locked or mono): the right record does not lengthen it.
    block = Synth.AllocateSignal(left, right, TWaveFormat(44100, 1, 2));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->GetFrameCount(), 44100u);
    // 8-bit blocks start as silence.
    block = Synth.AllocateSignal(left, right, TWaveFormat(8000, 1, 1));
    ASSERT_TRUE(block);
    EXPECT_EQ(Channel(*block, 0), std::vector<int32_t>(8000, 127));
}

TEST_F(TSynthesis, BlocksTooLongToHoldAreRefusedNotWrapped)
{
    struct TCase {
        const char* Name;
        void (*Set)(SignalParams&);
    } cases[] = {
        // 99 keys of 20 s at 192 kHz: 380 million frames, whose 32-bit product wraps.
        {"DTMF 99 keys of 20 s",
         [](SignalParams& p) {
             p.SigType = DTMFSignal;
             std::memset(p.DTMF.KeyString, '5', 99);
             p.DTMF.KeyString[99] = '\0';
             p.DTMF.PulseWidthMsec = p.DTMF.PulseSpacingMsec = 10000;
         }},
        {"steps of a millihertz",
         [](SignalParams& p) {
             p.SigType = FreqStepSignal;
             p.FreqStep.StepSize = 0.001f;
         }},
        {"sweep of 10^9 ms",
         [](SignalParams& p) {
             p.SigType = FreqSweepSignal;
             p.FreqSweep.TimeMSec = 1000000000;
             p.FreqSweep.ReturnSweepFlag = 1;
         }},
    };
    const TWaveFormat f(192000, 2, 4);
    EXPECT_EQ(Synth.GetSignalLength([] {
        SignalParams p = DefaultSignal(DTMFSignal);
        std::memset(p.DTMF.KeyString, '5', 99);
        p.DTMF.KeyString[99] = '\0';
        p.DTMF.PulseWidthMsec = p.DTMF.PulseSpacingMsec = 10000;
        return p;
    }(), f), int64_t(99) * 20 * 192000);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Sources.Reports.clear();
        SignalParams p = DefaultSignal(Tone1kSignal);
        c.Set(p);
        // A short left channel does not hide a right channel too long to hold.
        EXPECT_EQ(Synth.AllocateSignal(DefaultSignal(Tone1kSignal), p, f), nullptr);
        ASSERT_EQ(Sources.Reports.size(), 1u);
        EXPECT_EQ(Sources.Reports[0].Text, IDS_NO_MEMORY_TEXT);
    }
}

TEST_F(TSynthesis, ChannelAmplitudeForEachUnit)
{
    struct TCase {
        uint16_t Units;
        float Level, FullScale;
        double Amplitude;
    } cases[] = {
        {DbFullScaleUnits, -6.0f, 0.0f, std::pow(10.0, -0.3)},
        {DbFullScaleUnits, 0.0f, 0.0f, 1.0},
        {PercentFullScaleUnits, 25.0f, 0.0f, 0.25},
        // No amplitude, or no number, is silence, never full scale.
        {PercentFullScaleUnits, 0.0f, 0.0f, 0.0},
        {PercentFullScaleUnits, -200.0f, 0.0f, 0.0},
        {DbFullScaleUnits, std::nanf(""), 0.0f, 0.0},
        {DbFullScaleUnits, INFINITY, 0.0f, 0.0},
        {VoltsUnits, 1.0f, INFINITY, 0.0},
        {VoltsUnits, 0.5f, 2.0f, 0.25},
        {VoltsUnits, 3.0f, 2.0f, 1.0},
        {MillivoltsUnits, 100.0f, 0.5f, 0.2},
        {DbvUnits, 0.0f, 2.0f, 0.5},
        {DbvUnits, -20.0f, 1.0f, 0.1},
        {DbmvUnits, 40.0f, 1.0f, 0.1},
        {DbuUnits, 0.0f, 0.775f, 1.0},
        {DbuUnits, -20.0f, 1.55f, 0.05},
        {7, -20.0f, 1.0f, 0.0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.Units << " level " << c.Level);
        OutputLevelStruct level{};
        level.OutputUnits = c.Units;
        level.OutputLevel = c.Level;
        level.OutputLevelR = c.Level / 2;
        level.FSLevel = c.FullScale;
        EXPECT_NEAR(TSignalSynthesizer::GetChannelAmplitude(level, 0), c.Amplitude, 1e-6);
    }
    // The right channel takes its own level.
    OutputLevelStruct level{};
    level.OutputUnits = PercentFullScaleUnits;
    level.OutputLevel = 50.0f;
    level.OutputLevelR = 10.0f;
    EXPECT_NEAR(TSignalSynthesizer::GetChannelAmplitude(level, 1), 0.1, 1e-7);
    // A voltage unit without a full-scale level takes one volt, and keeps it.
    level.OutputUnits = VoltsUnits;
    level.FSLevel = -1.0f;
    level.OutputLevelR = 0.25f;
    EXPECT_NEAR(TSignalSynthesizer::GetChannelAmplitude(level, 1), 0.25, 1e-7);
    EXPECT_EQ(level.FSLevel, 1.0f);
}

TEST_F(TSynthesis, DitherIsTriangularOverOneStepEachSide)
{
    double sum = 0.0, squares = 0.0;
    float lowest = 1.0f, highest = -1.0f;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const float d = Synth.Dither();
        sum += d;
        squares += double(d) * d;
        lowest = std::min(lowest, d);
        highest = std::max(highest, d);
    }
    EXPECT_GE(lowest, -1.0f);
    EXPECT_LE(highest, 1.0f);
    EXPECT_NEAR(sum / n, 0.0, 0.01);
    // A triangular density over -1..1 has a variance of 1/6.
    EXPECT_NEAR(squares / n, 1.0 / 6.0, 0.01);
}

TEST_F(TSynthesis, BuildsReportProgressInPercent)
{
    auto block = Synth.AllocateSignal(DefaultSignal(DigitalZeroSignal), DefaultSignal(IMDTonesSignal),
                                      TWaveFormat(10000, 2, 2));
    ASSERT_TRUE(block);
    const double amplitude[2] = {1.0, 1.0};
    Synth.BuildChannels(*block, DefaultSignal(IMDTonesSignal), DefaultSignal(IMDTonesSignal), amplitude);
    // Each channel every 1000 frames of 10000.
    const std::vector<int> expected = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    ASSERT_EQ(Sources.Gauge.size(), 20u);
    EXPECT_EQ(std::vector<int>(Sources.Gauge.begin(), Sources.Gauge.begin() + 10), expected);
}

TEST_F(TSynthesis, AChannelWithoutAUsableAmplitudeIsSilent)
{
    // Whatever the left channel's signal, an amplitude of no use leaves it at
    // the silence value of its width, without dither; the right one plays.
    for (uint16_t bytes : {uint16_t(1), uint16_t(2)})
        for (double bad : {0.0, -1.0, std::nan(""), 2.0}) {
            SCOPED_TRACE(testing::Message() << bytes << " bytes, amplitude " << bad);
            const TWaveFormat format(8000, 2, bytes);
            auto block = Synth.AllocateSignal(DefaultSignal(Tone1kSignal), DefaultSignal(Tone1kSignal), format);
            ASSERT_TRUE(block);
            const double amplitude[2] = {bad, 0.5};
            Synth.BuildChannels(*block, DefaultSignal(WhiteNoiseSignal), DefaultSignal(Tone1kSignal), amplitude);
            const std::vector<int32_t> left = Channel(*block, 0), right = Channel(*block, 1);
            EXPECT_TRUE(std::all_of(left.begin(), left.end(), [&](int32_t s) { return s == format.SilenceValue; }));
            EXPECT_GT(*std::max_element(right.begin(), right.end()),
                      format.SilenceValue + (format.MaxValue - format.SilenceValue) / 4);
        }
}
