// The THD+N run's plan, test signal and analysis against numpy's references.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>

#include "engine/TWaveData.h"
#include "tests/engine/Fixture.h"
#include "utilities/TThdFreqRun.h"

namespace {

struct TQuiet : TThdFreqRun::TProgress {
    bool Show(int, const char*) override { return false; }
};

// A 16-bit PCM WAV as Python's wave module writes it.
std::unique_ptr<TWaveData> ReadWav(const std::string& name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    uint16_t channels;
    uint32_t rate, size;
    std::memcpy(&channels, &bytes[22], 2);
    std::memcpy(&rate, &bytes[24], 4);
    std::memcpy(&size, &bytes[40], 4);
    auto wave = std::make_unique<TWaveData>(size / (2 * channels), TWaveFormat(rate, channels, 2));
    std::memcpy(wave->GetBuffer(), &bytes[44], size);
    return wave;
}

}  // namespace

TEST(TThdFreqRun, StepPlansFollowNumpy)
{
    for (const auto& row : ReadFixture("utilities/thdfreq_plans.txt")) {
        THDFreqSettings s;
        s.StepType = int32_t(row[0]);
        s.StartFreq = float(row[1]);
        s.StopFreq = float(row[2]);
        s.StepSizeHz = float(row[3]);
        s.OctaveNumber = int32_t(row[4]);
        SCOPED_TRACE(testing::Message() << "type " << s.StepType << " from " << s.StartFreq << " to " << s.StopFreq);
        const std::vector<double> steps = TThdFreqRun::StepFrequencies(s);
        ASSERT_EQ(steps.size(), row.size() - 5);
        for (size_t i = 0; i < steps.size(); ++i) EXPECT_NEAR(steps[i], row[5 + i], 1e-3 * (1 + row[5 + i])) << i;
    }
    THDFreqSettings third;
    third.StepType = 2;
    int first = 0;
    EXPECT_EQ(TThdFreqRun::StepCount(third, &first), 31);
    EXPECT_EQ(first, 13);
}

TEST(TThdFreqRun, BadStepSizesAndLevelsAreReplaced)
{
    THDFreqSettings s;
    s.StepSizeHz = -5.0f;
    EXPECT_EQ(TThdFreqRun::StepCount(s, nullptr), 19981);
    EXPECT_EQ(s.StepSizeHz, 1.0f);
    s.StepType = 2;
    s.OctaveNumber = 0;
    TThdFreqRun::StepCount(s, nullptr);
    EXPECT_EQ(s.OctaveNumber, 1);
    const struct {
        float Level;
        double Amplitude;
    } levels[] = {{0.0f, 1.0}, {-20.0f, 0.1}, {6.0f, 1.0}, {-1.0f, 0.891251}};
    for (auto l : levels) {
        s.SignalLevelR = l.Level;
        EXPECT_NEAR(TThdFreqRun::LevelAmplitude(s, 1), l.Amplitude, 1e-6) << l.Level;
    }
}

TEST(TThdFreqRun, FFTSizeFollowsRateAndStart)
{
    const struct {
        uint32_t Rate;
        float Start;
        uint32_t Size;
    } cases[] = {{22050, 20, 16384}, {44100, 20, 16384}, {48000, 20, 16384}, {88000, 20, 32768},
                 {96000, 20, 65536}, {22050, 10, 16384}, {44100, 10, 32768}, {88000, 18.9f, 65536},
                 {192000, 5, 131072}};
    for (auto c : cases) EXPECT_EQ(TThdFreqRun::FFTSizeFor(c.Rate, c.Start), c.Size) << c.Rate << " " << c.Start;
}

TEST(TThdFreqRun, StopAboveHalfTheRunRateIsRefusedQuotingThatRate)
{
    TQuiet quiet;
    THDFreqSettings s;
    s.StopFreq = 12000.0f;
    TThdFreqRun run(s, quiet);
    std::string message;
    EXPECT_FALSE(run.BuildTestSignal(8000, 2, message));
    EXPECT_TRUE(run.Abort);
    EXPECT_NE(message.find("less than 11025 Hz"), std::string::npos) << message;
    EXPECT_FALSE(run.Signal);

    s.StopFreq = 5000.0f;
    s.StepSizeHz = 5000.0f;
    TThdFreqRun low(s, quiet);
    EXPECT_TRUE(low.BuildTestSignal(8000, 2, message)) << message;
    EXPECT_EQ(low.Format.SamplingRate, 22050u);
}

TEST(TThdFreqRun, TestSignalMatchesNumpyWithinTheDither)
{
    const auto rows = ReadFixture("utilities/thdfreq_signal.txt");
    const uint32_t rate = uint32_t(rows[0][0]), s0 = uint32_t(rows[0][1]), s1 = uint32_t(rows[0][2]);
    const uint32_t start = uint32_t(rows[0][3]), perStep = uint32_t(rows[0][4]);
    TQuiet quiet;
    THDFreqSettings s;
    s.NumChannels = 2;
    s.StartFreq = 500.0f;
    s.StopFreq = 3000.0f;
    s.StepSizeHz = 2500.0f;
    s.SignalLevelL = -6.0f;
    s.SignalLevelR = -12.0f;
    TThdFreqRun run(s, quiet);
    std::string message;
    ASSERT_TRUE(run.BuildTestSignal(rate, 2, message)) << message;
    TWaveData& signal = *run.Signal;
    ASSERT_EQ(signal.GetFrameCount(), start + 2 * perStep);
    EXPECT_EQ(s.DwellTimeMSec, 1000);
    for (size_t r = 1; r < rows.size(); ++r) {
        const uint32_t frame = uint32_t(rows[r][0]);
        const bool inBurst = frame >= s0 && frame <= s1;
        // The burst is truncated and undithered; the steps carry one LSB of dither and rounding.
        const double tolerance = inBurst ? 1.0 : 1.5;
        EXPECT_NEAR(signal.GetSample(frame, 0, 0), rows[r][1], tolerance) << frame;
        EXPECT_NEAR(signal.GetSample(frame, 1, 0), rows[r][2], frame < start ? 0.0 : tolerance) << frame;
    }
}

