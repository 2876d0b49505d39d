#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

void Reply(int answer)
{
    static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Reply = answer;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A main window whose file dialogs and calibration question answer from
// queues: an empty name cancels the dialog.
class TScriptedMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::deque<std::string> Choices;
    std::vector<std::string> DialogTitles, DialogFolders;
    std::vector<DWORD> DialogFlags;
    uint32_t CalibrationChoice = 0;
    int CalibrationQuestions = 0;

    int RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool) override
    {
        DialogTitles.push_back(title);
        DialogFolders.push_back(data.InitialDir);
        DialogFlags.push_back(data.Flags);
        std::string choice = Choices.empty() ? "" : Choices.front();
        if (!Choices.empty()) Choices.pop_front();
        if (choice.empty()) return IDCANCEL;
        data.FileName = choice;
        return IDOK;
    }
    uint32_t AskCalibrationChoice() override
    {
        ++CalibrationQuestions;
        return CalibrationChoice;
    }
};

struct TFileMenu : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::string Wave = Folder.File("take.wav");
    std::unique_ptr<TScriptedMainWin> Main;

    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TONALYX_FIXTURES "/wav/pattern_16_2.wav", Wave.c_str(), FALSE));
        Main = NewMainWin();
        Messages().clear();
        Reply(THeadlessEngineHost::AnswerOk);
    }
    void TearDown() override
    {
        if (Main && Main->Wave()) Main->Wave()->Changed = 0;
        Main.reset();
    }
    std::unique_ptr<TScriptedMainWin> NewMainWin()
    {
        auto w = std::make_unique<TScriptedMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(w).OpMode() = TMainWin::PostProcess;
        State(w).FileIO().WaveFileMode = 0;
        for (int f : {TMainWin::WavFolder, TMainWin::TmpFolder, TMainWin::CfgFolder, TMainWin::CalFolder}) {
            w->SetConfiguredFolder(f, Folder.Path.c_str());
            w->SetCurrentFolder(f, Folder.Path.c_str());
        }
        return w;
    }
    // Opens the file and changes its first sample.
    void OpenAndEdit()
    {
        Main->OpenWaveFile(Wave.c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        Main->Wave()->PutSample(1234, 0, 0);
        Main->Wave()->Changed = 1;
    }
    std::string Recent(int key)
    {
        char text[300];
        ::GetPrivateProfileStringA("FileHistory", std::to_string(key).c_str(), "", text, sizeof text, Ini.c_str());
        return text;
    }
};

}

