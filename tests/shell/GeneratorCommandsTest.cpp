// The signal generator as the main window opens, locks, saves and keeps it,
// in a real frame in Post Process.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "generator/TSignalGenerator.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string Profile(const char* section, const char* key, const std::string& file)
{
    char text[300] = {};
    ::GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
    return text;
}

// A frame whose length and file dialogs answer from scripts: a multiplier
// of 0 or an empty name cancels.
class TGeneratorMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::deque<int32_t> Multipliers;
    std::deque<std::string> Names;
    std::vector<DWORD> FileFlags;
    int LengthDialogs = 0;

    int RunSignalLengthDialog(int32_t& multiplier) override
    {
        ++LengthDialogs;
        const int32_t choice = Multipliers.empty() ? 0 : Multipliers.front();
        if (!Multipliers.empty()) Multipliers.pop_front();
        if (choice == 0) return IDCANCEL;
        multiplier = choice;
        return IDOK;
    }
    int RunFileDialog(TOpenSaveDialog::TData& data, const char*, bool) override
    {
        FileFlags.push_back(data.Flags);
        const std::string name = Names.empty() ? "" : Names.front();
        if (!Names.empty()) Names.pop_front();
        if (name.empty()) return IDCANCEL;
        data.FileName = name;
        return IDOK;
    }
};

struct TGeneratorCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::string Wave = Folder.File("take.wav");
    std::unique_ptr<TGeneratorMainWin> Main;

    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/views/sine_1k_stereo.wav", Wave.c_str(), FALSE));
        // A short signal keeps the builds quick: one second of digital zero.
        WriteIni(Ini, "[Main]\nShowSplashScreen=0\nSigType=15\n[ViewStatus]\nSpectrumPlot=0\n");
        Main = std::make_unique<TGeneratorMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).Settings().FFTsize = 1024;
        State(Main).FileIO().WaveFileMode = 0;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder, TMainWin::CfgFolder})
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        ASSERT_TRUE(Main->Create());
        Pump();
        Messages().clear();
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    void RunAnalyzer()
    {
        Main->OpenWaveFile(Wave.c_str());
        Main->ApplySettings(TMainWin::RefreshKind::Full);
        Main->StartAnalyzer();
        ASSERT_EQ(Main->GetRunState(), TMainWin::Running);
    }
};

}  // namespace

