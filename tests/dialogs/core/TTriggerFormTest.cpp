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
