// The stationary builders against numpy's rendering of their formulas, and
// their bursts, widths and bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "generator/TSignalSynthesizer.h"
#include "tests/generator/GeneratorTestSupport.h"

namespace {

struct TNoise : ::testing::Test {
    TTestSources Sources;
    TRuntimeRandom Random;
    TSignalSynthesizer Synth{Sources, Random};

    // One channel built into a mono block of the fixture's frame count.
    std::vector<int32_t> Render(const SignalParams& p, TWaveFormat f, double a, uint32_t frames)
    {
        TWaveData block(frames, f);
        block.ClearBuffer();
        Synth.Build(block, p, 0, a);
        return Channel(block, 0);
    }
};

// Samples equal numpy's within one step (a last-bit difference of a sine
// may cross a rounding boundary).
void ExpectSamples(const std::vector<int32_t>& actual, const std::vector<int32_t>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    int off = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        ASSERT_LE(std::abs(actual[i] - expected[i]), 1) << "sample " << i;
        off += actual[i] != expected[i];
    }
    EXPECT_LE(off, int(actual.size() / 500));
}

}  // namespace

TEST_F(TNoise, TonesMatchNumpyAtEveryWidth)
{
    struct TCase {
        const char* Fixture;
        SignalParams Params;
    };
    SignalParams tones = DefaultSignal(MultipleTonesSignal);
    const float freq[3] = {440.0f, 1234.5f, 5000.0f}, db[3] = {0.0f, -6.0f, -20.0f};
    for (int i = 0; i < 3; ++i) {
        tones.Tones[i] = {1, freq[i], db[i], float(std::pow(10.0, 0.05 * db[i]))};
    }
    const TCase cases[] = {
        {"tone1k_48000_16.txt", DefaultSignal(Tone1kSignal)},
        {"tone1k_44100_8.txt", DefaultSignal(Tone1kSignal)},
        {"tone1k_48000_32.txt", DefaultSignal(Tone1kSignal)},
        {"tones_44100_16.txt", tones},
        {"imd1_48000_24.txt", DefaultSignal(IMDTonesSignal)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Fixture);
        const TSampleFixture fixture = ReadSampleFixture(c.Fixture);
        ASSERT_EQ(fixture.Params.size(), 3u);
        Random = TRuntimeRandom();
        const TWaveFormat f(uint32_t(fixture.Params[0]), 1, uint16_t(fixture.Params[1]));
        ExpectSamples(Render(c.Params, f, fixture.Params[2], uint32_t(fixture.Samples.size())), fixture.Samples);
    }
}

TEST_F(TNoise, WhiteNoiseFollowsThe31BitGenerator)
{
    for (const char* name : {"white_16.txt", "white_8.txt"}) {
        SCOPED_TRACE(name);
        const TSampleFixture fixture = ReadSampleFixture(name);
        Random = TRuntimeRandom();
        const TWaveFormat f(44100, 1, uint16_t(fixture.Params[0]));
        // Noise has no sine: exactly numpy's samples.
        EXPECT_EQ(Render(DefaultSignal(WhiteNoiseSignal), f, fixture.Params[1], uint32_t(fixture.Samples.size())),
                  fixture.Samples);
    }
}

TEST_F(TNoise, NoiseBurstIsSilenceThenNoiseEachCycle)
{
    // 1000 ms in a 2000 ms cycle at 44.1 kHz: 44,100 frames of silence, then 44,100 of noise.
    SignalParams p = DefaultSignal(NoiseBurstSignal);
    p.NoiseBurst.Type = 0;
    const TWaveFormat f(44100, 1, 2);
    auto block = Synth.AllocateSignal(p, p, f);
    ASSERT_TRUE(block);
    ASSERT_EQ(block->GetFrameCount(), 88200u);
    Synth.Build(*block, p, 0, 1.0);
    const std::vector<int32_t> s = Channel(*block, 0);
    EXPECT_EQ(std::vector<int32_t>(s.begin(), s.begin() + 44100), std::vector<int32_t>(44100, 0));
    int silent = 0;
    for (size_t j = 44100; j < s.size(); ++j) silent += s[j] == 0;
    EXPECT_LT(silent, 10);

    // The random sequence runs on through the silence: the burst is the
    // second half of continuous noise.
    Random = TRuntimeRandom();
    const std::vector<int32_t> noise = Render(DefaultSignal(WhiteNoiseSignal), f, 1.0, 88200);
    Random = TRuntimeRandom();
    Synth.Build(*block, p, 0, 1.0);
    EXPECT_EQ(Channel(*block, 0, 44100), std::vector<int32_t>(noise.begin() + 44100, noise.end()));

    // Burst as long as the cycle: noise throughout; burst 0: silence throughout.
    p.NoiseBurst.BurstTimeMsec = 2000;
    Synth.Build(*block, p, 0, 1.0);
    EXPECT_NE(RawAt(*block, 0, 0) | RawAt(*block, 1, 0) | RawAt(*block, 2, 0), 0);
    p.NoiseBurst.BurstTimeMsec = 0;
    Synth.Build(*block, p, 0, 1.0);
    EXPECT_EQ(Channel(*block, 0), std::vector<int32_t>(88200, 0));
}

