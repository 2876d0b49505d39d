// The device, configuration, macro-window and temporary-file commands on a
// real frame whose device counts are given (no sound device is needed).
#include <fstream>
#include <string>
#include "automation/TMacro.h"
#include "framework/TEdit.h"
#include "generator/TSignalGenerator.h"
#include "tests/shell/commands/CommandTestMain.h"

namespace {

// Two input and three output devices, whatever the machine has.
class TDeviceMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    uint32_t InputDeviceCount() override { return 2; }
    uint32_t OutputDeviceCount() override { return 3; }
};

struct TSystemFamily : TCommandFrame<TDeviceMainWin> {
    void BeforeFrame() override { State(Main).FileIO().WaveFileMode = 0; }
    void Write(const char* name, const char* text) { std::ofstream(Folder.File(name), std::ios::binary) << text; }
    std::string Copy(const char* name)
    {
        const std::string path = Folder.File(name);
        EXPECT_TRUE(::CopyFileA(TONALYX_FIXTURES "/automation/tone_1k_h3.wav", path.c_str(), FALSE));
        return path;
    }
    std::string MacroText() const
    {
        return Main->MacroWindow() ? Main->MacroWindow()->Editor()->GetText() : std::string();
    }
    // Idle passes of the frame, each a step of a running macro.
    void Steps(int count)
    {
        for (int i = 0; i < count; ++i) Main->IdleAction(0);
    }
};

}  // namespace

TEST_F(TSystemFamily, DevicesByNumberOrName)
{
    // Numbers count from 1 and stay within the devices; three characters or more are a name.
    const struct {
        const char* Command;
        uint32_t Answer;
        int32_t Input, Output;
    } cases[] = {
        {"[Set Input Device 1]", Done, 0, 5},  {"[Set Output Device 1]", Done, 0, 0},
        {"[Set Input Device 2]", Done, 1, 0},  {"[Set Input Device 9]", Done, 1, 0},
        {"[Set Input Device 0]", Done, 0, 0},  {"[Set Input Device x]", Done, 0, 0},
        {"[Set Output Device 3]", Done, 0, 2}, {"[Set Output Device 99]", Done, 0, 2},
        {"[Set Input Device 2]", Done, 1, 2},  {"[Set Input Device No Such Device]", Done, 0, 2},
        {"[Set Output Device 100]", Done, 0, 0}, {"[Set Output Device 2]", Done, 0, 1},
        {"[Set Input Device ]", 0, 0, 1},      {"[Set Output Device ]", 0, 0, 1},
    };
    State(Main).InputDeviceID() = State(Main).OutputDeviceID() = 5;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        const TSoundInput* input = Main->InputPort();
        const TSoundOutput* output = Main->OutputPort();
        const bool forInput = std::string(c.Command).find("Input") != std::string::npos;
        EXPECT_EQ(Main->ExecuteCommand(c.Command), c.Answer);
        EXPECT_EQ(Main->GetInputDeviceID(), c.Input);
        EXPECT_EQ(Main->GetOutputDeviceID(), c.Output);
        // The chosen direction gets a new port, the other keeps its own.
        ASSERT_NE(Main->InputPort(), nullptr);
        ASSERT_NE(Main->OutputPort(), nullptr);
        EXPECT_EQ(Main->InputPort() != input, c.Answer == Done && forInput);
        EXPECT_EQ(Main->OutputPort() != output, c.Answer == Done && !forInput);
    }
}

TEST_F(TSystemFamily, OutputDeviceMovesTheGeneratorAndTheAnalyserRunsOn)
{
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    Main->OpenWaveFile(Copy("take.wav").c_str());
    Main->StartAnalyzer();
    ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(Main->ExecuteCommand("[Set Output Device 3]"), Done);
    EXPECT_EQ(Main->SignalGenerator()->GetDeviceId(), 2u);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(Main->ExecuteCommand("[Set Input Device 2]"), Done);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    EXPECT_EQ(Main->GetInputDeviceID(), 1);
}

TEST_F(TSystemFamily, ConfigurationFiles)
{
    State(Main).Settings().FFTsize = 2048;
    EXPECT_EQ(Main->ExecuteCommand("[Save Config setup.cfg]"), Done);
    EXPECT_TRUE(Exists(Folder.File("setup.cfg")));
    EXPECT_EQ(Main->ExecuteCommand("[Save Config " + std::string(250, 'c') + ".cfg]"), 0u);

    ASSERT_TRUE(Main->SetFftSize(512));
    // Only a configuration file's name loads, by its own extension in any case.
    EXPECT_EQ(Main->ExecuteCommand("[Load Config setup.cfg.d\\setup.txt]"), Done);
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 512u);
    EXPECT_EQ(Main->ExecuteCommand("[Load Config Setup.CFG]"), Done);
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 2048u);
    EXPECT_TRUE(Exists(Folder.File("-Undo.cfg")));

    // A file that is not there loads nothing: answered 0 after the owner's message.
    Messages().clear();
    ASSERT_TRUE(Main->SetFftSize(512));
    EXPECT_EQ(Main->ExecuteCommand("[Load Config missing.cfg]"), 0u);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 512u);
}