TEST_F(TFileMenu, OpeningAWaveEntersPostProcessWithItsFormatAndCaption)
{
    State(Main).OpMode() = TMainWin::RealTime;
    Main->OpenWaveFile("take.wav");   // a bare name is looked for in the "Wav" folder
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_EQ(Main->GetOpMode(), TMainWin::PostProcess);
    EXPECT_EQ(Main->GetAnalysisSettings().Format.SamplingRate, 32000u);
    EXPECT_EQ(Main->GetAnalysisSettings().Format.NumChannels, 2);
    EXPECT_EQ(Main->GetAnalysisSettings().ChannelProcessing, 2);
    EXPECT_EQ(std::string(Main->GetTitle()), "Tonalyx [" + Wave + "]");
    // Unchanged: closing asks nothing.
    EXPECT_EQ(Main->CloseWaveFile(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Main->Wave(), nullptr);
    EXPECT_STREQ(Main->GetTitle(), "Tonalyx");
    EXPECT_EQ(State(Main).LastClosedFile(), Wave);
}

TEST_F(TFileMenu, ClosingAChangedWaveKeepsWhatTheUserExpects)
{
    const std::string original = Contents(Wave);
    struct Case {
        const char* Name;
        int Answer;
        bool Unwritable;
        int Result;
        bool FileChanged;
    } cases[] = {
        {"no discards the edit", IDNO, false, 1, false},
        {"cancel keeps the wave open", IDCANCEL, false, 0, false},
        {"yes saves and closes", IDYES, false, 1, true},
        {"yes with a failing save keeps the wave", IDYES, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        { std::ofstream(Wave, std::ios::binary) << original; }
        OpenAndEdit();
        // A target that cannot be written makes the save fail.
        const std::string target = c.Unwritable ? "Z:\\no such folder\\take.wav" : Wave;
        Main->Wave()->SetFileName(target.c_str());
        Messages().clear();
        Reply(c.Answer);
        EXPECT_EQ(Main->CloseWaveFile(), c.Result);
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages()[0].Text, target + " has changed. Save file before closing?");
        EXPECT_EQ(Messages()[0].Caption, "Tonalyx");
        EXPECT_EQ(Main->Wave() != nullptr, c.Result == 0);
        if (Main->Wave()) {
            EXPECT_EQ(Main->Wave()->GetSample(0, 0, 0), 1234.0f);
        }
        EXPECT_EQ(Contents(Wave) != original, c.FileChanged);
        if (Main->Wave()) Main->Wave()->Changed = 0;
        Main->CloseWaveFile();
    }
}

TEST_F(TFileMenu, UntitledWaveIsKeptWhenSaveAsIsCancelledOrFails)
{
    TWaveFormat format;
    format.Set(8000, 1, 2);
    for (const char* target : {"", "Z:\\no such folder\\x.wav"}) {
        SCOPED_TRACE(target);
        Main->ReplaceWave(std::make_unique<TWaveFile>(100, format, Folder.Path.c_str()));
        Main->Wave()->Changed = 1;
        Main->SetCaption("Tonalyx");
        Main->Choices = {target};
        Reply(IDYES);
        Messages().clear();
        EXPECT_EQ(Main->CloseWaveFile(), 0);
        ASSERT_NE(Main->Wave(), nullptr);
        EXPECT_EQ(Messages()[0].Text, "[Untitled] has changed. Save file before closing?");
        EXPECT_STREQ(Main->GetTitle(), "Tonalyx");
        EXPECT_EQ(Recent(1), "");
        Main->Wave()->Changed = 0;
        Main->CloseWaveFile();
    }
}

TEST_F(TFileMenu, SaveAsUnderANewNameKeepsSamplesAndCalibration)
{
    const std::string copy = Folder.File("copy.wav");
    State(Main).Calibration().Left.IsEnabled = 1;
    State(Main).Calibration().Left.RefLevel = 94.0f;
    State(Main).Calibration().Right.CalRatio = 3.25f;
    std::strcpy(State(Main).Calibration().Filename, "C:\\cal\\mic.cal");
    State(Main).Calibration().Reserved[7] = 0x42;
    const CalibrationStruct saved = Main->GetCalibration();
    OpenAndEdit();
    Main->Choices = {copy};
    Main->CmFileSaveAs();
    EXPECT_EQ(std::string(Main->GetTitle()), "Tonalyx [" + copy + "]");
    EXPECT_EQ(Recent(1), copy);
    ASSERT_EQ(Main->CloseWaveFile(), 1);
    EXPECT_TRUE(Messages().empty());

    TWaveFile original(Wave.c_str(), 0, 0, Folder.Path.c_str());
    TWaveFile reopened(copy.c_str(), 0, 0, Folder.Path.c_str());
    ASSERT_EQ(reopened.Error, 0u);
    ASSERT_EQ(reopened.GetFrameCount(), original.GetFrameCount());
    EXPECT_EQ(reopened.GetSample(0, 0, 0), 1234.0f);
    for (uint32_t f = 1; f < original.GetFrameCount(); ++f)
        for (uint16_t ch = 0; ch < 2; ++ch) ASSERT_EQ(reopened.GetSample(f, ch, 0), original.GetSample(f, ch, 0));
    ASSERT_TRUE(reopened.HasCalibration());
    CalibrationStruct chunk;
    reopened.GetCalibrationData(chunk);
    EXPECT_EQ(std::memcmp(&chunk, &saved, sizeof chunk), 0);
}

TEST_F(TFileMenu, FailedSaveAsKeepsCaptionNameAndRecentList)
{
    Main->OpenWaveFile(Wave.c_str());
    const std::string caption = Main->GetTitle();
    Main->Choices = {"Z:\\no such folder\\x.wav"};
    Main->CmFileSaveAs();
    EXPECT_EQ(Main->GetTitle(), caption);
    EXPECT_EQ(Main->Wave()->FileName(), Wave);
    EXPECT_EQ(Recent(1), "");
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().Text, "Failure writing wave file.");

    // The wave's error flag from that failure does not fail the next save.
    Main->Wave()->Error = 1;
    Messages().clear();
    const std::string good = Folder.File("good.wav");
    Main->Choices = {good};
    EXPECT_TRUE(Main->SaveWaveAs());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Recent(1), good);
}

