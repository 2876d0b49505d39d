// The generator window with a host of fields: its lists, buttons and layout,
// type and tone commands, format changes, settings and saved waves. Nothing
// here plays; the sound tests play into the null sink.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "engine/TWaveFile.h"
#include "generator/TGeneratorSettings.h"
#include "framework/TProfileFile.h"
#include "generator/TSignalGenerator.h"
#include "tests/framework/GuiTest.h"
#include "tests/generator/ExpectedGeneratorKeys.h"
#include "tests/generator/GeneratorTestSupport.h"
#include "tests/generator/platform/TestGeneratorHost.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

class GeneratorWindow : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Host.Ini = Folder.File("Tonalyx.ini");
        Host.Folder = Folder.Path;
    }

    // A generator reading its settings from the INI file, created hidden
    // (unmapping a shown window costs Wine two seconds).
    TSignalGenerator& Open()
    {
        Generator = std::make_unique<TSignalGenerator>(nullptr, Host, 0, Host.Ini.c_str());
        Generator->Attr.Style &= ~WS_VISIBLE;
        EXPECT_TRUE(Generator->Create());
        Pump();
        return *Generator;
    }

    std::vector<std::string> Items(int id) const
    {
        std::vector<std::string> items;
        TComboBox& list = static_cast<TComboBox&>(*Generator->ChildWithId(id));
        for (int i = 0; i < list.GetCount(); ++i) items.push_back(list.GetString(i));
        return items;
    }

    bool Enabled(int id) const { return Generator->ChildWithId(id)->IsWindowEnabled(); }
    // Shown by the layout, whether or not the hidden test window shows it.
    bool Shown(int id) const { return (Generator->ChildWithId(id)->GetStyle() & WS_VISIBLE) != 0; }

    TTempFolder Folder;
    TTestGeneratorHost Host;
    std::unique_ptr<TSignalGenerator> Generator;
};

}  // namespace

TEST_F(GeneratorWindow, MonoAnalyserKeepsTheRightChannelOutOfReach)
{
    TSignalGenerator& g = Open();
    EXPECT_STREQ(g.GetClassName(), "SignalGeneratorClass");
    EXPECT_EQ(g.GetWindowText(), "Signal Generator");
    const TRect box = g.GetWindowRect();
    EXPECT_EQ(box.Width(), 216);
    EXPECT_EQ(box.Height(), 120);
    // An empty INI: left 1 kHz tone, right pink noise.
    ASSERT_EQ(Items(TSignalGenerator::RightTypeId).size(), 17u);
    EXPECT_EQ(Items(TSignalGenerator::LeftTypeId)[8], "Freq Step");
    auto& left = static_cast<TComboBox&>(*g.ChildWithId(TSignalGenerator::LeftTypeId));
    EXPECT_EQ(left.GetString(left.GetSelIndex()), "1 kHz Tone");
    EXPECT_FALSE(Enabled(TSignalGenerator::LeftDetailsId));
    EXPECT_FALSE(Enabled(TSignalGenerator::RightDetailsId));
    EXPECT_TRUE(Shown(TSignalGenerator::RunId));
    EXPECT_FALSE(Shown(TSignalGenerator::StopId));
    EXPECT_FALSE(Shown(TSignalGenerator::VolumeId));

    // A right type chosen in mono is ignored; focusing the list explains why.
    auto& right = static_cast<TComboBox&>(*g.ChildWithId(TSignalGenerator::RightTypeId));
    right.SetSelIndex(0);
    g.SendMessage(WM_COMMAND, MAKEWPARAM(TSignalGenerator::RightTypeId, CBN_SELCHANGE), LPARAM(right.GetHandle()));
    EXPECT_EQ(g.Right.SigType, PinkNoiseSignal);
    Messages().clear();
    g.SendMessage(WM_COMMAND, MAKEWPARAM(TSignalGenerator::RightTypeId, CBN_SETFOCUS), LPARAM(right.GetHandle()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "The analyzer is currently setup for single channel operation (mono).  To generate "
                                  "separate signals for each channel\nyou must change the main analyzer settings to "
                                  "stereo format - this is controlled under the <Options><Settings> menu.");
    EXPECT_EQ(Messages()[0].Style, unsigned(MB_OK | MB_ICONINFORMATION));
}

TEST_F(GeneratorWindow, LockedStereoShowsNA)
{
    Host.Format = TWaveFormat(48000, 2, 2);
    Host.Locked = true;
    TSignalGenerator& g = Open();
    EXPECT_EQ(Items(TSignalGenerator::RightTypeId), std::vector<std::string>{"N/A"});
    ASSERT_NE(g.GetSignal(), nullptr);
    EXPECT_EQ(g.GetSignal()->GetChannels(), 1);
    Messages().clear();
    g.SendMessage(WM_COMMAND, MAKEWPARAM(TSignalGenerator::RightTypeId, CBN_SETFOCUS),
                  LPARAM(g.ChildWithId(TSignalGenerator::RightTypeId)->GetHandle()));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "The Right channel is currently \"Locked\" to the Left channel.  To unlock the right "
                                  "channel\nuncheck the <Utilities><Lock Signal Generator Channels> menu.");

    // Unlocked: both lists, the right Details button follows the right kind.
    Host.Locked = false;
    g.FormatChanged(0, 1);
    EXPECT_EQ(Items(TSignalGenerator::RightTypeId).size(), 17u);
    EXPECT_EQ(g.GetSignal()->GetChannels(), 2);
    g.SetSignalType("Noise Burst", 1);
    EXPECT_TRUE(Enabled(TSignalGenerator::RightDetailsId));
}

