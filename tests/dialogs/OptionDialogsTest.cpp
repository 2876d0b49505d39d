// The print annotation, utility display, file options and paths dialogs on
// their templates, driven by control ids.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "dialogs/TAnnotationDialog.h"
#include "dialogs/TFileOptionsDialog.h"
#include "dialogs/TPathsDialog.h"
#include "dialogs/TPhaseScopeOptsDialog.h"
#include "dialogs/TReverbOptsDialog.h"
#include "dialogs/TTHDFreqOptsDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using A = TAnnotationDialog;

class AnnotationDialog : public DialogTest {
protected:
    TPrintOptions Record{};
    void SetUp() override
    {
        DialogTest::SetUp();
        std::strcpy(Record.Annotation1, "Loudspeaker A");
        std::strcpy(Record.Annotation2, "Room 2");
        Record.MarginLeft = 0.5f;
        Record.MarginRight = 0.25f;
        Record.MarginTop = 1.0f;
        Record.MarginBottom = 0.2f;
        Record.EnableCommentBlock = 1;
        std::strcpy(Record.Comment[0], "First");
        std::strcpy(Record.Comment[9], "Last");
    }
};

}

TEST_F(AnnotationDialog, ShowsTheRecordAndCancelKeepsIt)
{
    const TPrintOptions before = Record;
    A d(&Owner, "DIALOG_ANNOTATION", &Record);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, A::Title1Id), "Loudspeaker A");
    EXPECT_EQ(Control::Text(d, A::Title2Id), "Room 2");
    EXPECT_EQ(Control::Text(d, A::MarginLeftId), "0.50");
    EXPECT_EQ(Control::Text(d, A::MarginRightId), "0.25");
    EXPECT_EQ(Control::Text(d, A::MarginTopId), "1.00");
    EXPECT_EQ(Control::Text(d, A::MarginBottomId), "0.20");
    EXPECT_TRUE(Control::Checked(d, A::PrintCommentsId));
    EXPECT_EQ(Control::Text(d, A::CommentsId), "First\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nLast");
    Control::Type(d, A::Title1Id, "Changed");
    Control::Type(d, A::CommentsId, "Other");
    Control::Press(d, IDCANCEL);
    EXPECT_EQ(d.GetHandle(), nullptr);
    EXPECT_EQ(std::memcmp(&Record, &before, sizeof Record), 0);
}

TEST_F(AnnotationDialog, OkStoresTitlesMarginsAndTheFirstTenLinesCut)
{
    A d(&Owner, "DIALOG_ANNOTATION", &Record);
    ASSERT_TRUE(d.Create());
    Control::Type(d, A::Title1Id, std::string(100, 't').c_str());
    Control::Type(d, A::Title2Id, "");
    Control::Type(d, A::MarginLeftId, "abc");
    Control::Type(d, A::MarginRightId, "-0.3");
    Control::Type(d, A::MarginTopId, "2");
    Control::Type(d, A::MarginBottomId, "0.75");
    Control::Click(d, A::PrintCommentsId);
    std::string comments = std::string(300, 'c');
    for (int line = 2; line <= 12; ++line) comments += "\r\nline " + std::to_string(line);
    Control::Type(d, A::CommentsId, comments.c_str());
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(std::string(Record.Annotation1), std::string(79, 't'));
    EXPECT_STREQ(Record.Annotation2, "");
    EXPECT_EQ(Record.MarginLeft, 0.0f);
    EXPECT_EQ(Record.MarginRight, -0.3f);
    EXPECT_EQ(Record.MarginTop, 2.0f);
    EXPECT_EQ(Record.MarginBottom, 0.75f);
    EXPECT_EQ(Record.EnableCommentBlock, 0);
    EXPECT_EQ(std::string(Record.Comment[0]), std::string(255, 'c'));
    EXPECT_STREQ(Record.Comment[1], "line 2");
    EXPECT_STREQ(Record.Comment[9], "line 10");
}

