#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TSpectrumPipeline.h"
#include "engine/TWaveLayout.h"
#include "tests/engine/Fixture.h"

namespace {

// The 16-bit frames of a fixture of make_pipeline_fixtures.py.
struct TWave {
    std::vector<int16_t> Samples;
    uint16_t Channels = 0;

    explicit TWave(const char* name)
    {
        std::ifstream in(std::string(TONALYX_FIXTURES) + "/pipeline/" + name, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const TWaveLayout layout = TWaveLayout::Parse(bytes.data(), bytes.size());
        if (layout.Status != TWaveLayout::Valid || layout.BytesPerSample() != 2) return;
        Channels = layout.Channels;
        Samples.resize(layout.DataSize / 2);
        std::memcpy(Samples.data(), bytes.data() + layout.DataOffset, Samples.size() * 2);
    }
    // A mono wave reads the same on both channels.
    float At(uint32_t frame, uint16_t channel) const { return Samples[size_t(frame) * Channels + channel % Channels]; }
    uint32_t Frames() const { return Channels ? uint32_t(Samples.size() / Channels) : 0; }
};

// A stereo pipeline over settings records of its own, as the main window holds them.
struct TSpectrumPipelineTest : ::testing::Test {
    AnalysisSettingsStruct Settings;
    DisplaySettingsStruct Scaling[2];
    CalibrationStruct Calibration{};
    TSpectrumPipeline Pipeline{Settings, Scaling, Calibration};

    TSpectrumPipelineTest()
    {
        std::strcpy(Calibration.Left.ChannelName, "Left");
        std::strcpy(Calibration.Right.ChannelName, "Right");
        Settings.Format = TWaveFormat(48000, 2, 2);
    }