TEST_F(TFileMenu, RecentFilesHoldTheLastFourAndSurviveARestart)
{
    for (const char* p : {"C:\\a.wav", "C:\\b.wav", "C:\\c.cfg", "C:\\d.wav", "C:\\B.WAV", "C:\\e.wav"})
        Main->AddRecentFile(p);
    Main.reset();
    auto restarted = NewMainWin();
    EXPECT_EQ(Recent(1), "C:\\e.wav");
    EXPECT_EQ(Recent(2), "C:\\d.wav");
    EXPECT_EQ(Recent(3), "C:\\c.cfg");
    EXPECT_EQ(Recent(4), "C:\\b.wav");
    // A recent configuration loads as one; the missing file says so.
    restarted->OpenRecentFile(3);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "Failure opening file: C:\\c.cfg");
}

TEST_F(TFileMenu, PathsAreJoinedToTheWaveFolderOnlyWhenRelative)
{
    const std::string longName(300, 'x');
    const struct {
        std::string Path, Reported;
    } cases[] = {
        {"missing.wav", Folder.File("missing.wav")},
        {"C:\\missing.wav", "C:\\missing.wav"},
        {"\\missing\\x.wav", "\\missing\\x.wav"},
        {"\\\\server\\share\\x.wav", "\\\\server\\share\\x.wav"},
        {"a.w", "a.w"},
        {longName + ".wav", Folder.Path + "\\" + longName + ".wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        Messages().clear();
        Main->OpenWaveFile(c.Path.c_str());
        EXPECT_EQ(Main->Wave(), nullptr);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text, "Failure opening file: " + c.Reported);
    }
}

TEST_F(TFileMenu, OpenAsksAboutCalibrationOnlyForAWaveWithoutIt)
{
    const std::string cal = Folder.File("other.cal");
    ::WritePrivateProfileStringA("Calibration", "RefLevel", "2.0", cal.c_str());
    ::WritePrivateProfileStringA("Calibration", "RefType", "0", cal.c_str());
    ::WritePrivateProfileStringA("Calibration", "PctFullScaleLeft", "0.5", cal.c_str());

    State(Main).Calibration().Left.IsEnabled = 1;
    State(Main).Calibration().Right.IsEnabled = 1;
    Main->Choices = {Wave};
    Main->CalibrationChoice = 0;   // Esc
    Main->CmFileOpen();
    EXPECT_EQ(Main->CalibrationQuestions, 1);
    EXPECT_EQ(Main->DialogTitles.at(0), "Open Wave File");
    EXPECT_EQ(Main->DialogFolders.at(0), Folder.Path);
    EXPECT_EQ(Main->GetCalibration().Left.IsEnabled, 1u);
    EXPECT_EQ(Recent(1), Wave);

    Main->Choices = {Wave, cal};
    Main->CalibrationChoice = 102;
    Main->CmFileOpen();
    EXPECT_EQ(Main->DialogTitles.back(), "Open Calibration File");
    EXPECT_STREQ(Main->GetCalibration().Filename, cal.c_str());
    EXPECT_FLOAT_EQ(Main->Wave()->GetCalibration(0), 4.0f);
    EXPECT_FLOAT_EQ(Main->Wave()->GetCalibration(1), 4.0f);

    Main->Choices = {Wave};
    Main->CalibrationChoice = 103;
    Main->CmFileOpen();
    EXPECT_EQ(Main->GetCalibration().Left.IsEnabled, 0u);
    EXPECT_EQ(Main->GetCalibration().Right.IsEnabled, 0u);
    EXPECT_EQ(Main->Wave()->GetCalibration(0), 1.0f);

    // Calibration off: no question.
    Main->Choices = {Wave};
    Main->CmFileOpen();
    EXPECT_EQ(Main->CalibrationQuestions, 3);
}