namespace {

using R = TReverbOptsDialog;
using P = TPhaseScopeOptsDialog;
using T = TTHDFreqOptsDialog;

// The THD+N dialog with the editor's start recorded.
class TRecordingThdDialog : public T {
public:
    using T::T;
    std::vector<std::string> Launched;

protected:
    void Launch(const std::string& commandLine) override { Launched.push_back(commandLine); }
};

}

TEST_F(DialogTest, PhaseScopeOptionsKeepAFormatNoButtonShowsAndDefaultTheColours)
{
    PhaseScopeSettingsStruct record;
    record.DisplayFormat = 7;
    record.LineColor = 0x123456;
    {
        P d(&Owner, Main, "DIALOG_PHASE_SCOPE", &record);
        ASSERT_TRUE(d.Create());
        for (int id : {P::StereoImageId, P::LeftRightId, P::RightLeftId}) EXPECT_FALSE(Control::Checked(d, id));
        ASSERT_TRUE(Control::Ok(d));
        EXPECT_EQ(record.DisplayFormat, 7u);
    }
    P d(&Owner, Main, "DIALOG_PHASE_SCOPE", &record);
    ASSERT_TRUE(d.Create());
    Control::Press(d, P::DefaultsId);
    EXPECT_TRUE(Control::Checked(d, P::StereoImageId));
    EXPECT_EQ(record.LineColor, uint32_t(RGB(255, 255, 0)));
    EXPECT_EQ(record.BackgroundColor, uint32_t(RGB(0, 0, 0)));
    EXPECT_EQ(record.GridColor, uint32_t(RGB(192, 192, 192)));
    ExpectHelp(d, P::HelpId, P::HelpContext);
    Control::Click(d, P::RightLeftId);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(record.DisplayFormat, 2u);
}

TEST_F(DialogTest, ReverbOptionsStoreEachFieldAsItPasses)
{
    const struct {
        const char *Decay, *Top, *Range, *Message;
        float StoredDecay, StoredTop;
    } cases[] = {
        {"30", "-200", "10", nullptr, 30.0f, -200.0f},
        {"30.5", "0", "80", "Maximum decay time must be between 1 and 30 seconds.", 10.0f, 20.0f},
        {"12", "201", "80", "Plot Top must be between -200 and +200", 12.0f, 20.0f},
        {"12", "5", "9", "Plot Range must be between 10 and 200", 12.0f, 5.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Decay);
        ReverbSettings record;
        R d(&Owner, Main, "DIALOG_REVERB", &record);
        ASSERT_TRUE(d.Create());
        EXPECT_TRUE(Control::Checked(d, R::SmoothAverageId));
        EXPECT_TRUE(Control::Checked(d, R::Rt20Id));
        EXPECT_EQ(Control::Text(d, R::MaxDecayId), "  10.0");
        Control::Type(d, R::MaxDecayId, c.Decay);
        Control::Type(d, R::PlotTopId, c.Top);
        Control::Type(d, R::PlotRangeId, c.Range);
        Control::Click(d, R::SmoothSchroederId);
        Control::Click(d, R::Rt30Id);
        Boxes().Messages.clear();
        const bool closed = Control::Ok(d);
        EXPECT_EQ(closed, c.Message == nullptr);
        EXPECT_EQ(record.MaxDecayTime, c.StoredDecay);
        EXPECT_EQ(record.PlotTop, c.StoredTop);
        EXPECT_EQ(record.SmoothingMethod, closed ? 2 : 1);
        EXPECT_EQ(record.ExtrapolationMethod, closed ? 2 : 1);
        if (closed) continue;
        ASSERT_EQ(Boxes().Messages.size(), 1u);
        EXPECT_EQ(Boxes().Messages[0].Text, c.Message);
        EXPECT_EQ(Boxes().Messages[0].Caption, "");
        EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK));
        d.Destroy();
    }
}