    // blocks blocks of the wave, hop frames apart, through the pipeline.
    void Run(const TWave& wave, uint32_t blocks, uint32_t hop)
    {
        const uint32_t n = Settings.FFTsize;
        ASSERT_GE(wave.Frames(), (blocks - 1) * hop + n);
        for (uint32_t b = 0; b < blocks; ++b) {
            for (uint32_t i = 0; i < n; ++i) {
                Pipeline.Left()->SetTimeSample(i, wave.At(b * hop + i, 0));
                Pipeline.Right()->SetTimeSample(i, wave.At(b * hop + i, 1));
            }
            ASSERT_TRUE(Pipeline.Compute());
        }
    }
};

}

// One row per mode: engines, labels and results against the numpy references.
// A tone on both channels gives every direct result the tone's level; noise
// on the left and the same through a short FIR on the right gives transfer
// results the filter's gain and a coherence of 1.
TEST_F(TSpectrumPipelineTest, EveryModeMatchesTheReferences)
{
    const std::vector<std::vector<double>> reference = ReadFixture("pipeline/reference.txt");
    ASSERT_EQ(reference.size(), 3u);
    const std::vector<double>& tone = reference[0];
    const std::vector<double>& head = reference[1];
    const std::vector<double>& gain = reference[2];
    const TWave toneWave("tone_1k_48k.wav");
    const TWave noiseWave("filtered_noise_48k.wav");
    ASSERT_EQ(toneWave.Channels, 1);
    ASSERT_EQ(noiseWave.Channels, 2);

    enum Expect { ToneLevel, Gain, InverseGain, Coherence };
    struct Case {
        uint16_t Mode;
        bool Combined, Aux;
        const char* Primary;
        const char* Secondary;   // null: the same engine as the primary, or none
        Expect What;
    };
    const Case cases[] = {
        {0, false, false, "Left", nullptr, ToneLevel},
        {1, false, false, "Right", nullptr, ToneLevel},
        {2, false, false, "Left", "Right", ToneLevel},
        {3, true, false, "Average of Left and Right", nullptr, ToneLevel},
        {4, true, false, "Real Transfer Function (Left/Right)", nullptr, InverseGain},
        {5, true, false, "Real Transfer Function (Right/Left)", nullptr, Gain},
        {6, true, false, "Cross Spectrum (Left/Right)", nullptr, ToneLevel},
        {7, true, false, "Cross Spectrum (Right/Left)", nullptr, ToneLevel},
        {8, true, false, "Complex Transfer Function (Left/Right)", nullptr, InverseGain},
        {9, true, false, "Complex Transfer Function (Right/Left)", nullptr, Gain},
        {10, true, false, "Coherence Function", nullptr, Coherence},
        {11, true, true, "Complex Transfer Function (Left/Right)", "Coherence Function", InverseGain},
        {12, true, true, "Complex Transfer Function (Right/Left)", "Coherence Function", Gain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        Settings.ChannelProcessing = c.Mode;
        const bool toneRun = c.What == ToneLevel;
        Settings.FFTsize = uint32_t(toneRun ? tone[0] : head[0]);
        Pipeline.ShapeWindow(5.0f);
        ASSERT_TRUE(Pipeline.Build());
        EXPECT_EQ(Pipeline.Combined() != nullptr, c.Combined);
        EXPECT_EQ(Pipeline.Aux() != nullptr, c.Aux);
        ASSERT_NE(Pipeline.Primary(), nullptr);
        EXPECT_STREQ(Pipeline.Primary()->GetLabel(), c.Primary);
        if (c.Secondary) {
            ASSERT_NE(Pipeline.Secondary(), nullptr);
            EXPECT_NE(Pipeline.Secondary(), Pipeline.Primary());
            EXPECT_STREQ(Pipeline.Secondary()->GetLabel(), c.Secondary);
        } else if (c.Mode != 0) {
            EXPECT_EQ(Pipeline.Secondary(), Pipeline.Primary());
        }

        if (toneRun) {
            // The first block alone: its level is numpy's first-block level.
            Run(toneWave, 1, uint32_t(tone[1]));
            for (TSpectralData* result : {Pipeline.Primary(), Pipeline.Secondary()}) {
                if (!result) continue;
                EXPECT_EQ(result->GetPeakIndex(), uint32_t(tone[3]));
                EXPECT_NEAR(result->GetDisplayValue(int(tone[3])), tone[5], 0.05);
            }
            continue;
        }
        Run(noiseWave, 20, Settings.FFTsize / 2);
        for (size_t i = 1; i < head.size(); ++i) {
            SCOPED_TRACE(head[i]);
            const int bin = int(head[i]);
            const float value = Pipeline.Primary()->GetDisplayValue(bin);
            const double expected = c.What == Coherence ? 1.0 : (c.What == Gain ? 1 : -1) * gain[i - 1];
            EXPECT_NEAR(value, expected, c.What == Coherence ? 0.01 : 0.3);
        }
        if (c.Aux) {
            EXPECT_NEAR(Pipeline.Aux()->GetDisplayValue(int(head[2])), 1.0, 0.01);
        }
    }
}

TEST_F(TSpectrumPipelineTest, MonoRunsTheLeftChannelWhateverTheStoredMode)
{
    Settings.Format = TWaveFormat(48000, 1, 2);
    Settings.ChannelProcessing = TChannelProcessing::TransferCoherenceLeftRight;
    Settings.FFTsize = 1024;
    Pipeline.ShapeWindow(5.0f);
    ASSERT_TRUE(Pipeline.Build());
    EXPECT_EQ(Pipeline.Mode(), TChannelProcessing::LeftOnly);
    EXPECT_EQ(Pipeline.Right(), nullptr);
    EXPECT_EQ(Pipeline.Combined(), nullptr);
    EXPECT_EQ(Pipeline.Primary(), Pipeline.Left());
    EXPECT_EQ(Pipeline.Secondary(), nullptr);
    EXPECT_TRUE(Pipeline.Compute());
}

TEST_F(TSpectrumPipelineTest, MissingPiecesAreRefusedNotRead)
{
    Settings.ChannelProcessing = TChannelProcessing::Coherence;
    Settings.FFTsize = 1024;
    ASSERT_TRUE(Pipeline.Build());
    // No window yet.
    EXPECT_FALSE(Pipeline.Compute());
    Pipeline.ShapeWindow(5.0f);
    TSpectrumPipeline::TEngines engines = Pipeline.Own();
    engines.Combined = nullptr;
    EXPECT_FALSE(Pipeline.Compute(engines));
    EXPECT_TRUE(Pipeline.Compute());

    // An unusable size stops the build at the first engine.
    Settings.FFTsize = 1000;
    EXPECT_FALSE(Pipeline.Build());
    EXPECT_EQ(Pipeline.Left(), nullptr);
    EXPECT_EQ(Pipeline.Primary(), nullptr);

    // An unknown mode builds the channels, names nothing and computes nothing.
    Settings.FFTsize = 1024;
    Settings.ChannelProcessing = TChannelProcessing::ModeCount;
    ASSERT_TRUE(Pipeline.Build());
    EXPECT_EQ(Pipeline.Primary(), Pipeline.Left());
    EXPECT_EQ(Pipeline.Secondary(), Pipeline.Right());
    EXPECT_STREQ(Pipeline.PrimaryLabel(), "");
    EXPECT_TRUE(Pipeline.Compute());
}

TEST(TSpectrumPipelineAveraging, TimedAveragingNumbers)
{
    struct Case {
        uint16_t Speed, Mode;
        float Dt, Number;
    };
    const Case cases[] = {
        {0, TChannelProcessing::BothChannels, 0.1f, 1.0f}, {0, TChannelProcessing::Coherence, 0.1f, 1.1f},
        {0, TChannelProcessing::TransferCoherenceRightLeft, 0.1f, 1.1f}, {1, 0, 0.05f, 3.6f},
        {2, 0, 0.1f, 2.7097f}, {3, 0, 0.2f, 5.6825f}, {4, 0, 0.1f, 100000.0f}, {5, 0, 0.1f, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(TSpectrumPipeline::TimedAveragingNumber(c.Speed, c.Dt, c.Mode), c.Number)
            << c.Speed << " " << c.Mode;
}