TEST_F(TFileMenu, ConfigurationRoundTripAndUndo)
{
    const std::string cfg = Folder.File("setup.cfg");
    State(Main).Settings().FFTsize = 4096;
    State(Main).Settings().AverageType = 2;
    State(Main).Scaling()[1].AmpScaleType = 1;
    State(Main).Trigger().Threshold = 33;
    State(Main).Markers() = MarkerSettings{};
    Main->OpenWaveFile(Wave.c_str());
    Main->SaveConfiguration(cfg.c_str());
    EXPECT_EQ(ReadIniLines(cfg).empty(), false);
    char open[300];
    ::GetPrivateProfileStringA("FileHistory", "OpenFileName", "", open, sizeof open, cfg.c_str());
    EXPECT_EQ(open, Wave);

    Main->CloseWaveFile();
    State(Main).Settings().FFTsize = 1024;
    State(Main).Settings().AverageType = 0;
    State(Main).Scaling()[1].AmpScaleType = 0;
    State(Main).Trigger().Threshold = 80;
    Main->LoadConfiguration("setup.cfg");   // from the "cfg" folder
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 4096u);
    EXPECT_EQ(Main->GetAnalysisSettings().AverageType, 2);
    EXPECT_EQ(Main->GetScaling(1).AmpScaleType, 1);
    EXPECT_EQ(Main->GetTrigger().Threshold, 33u);
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_EQ(Main->Wave()->FileName(), Wave);
    const std::string undo = Folder.File("-Undo.cfg");
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "FFTsize", 0, undo.c_str()), 1024);

    // Loading the undo configuration, by any case of its name, does not
    // overwrite it.
    State(Main).Settings().FFTsize = 2048;
    std::string upper = undo;
    for (char& ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    Main->LoadConfiguration(upper.c_str());
    EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 1024u);
    EXPECT_EQ(GetPrivateProfileIntA("Settings", "FFTsize", 0, undo.c_str()), 1024);
}