TEST_F(DialogTest, ReverbDefaultsSetTheControlsAndTheColours)
{
    ReverbSettings record;
    record.SmoothingMethod = 0;
    record.BarColor = 0x111111;
    R d(&Owner, Main, "DIALOG_REVERB", &record);
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(Control::Checked(d, R::SmoothNoneId));
    Control::Type(d, R::PlotRangeId, "5");
    Control::Press(d, R::DefaultsId);
    EXPECT_TRUE(Control::Checked(d, R::SmoothAverageId));
    EXPECT_FALSE(Control::Checked(d, R::SmoothNoneId));
    EXPECT_EQ(std::strtod(Control::Text(d, R::PlotRangeId).c_str(), nullptr), 80.0);
    EXPECT_EQ(record.BarColor, uint32_t(RGB(0, 0, 255)));
    EXPECT_EQ(record.BackgroundColor, uint32_t(RGB(255, 255, 196)));
    EXPECT_EQ(record.DecayColor, uint32_t(RGB(128, 0, 0)));
    EXPECT_EQ(record.GridColor, uint32_t(RGB(128, 128, 128)));
    EXPECT_EQ(record.SurfaceColor, uint32_t(RGB(0, 0, 255)));
    ExpectHelp(d, R::HelpId, R::HelpContext);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(record.SmoothingMethod, 1);
    EXPECT_EQ(record.PlotRange, 80.0f);
}

TEST_F(DialogTest, ThdFreqOptionsShowTheRecordAndEnableByStepAndLimit)
{
    THDFreqSettings record;
    record.StepType = 1;
    record.OctaveNumber = 12;
    record.NumChannels = 2;
    record.LimitEnableR = 1;
    std::strcpy(record.LimitFilenameR, "C:\\limits\\right one.ovl");
    TRecordingThdDialog d(&Owner, Main, "DIALOG_THD_VS_FREQ", &record, 24000);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Entries(d, T::OctaveListId),
              (std::vector<std::string>{"1/1 Octave", "1/3 Octave", "1/6 Octave", "1/9 Octave", "1/12 Octave",
                                        "1/24 Octave", "1/48 Octave", "1/96 Octave"}));
    EXPECT_EQ(Control::Entries(d, T::ChannelsId), (std::vector<std::string>{"Left only", "Both Left and Right"}));
    EXPECT_EQ(Control::Entries(d, T::WeightingId), (std::vector<std::string>{"Flat", "A", "B", "C"}));
    EXPECT_EQ(Control::Selection(d, T::OctaveListId), 4);
    EXPECT_EQ(Control::Selection(d, T::ChannelsId), 1);
    EXPECT_EQ(Control::Text(d, T::StopId), "20000.00");
    EXPECT_TRUE(Control::Checked(d, T::LinearId));
    EXPECT_TRUE(Control::Enabled(d, T::StepId));
    EXPECT_FALSE(Control::Enabled(d, T::OctaveListId));
    EXPECT_FALSE(Control::Enabled(d, T::EditLeftId));
    EXPECT_TRUE(Control::Enabled(d, T::EditRightId));

    Control::Click(d, T::OctaveId);
    EXPECT_FALSE(Control::Enabled(d, T::StepId));
    EXPECT_TRUE(Control::Enabled(d, T::OctaveListId));
    Control::Click(d, T::LimitRightId);
    EXPECT_FALSE(Control::Enabled(d, T::EditRightId));

    // The name goes to the editor quoted, blanks and all.
    Control::Press(d, T::EditRightId);
    EXPECT_EQ(d.Launched, (std::vector<std::string>{"Notepad.exe \"C:\\limits\\right one.ovl\""}));

    // The stop spin stops at half the rate.
    Control::Type(d, T::StopId, "23950");
    Control::Spin(d, T::StopSpinId, SB_LINEUP);
    EXPECT_EQ(std::strtod(Control::Text(d, T::StopId).c_str(), nullptr), 24000.0);
    ExpectHelp(d, T::HelpId, T::HelpContext);
    d.Destroy();
}

