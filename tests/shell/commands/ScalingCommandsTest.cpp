// The spectrum scaling and weighting commands on a main window object (no
// window) with a stereo sox tone open in Post Process: each command's effect
// on both channels' records, whether the settings were applied to the
// engines, and the arguments that name nothing.
#include <functional>
#include <string>
#include "engine/TSpectralData.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

using S = ScalingStruct;

struct TScalingCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    // Stereo or mono, the scaling shared or independent, both channels at
    // the defaults and applied. Then the FFT size is changed behind the
    // engines' back: the engines' size shows whether a command applied the
    // settings.
    void Prepare(uint16_t channels, uint32_t independent)
    {
        Main = NewQuietMain(Program);
        State(Main).Settings().ChannelProcessing = 0;
        State(Main).Settings().IndependentScalingAndCalibration = independent;
        State(Main).Scaling()[0] = S{};
        State(Main).Scaling()[1] = S{};
        const char* file = channels == 2 ? "automation/tone_1k_h3.wav" : "pipeline/tone_1k_48k.wav";
        ASSERT_NO_FATAL_FAILURE(OpenInPostProcess(*Main, file, TWaveFormat(48000, channels, 2), 4096, Folder.Path));
        ASSERT_EQ(State(Main).SpectralLeft()->GetFFTSize(), 4096u);
        State(Main).Settings().FFTsize = 2048;
    }
    bool Applied() const { return State(Main).SpectralLeft()->GetFFTSize() == 2048; }
};

// A channel's record as the case expects it: fields not named keep the defaults.
struct TExpected {
    uint16_t S::*Field16 = nullptr;
    uint32_t S::*Field32 = nullptr;
    uint32_t Left = 0, Right = 0;
};

struct TCase {
    const char* Command;
    uint16_t Channels;
    uint32_t Independent;
    std::function<void(S (&)[2])> Before;   // the records before the command
    TExpected Expected;
    bool Applied;
};

uint32_t Get(const S& record, const TExpected& e) { return e.Field16 ? record.*e.Field16 : record.*e.Field32; }

}  // namespace