TEST_F(TGeneratorCommands, UtilitiesCommandOpensAndClosesTheGenerator)
{
    EXPECT_EQ(Main->DdeItemText(80), "0");
    Main->SendMessage(WM_COMMAND, CM_SIGNALGENERATOR, 0);
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    EXPECT_NE(Main->SignalGenerator()->GetHandle(), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SignalGenerator, 1);
    EXPECT_EQ(::GetMenuState(Main->GetMenu(), CM_SIGNALGENERATOR, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    // Its own settings came from the INI file; its window stands beside the frame's.
    EXPECT_EQ(Main->SignalGenerator()->Left.SigType, DigitalZeroSignal);
    EXPECT_EQ(Main->DdeItemText(80), "15");
    EXPECT_EQ(Main->DdeItemText(81), "1");
    EXPECT_EQ(::GetWindow(Main->SignalGenerator()->GetHandle(), GW_OWNER), Main->GetHandle());

    // The close box asks the frame, which closes it once the message arrives.
    Main->SignalGenerator()->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(Main->SignalGenerator(), nullptr);
    EXPECT_EQ(Main->GetViewStatus().SignalGenerator, 0);
    EXPECT_EQ(::GetMenuState(Main->GetMenu(), CM_SIGNALGENERATOR, MF_BYCOMMAND) & MF_CHECKED, 0u);
    // Closing wrote its settings and its placement.
    EXPECT_EQ(Profile("Main", "SigTypeR", Ini), "1");
    EXPECT_NE(Profile("Placement", "Signal Generator", Ini), "");
}

TEST_F(TGeneratorCommands, GeneratorOpenAtExitOpensAgainAtStart)
{
    Main->CmSignalGenerator();
    Main->Destroy();
    Main.reset();
    EXPECT_EQ(Profile("ViewStatus", "SignalGenerator", Ini), "1");
    Main = std::make_unique<TGeneratorMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
    ASSERT_TRUE(Main->Create());
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    EXPECT_NE(Main->SignalGenerator()->GetHandle(), nullptr);
    EXPECT_EQ(::GetMenuState(Main->GetMenu(), CM_SIGNALGENERATOR, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
}

TEST_F(TGeneratorCommands, AnotherOutputDeviceMovesTheGenerator)
{
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    Main->TakeDevices(Main->GetInputDeviceID(), Main->GetOutputDeviceID() + 1);
    EXPECT_EQ(Main->SignalGenerator()->GetDeviceId(), uint32_t(Main->GetOutputDeviceID()));
    EXPECT_NE(Main->SignalGenerator()->GetOutputPort(), nullptr);
    EXPECT_NE(Main->SignalGenerator()->GetSignal(), nullptr);
}

TEST_F(TGeneratorCommands, LockBuildsOneChannel)
{
    State(Main).Settings().Format = TWaveFormat(44100, 2, 2);
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    ASSERT_NE(Main->SignalGenerator()->GetSignal(), nullptr);
    EXPECT_EQ(Main->SignalGenerator()->GetSignal()->GetChannels(), 2);
    Main->SendMessage(WM_COMMAND, CM_LOCKGENERATORCHANNELS, 0);
    EXPECT_TRUE(Main->IsGeneratorLocked());
    EXPECT_EQ(Main->SignalGenerator()->GetSignal()->GetChannels(), 1);
    EXPECT_EQ(::GetMenuState(Main->GetMenu(), CM_LOCKGENERATORCHANNELS, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    Main->CmLockGeneratorChannels();
    EXPECT_EQ(Main->SignalGenerator()->GetSignal()->GetChannels(), 2);
}

TEST_F(TGeneratorCommands, SaveSignalToWaveRestartsTheAnalyserOnEveryWayOut)
{
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    RunAnalyzer();
    const std::string target = Folder.File("zero.wav");

    // Cancel in the length dialog abandons the save.
    Main->CmSaveSignalToWave();
    EXPECT_EQ(Main->LengthDialogs, 1);
    EXPECT_TRUE(Main->FileFlags.empty());
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);

    // Cancel in the file dialog.
    Main->Multipliers = {3};
    Main->CmSaveSignalToWave();
    ASSERT_EQ(Main->FileFlags.size(), 1u);
    EXPECT_EQ(Main->FileFlags[0] & OFN_FILEMUSTEXIST, 0u);
    EXPECT_NE(Main->FileFlags[0] & OFN_OVERWRITEPROMPT, 0u);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);

    // The open wave's name is refused.
    Main->Multipliers = {3};
    Main->Names = {Wave};
    Main->CmSaveSignalToWave();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, Wave + " is currently in use.");
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);

    // A new name: three blocks.
    Main->Multipliers = {3};
    Main->Names = {target};
    Main->CmSaveSignalToWave();
    EXPECT_EQ(Main->GetRunState(), TMainWin::Running);
    Main->StopAnalyzer();
    TWaveFile saved(target.c_str(), TWaveFile::Memory, 0, nullptr);
    ASSERT_EQ(saved.Error, 0u);
    EXPECT_EQ(saved.GetFrameCount(), 3 * Main->SignalGenerator()->GetSignal()->GetFrameCount());
    EXPECT_STREQ(Main->CurrentFolder(TMainWin::WavFolder), Folder.Path.c_str());
}

TEST_F(TGeneratorCommands, SaveSignalToWaveNeedsTheGenerator)
{
    Main->CmSaveSignalToWave();
    EXPECT_EQ(Main->LengthDialogs, 0);
}

TEST_F(TGeneratorCommands, ConfigurationsCarryTheGeneratorSettings)
{
    Main->CmSignalGenerator();
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    Main->SignalGenerator()->Left.SigType = SquareSignal;
    Main->SignalGenerator()->Left.Square.FreqHz = 750.0f;
    const std::string cfg = Folder.File("square.cfg");
    Main->SaveConfiguration(cfg.c_str());
    EXPECT_EQ(Profile("Main", "SigType", cfg), "12");
    EXPECT_EQ(Profile("Square", "FreqHz", cfg), "750.000000");
    EXPECT_NE(Profile("Placement", "Signal Generator", cfg), "");

    // Loading closes the generator and opens it again from the configuration.
    Main->SignalGenerator()->Left.SigType = DigitalZeroSignal;
    Main->LoadConfiguration(cfg.c_str());
    ASSERT_NE(Main->SignalGenerator(), nullptr);
    EXPECT_EQ(Main->SignalGenerator()->Left.SigType, SquareSignal);
    EXPECT_EQ(Main->SignalGenerator()->Left.Square.FreqHz, 750.0f);
    // The one it replaced kept its last settings in the INI file.
    EXPECT_EQ(Profile("Main", "SigType", Ini), "15");
}