TEST_F(DialogTest, ThdFreqOptionsStoreNothingUntilEveryCheckPasses)
{
    THDFreqSettings record;
    const THDFreqSettings before = record;
    T d(&Owner, Main, "DIALOG_THD_VS_FREQ", &record, 24000);
    ASSERT_TRUE(d.Create());
    Control::Choose(d, T::ChannelsId, 1);
    Control::Type(d, T::StartId, "1000");
    Control::Type(d, T::StopId, "24000.5");
    Boxes().Messages.clear();
    EXPECT_FALSE(Control::Ok(d));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text,
              "Stop Frequency must be less than 24000.00 Hz (one half of the sampling rate).");
    EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    Control::Type(d, T::StopId, "24000");
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(record.StopFreq, 24000.0f);
    EXPECT_EQ(record.StartFreq, 1000.0f);
    EXPECT_EQ(record.NumChannels, 2);
}

TEST_F(DialogTest, ThdFreqLimitFileChosenChecksItsChannelAndDefaultsClearIt)
{
    THDFreqSettings record;
    Main.ChosenFile = "C:\\limits\\left.ovl";
    T d(&Owner, Main, "DIALOG_THD_VS_FREQ", &record, 22050);
    ASSERT_TRUE(d.Create());
    Control::Press(d, T::SelectLeftId);
    ASSERT_EQ(Main.FileDialogTitles, (std::vector<std::string>{"Select Limit File - Left Channel"}));
    EXPECT_EQ(Main.FileDialogs[0].DefExt, "ovl");
    EXPECT_NE(Main.FileDialogs[0].Flags & OFN_FILEMUSTEXIST, 0u);
    EXPECT_EQ(Main.KeptFolders, (std::vector<std::string>{"limit:C:\\limits\\left.ovl"}));
    EXPECT_EQ(Control::Text(d, T::FileLeftId), "C:\\limits\\left.ovl");
    EXPECT_TRUE(Control::Checked(d, T::LimitLeftId));
    EXPECT_TRUE(Control::Enabled(d, T::EditLeftId));
    // A cancelled choice changes nothing.
    Main.ChosenFile.clear();
    Control::Press(d, T::SelectRightId);
    EXPECT_FALSE(Control::Checked(d, T::LimitRightId));

    Control::Press(d, T::DefaultsId);
    EXPECT_TRUE(Control::Checked(d, T::OctaveId));
    EXPECT_FALSE(Control::Checked(d, T::LinearId));
    EXPECT_FALSE(Control::Enabled(d, T::StepId));
    EXPECT_EQ(Control::Entry(d, T::OctaveListId, Control::Selection(d, T::OctaveListId)), "1/3 Octave");
    EXPECT_FALSE(Control::Checked(d, T::LimitLeftId));
    EXPECT_EQ(Control::Text(d, T::FileLeftId), "");
    EXPECT_FALSE(Control::Enabled(d, T::EditLeftId));
    EXPECT_TRUE(Control::Checked(d, T::PromptToSaveId));
    EXPECT_EQ(record.GridColor, uint32_t(RGB(0, 128, 0)));
    EXPECT_EQ(record.LimitColor, uint32_t(RGB(255, 0, 0)));
    // Octave steps take a step size of 0.
    Control::Type(d, T::StepId, "0");
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(record.StepType, 2);
    EXPECT_EQ(record.StepSizeHz, 0.0f);
    EXPECT_EQ(record.OctaveNumber, 3);
}

namespace {
using FO = TFileOptionsDialog;
}

