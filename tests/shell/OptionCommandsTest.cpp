// The commands of the annotation, utility display, file options and paths
// dialogs in a real frame: what each hands its dialog and keeps afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include "base/THeadlessEngineHost.h"
#include "dialogs/TAnnotationDialog.h"
#include "dialogs/TFileOptionsDialog.h"
#include "dialogs/TPathsDialog.h"
#include "dialogs/TPhaseScopeOptsDialog.h"
#include "dialogs/TReverbOptsDialog.h"
#include "dialogs/TTHDFreqOptsDialog.h"
#include "engine/TWaveFile.h"
#include "framework/TProfileFile.h"
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

THeadlessEngineHost& Boxes() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }

// A main window whose dialogs run modeless through a script that answers
// IDOK (OK pressed; IDCANCEL when the dialog stays open) or IDCANCEL.
class TOptionsMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::function<int(TDialog&)> Script = [](TDialog&) { return IDOK; };
    std::vector<std::type_index> Dialogs;
    int Starts = 0;

    int ExecuteDialog(TDialog& dialog) override
    {
        Dialogs.push_back(typeid(dialog));
        if (!dialog.Create()) return -1;
        const int answer = Script(dialog);
        if (answer == IDOK && Control::Ok(dialog)) return IDOK;
        if (dialog.GetHandle()) dialog.Destroy();
        return IDCANCEL;
    }
    void StartAnalyzer() override { ++Starts; }
    void StopAnalyzer() override { State(*this).RunState() = Stopped; }
};

struct TOptionCommands : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::unique_ptr<TOptionsMain> Main;

    void SetUp() override
    {
        WriteIni(Ini, "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n");
        Main = std::make_unique<TOptionsMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        ASSERT_TRUE(Main->Create());
        Boxes().Messages.clear();
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
    void Command(UINT id) { Main->SendMessage(WM_COMMAND, id, 0); }
};

}

TEST_F(TOptionCommands, AnnotationsEditThePrintOptionsOnlyOnOk)
{
    State(*Main).RunState() = TMainWin::Running;
    Main->Script = [](TDialog& d) {
        Control::Type(d, TAnnotationDialog::Title1Id, "Loudspeaker B");
        return IDCANCEL;
    };
    Command(CM_ANNOTATIONS);
    EXPECT_EQ(Main->GetRunState(), TMainWin::Stopped);
    EXPECT_STREQ(Main->GetPrintOptions().Annotation1, "");
    Main->Script = [](TDialog& d) {
        Control::Type(d, TAnnotationDialog::Title1Id, "Loudspeaker B");
        return IDOK;
    };
    Command(CM_ANNOTATIONS);
    EXPECT_STREQ(Main->GetPrintOptions().Annotation1, "Loudspeaker B");
    EXPECT_EQ(Main->Dialogs, (std::vector<std::type_index>(2, typeid(TAnnotationDialog))));
    EXPECT_EQ(Main->Starts, 0);
}

TEST_F(TOptionCommands, UtilityOptionsKeepTheirCopyOnOkAndOnlyThePhaseScopeRestarts)
{
    struct TCase {
        UINT Command;
        std::type_index Dialog;
        int Starts;
    };
    for (const TCase& c : {TCase{CM_REVERBOPTIONS, typeid(TReverbOptsDialog), 0},
                           TCase{CM_THDNVSFREQUENCYOPTIONS, typeid(TTHDFreqOptsDialog), 0},
                           TCase{CM_PHASESCOPEOPTIONS, typeid(TPhaseScopeOptsDialog), 1}}) {
        SCOPED_TRACE(c.Command);
        for (int answer : {IDCANCEL, IDOK}) {
            Main->Starts = 0;
            Main->Dialogs.clear();
            State(*Main).RunState() = TMainWin::Running;
            Main->Script = [answer](TDialog&) { return answer; };
            Command(c.Command);
            EXPECT_EQ(Main->Dialogs, std::vector<std::type_index>{c.Dialog});
            EXPECT_EQ(Main->Starts, c.Starts);
        }
    }
}

TEST_F(TOptionCommands, UtilityOptionsStoreWhatTheDialogsTake)
{
    Main->Script = [](TDialog& d) {
        Control::Type(d, TReverbOptsDialog::MaxDecayId, "30");
        return IDOK;
    };
    Command(CM_REVERBOPTIONS);
    EXPECT_EQ(Main->GetReverbOptions().MaxDecayTime, 30.0f);
    Main->Script = [](TDialog& d) {
        Control::Click(d, TPhaseScopeOptsDialog::LeftRightId);
        return IDOK;
    };
    Command(CM_PHASESCOPEOPTIONS);
    EXPECT_EQ(Main->GetPhaseScopeOptions().DisplayFormat, 1u);

    // The stop frequency's limit is half the analysis rate.
    State(*Main).Settings().Format = TWaveFormat(48000, 2, 2);
    Main->Script = [](TDialog& d) {
        Control::Type(d, TTHDFreqOptsDialog::StopId, "24000.5");
        return IDOK;
    };
    Command(CM_THDNVSFREQUENCYOPTIONS);
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "Stop Frequency must be less than 24000.00 Hz (one half of the sampling rate).");
    EXPECT_EQ(Main->GetThdFreqOptions().StopFreq, 20000.0f);
    Main->Script = [](TDialog& d) {
        Control::Type(d, TTHDFreqOptsDialog::StopId, "24000");
        return IDOK;
    };
    Command(CM_THDNVSFREQUENCYOPTIONS);
    EXPECT_EQ(Main->GetThdFreqOptions().StopFreq, 24000.0f);
}

