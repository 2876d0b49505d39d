// The signal generator commands on a real frame: what each does to the open
// generator, the levels its output dialog would refuse, the signal saved as
// a wave, and nothing at all while the generator is closed.
#include <cmath>
#include <functional>
#include <string>
#include "generator/TSignalGenerator.h"
#include "generator/TSignalTypes.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

struct TGeneratorFamily : TCommandFrame<> {
    void BeforeFrame() override { State(Main).Settings().Format = TWaveFormat(48000, 2, 2); }
    // A name that joined to the folder is longer than any path of the program.
    static std::string LongName() { return std::string(250, 'n') + ".wav"; }
};

}  // namespace

TEST_F(TGeneratorFamily, CommandsDoNothingWhileTheGeneratorIsClosed)
{
    for (const std::string command :
         {"[Save Generator Signal as Wave closed.wav]", "[Set Generator Type left Pink Noise]",
          "[Set Generator Tone left 1000 -6]", "[Set Generator Wave File left sweep.wav]",
          "[Set Generator Level left -10]"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Main->ExecuteCommand(command), Done);
        EXPECT_EQ(Main->SignalGenerator(), nullptr);
    }
    EXPECT_FALSE(Exists(Folder.File("closed.wav")));
}

TEST_F(TGeneratorFamily, CommandsSetUpTheOpenGenerator)
{
    ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/views/sine_1k_stereo.wav", Folder.File("sweep.wav").c_str(), FALSE));
    Main->CmSignalGenerator();
    TSignalGenerator* g = Main->SignalGenerator();
    ASSERT_NE(g, nullptr);
    const struct {
        std::string Command;
        uint32_t Answer;
        std::function<void(TSignalGenerator&)> Check;
    } cases[] = {
        {"[Set Generator Type right Pink Noise]", Done, [](TSignalGenerator& g) {
             EXPECT_EQ(g.Right.SigType, PinkNoiseSignal);
             EXPECT_EQ(g.Left.SigType, DigitalZeroSignal);
         }},
        // Without a channel word the name is empty and names no waveform.
        {"[Set Generator Type Pink Noise]", Done, [](TSignalGenerator& g) { EXPECT_EQ(g.Left.SigType, DigitalZeroSignal); }},
        {"[set generator type LEFT noise]", Done, [](TSignalGenerator& g) { EXPECT_EQ(g.Left.SigType, WhiteNoiseSignal); }},
        {"[Set Generator Tone left 1000 -6]", Done, [](TSignalGenerator& g) {
             EXPECT_EQ(g.Left.SigType, MultipleTonesSignal);
             EXPECT_FLOAT_EQ(g.Left.Tones[0].FreqHz, 1000.0f);
             EXPECT_FLOAT_EQ(g.Left.Tones[0].PwrDB, -6.0f);
             EXPECT_EQ(g.Left.Tones[0].ToneEnable, 1);
             for (size_t i = 1; i < std::size(g.Left.Tones); ++i) EXPECT_EQ(g.Left.Tones[i].ToneEnable, 0);
             EXPECT_EQ(g.Right.SigType, PinkNoiseSignal);
         }},
        {"[Set Generator Tone Right 500 -12]", Done, [](TSignalGenerator& g) {
             EXPECT_EQ(g.Right.SigType, MultipleTonesSignal);
             EXPECT_FLOAT_EQ(g.Right.Tones[0].FreqHz, 500.0f);
             EXPECT_FLOAT_EQ(g.Left.Tones[0].FreqHz, 1000.0f);
         }},
        // Any first word but "right" is the left channel; the generator limits what it cannot play.
        {"[Set Generator Tone both 99999 10]", Done, [](TSignalGenerator& g) {
             EXPECT_FLOAT_EQ(g.Left.Tones[0].FreqHz, 24000.0f);
             EXPECT_FLOAT_EQ(g.Left.Tones[0].PwrDB, 0.0f);
             EXPECT_FLOAT_EQ(g.Right.Tones[0].FreqHz, 500.0f);
         }},
        {"[Set Generator Level right -10]", Done, [](TSignalGenerator& g) {
             EXPECT_FLOAT_EQ(g.Level.OutputLevelR, -10.0f);
             EXPECT_FLOAT_EQ(g.Level.OutputLevel, 0.0f);
         }},
        // Levels the output level dialog refuses in dB full scale leave the level as it was.
        {"[Set Generator Level left 20]", Done, [](TSignalGenerator& g) { EXPECT_FLOAT_EQ(g.Level.OutputLevel, 0.0f); }},
        {"[Set Generator Level left -200]", Done, [](TSignalGenerator& g) { EXPECT_FLOAT_EQ(g.Level.OutputLevel, 0.0f); }},
        {"[Set Generator Level left -3.5]", Done, [](TSignalGenerator& g) {
             EXPECT_FLOAT_EQ(g.Level.OutputLevel, -3.5f);
             EXPECT_FLOAT_EQ(g.Level.OutputLevelR, -10.0f);
         }},
        {"[Set Generator Wave File left sweep.wav]", Done, [this](TSignalGenerator& g) {
             EXPECT_EQ(std::string(g.Left.UserDefined.WaveFileName), Folder.File("sweep.wav"));
             EXPECT_EQ(g.Left.SigType, UserDefinedSignal);
         }},
        {"[Set Generator Wave File right]", 0, [](TSignalGenerator& g) { EXPECT_EQ(g.Right.SigType, MultipleTonesSignal); }},
        {"[Set Generator Wave File right " + LongName() + "]", 0, [](TSignalGenerator& g) {
             EXPECT_EQ(g.Right.SigType, MultipleTonesSignal);
             EXPECT_EQ(std::string(g.Right.UserDefined.WaveFileName), "");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command.substr(0, 50));
        EXPECT_EQ(Main->ExecuteCommand(c.Command), c.Answer);
        c.Check(*g);
    }

    // In percent of full scale the level must lie in (0, 100].
    g->Level.OutputUnits = PercentFullScaleUnits;
    g->Level.OutputLevel = 50.0f;
    EXPECT_EQ(Main->ExecuteCommand("[Set Generator Level left 150]"), Done);
    EXPECT_FLOAT_EQ(g->Level.OutputLevel, 50.0f);
    EXPECT_EQ(Main->ExecuteCommand("[Set Generator Level left 0]"), Done);
    EXPECT_FLOAT_EQ(g->Level.OutputLevel, 50.0f);
    EXPECT_EQ(Main->ExecuteCommand("[Set Generator Level left 100]"), Done);
    EXPECT_FLOAT_EQ(g->Level.OutputLevel, 100.0f);
}

// A -6 dB tone of 1 kHz at full output: the saved file's left channel has the
// sine's RMS of 10^(-6/20) / sqrt(2) of full scale and 2000 zero crossings a second.
TEST_F(TGeneratorFamily, SavedSignalIsTheToneAskedFor)
{
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    ASSERT_EQ(Main->ExecuteCommand("[Set Generator Tone left 1000 -6]"), Done);
    EXPECT_EQ(Main->ExecuteCommand("[Save Generator Signal as Wave " + LongName() + "]"), 0u);
    ASSERT_EQ(Main->ExecuteCommand("[Save Generator Signal as Wave tone.wav]"), Done);

    TWaveFile saved(Folder.File("tone.wav").c_str(), TWaveFile::Memory, 0, Folder.Path.c_str());
    ASSERT_EQ(saved.Error, 0u);
    const TWaveFormat format = saved.GetFormat();
    ASSERT_EQ(format.BytesPerSample, 2);
    const uint32_t frames = saved.GetFrameCount();
    ASSERT_GT(frames, format.SamplingRate / 10);
    const auto* samples = reinterpret_cast<const int16_t*>(saved.GetBuffer());
    double sum = 0.0;
    int crossings = 0;
    for (uint32_t i = 0; i < frames; ++i) {
        const double x = samples[i * format.NumChannels] / 32768.0;
        sum += x * x;
        if (i > 0 && (samples[(i - 1) * format.NumChannels] < 0) != (samples[i * format.NumChannels] < 0)) ++crossings;
    }
    EXPECT_NEAR(std::sqrt(sum / frames), std::pow(10.0, -6.0 / 20) / std::sqrt(2.0), 0.005);
    EXPECT_NEAR(crossings * double(format.SamplingRate) / frames, 2000.0, 10.0);
}