TEST_F(GeneratorWindow, TypeAndToneCommands)
{
    TSignalGenerator& g = Open();
    g.SetSignalType("noise", 0);
    EXPECT_EQ(g.Left.SigType, WhiteNoiseSignal);
    // A name that matches none keeps the kind and still rebuilds.
    Host.Gauge.clear();
    g.SetSignalType("Chirp", 0);
    EXPECT_EQ(g.Left.SigType, WhiteNoiseSignal);
    EXPECT_FALSE(Host.Gauge.empty());
    g.SetSignalType(nullptr, 0);

    g.SetTone(30000.0f, 6.0f, 0);
    EXPECT_EQ(g.Left.SigType, MultipleTonesSignal);
    EXPECT_EQ(g.Left.Tones[0].FreqHz, 22050.0f);
    EXPECT_EQ(g.Left.Tones[0].PwrDB, 0.0f);
    EXPECT_EQ(g.Left.Tones[0].ToneEnable, 1);
    for (int i = 1; i < SignalParams::ToneCount; ++i) EXPECT_EQ(g.Left.Tones[i].ToneEnable, 0) << i;
    EXPECT_TRUE(Enabled(TSignalGenerator::LeftDetailsId));
    g.SetTone(440.0f, -20.0f, 1);
    EXPECT_FLOAT_EQ(g.Right.Tones[0].Amplitude, 0.1f);

    char text[32];
    g.GetSignalDescription(0, text);
    EXPECT_STREQ(text, "Multiple Tones");
    g.Right.SigType = SquareSignal;
    g.GetSignalDescription(1, text);
    EXPECT_STREQ(text, "Squarewave");
    g.GetSignalDescription(7, text);
    EXPECT_STREQ(text, "White Noise");
}

