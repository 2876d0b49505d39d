#include "engine/TWaveFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "engine/TSegmentFilter.h"
#include "engine/TWaveData.h"
#include "tests/engine/Fixture.h"

namespace {

double Response(const TWaveFilter& filter, double frequency, double rate)
{
    std::complex<double> sum = 0.0;
    for (int32_t n = 0; n < filter.GetTaps(); ++n)
        sum += static_cast<double>(filter.GetCoefficients()[n]) *
               std::polar(1.0, -2.0 * std::numbers::pi * frequency * n / rate);
    return std::abs(sum);
}

FilterSettings Settings(uint32_t type, int32_t taps = 200)
{
    FilterSettings s;
    s.Type = type;
    s.NumTaps = taps;
    return s;
}

std::string WriteResponseFile(const std::string& name, const std::string& text)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

TEST(TWaveFilter, TapsAndGainAreHeldToTheirLimits)
{
    const int32_t cases[][2] = {{38, 39}, {-5, 39}, {39, 39}, {200, 201}, {999, 999}, {1000, 999}};
    for (const auto& c : cases)
        EXPECT_EQ(TWaveFilter(TWaveFormat(), Settings(FilterSettings::LowPass, c[0])).GetTaps(), c[1]) << c[0];

    FilterSettings loud = Settings(FilterSettings::LowPass);
    loud.FilterGainDB = 120.0f;
    TWaveFilter filter(TWaveFormat(), loud);
    EXPECT_EQ(filter.GetGainDB(), 90.0f);
    EXPECT_NEAR(filter.GetLinearGain(), std::pow(10.0, 4.5), 1e-6);
    filter.SetGain(-91.0f);
    EXPECT_EQ(filter.GetGainDB(), -90.0f);
    filter.SetGain(6.0f);
    EXPECT_NEAR(filter.GetLinearGain(), 1.9952623, 1e-6);
}

// Every windowed-sinc type against the reference's Hann-windowed designs:
// the taps, and the response's pass and stop bands at named frequencies.
TEST(TWaveFilter, WindowedSincDesignsMatchReference)
{
    const auto rows = ReadFixture("fir_designs_44100.txt");
    ASSERT_EQ(rows.size(), 16u);
    for (size_t d = 0; d < 4; ++d) {
        const auto& type = rows[4 * d];
        const auto& taps = rows[4 * d + 1];
        const auto& freqs = rows[4 * d + 2];
        const auto& magnitude = rows[4 * d + 3];
        FilterSettings s = Settings(static_cast<uint32_t>(type[0]));
        s.LPCutoffHz = 2000;
        s.HPCutoffHz = 1000;
        s.BPCenterHz = s.NCenterHz = 2000;
        s.BPWidthHz = s.NWidthHz = 1000;
        TWaveFilter filter(TWaveFormat(44100, 1, 2), s);
        ASSERT_TRUE(filter.HasCoefficients());
        ASSERT_EQ(static_cast<size_t>(filter.GetTaps()), taps.size());
        for (size_t i = 0; i < taps.size(); ++i)
            ASSERT_NEAR(filter.GetCoefficients()[i], taps[i], 1e-6) << "type " << type[0] << " tap " << i;
        for (size_t f = 0; f < freqs.size(); ++f)
            EXPECT_NEAR(Response(filter, freqs[f], 44100), magnitude[f], 1e-4)
                << "type " << type[0] << " at " << freqs[f] << " Hz";
    }
}

TEST(TWaveFilter, CutoffsAtTheEndsGiveSilence)
{
    FilterSettings low = Settings(FilterSettings::LowPass);
    low.LPCutoffHz = 0;
    FilterSettings high = Settings(FilterSettings::HighPass);
    high.HPCutoffHz = 22050;
    for (const FilterSettings& s : {low, high}) {
        TWaveFilter filter(TWaveFormat(44100, 1, 2), s);
        for (int32_t i = 0; i < filter.GetTaps(); ++i)
            ASSERT_NEAR(filter.GetCoefficients()[i], 0.0f, 1e-9) << "type " << s.Type << " tap " << i;
    }
}

// A +6 dB low pass over loud 16-bit data, run in two blocks of different
// lengths: the join is seamless, the output lags by one frame past the
// direct form, and peaks pushed past full scale are held at it.
TEST(TWaveFilter, FilterRunsOverWaveDataInBlocks)
{
    const auto rows = ReadFixture("fir_run_16bit.txt");
    ASSERT_EQ(rows.size(), 2u);
    const auto& input = rows[0];
    const auto& expected = rows[1];
    const uint32_t n = static_cast<uint32_t>(input.size());
    FilterSettings s = Settings(FilterSettings::LowPass);
    s.LPCutoffHz = 2000;
    s.FilterGainDB = 6.0f;

    TWaveData wave(n, TWaveFormat(44100, 2, 2));
    for (uint32_t i = 0; i < n; ++i) {
        wave.PutSample(static_cast<int32_t>(input[i]), i, 0);
        wave.PutSample(static_cast<int32_t>(input[i]), i, 1);
    }
    TWaveFilter filter(wave.GetFormat(), s);
    ASSERT_EQ(filter.Filter(&wave, 0, 1000, 1, 0), 1);
    ASSERT_EQ(filter.Filter(&wave, 1000, n - 1000, 1, 0), 1);
    for (uint32_t i = 0; i < n; ++i) {
        ASSERT_NEAR(wave.GetSample(i, 0, 0), expected[i], 1.0) << i;
        ASSERT_EQ(wave.GetSample(i, 1, 0), input[i]) << i;  // right channel not chosen
    }

    TWaveData mono(n, TWaveFormat(44100, 1, 2));
    for (uint32_t i = 0; i < n; ++i)
        mono.PutSample(static_cast<int32_t>(input[i]), i, 0);
    TWaveFilter second(mono.GetFormat(), s);
    ASSERT_EQ(second.Filter(&mono, 0, n, 1, 1), 1);
    for (uint32_t i = 0; i < n; ++i)
        ASSERT_NEAR(mono.GetSample(i, 0, 0), expected[i], 1.0) << i;
}

// 8-bit samples are taken centred on silence and put back on it.
TEST(TWaveFilter, EightBitSilenceStaysSilence)
{
    TWaveData wave(500, TWaveFormat(8000, 1, 1));
    wave.ClearBuffer();
    TWaveFilter filter(wave.GetFormat(), Settings(FilterSettings::BandPass, 39));
    ASSERT_EQ(filter.Filter(&wave, 0, 500, 1, 1), 1);
    for (uint32_t i = 0; i < 500; ++i)
        ASSERT_EQ(wave.GetSample(i, 0, 0), 127.0f) << i;
}

TEST(TWaveFilter, RefusesWhatItCannotFilter)
{
    TWaveFilter filter(TWaveFormat(8000, 1, 2), Settings(FilterSettings::LowPass));
    EXPECT_EQ(filter.Filter(nullptr, 0, 10, 1, 1), 0);
    TWaveData wider(100, TWaveFormat(8000, 1, 3));
    EXPECT_EQ(filter.Filter(&wider, 0, 100, 1, 1), 0);
    TWaveData shorter(100, TWaveFormat(8000, 1, 2));
    EXPECT_EQ(filter.Filter(&shorter, 50, 60, 1, 1), 0);
}

// A flat 0 dB response is a unit impulse at the centre tap; a stepped one
// passes below its step and stops above it.
TEST(TWaveFilter, CustomResponseFromFile)
{
    const std::string flat = WriteResponseFile("flat.flt", "0\t0\n10000\t0\n22050\t0\n");
    FilterSettings s = Settings(FilterSettings::Custom, 101);
    std::snprintf(s.FilterFilename, sizeof s.FilterFilename, "%s", flat.c_str());
    TWaveFilter unit(TWaveFormat(44100, 1, 2), s);
    ASSERT_TRUE(unit.HasCoefficients());
    for (int32_t i = 0; i < unit.GetTaps(); ++i)
        EXPECT_NEAR(unit.GetCoefficients()[i], i == 50 ? 1.0 : 0.0, 2e-3) << i;

    const std::string step =
        WriteResponseFile("step.flt", ";SPLINE OFF\n0\t0\n2000\t0\n3000\t-80\n22050\t-80\n");
    std::snprintf(s.FilterFilename, sizeof s.FilterFilename, "%s", step.c_str());
    s.NumTaps = 401;
    TWaveFilter lowPass(TWaveFormat(44100, 1, 2), s);
    ASSERT_TRUE(lowPass.HasCoefficients());
    for (double f : {100.0, 1000.0, 1800.0})
        EXPECT_NEAR(20 * std::log10(Response(lowPass, f, 44100)), 0.0, 0.1) << f;
    for (double f : {4000.0, 8000.0, 15000.0})
        EXPECT_LT(20 * std::log10(Response(lowPass, f, 44100)), -50.0) << f;
}

// A response file that cannot be read fails the design: nothing is filtered
// rather than the range silenced.
TEST(TWaveFilter, UnreadableCustomResponseFiltersNothing)
{
    FilterSettings s = Settings(FilterSettings::Custom);
    std::snprintf(s.FilterFilename, sizeof s.FilterFilename, "%s",
                  (testing::TempDir() + "no-such-response.flt").c_str());
    TWaveFilter filter(TWaveFormat(8000, 1, 2), s);
    EXPECT_FALSE(filter.HasCoefficients());
    EXPECT_EQ(filter.Design(), 0);
    TWaveData wave(100, TWaveFormat(8000, 1, 2));
    for (uint32_t i = 0; i < 100; ++i)
        wave.PutSample(1000, i, 0);
    EXPECT_EQ(filter.Filter(&wave, 0, 100, 1, 1), 0);
    for (uint32_t i = 0; i < 100; ++i)
        ASSERT_EQ(wave.GetSample(i, 0, 0), 1000.0f) << i;
}

// The noise of tests/fixtures/make_edit_fixtures.py: integers in
// [-amplitude, amplitude] from a hash of the index.
int64_t Noise(uint32_t index, uint32_t seed, int64_t amplitude)
{
    uint32_t u = index * 2654435761u + seed;
    u ^= u >> 13;
    u *= 0x5BD1E995u;
    u ^= u >> 15;
    return static_cast<int64_t>(u % static_cast<uint64_t>(2 * amplitude + 1)) - amplitude;
}

void PutCodes(TWaveData& wave, uint16_t channel, const std::vector<int32_t>& codes)
{
    const uint16_t width = wave.GetBytesPerSample();
    std::vector<uint8_t> raw(codes.size() * width);
    for (size_t i = 0; i < codes.size(); ++i)
        for (uint16_t b = 0; b < width; ++b)
            raw[i * width + b] = static_cast<uint8_t>(static_cast<uint32_t>(codes[i]) >> (8 * b));
    ASSERT_EQ(wave.WriteFrames(raw.data(), 0, static_cast<uint32_t>(codes.size()), channel), 1);
}

std::vector<int32_t> GetCodes(TWaveData& wave, uint16_t channel)
{
    const uint16_t width = wave.GetBytesPerSample();
    const uint32_t frames = wave.GetFrameCount();
    std::vector<uint8_t> raw(size_t{frames} * width);
    EXPECT_EQ(wave.ReadFrames(raw.data(), 0, frames, channel), 1);
    std::vector<int32_t> codes(frames);
    for (uint32_t i = 0; i < frames; ++i) {
        uint32_t bits = 0;
        for (uint16_t b = 0; b < width; ++b)
            bits |= static_cast<uint32_t>(raw[size_t{i} * width + b]) << (8 * b);
        const int shift = 32 - 8 * width;
        codes[i] = width == 1 ? static_cast<int32_t>(bits) : static_cast<int32_t>(bits << shift) >> shift;
    }
    return codes;
}

// One-second blocks and a remainder over a segment that starts a third of a
// second into the wave, against numpy's direct sum from zero history: within
// 1 LSB at 8 and 16 bits, 2e-6 of full scale at 24 and 32 bits; the frames
// around the segment stay as they were.
TEST(TWaveFilter, FFTConvolutionMatchesTheDirectSum)
{
    struct Run {
        uint32_t Type;
        int32_t Taps;
        uint16_t Width;
        uint16_t Channels;
        uint32_t Rate;
        float GainDB;
    };
    // The runs of FILTER_RUNS in make_edit_fixtures.py, in its order.
    const Run runs[] = {
        {FilterSettings::LowPass, 39, 1, 1, 1000, 0.0f},  {FilterSettings::HighPass, 999, 2, 1, 4000, 0.0f},
        {FilterSettings::BandPass, 39, 2, 2, 1000, 6.0f}, {FilterSettings::Notch, 999, 3, 1, 4000, -3.0f},
        {FilterSettings::LowPass, 39, 4, 2, 1000, 0.0f},  {FilterSettings::BandPass, 999, 4, 1, 4000, 0.0f},
    };
    const int64_t amplitudes[] = {120, 30000, 8000000, 1000000000};
    const auto rows = ReadFixture("edit_fft_filter.txt");
    size_t row = 0;
    for (size_t r = 0; r < std::size(runs); ++r) {
        const Run& run = runs[r];
        SCOPED_TRACE(testing::Message() << "type " << run.Type << ", " << run.Taps << " taps, " << 8 * run.Width
                                        << " bits, " << run.Channels << " channels");
        const TWaveFormat format(run.Rate, run.Channels, run.Width);
        const uint32_t first = run.Rate / 3;
        const uint32_t count = 2 * run.Rate + 300;
        TWaveData wave(first + count + 100, format);
        std::vector<std::vector<int32_t>> input(run.Channels);
        for (uint16_t c = 0; c < run.Channels; ++c) {
            for (uint32_t i = 0; i < wave.GetFrameCount(); ++i)
                input[c].push_back(static_cast<int32_t>(
                    Noise(i, static_cast<uint32_t>(10 * r + c), amplitudes[run.Width - 1]) + format.SilenceValue));
            PutCodes(wave, c, input[c]);
        }
        FilterSettings s = Settings(run.Type, run.Taps);
        s.LPCutoffHz = static_cast<int32_t>(run.Rate * 15 / 100);
        s.HPCutoffHz = static_cast<int32_t>(run.Rate / 5);
        s.BPCenterHz = s.NCenterHz = static_cast<int32_t>(run.Rate / 4);
        s.BPWidthHz = s.NWidthHz = static_cast<int32_t>(run.Rate / 10);
        s.FilterGainDB = run.GainDB;
        TWaveFilter filter(format, s);
        ASSERT_TRUE(TSegmentFilter::Run(filter, wave, first, count, 1, 1, {}, {}));

        const double bound = run.Width <= 2 ? 1.0 : 2e-6 * format.FullScale();
        for (uint16_t c = 0; c < run.Channels; ++c, ++row) {
            SCOPED_TRACE(testing::Message() << "channel " << c);
            ASSERT_LT(row, rows.size());
            ASSERT_EQ(rows[row].size(), count);
            const std::vector<int32_t> got = GetCodes(wave, c);
            double worst = 0.0;
            for (uint32_t i = 0; i < count; ++i)
                worst = std::max(worst, std::fabs(got[first + i] - rows[row][i]));
            EXPECT_LE(worst, bound);
            for (uint32_t i = 0; i < got.size(); ++i) {
                if (i < first || i >= first + count) {
                    ASSERT_EQ(got[i], input[c][i]) << i;
                }
            }
        }
    }
}

}  // namespace
