#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/TDataLogForm.h"

using Form = TDataLogForm;

// Span, then interval: the first refused field names itself; fields that
// passed before it are in the copy, those after it are not.
TEST(TDataLogForm, ChecksSpanThenIntervalWithTheirMessages)
{
    const struct {
        bool fullSpan;
        const char *start, *stop;
        bool everyBlock;
        const char* interval;
        const char* message;
    } cases[] = {
        {false, "500", "400", true, "1", "Stop Frequency must be greater than Start Frequency"},
        {false, "-1", "400", true, "1", "Start Frequency must be between    0.0 and 24000.0 Hz"},
        {false, "0", "0", true, "1", "Stop Frequency must be between    0.0 and 24000.0 Hz"},
        {false, "0", "24000.5", true, "1", "Stop Frequency must be between    0.0 and 24000.0 Hz"},
        {false, "100", "24000", false, "0.5", "Update Interval must be between 1 and 3600 seconds."},
        {true, "-5", "0", false, "3601", "Update Interval must be between 1 and 3600 seconds."},
        {false, "0", "24000", false, "3600", ""},
        {true, "junk", "junk", true, "junk", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " " << c.stop << " " << c.interval);
        Form::TFields f;
        f.FullSpan = c.fullSpan;
        f.Start = c.start;
        f.Stop = c.stop;
        f.EveryBlock = c.everyBlock;
        f.Interval = c.interval;
        f.Threshold = "-20.5";
        f.DataType = 17;
        f.Overwrite = false;
        LoggingSettings record;
        const Form::TOutcome outcome = Form::Store(f, 24000.0f, record);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_EQ(outcome.Stored, std::string(c.message).empty());
        EXPECT_EQ(record.DataType, outcome.Stored ? 17 : 0);
        EXPECT_EQ(record.Threshold, outcome.Stored ? -20.5f : -999.0f);
        EXPECT_EQ(record.OverwriteFlag, outcome.Stored ? 0u : 1u);
        if (outcome.Stored) {
            EXPECT_EQ(record.UseFullSpan, c.fullSpan ? 1u : 0u);
            EXPECT_EQ(record.IntervalFlag, c.everyBlock ? 0u : 1u);
        }
    }
    // A full span keeps the stored band; a custom one stores it.
    LoggingSettings record;
    Form::TFields f = Form::FieldsOf(record);
    f.FullSpan = false;
    f.Start = "100";
    f.Stop = "2000";
    ASSERT_TRUE(Form::Store(f, 24000.0f, record).Stored);
    EXPECT_EQ(record.StartFreq, 100.0f);
    EXPECT_EQ(record.StopFreq, 2000.0f);
}

// Every code but 15 once, in the list's order; the whole-spectrum measures
// take no band.
TEST(TDataLogForm, ListsEachDataTypeOnceAndKnowsWhichTakeNoBand)
{
    std::set<int> codes;
    for (const Form::TDataType& type : Form::DataTypes()) codes.insert(type.Code);
    EXPECT_EQ(codes.size(), 17u);
    EXPECT_EQ(codes.count(15), 0u);
    EXPECT_STREQ(Form::DataTypes()[3].Text, "Marker Levels");
    EXPECT_EQ(Form::DataTypes()[3].Code, 17);
    std::set<int> wholeSpan;
    for (int code = 0; code <= 17; ++code)
        if (Form::UsesWholeSpan(uint16_t(code))) wholeSpan.insert(code);
    EXPECT_EQ(wholeSpan, (std::set<int>{5, 6, 7, 8, 9, 10, 12}));

    const Form::TFields shown = Form::FieldsOf(LoggingSettings{});
    EXPECT_EQ(shown.Interval, "1.00");
    EXPECT_EQ(shown.Stop, "1000");
    EXPECT_EQ(shown.Threshold, "-999.00");
    const Form::TFields defaults = Form::Defaults(22050.0f);
    EXPECT_TRUE(defaults.EveryBlock && defaults.FullSpan && defaults.Overwrite && defaults.Header);
    EXPECT_EQ(defaults.Stop, "22050");
    EXPECT_EQ(defaults.Threshold, "-999.0");
}