TEST_F(GeneratorWindow, BuildsStopTheAnalyserAndStartItAgain)
{
    Host.State = TGeneratorHost::Running;
    TSignalGenerator& g = Open();
    EXPECT_EQ(Host.Stops, 1);
    EXPECT_EQ(Host.Starts, 1);
    // 441,000 frames of the 1 kHz tone, at the analyser's format.
    ASSERT_NE(g.GetSignal(), nullptr);
    EXPECT_EQ(g.GetSignal()->GetFrameCount(), 441000u);
    // The gauge shows and hides around the build, with a value every 1000 frames.
    ASSERT_GE(Host.Gauge.size(), 443u);
    EXPECT_EQ(Host.Gauge.front(), -1);
    EXPECT_EQ(Host.Gauge.back(), -2);
    // A stopped analyser stays stopped.
    Host.State = TGeneratorHost::Stopped;
    g.BuildSignal();
    EXPECT_EQ(Host.Starts, 1);
}

TEST_F(GeneratorWindow, GeneratorRateFromTheIniFile)
{
    ::WritePrivateProfileStringA("Settings", "GeneratorSamplingRate", "22050", Host.Ini.c_str());
    TSignalGenerator& g = Open();
    ASSERT_NE(g.GetSignal(), nullptr);
    EXPECT_EQ(g.GetSignal()->GetSampleRate(), 22050u);
    EXPECT_EQ(g.GetOutputPort()->GetSampleRate(), 22050u);
    EXPECT_EQ(g.GetSignal()->GetFrameCount(), 220500u);
}

TEST_F(GeneratorWindow, GeneratorRateNoSoundFormatTakesIsTheAnalysersRate)
{
    for (const char* rate : {"4294967295", "-1", "999", "768001"}) {
        SCOPED_TRACE(rate);
        ::WritePrivateProfileStringA("Settings", "GeneratorSamplingRate", rate, Host.Ini.c_str());
        TSignalGenerator& g = Open();
        ASSERT_NE(g.GetSignal(), nullptr);
        EXPECT_EQ(g.GetOutputPort()->GetSampleRate(), 44100u);
        Generator.reset();
    }
}

TEST_F(GeneratorWindow, AnotherDeviceRecreatesThePortAndTheSignal)
{
    TSignalGenerator& g = Open();
    Host.Gauge.clear();
    g.FormatChanged(1, 0);
    EXPECT_NE(g.GetOutputPort(), nullptr);
    EXPECT_NE(g.GetSignal(), nullptr);
    EXPECT_FALSE(Host.Gauge.empty());
    EXPECT_FALSE(g.IsPlaying());
    // The same device with an unchanged format keeps its signal.
    Host.Gauge.clear();
    g.FormatChanged(1, 0);
    EXPECT_TRUE(Host.Gauge.empty());
    Host.Format = TWaveFormat(44100, 1, 3);
    g.FormatChanged(1, 0);
    EXPECT_EQ(g.GetSignal()->GetBytesPerSample(), 3);
}

TEST_F(GeneratorWindow, MissingUserFileIsReportedOnce)
{
    TProfileFile ini(Host.Ini);
    ini.Write("Main", "SigType", "13");
    ini.Write("User Defined", "WaveFileName", "C:\\missing\\tone.wav");
    Messages().clear();
    TSignalGenerator& g = Open();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Generator - Failure opening file: C:\\missing\\tone.wav");
    // No frames of its own: the block is empty and there is nothing to play.
    ASSERT_NE(g.GetSignal(), nullptr);
    EXPECT_EQ(g.GetSignal()->GetFrameCount(), 0u);
    g.StartOutput();
    EXPECT_FALSE(g.IsPlaying());
}

TEST_F(GeneratorWindow, TooLongABlockIsRefused)
{
    TProfileFile ini(Host.Ini);
    ini.Write("Main", "SigType", "16");
    ini.Write("FreqStep", "StepSize", "0.001");
    Messages().clear();
    TSignalGenerator& g = Open();
    EXPECT_EQ(g.GetSignal(), nullptr);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().Text, "Insufficient Memory to continue.  Please close some applications to free up memory.");
}