TEST_F(TFileMenu, MissingOrMalformedConfigurationKeepsTheSettings)
{
    const std::string junk = Folder.File("junk.cfg"), binary = Folder.File("binary.cfg"),
                      empty = Folder.File("empty.cfg");
    std::ofstream(junk) << "this is no configuration\n";
    std::ofstream(binary, std::ios::binary) << std::string("\x00\xff\x01[\x7f", 5);
    std::ofstream(empty) << " \r\n";
    State(Main).Settings().FFTsize = 2048;
    const struct {
        std::string Name, Message;
    } cases[] = {
        {Folder.File("absent.cfg"), "Failure opening file: "},
        {empty, "The configuration file is empty: "},
        {junk, "The file holds no configuration settings that can be read: "},
        {binary, "The file holds no configuration settings that can be read: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Messages().clear();
        Main->LoadConfiguration(c.Name.c_str());
        EXPECT_EQ(Main->GetAnalysisSettings().FFTsize, 2048u);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text, c.Message + c.Name);
    }
    EXPECT_EQ(::GetFileAttributesA(Folder.File("-Undo.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TFileMenu, SaveConfigurationDialogAcceptsNewNamesAndRefusesLongOnes)
{
    const std::string cfg = Folder.File("new.cfg");
    Main->Choices = {cfg};
    Main->CmSaveConfiguration();
    EXPECT_EQ(Main->DialogFlags.at(0) & OFN_FILEMUSTEXIST, 0u);
    EXPECT_NE(Main->DialogFlags.at(0) & OFN_OVERWRITEPROMPT, 0u);
    EXPECT_NE(::GetFileAttributesA(cfg.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_STREQ(Main->GetLastConfigFile(), cfg.c_str());

    const std::string tooLong = Folder.Path + "\\" + std::string(260, 'c') + ".cfg";
    Main->Choices = {tooLong};
    Main->CmSaveConfiguration();
    EXPECT_STREQ(Main->GetLastConfigFile(), cfg.c_str());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "The file name is too long: " + tooLong);
    EXPECT_EQ(Main->DialogFolders.at(1), Folder.Path);
}

TEST_F(TFileMenu, PlacementsComeBackOnTheDesktop)
{
    const std::string cfg = Folder.File("placed.cfg");
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ::WritePrivateProfileStringA("Placement", "Spectrum", "0, 3, {-1,-1}, {-8,-8}, {5000,-20,700,500}",
                                 cfg.c_str());
    RECT r;
    int show = 0;
    Main->GetInitialPlacement(r, TMainWin::ViewType::Spectrum, cfg.c_str(), show);
    EXPECT_EQ(r.left, (desktop.right - desktop.left) / 2);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 700);
    EXPECT_EQ(r.bottom, 500);
    EXPECT_EQ(show, 3);
    // Missing: the type's default rectangle.
    Main->GetInitialPlacement(r, TMainWin::ViewType::Reverb, cfg.c_str(), show);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.right, 600);
    EXPECT_EQ(show, SW_SHOWNORMAL);
    State(Main).ApplicationHidden() = 1;
    Main->GetInitialPlacement(r, TMainWin::ViewType::Spectrum, cfg.c_str(), show);
    EXPECT_EQ(show, SW_HIDE);
}

TEST_F(TFileMenu, CalibrationFilesRoundTripBothChannels)
{
    CalibrationStruct written{};
    auto fill = [](CalibrationChannel& c, float level, int units, const char* name) {
        c.IsEnabled = 1;
        c.RefLevel = level;
        c.RefType = 1;
        c.RefUnits = uint32_t(units);
        std::strcpy(c.LabelLinear, "Pa");
        std::strcpy(c.LabelLog, "dB SPL");
        c.LabelType = 2;
        c.PctFullScale = 0.25f;
        c.ConversionType = 4;
        c.IntegrationType = 2;
        std::strcpy(c.ChannelName, name);
    };
    fill(written.Left, 94.0f, 2, "Mic A");
    fill(written.Right, 1.5f, 0, "Mic B");
    ComputeCalibrationRatio(written);
    Main->WriteCalibrationFile("pair.cal", written);   // into the "cal" folder
    const std::string file = Folder.File("pair.cal");
    EXPECT_STREQ(written.Filename, file.c_str());
    char text[64];
    ::GetPrivateProfileStringA("CalibrationR", "CalibrationStructTypeID", "", text, sizeof text, file.c_str());
    EXPECT_STREQ(text, "102");
    ::GetPrivateProfileStringA("CalibrationR", "RefLevel", "", text, sizeof text, file.c_str());
    EXPECT_STREQ(text, "1.500000");

    CalibrationStruct read{};
    // The enable flags live in the settings file, not in .cal files.
    read.Left.IsEnabled = read.Right.IsEnabled = 1;
    Main->ReadCalibrationFile(file.c_str(), read);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

    // The older one-section file: the right channel copies the left.
    const std::string old = Folder.File("old.cal");
    ::WritePrivateProfileStringA("Calibration", "RefLevel", "2.0", old.c_str());
    ::WritePrivateProfileStringA("Calibration", "RefUnits", "4", old.c_str());
    ::WritePrivateProfileStringA("Calibration", "PctFullScaleRight", "0.8", old.c_str());
    ::WritePrivateProfileStringA("Calibration", "RightChannelName", "Probe", old.c_str());
    ::WritePrivateProfileStringA("CalibrationR", "RefLevel", "9.0", old.c_str());
    Main->ReadCalibrationFile(old.c_str(), read);
    EXPECT_EQ(read.Right.RefLevel, 2.0f);
    EXPECT_EQ(read.Right.RefUnits, 4u);
    EXPECT_EQ(read.Right.PctFullScale, 0.8f);
    EXPECT_STREQ(read.Right.ChannelName, "Probe");
    EXPECT_STREQ(read.Left.LabelLinear, "Volts rms");
    EXPECT_FLOAT_EQ(read.Left.CalRatio, float(1.414213562373 * 2.0 / 0.5));

    // A missing file turns calibration off and says so.
    Messages().clear();
    Main->ReadCalibrationFile("C:\\absent.cal", read);
    EXPECT_EQ(read.Left.IsEnabled, 0u);
    EXPECT_EQ(read.Right.IsEnabled, 0u);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text,
              "Failure opening calibration file: \"C:\\absent.cal\".  Calibration will be disabled.");
}

namespace {

// The calibration keys of a settings file, as the main window writes them.
std::vector<TIniLine> CalibrationLines(const std::string& ini)
{
    std::vector<TIniLine> lines;
    for (const TIniLine& l : ReadIniLines(ini))
        if (l.Section == "Calibration" || l.Section == "CalibrationR") lines.push_back(l);
    return lines;
}

bool SameLines(const std::vector<TIniLine>& a, const std::vector<TIniLine>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Section != b[i].Section || a[i].Key != b[i].Key || a[i].Value != b[i].Value) return false;
    return true;
}

}

TEST_F(TFileMenu, AWaveWithoutSamplesIsNotOpenedAndSaysSo)
{
    const std::string empty = Folder.File("empty.wav");
    std::ofstream(empty, std::ios::binary) << Contents(Wave).substr(0, 40) << std::string(4, '\0');
    Main->OpenWaveFile(empty.c_str());
    EXPECT_EQ(Main->Wave(), nullptr);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text, "The wave file " + empty + " holds no samples.");
    EXPECT_EQ(Messages()[0].Caption, "Tonalyx");
}