TEST(TThdFreqRun, EightBitSignalIsSilentAt127OutsideTheTones)
{
    TQuiet quiet;
    THDFreqSettings s;
    s.NumChannels = 2;
    s.StartFreq = 1000.0f;
    s.StopFreq = 1000.0f;
    TThdFreqRun run(s, quiet);
    std::string message;
    ASSERT_TRUE(run.BuildTestSignal(22050, 1, message));
    TWaveData& signal = *run.Signal;
    for (uint32_t frame : {0u, 1000u, 22049u}) {
        EXPECT_EQ(signal.GetSample(frame, 0, 0), 127.0f);
        EXPECT_EQ(signal.GetSample(frame, 1, 0), 127.0f);
    }
    // Right channel during the burst, and the gap before the steps.
    EXPECT_EQ(signal.GetSample(22050 + 5, 1, 0), 127.0f);
    EXPECT_EQ(signal.GetSample(uint32_t(22050 * 2.1), 0, 0), 127.0f);
}

TEST(TThdFreqRun, SteppedSineRestartsItsPhaseAtEveryStep)
{
    TQuiet quiet;
    THDFreqSettings s;
    s.StartFreq = 1000.0f;
    s.StopFreq = 3000.0f;
    s.StepSizeHz = 1000.0f;
    s.DwellTimeMSec = 100;
    TThdFreqRun run(s, quiet);
    TWaveData wave(3 * 4800 + 10, TWaveFormat(48000, 1, 2));
    run.FillSteppedSine(wave, 10);
    for (int i = 0; i < 3; ++i) {
        const double w = 2 * std::numbers::pi * 1000.0 * (i + 1) / 48000;
        for (uint32_t j : {0u, 1u, 4799u}) {
            const double expected = std::sin((j + 1) * w) * 0.99 * 32767;
            EXPECT_NEAR(wave.GetSample(10 + i * 4800 + j, 0, 0), expected, 1.5) << i << " " << j;
        }
    }
    EXPECT_EQ(wave.GetSample(9, 0, 0), 0.0f);
}

TEST(TThdFreqRun, ClippedCaptureGivesNumpysThdnAtTheDelayedSteps)
{
    const auto reference = ReadFixture("utilities/thdfreq_capture.txt");
    std::unique_ptr<TWaveData> capture = ReadWav("utilities/thdfreq_capture.wav");
    TQuiet quiet;
    THDFreqSettings s;
    s.StartFreq = float(reference[0][0]);
    s.StepSizeHz = s.StartFreq;
    s.StopFreq = float(reference[2][0]);
    s.SignalLevelL = -1.0f;
    TThdFreqRun run(s, quiet);
    std::string message;
    ASSERT_TRUE(run.BuildTestSignal(48000, 2, message)) << message;
    run.Synchronize(*run.Signal);
    const float undelayed = run.SyncTime;
    run.Synchronize(*capture);
    const float hop = 204.0f / 48000;
    EXPECT_NEAR(run.SyncTime - undelayed, 0.137f, 2 * hop);

    std::vector<TThdPoint> left, right;
    run.ComputeDistortion(*capture, left, right);
    ASSERT_EQ(left.size(), reference.size());
    EXPECT_TRUE(right.empty());
    for (size_t i = 0; i < left.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(left[i].Frequency, reference[i][0], 48000.0 / 16384);
        EXPECT_NEAR(left[i].Thdn, reference[i][1], 0.01 * reference[i][1]);
        EXPECT_NEAR(left[i].Thdn, reference[i][2], 0.02 * reference[i][2]);
    }
}

TEST(TThdFreqRun, NoBurstFallsBackToTheLeadTime)
{
    TQuiet quiet;
    THDFreqSettings s;
    TThdFreqRun run(s, quiet);
    run.BurstTime = float(4505.6 / 48000);
    TWaveData silence(48000 * 3, TWaveFormat(48000, 1, 2));
    run.Synchronize(silence);
    EXPECT_EQ(run.SyncTime, TThdFreqRun::LeadTime);
}

TEST(TThdFreqRun, CancelKeepsThePointsComputedSoFar)
{
    struct TCancelAfterFirstStep : TThdFreqRun::TProgress {
        bool Show(int, const char* text) override { return std::strcmp(text, "Computing Distortion Values...") == 0; }
    } cancel;
    THDFreqSettings s;
    s.StartFreq = 1000.0f;
    s.StopFreq = 3000.0f;
    TThdFreqRun run(s, cancel);
    std::string message;
    ASSERT_TRUE(run.BuildTestSignal(48000, 2, message));
    run.SyncTime = TThdFreqRun::LeadTime;
    std::vector<TThdPoint> left, right;
    run.ComputeDistortion(*run.Signal, left, right);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_NEAR(left[0].Frequency, 1000.0f, 3.0f);
    EXPECT_GT(left[0].Thdn, 0.0f);
    EXPECT_EQ(left[1].Frequency, 0.0f);
    EXPECT_EQ(left[2].Thdn, 0.0f);
}
