#include <gtest/gtest.h>
#include "dialogs/TTriggerForm.h"
#include "base/TEngineHost.h"

TEST(TTriggerForm, ThresholdAndDelayAreCheckedInOrder)
{
    const struct {
        const char* Threshold;
        const char* Delay;
        TTriggerForm::TField Failed;
        const char* Message;
    } cases[] = {
        {"100", "1000.0", TTriggerForm::TField::None, ""},
        {"0", "0", TTriggerForm::TField::None, ""},
        {"101", "0", TTriggerForm::TField::Threshold, "Threshold must be between 0 and 100 percent."},
        {"-1", "0", TTriggerForm::TField::Threshold, "Threshold must be between 0 and 100 percent."},
        {"50", "1000.5", TTriggerForm::TField::Delay, "Trigger delay must be between 0 and 1000"},
        {"50", "-0.5", TTriggerForm::TField::Delay, "Trigger delay must be between 0 and 1000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Threshold << " " << c.Delay);
        TriggerSettings record;
        TTriggerForm::TFields f;
        f.Enable = true;
        f.Action = TriggerSettings::RunOn;
        f.LeftChannel = false;
        f.Threshold = c.Threshold;
        f.PostTrigger = true;
        f.Delay = c.Delay;
        f.Level = false;
        f.Positive = false;
        f.StartGenerator = true;
        const TTriggerForm::TOutcome out = TTriggerForm::Store(f, record);
        EXPECT_EQ(out.Failed, c.Failed);
        EXPECT_EQ(out.Message, c.Message);
        EXPECT_EQ(out.Style, c.Failed == TTriggerForm::TField::None ? 0u : TEngineHost::MsgIconStop);
        // Enable, action and channel come before the first check.
        EXPECT_EQ(record.Enable, 1u);
        EXPECT_EQ(record.Mode, uint32_t(TriggerSettings::RunOn));
        EXPECT_EQ(record.Channel, 1u);
        const bool thresholdStored = c.Failed != TTriggerForm::TField::Threshold;
        EXPECT_EQ(record.DelayType, thresholdStored ? 1 : 0);
        EXPECT_EQ(record.TriggerType, c.Failed == TTriggerForm::TField::None ? TriggerSettings::Edge
                                                                             : TriggerSettings::Level);
        EXPECT_EQ(record.StartSigGenOnTrigger, c.Failed == TTriggerForm::TField::None ? 1u : 0u);
    }
}

TEST(TTriggerForm, FieldsOfARecordStoreItBackUnchanged)
{
    TriggerSettings rising;
    TriggerSettings falling;
    falling.Enable = 1;
    falling.Mode = TriggerSettings::RunOn;
    falling.Channel = 1;
    falling.Threshold = 100;
    falling.DelayType = 1;
    falling.DelayMsec = 12.5f;
    falling.TriggerType = TriggerSettings::Edge;
    falling.TriggerSlope = TriggerSettings::Negative;
    falling.StartSigGenOnTrigger = 1;
    for (const TriggerSettings& record : {rising, falling}) {
        SCOPED_TRACE(record.Mode);
        const TTriggerForm::TFields f = TTriggerForm::FieldsOf(record);
        EXPECT_NE(f.PreTrigger, f.PostTrigger);
        TriggerSettings stored;
        stored.Mode = 7;
        ASSERT_EQ(TTriggerForm::Store(f, stored).Failed, TTriggerForm::TField::None);
        EXPECT_EQ(stored.Enable, record.Enable);
        EXPECT_EQ(stored.Mode, record.Mode);
        EXPECT_EQ(stored.Channel, record.Channel);
        EXPECT_EQ(stored.TriggerType, record.TriggerType);
        EXPECT_EQ(stored.TriggerSlope, record.TriggerSlope);
        EXPECT_EQ(stored.Threshold, record.Threshold);
        EXPECT_EQ(stored.DelayType, record.DelayType);
        EXPECT_EQ(stored.DelayMsec, record.DelayMsec);
        EXPECT_EQ(stored.StartSigGenOnTrigger, record.StartSigGenOnTrigger);
    }
    TriggerSettings unknownMode;
    unknownMode.Mode = 9;
    const TTriggerForm::TFields f = TTriggerForm::FieldsOf(unknownMode);
    EXPECT_EQ(f.Action, -1);
    EXPECT_EQ(f.Threshold, std::to_string(unknownMode.Threshold));
    EXPECT_EQ(f.Delay, "0.000");
}
