#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dialogs/TUtilityOptionsForm.h"

using Form = TUtilityOptionsForm;

// A refused field leaves every field of the record as it was, including
// those checked before it.
TEST(TUtilityOptionsForm, DelayFinderChecksAllBeforeStoring)
{
    const struct {
        const char *speed, *maximum;
        const char* message;
    } cases[] = {
        {"9.9", "500", "The speed of sound must be between 10 and 100,000 ft/sec"},
        {"100001", "500", "The speed of sound must be between 10 and 100,000 ft/sec"},
        {"abc", "500", "The speed of sound must be between 10 and 100,000 ft/sec"},
        {"343", "9", "The maximum delay must be between 10 and 1000 milliseconds"},
        {"343", "1001", "The maximum delay must be between 10 and 1000 milliseconds"},
        {"10", "10", ""},
        {"100000", "1000", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.speed << " " << c.maximum);
        DelayFinderSettings record;
        const Form::TOutcome outcome = Form::Store(Form::TDelayFields{2, c.speed, c.maximum}, record);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_EQ(outcome.Stored, std::string(c.message).empty());
        if (outcome.Stored) {
            EXPECT_EQ(record.SpeedOfSound, float(std::stod(c.speed)));
            EXPECT_EQ(record.MaxDelayMsec, std::stoi(c.maximum));
            EXPECT_EQ(record.DisplayUnits, 2);
        } else {
            EXPECT_EQ(record.SpeedOfSound, 1130.0f);
            EXPECT_EQ(record.MaxDelayMsec, 500);
            EXPECT_EQ(record.DisplayUnits, 0);
        }
    }
    DelayFinderSettings record;
    const Form::TDelayFields shown = Form::FieldsOf(record);
    EXPECT_EQ(shown.SpeedOfSound, "1130.0");
    EXPECT_EQ(shown.MaxDelay, "500");
    EXPECT_EQ(shown.Unit, 0);
    ASSERT_TRUE(Form::Store(Form::TDelayFields{-1, "1000", "20"}, record).Stored);
    EXPECT_EQ(record.DisplayUnits, 0);
}

TEST(TUtilityOptionsForm, LeqChecksAllBeforeStoringAndNeverAveragesThePeak)
{
    Form::TLeqFields fields = Form::LeqDefaults();
    for (int g = 0; g < Form::GroupCount; ++g) {
        fields.Weighting[g] = g % 4;
        fields.Averaging[g] = 4;
    }
    fields.ReferenceTime = "60";
    fields.Interval = "2.5";
    fields.AtIntervals = false;

    for (auto [reference, interval, message] :
         {std::tuple{"0", "1.0", "LeqT Reference Time must be greater than zero"},
          std::tuple{"60", "0", "Recalculation Interval must be greater than zero"},
          std::tuple{"60", "-1", "Recalculation Interval must be greater than zero"}}) {
        Form::TLeqFields refused = fields;
        refused.ReferenceTime = reference;
        refused.Interval = interval;
        LeqSettings record;
        const Form::TOutcome outcome = Form::Store(refused, record);
        EXPECT_FALSE(outcome.Stored);
        EXPECT_EQ(outcome.Message, message);
        EXPECT_EQ(record.LeqT_RefTimeSec, 3600) << message;
        EXPECT_EQ(record.UpdateIntervalSec, 1.0f);
        EXPECT_EQ(record.Lstats_Avg, 1);
    }

    LeqSettings record;
    ASSERT_TRUE(Form::Store(fields, record).Stored);
    EXPECT_EQ(record.LeqT_RefTimeSec, 60);
    EXPECT_EQ(record.UpdateIntervalSec, 2.5f);
    EXPECT_EQ(record.RecalculationMode, 1);
    EXPECT_EQ(record.LeqT_Weight, 0);
    EXPECT_EQ(record.Lpk_Weight, 3);
    EXPECT_EQ(record.Lstats_Weight, 1);
    EXPECT_EQ(record.Lsel_Avg, 4);
    EXPECT_EQ(record.Lpk_Avg, 0);

    const Form::TLeqFields shown = Form::FieldsOf(LeqSettings{});
    EXPECT_EQ(shown.ReferenceTime, "3600");
    EXPECT_EQ(shown.Interval, "  1.00");
    EXPECT_TRUE(shown.AtIntervals);
    LeqSettings defaults;
    ASSERT_TRUE(Form::Store(Form::LeqDefaults(), defaults).Stored);
    EXPECT_EQ(Form::FieldsOf(defaults).Averaging[4], 1);
    EXPECT_EQ(defaults.Leq_Avg, 3);
    EXPECT_EQ(defaults.Lmaxmin_Weight, 1);
}