TEST_F(GeneratorWindow, SettingsComeFromTheGivenFileAndGoToTheIni)
{
    const std::string config = Folder.File("setup.cfg");
    TProfileFile cfg(config);
    cfg.Write("Main", "SigTypeR", "9");
    cfg.Write("SawtoothR", "FreqHz", "123.5");
    Generator = std::make_unique<TSignalGenerator>(nullptr, Host, 0, config.c_str());
    EXPECT_EQ(Generator->Right.SigType, SawtoothSignal);
    Generator.reset();
    // The destructor wrote every key into the INI file, in the table's order
    // within each section ("SigTypeR" joins "SigType" in "Main").
    std::vector<TExpectedGeneratorKey> expected;
    for (const TExpectedGeneratorKey& k : ExpectedGeneratorKeys) {
        auto last = std::find_if(expected.rbegin(), expected.rend(),
                                 [&](const TExpectedGeneratorKey& e) { return std::strcmp(e.Section, k.Section) == 0; });
        expected.insert(last == expected.rend() ? expected.end() : last.base(), k);
    }
    std::vector<TIniLine> lines = ReadIniLines(Host.Ini);
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const TExpectedGeneratorKey& k = expected[i];
        SCOPED_TRACE(std::string(k.Section) + "/" + k.Key);
        EXPECT_EQ(lines[i].Section, k.Section);
        EXPECT_EQ(lines[i].Key, k.Key);
        if (std::string(k.Key) == "SigTypeR") {
            EXPECT_EQ(lines[i].Value, "9");
        } else if (std::string(k.Section) == "SawtoothR" && std::string(k.Key) == "FreqHz") {
            EXPECT_EQ(lines[i].Value, "123.500000");
        } else {
            EXPECT_EQ(lines[i].Value, k.Written);
        }
    }
}

TEST_F(GeneratorWindow, StoredValuesItCannotUsePlaySilenceAndAreNotWrittenBack)
{
    // A NaN level on the left, a tone above half the rate on the right: the
    // window names both keys when it opens, both channels stay silent, and
    // the file written at its close holds the defaults instead.
    TProfileFile ini(Host.Ini);
    ini.Write("Level", "OutputLevel", "nan");
    ini.Write("Main", "SigTypeR", "4");
    ini.Write("TonesR", "FreqHz0", "30000");
    Host.Format = TWaveFormat(48000, 2, 2);
    Messages().clear();
    TSignalGenerator& g = Open();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].Text.find("Level/OutputLevel"), std::string::npos) << Messages()[0].Text;
    EXPECT_NE(Messages()[0].Text.find("TonesR/FreqHz0"), std::string::npos) << Messages()[0].Text;
    ASSERT_NE(g.GetSignal(), nullptr);
    for (uint16_t channel : {uint16_t(0), uint16_t(1)}) {
        const std::vector<int32_t> samples = Channel(*g.GetSignal(), channel);
        EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](int32_t v) { return v == 0; })) << channel;
    }
    // Set again, the right channel plays its tone.
    g.SetTone(1000.0f, -6.0f, 1);
    const std::vector<int32_t> right = Channel(*g.GetSignal(), 1);
    EXPECT_GT(*std::max_element(right.begin(), right.end()), 10000);
    Generator.reset();
    TProfileFile written(Host.Ini);
    EXPECT_EQ(written.Read("Level", "OutputLevel", ""), "0.000000");
    EXPECT_EQ(written.Read("TonesR", "FreqHz0", ""), "1000.000000");
    const std::string out = std::string(TONALYX_GENERATOR_OUT) + "\\after_bad_values.ini";
    EXPECT_TRUE(::CopyFileA(Host.Ini.c_str(), out.c_str(), FALSE));
}