TEST_F(DialogTest, FileOptionsEnableByAccessMethodAndRefuseWithTheFieldsBeforeStored)
{
    FileIOSettings record;
    record.WaveFileMode = 0;
    FO d(&Owner, Main, "DIALOG_FILE_OPTIONS", &record);
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(Control::Checked(d, FO::RamId));
    EXPECT_FALSE(Control::Checked(d, FO::HardDiskId));
    EXPECT_FALSE(Control::Enabled(d, FO::MakeBackupId));
    EXPECT_TRUE(Control::Enabled(d, FO::MaxRamSecsId));
    EXPECT_FALSE(Control::Enabled(d, FO::MaxDiskMBId));
    EXPECT_EQ(Control::Text(d, FO::MaxDiskMBId), "2000");
    EXPECT_EQ(Control::Text(d, FO::MaxRamSecsId), "300");

    Control::Click(d, FO::HardDiskId);
    EXPECT_TRUE(Control::Enabled(d, FO::MakeBackupId));
    EXPECT_FALSE(Control::Enabled(d, FO::MaxRamSecsId));
    EXPECT_TRUE(Control::Enabled(d, FO::MaxDiskMBId));

    // The time limit is checked although its edit is disabled.
    Control::Type(d, FO::BufferSecsId, "30");
    Control::Type(d, FO::MaxRamSecsId, "2");
    Boxes().Messages.clear();
    EXPECT_FALSE(Control::Ok(d));
    ASSERT_EQ(Boxes().Messages.size(), 1u);
    EXPECT_EQ(Boxes().Messages[0].Text, "Maximum RAM recording time must be at least 4 seconds.");
    EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(record.RealTimeWaveBufferLengthSecs, 30);
    EXPECT_EQ(record.WaveFileMode, 0);

    Control::Type(d, FO::MaxRamSecsId, "3600");
    Control::Type(d, FO::MaxDiskMBId, "2000");
    Control::Click(d, FO::MakeBackupId);
    ExpectHelp(d, FO::HelpId, FO::HelpContext);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(record.WaveFileMode, 1);
    EXPECT_EQ(record.MaxRamRecordingTimeSecs, 3600);
    EXPECT_EQ(record.MaxDiskRecordingSizeBytes, 2000000000);
    EXPECT_EQ(record.MakeBackup, 0);
}

TEST_F(DialogTest, PathsDefaultsFillTheEditsOnlyAndOkTakesThemAsTyped)
{
    TPathsForm::TFolders record{};
    for (int i = 0; i < TPathsForm::FolderCount; ++i) std::snprintf(record.Folder[i], 260, "D:\\kept%d", i);
    const TPathsForm::TFolders before = record;
    TPathsDialog::TDefaults defaults;
    for (size_t i = 0; i < defaults.size(); ++i) defaults[i] = "C:\\Program Files\\T\\default" + std::to_string(i);
    {
        TPathsDialog d(&Owner, "DIALOG_PATHS", &record, defaults);
        ASSERT_TRUE(d.Create());
        EXPECT_EQ(Control::Text(d, TPathsDialog::FolderIds[8]), "D:\\kept8");
        Control::Press(d, TPathsDialog::DefaultsId);
        EXPECT_EQ(Control::Text(d, TPathsDialog::FolderIds[0]), "C:\\Program Files\\T\\default0");
        EXPECT_EQ(Control::Text(d, TPathsDialog::FolderIds[10]), "C:\\Program Files\\T\\default10");
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
        Control::Press(d, IDCANCEL);
        EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    }
    TPathsDialog d(&Owner, "DIALOG_PATHS", &record, defaults);
    ASSERT_TRUE(d.Create());
    Control::Press(d, TPathsDialog::DefaultsId);
    Control::Type(d, TPathsDialog::FolderIds[1], "");
    Control::Type(d, TPathsDialog::FolderIds[2], std::string(300, 'p').c_str());
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_STREQ(record.Folder[0], "C:\\Program Files\\T\\default0");
    EXPECT_STREQ(record.Folder[1], "");
    EXPECT_EQ(std::string(record.Folder[2]), std::string(259, 'p'));
}
