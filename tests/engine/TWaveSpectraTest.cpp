// Spectra of stored wave data at chosen times, for the rebuilds of the
// surface and spectrogram views.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveLayout.h"
#include "engine/TWaveSpectra.h"
#include "tests/engine/Fixture.h"

namespace {

// A 16-bit fixture of make_pipeline_fixtures.py as wave data in memory.
std::unique_ptr<TWaveData> LoadMono(const char* name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/pipeline/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const TWaveLayout layout = TWaveLayout::Parse(bytes.data(), bytes.size());
    if (layout.Status != TWaveLayout::Valid || layout.Channels != 1) return nullptr;
    const uint32_t frames = layout.DataSize / 2;
    auto wave = std::make_unique<TWaveData>(frames, TWaveFormat(layout.SamplesPerSec, 1, 2));
    wave->WriteFrames(bytes.data() + layout.DataOffset, 0, frames, 0);
    return wave;
}

struct TWaveSpectraTest : ::testing::Test {
    AnalysisSettingsStruct Settings;
    DisplaySettingsStruct Scaling[2];
    CalibrationStruct Calibration{};

    TWaveSpectraTest()
    {
        Settings.FFTsize = 4096;
        Settings.AverageBlocks = 1;
    }
};

}  // namespace

TEST_F(TWaveSpectraTest, BlockCentredOnTheTimeGivesTheToneLevel)
{
    const std::vector<std::vector<double>> reference = ReadFixture("pipeline/reference.txt");
    const std::vector<double>& tone = reference.at(0);
    const std::unique_ptr<TWaveData> wave = LoadMono("tone_1k_48k.wav");
    ASSERT_TRUE(wave);
    Settings.Format = wave->GetFormat();
    TWaveSpectra spectra(Settings, Scaling, Calibration, 5.0f);
    ASSERT_TRUE(spectra.IsReady());
    // Centred on half a block: the file's first block, numpy's first-block level.
    ASSERT_TRUE(spectra.ComputeAt(*wave, 2048.0f / 48000.0f));
    ASSERT_NE(spectra.Primary(), nullptr);
    EXPECT_EQ(spectra.Primary()->GetPeakIndex(), uint32_t(tone[3]));
    EXPECT_NEAR(spectra.Primary()->GetDisplayValue(int(tone[3])), tone[5], 0.05);
    // The wave's own position is not moved.
    EXPECT_EQ(wave->GetPosition(), 0u);

    // Before the start the missing half is silence: about 6 dB less.
    ASSERT_TRUE(spectra.ComputeAt(*wave, 0.0f));
    EXPECT_NEAR(spectra.Primary()->GetDisplayValue(int(tone[3])), tone[5] - 6.0, 1.0);
}

TEST_F(TWaveSpectraTest, EachChannelIsReadBackByItsDelay)
{
    const std::unique_ptr<TWaveData> mono = LoadMono("tone_1k_48k.wav");
    ASSERT_TRUE(mono);
    // The right channel is the left five frames later.
    const uint32_t frames = mono->GetFrameCount(), delay = 5;
    TWaveData stereo(frames, TWaveFormat(48000, 2, 2));
    std::vector<int16_t> samples(frames);
    mono->ReadFrames(samples.data(), 0, frames, 0);
    stereo.WriteFrames(samples.data(), 0, frames, 0);
    stereo.WriteFrames(samples.data(), delay, frames - delay, 1);
    Settings.Format = stereo.GetFormat();
    Settings.ChannelProcessing = 2;
    for (uint32_t samplesDelay : {0u, delay}) {
        Settings.DelayChannel = 0;
        Settings.DelaySamples = samplesDelay;
        TWaveSpectra spectra(Settings, Scaling, Calibration, 5.0f);
        ASSERT_TRUE(spectra.ComputeAt(stereo, 0.5f));
        TSpectralData& left = *spectra.Primary();
        TSpectralData& right = *spectra.Secondary();
        const int peak = int(left.GetPeakIndex());
        const float shift = right.GetPhase(peak) - left.GetPhase(peak);
        if (samplesDelay == delay) {
            EXPECT_NEAR(shift, 0.0f, 0.01f);
            EXPECT_FLOAT_EQ(left.GetDisplayValue(peak), right.GetDisplayValue(peak));
        } else {
            // A 1 kHz tone five frames late at 48 kHz: 37.5 degrees behind.
            EXPECT_NEAR(std::remainder(shift, 360.0f), -37.5f, 0.5f);
        }
    }
}