TEST_F(GeneratorWindow, SettingsFileOfDefaultsForConfigparser)
{
    // Written for the Python check: every key of an empty INI, with its written text.
    const std::string out = std::string(TONALYX_GENERATOR_OUT) + "\\defaults.ini";
    ::DeleteFileA(out.c_str());
    TDefaultRecords defaults;
    TProfileFile file(out);
    TGeneratorSettings::Save(file, defaults.Left, defaults.Right, defaults.Level);
    // Read back through the profile functions, the records are the defaults.
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    EXPECT_FALSE(TGeneratorSettings::Load(file, left, right, level, 24000.0).Any());
    TMapProfile a, b;
    TGeneratorSettings::Save(a, left, right, level);
    TGeneratorSettings::Save(b, defaults.Left, defaults.Right, defaults.Level);
    EXPECT_EQ(a.Values, b.Values);
}

TEST_F(GeneratorWindow, SignalSavedAsWaveRepeatsTheBlock)
{
    struct TCase {
        const char* Name;
        TWaveFormat Format;
        const char* Type;
        int Repeats;
    } cases[] = {
        {"level_2s_44100_2_16", TWaveFormat(44100, 2, 2), "8", 20},
        {"square_48000_1_24", TWaveFormat(48000, 1, 3), "12", 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ::DeleteFileA(Host.Ini.c_str());
        TProfileFile ini(Host.Ini);
        ini.Write("Main", "SigType", c.Type);
        ini.Write("Main", "SigTypeR", "15");
        ini.Write("LevelSweep", "TimeMSec", "2000");
        Host.Format = c.Format;
        TSignalGenerator& g = Open();
        ASSERT_NE(g.GetSignal(), nullptr);
        const std::string base = std::string(TONALYX_GENERATOR_OUT) + "\\" + c.Name;
        // The block once, raw, beside the file, for the Python check.
        {
            std::ofstream raw(base + ".raw", std::ios::binary);
            raw.write(reinterpret_cast<const char*>(g.GetSignal()->GetBuffer()), g.GetSignal()->GetBufferSize());
        }
        const std::string wave = base + ".wav";
        ::DeleteFileA(wave.c_str());
        g.SaveSignalAsWave(wave.c_str(), c.Repeats);
        TWaveFile saved(wave.c_str(), TWaveFile::Memory, 0, nullptr);
        ASSERT_EQ(saved.Error, 0u);
        EXPECT_TRUE(saved.GetFormat().IsEqual(c.Format));
        EXPECT_EQ(saved.GetFrameCount(), c.Repeats * g.GetSignal()->GetFrameCount());
        Generator.reset();
    }
}

TEST_F(GeneratorWindow, NoSignalNothingSaved)
{
    TProfileFile ini(Host.Ini);
    ini.Write("Main", "SigType", "16");
    ini.Write("FreqStep", "StepSize", "0.001");
    TSignalGenerator& g = Open();
    const std::string wave = Folder.File("none.wav");
    g.SaveSignalAsWave(wave.c_str(), 2);
    EXPECT_EQ(::GetFileAttributesA(wave.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(GeneratorWindow, CloseBoxKeepsThePlacementAndAsksTheHostToClose)
{
    TSignalGenerator& g = Open();
    g.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(Host.Placements, 1);
    EXPECT_EQ(Host.CloseRequests, 1);
    EXPECT_NE(g.GetHandle(), nullptr);
    g.Destroy();
    EXPECT_EQ(Host.Placements, 2);
}

TEST_F(GeneratorWindow, SynchronisedPortsStopWithTheAnalyser)
{
    TSignalGenerator& g = Open();
    g.GetOutputPort()->Quirks.quirkD = 1;
    Host.State = TGeneratorHost::Running;
    // Only the output starts together with capture: stopping it alone is ignored.
    const int stops = Host.Stops;
    g.StopOutput();
    EXPECT_EQ(Host.Stops, stops);
    // Both do: the analyser stops, and stops the generator in turn.
    Host.InputSynchronised = true;
    g.StopOutput();
    EXPECT_EQ(Host.Stops, stops + 1);
    // A stopped analyser leaves the generator to stop on its own.
    g.StopOutput();
    EXPECT_EQ(Host.Stops, stops + 1);
}