TEST_F(TNoise, PinkNoiseLoopsWithinTheResource)
{
    // A wave of 64 data samples k - 32: the loop starts at data sample 22 and
    // is as long as the samples the resource holds from there.
    std::vector<uint8_t> wave(44 + 2 * 64, 0);
    for (int k = 0; k < 64; ++k) {
        const int16_t v = int16_t((k - 32) * 1024);
        std::memcpy(&wave[44 + 2 * k], &v, 2);
    }
    Synth.SetPinkWave(wave.data(), uint32_t(wave.size()));
    SignalParams p = DefaultSignal(PinkNoiseSignal);
    EXPECT_EQ(Synth.GetSignalLength(p, TWaveFormat(48000, 1, 2)), 64 - 20);
    const std::vector<int32_t> s = Render(p, TWaveFormat(48000, 1, 2), 1.0, 100);
    for (int j = 0; j < 100; ++j) {
        const int k = 22 + j % 42;
        ASSERT_EQ(s[j], int32_t(std::floor((k - 32) * 1024.0 * 32767 / 32768 + 0.5))) << j;
    }
    // 8-bit: the same noise around silence 127.
    const std::vector<int32_t> byte = Render(p, TWaveFormat(48000, 1, 1), 1.0, 42);
    EXPECT_EQ(byte[10], 127);  // data sample 32 is 0
    EXPECT_EQ(byte[0], 127 - 40);
    // Without the resource the channel is silent.
    Synth.SetPinkWave(nullptr, 0);
    EXPECT_EQ(Render(p, TWaveFormat(48000, 1, 1), 1.0, 10), std::vector<int32_t>(10, 127));
}

TEST_F(TNoise, ToneBurstIsExactSilenceBetweenBursts)
{
    SignalParams p = DefaultSignal(ToneBurstSignal);
    p.ToneBurst.CycleTimeMsec = 250;
    p.ToneBurst.BurstTimeMsec = 100;
    const TWaveFormat f(48000, 1, 2);
    const std::vector<int32_t> s = Render(p, f, 1.0, 60000);
    // Each 12,000-frame cycle: 7,200 silent, then 4,800 of the tone as it stands at that frame.
    for (int cycle = 0; cycle < 5; ++cycle) {
        const int base = cycle * 12000;
        for (int j = base; j < base + 7200; ++j) ASSERT_EQ(s[j], 0) << j;
        const int j = base + 7200 + 11;  // a crest of the 1 kHz tone: (j + 1) / 48 = integer + 1/4
        EXPECT_NEAR(s[j], 0.99 * 32767, 2) << j;
    }
}

TEST_F(TNoise, EmptyToneListIsSilencePlusDither)
{
    SignalParams p = DefaultSignal(MultipleTonesSignal);
    for (ToneParams& t : p.Tones) t.ToneEnable = 0;
    for (uint16_t width : {1, 2}) {
        SCOPED_TRACE(width);
        const TWaveFormat f(8000, 1, width);
        for (int32_t v : Render(p, f, 1.0, 200)) {
            EXPECT_GE(v, f.SilenceValue - 1);
            EXPECT_LE(v, f.SilenceValue + 1);
        }
    }
}

TEST_F(TNoise, DigitalZeroIsSilenceOfTheWidth)
{
    EXPECT_EQ(Render(DefaultSignal(DigitalZeroSignal), TWaveFormat(8000, 1, 1), 1.0, 50),
              std::vector<int32_t>(50, 127));
    EXPECT_EQ(Render(DefaultSignal(DigitalZeroSignal), TWaveFormat(8000, 1, 4), 1.0, 50), std::vector<int32_t>(50, 0));
}

