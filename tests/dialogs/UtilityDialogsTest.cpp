// The delay finder and Leq options, the Leq results and the data logging
// set-up on their templates.
#include <string>
#include <vector>
#include "dialogs/TDataLogDialog.h"
#include "dialogs/TDelayFinderOptionsDialog.h"
#include "dialogs/TLeqOptionsDialog.h"
#include "dialogs/TLeqResultsDialog.h"
#include "framework/TClipboard.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using D = TDelayFinderOptionsDialog;
using L = TLeqOptionsDialog;
using G = TDataLogDialog;

class UtilityDialogs : public DialogTest {
protected:
    // The message boxes shown since the last call.
    std::vector<std::string> TakeMessages()
    {
        std::vector<std::string> texts;
        for (const auto& m : Boxes().Messages) texts.push_back(m.Text);
        Boxes().Messages.clear();
        return texts;
    }
};

}

// A refused OK keeps the dialog open and the record whole; Defaults shows
// and stores nothing; OK stores all three.
TEST_F(UtilityDialogs, DelayFinderOptions)
{
    DelayFinderSettings options{2, 343.0f, 46};
    D d(&Owner, Main, "DIALOG_DELAY_FINDER_OPTIONS", &options);
    ASSERT_TRUE(d.Create());
    EXPECT_TRUE(Control::Checked(d, D::MetersId));
    EXPECT_EQ(Control::Text(d, D::SpeedId), " 343.0");
    EXPECT_EQ(Control::Text(d, D::MaxDelayId), "46");
    Boxes().Messages.clear();

    Control::Click(d, D::FeetId);
    Control::Type(d, D::SpeedId, "1000");
    Control::Type(d, D::MaxDelayId, "1001");
    EXPECT_FALSE(Control::Ok(d));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"The maximum delay must be between 10 and 1000 milliseconds"});
    EXPECT_EQ(options.SpeedOfSound, 343.0f);
    EXPECT_EQ(options.DisplayUnits, 2);

    Control::Press(d, D::DefaultsId);
    EXPECT_TRUE(Control::Checked(d, D::MsecId));
    EXPECT_FALSE(Control::Checked(d, D::FeetId));
    EXPECT_EQ(Control::Text(d, D::SpeedId), "1130.0");
    EXPECT_EQ(Control::Text(d, D::MaxDelayId), "500");
    EXPECT_EQ(options.MaxDelayMsec, 46);
    ExpectHelp(d, D::HelpId, 660);

    Control::Click(d, D::FeetId);
    Control::Type(d, D::MaxDelayId, "92");
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(options.DisplayUnits, 1);
    EXPECT_EQ(options.SpeedOfSound, 1130.0f);
    EXPECT_EQ(options.MaxDelayMsec, 92);
}