TEST_F(TScalingCommands, EachCommandSetsItsChannelsAndAppliesAsItsPatternSays)
{
    const auto none = [](S (&)[2]) {};
    const TExpected amp{&S::AmpScaleType}, freq{&S::FreqScaleType}, octave{&S::OctaveNumber},
        weighting{&S::StandardWeighting}, power{&S::TotalPowerWeighting}, densityType{&S::SpectralDensityType};
    const auto with = [](TExpected e, uint32_t left, uint32_t right) {
        e.Left = left;
        e.Right = right;
        return e;
    };
    const TExpected density{nullptr, &S::SpectralDensityFlag};
    const TCase cases[] = {
        // Scales: letters in any case; a word naming no scale gives linear.
        {"[Set Amplitude Scaling Type LOG]", 2, 0, [](S (&s)[2]) { s[0].AmpScaleType = s[1].AmpScaleType = 0; },
         with(amp, 1, 1), true},
        {"[Set Amplitude Scaling Type dB]", 2, 0, none, with(amp, 0, 0), true},
        // Both already linear: nothing happens, not even the apply.
        {"[Set Amplitude Scaling Type Linear]", 2, 0, [](S (&s)[2]) { s[0].AmpScaleType = s[1].AmpScaleType = 0; },
         with(amp, 0, 0), false},
        // The left already logarithmic: nothing, though the right is linear and shared.
        {"[Set Left Amplitude Scaling Type Log]", 2, 0,
         [](S (&s)[2]) { s[0].AmpScaleType = 1; s[1].AmpScaleType = 0; }, with(amp, 1, 0), false},
        {"[Set Right Amplitude Scaling Type linear]", 2, 1, none, with(amp, 1, 0), true},
        {"[Set Frequency Scaling Type octave]", 2, 0, none, with(freq, 2, 2), true},
        {"[Set Left Frequency Scaling Type Linear]", 2, 1, none, with(freq, 0, 1), true},
        {"[Set Left Frequency Scaling Type Linear]", 2, 0, none, with(freq, 0, 0), true},
        // Mono: the right channel's setting is stored (and mirrored) but not applied.
        {"[Set Right Frequency Scaling Type Octave]", 1, 0, none, with(freq, 2, 2), false},
        {"[Set Right Frequency Scaling Type Octave]", 1, 1, none, with(freq, 1, 2), false},
        {"[Set Right Frequency Scaling Type Octave]", 2, 1, none, with(freq, 1, 2), true},
        // Octave: only the offered fractions; any other number changes nothing.
        {"[Set Octave 24]", 2, 0, none, with(octave, 24, 24), true},
        {"[Set Octave 5]", 2, 0, none, with(octave, 3, 3), false},
        {"[Set Left Octave 5]", 2, 1, none, with(octave, 3, 3), false},
        {"[Set Right Octave 96]", 2, 1, none, with(octave, 3, 96), true},
        {"[Set Left Octave 12]", 2, 0, none, with(octave, 12, 12), true},
        // Weightings are case-sensitive; "a" names nothing, yet the left is
        // copied to the right and the settings are applied.
        {"[Set Spectrum Weighting C]", 2, 0, none, with(weighting, 3, 3), true},
        {"[Set Spectrum Weighting a]", 2, 1, [](S (&s)[2]) { s[0].StandardWeighting = 2; },
         with(weighting, 2, 2), true},
        {"[Set Left Spectrum Weighting A]", 2, 0, none, with(weighting, 1, 1), true},
        {"[Set Left Spectrum Weighting A]", 2, 1, none, with(weighting, 1, 0), true},
        {"[Set Right Spectrum Weighting B]", 1, 1, none, with(weighting, 0, 2), false},
        {"[Set Right Spectrum Weighting x]", 2, 0, [](S (&s)[2]) { s[1].StandardWeighting = 3; },
         with(weighting, 3, 3), true},
        {"[Set Total Power Weighting Flat]", 2, 0, [](S (&s)[2]) { s[0].TotalPowerWeighting = 1; },
         with(power, 0, 0), true},
        {"[Set Left Total Power Weighting B]", 2, 1, none, with(power, 2, 0), true},
        {"[Set Right Total Power Weighting A]", 2, 0, none, with(power, 1, 1), true},
        // Density type: "0" and "1" only.
        {"[Set PSD Type 1]", 2, 0, none, with(densityType, 1, 1), true},
        {"[Set PSD Type 2]", 2, 1, [](S (&s)[2]) { s[0].SpectralDensityType = 1; },
         with(densityType, 1, 1), true},
        {"[Set Left PSD Type 1]", 2, 1, none, with(densityType, 1, 0), true},
        {"[Set Right PSD Type 1]", 1, 0, none, with(densityType, 1, 1), false},
        // The density switches; leading parts of the keyword are taken.
        {"[Enable PSD]", 2, 1, none, with(density, 1, 1), true},
        {"[Enable Left", 2, 1, none, with(density, 1, 0), true},
        {"[enable right psd]", 1, 1, none, with(density, 0, 1), true},
        {"[Disable PSD]", 2, 0, [](S (&s)[2]) { s[0].SpectralDensityFlag = s[1].SpectralDensityFlag = 1; },
         with(density, 0, 0), true},
        {"[Disable Left PSD]", 2, 0, [](S (&s)[2]) { s[0].SpectralDensityFlag = s[1].SpectralDensityFlag = 1; },
         with(density, 0, 0), true},
        {"[Disable Right PSD]", 1, 0, [](S (&s)[2]) { s[0].SpectralDensityFlag = s[1].SpectralDensityFlag = 1; },
         with(density, 0, 0), false},
        {"[Disable Right PSD]", 2, 1, [](S (&s)[2]) { s[1].SpectralDensityFlag = 1; },
         with(density, 0, 0), true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Command) + (c.Channels == 1 ? " mono" : " stereo")
                     + (c.Independent ? " independent" : " shared"));
        Prepare(c.Channels, c.Independent);
        c.Before(State(Main).Scaling());
        EXPECT_EQ(Main->ExecuteCommand(c.Command), Done);
        EXPECT_EQ(Get(Main->GetScaling(0), c.Expected), c.Expected.Left);
        EXPECT_EQ(Get(Main->GetScaling(1), c.Expected), c.Expected.Right);
        EXPECT_EQ(Applied(), c.Applied);
    }
}

// A running analysis runs on through the change and analyses its next
// blocks in the new scale.
TEST_F(TScalingCommands, ARunningAnalysisRunsOnWithTheNewScale)
{
    Prepare(2, 0);
    State(Main).Settings().FFTsize = 4096;
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    for (int i = 0; i < 3; ++i) Main->IdleAction(0);
    const int32_t blocks = Main->GetBlocksProcessed();
    EXPECT_EQ(Main->ExecuteCommand("[Set Frequency Scaling Type Octave]"), Done);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    for (int i = 0; i < 3; ++i) Main->IdleAction(0);
    EXPECT_GT(Main->GetBlocksProcessed(), blocks);
    const TSpectralData* left = State(Main).SpectralLeft();
    EXPECT_EQ(left->GetFrequencyScale(), S::OctaveBands);
    EXPECT_GT(left->GetBandCount(), 0u);
}