TEST_F(TNoise, IMDCustomPairOfEqualTones)
{
    SignalParams p = DefaultSignal(IMDTonesSignal);
    p.IMD.IMDtype = 2;
    p.IMD.LoFreqHz = 1000.0f;
    p.IMD.HiFreqHz = 1000.0f;
    p.IMD.PwrRatio = 1.0f;
    // Two equal tones in phase sum to one tone's peak: each is half of it.
    const std::vector<int32_t> s = Render(p, TWaveFormat(48000, 1, 2), 1.0, 48);
    EXPECT_NEAR(s[11], 0.99 * 32767, 2);
    // A ratio of 0 or below takes 4:1.
    p.IMD.PwrRatio = 0.0f;
    p.IMD.HiFreqHz = 2000.0f;
    Random = TRuntimeRandom();
    const std::vector<int32_t> zero = Render(p, TWaveFormat(48000, 1, 2), 1.0, 480);
    p.IMD.PwrRatio = 4.0f;
    Random = TRuntimeRandom();
    EXPECT_EQ(Render(p, TWaveFormat(48000, 1, 2), 1.0, 480), zero);
}

TEST_F(TNoise, UnreadableValuesLeaveTheChannelSilent)
{
    struct TCase {
        const char* Name;
        void (*Set)(SignalParams&);
    } cases[] = {
        {"negative burst", [](SignalParams& p) { p.SigType = NoiseBurstSignal; p.NoiseBurst.BurstTimeMsec = -1; }},
        {"negative cycle", [](SignalParams& p) { p.SigType = ToneBurstSignal; p.ToneBurst.CycleTimeMsec = -100; }},
        {"tone at no frequency",
         [](SignalParams& p) {
             p.SigType = MultipleTonesSignal;
             p.Tones[0].FreqHz = NAN;
         }},
        {"IMD pair at infinity",
         [](SignalParams& p) {
             p.SigType = IMDTonesSignal;
             p.IMD.IMDtype = 2;
             p.IMD.HiFreqHz = INFINITY;
         }},
        {"unknown code", [](SignalParams& p) { p.SigType = -3; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SignalParams p = DefaultSignal(Tone1kSignal);
        c.Set(p);
        auto block = Synth.AllocateSignal(p, p, TWaveFormat(8000, 1, 1));
        ASSERT_TRUE(block);
        Synth.Build(*block, p, 0, 1.0);
        EXPECT_EQ(Channel(*block, 0), std::vector<int32_t>(block->GetFrameCount(), 127));
    }
}

// Rounded to the nearest step, a quiet tone carries no offset and no
// harmonics of its rounding: over its ten seconds each of harmonics 2 to 10
// stays below -130 dBFS, where rounding half-steps upwards gave +0.48 step
// of offset and a third harmonic at -104 dBFS.
TEST_F(TNoise, QuietToneHasNoOffsetOrRoundingHarmonics)
{
    const TWaveFormat f(48000, 1, 2);
    const SignalParams p = DefaultSignal(Tone1kSignal);
    const uint32_t n = uint32_t(Synth.GetSignalLength(p, f));
    ASSERT_EQ(n, 480000u);
    const std::vector<int32_t> s = Render(p, f, std::pow(10.0, -60.0 / 20), n);
    double sum = 0.0;
    for (int32_t v : s) sum += v;
    EXPECT_LT(std::abs(sum / n), 0.1);
    // Amplitude in dBFS of the component at h kHz, over whole periods.
    auto level = [&](int h) {
        double c = 0.0, q = 0.0;
        for (uint32_t j = 0; j < n; ++j) {
            const double phase = (j + 1.0) * TSignalSynthesizer::TwoPi * h * 1000.0 / 48000;
            c += s[j] * std::cos(phase);
            q += s[j] * std::sin(phase);
        }
        return 20.0 * std::log10(2.0 * std::hypot(c, q) / n / 32767);
    };
    EXPECT_NEAR(level(1), -60.0 + 20.0 * std::log10(0.99), 0.05);
    for (int h = 2; h <= 10; ++h) EXPECT_LT(level(h), -130.0) << "harmonic " << h;
}

// The pink wave peaks at half of full scale as white noise does, so both
// noises set to one level reach the same peak.
TEST_F(TNoise, PinkNoisePeaksAsWhiteNoiseOfTheSameLevel)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/../../resources/PinkNoise.wav", std::ios::binary);
    const std::vector<uint8_t> wave((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(wave.size(), 362534u);
    Synth.SetPinkWave(wave.data(), uint32_t(wave.size()));
    const TWaveFormat f(44100, 1, 2);
    const double a = std::pow(10.0, -20.0 / 20);
    auto peak = [&](int32_t type) {
        const SignalParams p = DefaultSignal(type);
        int32_t largest = 0;
        for (int32_t v : Render(p, f, a, uint32_t(Synth.GetSignalLength(p, f)))) largest = std::max(largest, std::abs(v));
        return largest;
    };
    const int32_t white = peak(WhiteNoiseSignal);
    EXPECT_NEAR(white, 0.5 * a * 32767, 1.0);
    EXPECT_NEAR(peak(PinkNoiseSignal), white, 1.0);
}