TEST_F(UtilityDialogs, LeqOptions)
{
    LeqSettings options;
    options.Lstats_Weight = 3;
    options.Lmaxmin_Avg = 4;
    options.RecalculationMode = 1;
    L d(&Owner, Main, "DIALOG_LEQ_OPTIONS", &options);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Entries(d, L::FirstWeightingId), (std::vector<std::string>{"Flat", "A", "B", "C"}));
    EXPECT_EQ(Control::Entries(d, L::FirstAveragingId),
              (std::vector<std::string>{"Off", "Fast", "Medium", "Slow", "Forever"}));
    EXPECT_EQ(Control::Count(d, L::PeakAveragingId), 0);
    EXPECT_FALSE(Control::Enabled(d, L::PeakAveragingId));
    EXPECT_EQ(Control::Selection(d, L::FirstWeightingId + 5), 3);
    EXPECT_EQ(Control::Selection(d, L::FirstAveragingId + 4), 4);
    EXPECT_TRUE(Control::Checked(d, L::AtStopId));
    EXPECT_FALSE(Control::Enabled(d, L::IntervalId));
    EXPECT_EQ(Control::Text(d, L::IntervalId), "  1.00");
    Control::Click(d, L::AtIntervalsId);
    EXPECT_TRUE(Control::Enabled(d, L::IntervalId));
    Boxes().Messages.clear();

    // Both fields are checked before either is stored.
    Control::Type(d, L::ReferenceId, "60");
    Control::Type(d, L::IntervalId, "0");
    EXPECT_FALSE(Control::Ok(d));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Recalculation Interval must be greater than zero"});
    EXPECT_EQ(options.LeqT_RefTimeSec, 3600);
    Control::Type(d, L::ReferenceId, "0");
    EXPECT_FALSE(Control::Ok(d));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"LeqT Reference Time must be greater than zero"});

    Control::Press(d, L::DefaultsId);
    EXPECT_EQ(Control::Selection(d, L::FirstWeightingId + 5), 1);
    EXPECT_EQ(Control::Selection(d, L::FirstAveragingId + 4), 1);
    EXPECT_EQ(Control::Text(d, L::ReferenceId), "3600");
    EXPECT_EQ(options.Lstats_Weight, 3);
    ExpectHelp(d, L::HelpId, 865);

    Control::Choose(d, L::FirstWeightingId + 1, 0);
    Control::Choose(d, L::FirstAveragingId, 4);
    Control::Type(d, L::ReferenceId, "60");
    Control::Type(d, L::IntervalId, "2.5");
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(options.Leq_Weight, 0);
    EXPECT_EQ(options.Lstats_Weight, 1);
    EXPECT_EQ(options.LeqT_Avg, 4);
    EXPECT_EQ(options.Lpk_Avg, 0);
    EXPECT_EQ(options.LeqT_RefTimeSec, 60);
    EXPECT_EQ(options.UpdateIntervalSec, 2.5f);
    EXPECT_EQ(options.RecalculationMode, 0);
}

TEST_F(UtilityDialogs, LeqResultsShowAndCopyBothReports)
{
    TLeqResultsDialog d(&Owner, "DIALOG_LEQ_RESULTS", LeqSettings{}, "Left Channel\r\nLeq  \t 60.00",
                        "Right Channel\r\nLeq  \t 54.00");
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, TLeqResultsDialog::LeftId), "Left Channel\r\nLeq  \t 60.00");
    EXPECT_EQ(Control::Text(d, TLeqResultsDialog::RightId), "Right Channel\r\nLeq  \t 54.00");
    Control::Press(d, TLeqResultsDialog::CopyId);
    EXPECT_EQ(TClipboard(nullptr).GetText(), "Left Channel\r\nLeq  \t 60.00\r\n\r\nRight Channel\r\nLeq  \t 54.00");
    EXPECT_TRUE(Control::Ok(d));
}