// A calibration chunk or a .cal file filled with nonsense is refused with a
// message naming the file; the calibration in use stays, and nothing of the
// nonsense reaches the settings file written at exit.
TEST_F(TFileMenu, NonsenseCalibrationIsRefusedAndNeverReachesTheIni)
{
    const std::string good = Folder.File("good.cal");
    ::WritePrivateProfileStringA("Calibration", "RefLevel", "2.0", good.c_str());
    ::WritePrivateProfileStringA("Calibration", "LabelLinear", "Volts peak", good.c_str());
    Main->ReadCalibrationFile(good.c_str(), State(Main).Calibration());
    State(Main).Calibration().Left.IsEnabled = State(Main).Calibration().Right.IsEnabled = 1;
    const CalibrationStruct inUse = Main->GetCalibration();
    Main->WriteSettings(Main->GetIniPath());
    const std::vector<TIniLine> before = CalibrationLines(Ini);
    ASSERT_FALSE(before.empty());

    const std::string wave = Folder.File("nonsense.wav");
    std::ofstream(wave, std::ios::binary) << Contents(Wave) << std::string("\x66\0\0\0\0\x08\0\0", 8)
                                          << std::string(2048, 'A');
    const std::string cal = Folder.File("nonsense.cal");
    for (auto [key, value] : {std::pair{"RefLevel", "inf"}, {"LeftChannelName", "-2147483648"},
                              {"RightChannelName", "1e39"}, {"LabelLinear", "\x01\x02\x03\x7F"}})
        ::WritePrivateProfileStringA("Calibration", key, value, cal.c_str());

    Messages().clear();
    Main->Choices = {wave};
    Main->CmFileOpen();
    ASSERT_NE(Main->Wave(), nullptr);
    EXPECT_EQ(Main->Wave()->GetFrameCount(), 64u);
    Main->ReadCalibrationFile(cal.c_str(), State(Main).Calibration());
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].Text, "The calibration data in " + wave + " is invalid.  The current calibration is kept.");
    EXPECT_EQ(Messages()[1].Text,
              "The calibration file \"" + cal + "\" holds invalid values.  The current calibration is kept.");
    EXPECT_EQ(std::memcmp(&State(Main).Calibration(), &inUse, sizeof inUse), 0);

    Main->WriteSettings(Main->GetIniPath());
    EXPECT_TRUE(SameLines(CalibrationLines(Ini), before));
}