TEST_F(TSystemFamily, MacroWindowCommands)
{
    Write("test.mac", "Send [Set FFT Size 2048]\r\n");
    const struct {
        const char* Command;
        bool Open;
        bool Running;
    } cases[] = {
        {"[Stop Macro]", false, false},   {"[Start Macro]", false, false},
        {"[Open Macro]", true, false},    {"[Open Mac", true, false},
        {"[Close Macro]", false, false},  {"[Close Macro]", false, false},
        {"[Open Macro File test.txt]", false, false},
        {"[Open Macro File test.mac]", true, false},
        {"[Start Macro]", true, true},    {"[Start Macro]", true, true},
        {"[Stop Macro]", true, false},    {"[Start Mac", true, true},
        {"[Close Macro]", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        EXPECT_EQ(Main->ExecuteCommand(c.Command), Done);
        Pump();
        EXPECT_EQ(Main->MacroWindow() != nullptr, c.Open);
        EXPECT_EQ(Main->IsMacroRunning(), c.Running);
    }
    Main->CmMacroProcessor();
    EXPECT_EQ(Main->ExecuteCommand("[Open Macro File missing.mac]"), 0u);
    EXPECT_EQ(Main->ExecuteCommand("[Open Macro File " + std::string(250, 'm') + ".mac]"), 0u);
    EXPECT_EQ(Main->ExecuteCommand("[Open Macro File test.mac]"), Done);
    EXPECT_NE(MacroText().find("2048"), std::string::npos);
}

// A macro's own "Send " line that replaces or closes its window waits for the
// step to end; the script it loads starts at its first line.
TEST_F(TSystemFamily, MacroCommandsFromTheMacrosOwnStep)
{
    Write("first.mac", "Send [Open Macro File second.mac]\r\nSend [Set FFT Size 512]\r\n");
    Write("second.mac", "Send [Set FFT Size 2048]\r\nSend [Average Size 7]\r\nSend [Close Mac\r\n");
    State(Main).Settings().FFTsize = 1024;
    ASSERT_EQ(Main->ExecuteCommand("[Open Macro File first.mac]"), Done);
    ASSERT_EQ(Main->ExecuteCommand("[Start Macro]"), Done);
    Steps(1);
    EXPECT_FALSE(Main->IsMacroRunning());
    EXPECT_NE(MacroText().find("512"), std::string::npos);
    EXPECT_EQ(Main->PendingMacroFile(), Folder.File("second.mac"));
    Pump();
    EXPECT_EQ(Main->PendingMacroFile(), "");
    EXPECT_NE(MacroText().find("Average Size 7"), std::string::npos);
    Steps(2);
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 1024u);

    ASSERT_EQ(Main->ExecuteCommand("[Start Macro]"), Done);
    Steps(3);
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 2048u);
    EXPECT_EQ(Main->GetAnalysisSettings().AverageBlocks, 7u);
    // The close is posted: the window outlives the step that asked for it.
    EXPECT_NE(Main->MacroWindow(), nullptr);
    Pump();
    EXPECT_EQ(Main->MacroWindow(), nullptr);
}

TEST_F(TSystemFamily, TemporaryWaveFile)
{
    State(Main).OpMode() = TMainWin::RealTime;
    const std::string temp = Copy("temp.wav");
    // Fewer than five fields (empty ones do not count) open nothing.
    EXPECT_EQ(Main->ExecuteCommand("[UseTempFile temp.wav]"), 0u);
    EXPECT_EQ(Main->ExecuteCommand("[UseTempFile temp.wav,1,,2,3]"), 0u);
    EXPECT_EQ(Main->Wave(), nullptr);
    EXPECT_EQ(Main->GetOpMode(), TMainWin::RealTime);

    EXPECT_EQ(Main->ExecuteCommand("[UseTempFile temp.wav,1,2,3,4]"), Done);
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_EQ(Main->Wave()->FileName(), temp);
    EXPECT_TRUE(Main->IsTemporaryWave());
    EXPECT_EQ(Main->GetOpMode(), TMainWin::PostProcess);
    char caption[300] = {};
    ::GetWindowTextA(Main->GetHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, Main->ProgramCaption());
    EXPECT_EQ(Main->CloseWaveFile(), 1);
    EXPECT_FALSE(Exists(temp));

    EXPECT_EQ(Main->ExecuteCommand("[UseTempFile missing.wav,1,2,3,4]"), 0u);
    EXPECT_EQ(Main->Wave(), nullptr);
    EXPECT_FALSE(Main->IsTemporaryWave());
}