TEST_F(TOptionCommands, TheLimitFileDialogStartsWhereTheLastChoiceWas)
{
    EXPECT_EQ(Main->CurrentFolder(TTHDFreqOptsDialog::LimitFileKind), Main->CurrentFolder(TMainWin::OvlFolder));
    Main->KeepFolder(TTHDFreqOptsDialog::LimitFileKind, "C:\\limits\\speaker.ovl");
    EXPECT_EQ(Main->CurrentFolder(TTHDFreqOptsDialog::LimitFileKind), "C:\\limits");
    EXPECT_NE(Main->CurrentFolder(TMainWin::OvlFolder), std::string("C:\\limits"));
}

TEST_F(TOptionCommands, FileOptionsAreRefusedWhileAFileIsOpenOutsideRealTime)
{
    State(*Main).OpMode() = TMainWin::PostProcess;
    Main->ReplaceWave(std::make_unique<TWaveFile>(100u, TWaveFormat(8000, 1, 2), Folder.Path.c_str()));
    Command(CM_FILEIOOPTIONS);
    EXPECT_TRUE(Main->Dialogs.empty());
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text,
              "You cannot change the File I/O options while an existing .WAV file is open.  Please close the file.");
    EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(Main->Wave(), nullptr);

    // In Real Time the history goes and the dialog edits the record in place.
    State(*Main).OpMode() = TMainWin::RealTime;
    Main->Script = [](TDialog& d) {
        Control::Type(d, TFileOptionsDialog::MaxDiskMBId, "1500");
        return IDOK;
    };
    Command(CM_FILEIOOPTIONS);
    EXPECT_EQ(Main->Wave(), nullptr);
    EXPECT_EQ(Main->Dialogs, std::vector<std::type_index>{typeid(TFileOptionsDialog)});
    EXPECT_EQ(Main->GetFileIO().MaxDiskRecordingSizeBytes, 1500000000);
}

TEST_F(TOptionCommands, PathsDefaultsStoreOnlyOnOkAndTheSettingsAreWrittenEitherWay)
{
    const std::string configured = Main->ConfiguredFolder(TMainWin::WavFolder);
    const std::string current = Main->CurrentFolder(TMainWin::CfgFolder);
    Main->Script = [](TDialog& d) {
        Control::Press(d, TPathsDialog::DefaultsId);
        return IDCANCEL;
    };
    ::DeleteFileA(Ini.c_str());
    Command(CM_SETPATHS);
    EXPECT_EQ(Main->ConfiguredFolder(TMainWin::WavFolder), configured);
    EXPECT_EQ(Main->CurrentFolder(TMainWin::CfgFolder), current);
    EXPECT_EQ(TProfileFile(Ini).Read("Paths", "Wav", "none"), configured);

    Main->Script = [](TDialog& d) {
        Control::Press(d, TPathsDialog::DefaultsId);
        Control::Type(d, TPathsDialog::FolderIds[TMainWin::MacroFolder], "E:\\my macros");
        return IDOK;
    };
    Command(CM_SETPATHS);
    const std::string programFolder = Folder.Path;
    EXPECT_EQ(Main->ConfiguredFolder(TMainWin::WavFolder), programFolder + "\\wave");
    EXPECT_EQ(Main->ConfiguredFolder(TMainWin::MicFolder), programFolder + "\\miccomp");
    EXPECT_EQ(Main->CurrentFolder(TMainWin::CfgFolder), programFolder + "\\config");
    EXPECT_EQ(Main->ConfiguredFolder(TMainWin::MacroFolder), std::string("E:\\my macros"));
    EXPECT_EQ(TProfileFile(Ini).Read("Paths", "thd", "none"), programFolder + "\\thd");
}

TEST_F(TOptionCommands, OptionsOfAnOpenWindowReachItWithoutResults)
{
    Command(CM_REVERBTIME);
    Command(CM_THDNVSFREQUENCY);
    ASSERT_NE(Main->ReverbWindow(), nullptr);
    ASSERT_NE(Main->ThdFreqWindow(), nullptr);
    Main->Script = [](TDialog& d) {
        Control::Click(d, TReverbOptsDialog::SmoothSchroederId);
        return IDOK;
    };
    Command(CM_REVERBOPTIONS);
    EXPECT_EQ(Main->GetReverbOptions().SmoothingMethod, 2);
    Main->Script = [](TDialog& d) {
        Control::Choose(d, TTHDFreqOptsDialog::ChannelsId, 1);
        return IDOK;
    };
    Command(CM_THDNVSFREQUENCYOPTIONS);
    EXPECT_EQ(Main->GetThdFreqOptions().NumChannels, 2);
    EXPECT_NE(Main->ReverbWindow(), nullptr);
    EXPECT_NE(Main->ThdFreqWindow(), nullptr);
}