// The list in its order with the stored code chosen; span controls by type
// and span; the four messages; the pickers; OK stores into the record.
TEST_F(UtilityDialogs, DataLogSetup)
{
    LoggingSettings logging;
    logging.DataType = 17;
    logging.IntervalFlag = 0;
    G d(&Owner, Main, "DIALOG_LOGGING", &logging, 22050.0f, true);
    ASSERT_TRUE(d.Create());
    const std::vector<std::string> types = Control::Entries(d, G::TypeId);
    ASSERT_EQ(types.size(), 17u);
    EXPECT_EQ(types[3], "Marker Levels");
    EXPECT_EQ(types[16], "Leq Values");
    EXPECT_EQ(Control::Selection(d, G::TypeId), 3);
    EXPECT_TRUE(Control::Checked(d, G::EnableId));
    EXPECT_TRUE(Control::Checked(d, G::EveryBlockId));
    EXPECT_FALSE(Control::Enabled(d, G::IntervalId));
    EXPECT_EQ(Control::Text(d, G::FileId), "datalog.txt");

    // THD measures the whole spectrum: no span controls at all.
    Control::Choose(d, G::TypeId, 7);
    for (int id : {G::FullSpanId, G::CustomId, G::StartId, G::StopId, G::StartSpinId, G::StopSpinId})
        EXPECT_FALSE(Control::Enabled(d, id)) << id;
    Control::Choose(d, G::TypeId, 2);
    EXPECT_TRUE(Control::Enabled(d, G::CustomId));

    Control::Click(d, G::CustomId);
    Control::Type(d, G::StartId, "-3");
    Control::Type(d, G::StopId, "30000");
    Control::Click(d, G::CustomId);
    EXPECT_EQ(Control::Text(d, G::StartId), "0");
    EXPECT_EQ(Control::Text(d, G::StopId), "22050");
    Boxes().Messages.clear();
    const struct {
        const char *Start, *Stop, *Interval, *Message;
    } refusals[] = {
        {"500", "100", "1", "Stop Frequency must be greater than Start Frequency"},
        {"100", "22051", "1", "Stop Frequency must be between    0.0 and 22050.0 Hz"},
        {"100", "2000", "3601", "Update Interval must be between 1 and 3600 seconds."},
    };
    Control::Click(d, G::AtIntervalsId);
    EXPECT_TRUE(Control::Enabled(d, G::IntervalId));
    for (const auto& r : refusals) {
        Control::Type(d, G::StartId, r.Start);
        Control::Type(d, G::StopId, r.Stop);
        Control::Type(d, G::IntervalId, r.Interval);
        EXPECT_FALSE(Control::Ok(d));
        ASSERT_EQ(Boxes().Messages.size(), 1u);
        EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONSTOP));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{r.Message});
    }
    EXPECT_EQ(logging.DataType, 17);

    Main.ChosenFile = "C:\\logs\\run 1.txt";
    Control::Press(d, G::PickFileId);
    EXPECT_EQ(Main.FileDialogTitles.back(), "Select Data Logging File");
    EXPECT_EQ(Main.FileDialogs.back().DefExt, "txt");
    EXPECT_EQ(Control::Text(d, G::FileId), "C:\\logs\\run 1.txt");
    EXPECT_EQ(Main.KeptFolders.back(), "txt:C:\\logs\\run 1.txt");
    EXPECT_STREQ(logging.LogFileName, "datalog.txt");
    ExpectHelp(d, G::HelpId, 430);

    Control::Type(d, G::IntervalId, "5");
    Control::Type(d, G::ThresholdId, "-40");
    Control::Click(d, G::AppendId);
    Control::Click(d, G::EnableId);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_FALSE(d.EnableLogging());
    EXPECT_EQ(logging.DataType, 2);
    EXPECT_EQ(logging.IntervalFlag, 1u);
    EXPECT_EQ(logging.IntervalSecs, 5.0f);
    EXPECT_EQ(logging.UseFullSpan, 0u);
    EXPECT_EQ(logging.StartFreq, 100.0f);
    EXPECT_EQ(logging.StopFreq, 2000.0f);
    EXPECT_EQ(logging.Threshold, -40.0f);
    EXPECT_EQ(logging.OverwriteFlag, 0u);
    EXPECT_STREQ(logging.LogFileName, "C:\\logs\\run 1.txt");
}

TEST_F(UtilityDialogs, DataLogDefaultsShowFirstTypeEveryBlockAndFullSpan)
{
    LoggingSettings logging;
    logging.DataType = 12;
    logging.UseFullSpan = 0;
    logging.OverwriteFlag = 0;
    G d(&Owner, Main, "DIALOG_LOGGING", &logging, 24000.0f, false);
    ASSERT_TRUE(d.Create());
    EXPECT_FALSE(Control::Enabled(d, G::CustomId));
    Control::Press(d, G::DefaultsId);
    EXPECT_EQ(Control::Selection(d, G::TypeId), 0);
    EXPECT_TRUE(Control::Checked(d, G::EveryBlockId));
    EXPECT_TRUE(Control::Checked(d, G::FullSpanId));
    EXPECT_TRUE(Control::Checked(d, G::OverwriteId));
    EXPECT_TRUE(Control::Checked(d, G::HeaderId) && Control::Checked(d, G::TimeStampId));
    EXPECT_EQ(Control::Text(d, G::ThresholdId), "-999.0");
    EXPECT_EQ(Control::Text(d, G::ViewerId), "notepad.exe");
    EXPECT_EQ(logging.DataType, 12);
    d.Destroy();
}
