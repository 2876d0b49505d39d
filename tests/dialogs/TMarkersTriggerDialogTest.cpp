// The markers and trigger dialogs on their templates.
#include <cstring>
#include <string>
#include "dialogs/TMarkersDialog.h"
#include "dialogs/TTriggerDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using M = TMarkersDialog;
using T = TTriggerDialog;

class MarkersTrigger : public DialogTest {
protected:
    MarkerSettings Markers;
    TriggerSettings Trigger;
};

}

TEST_F(MarkersTrigger, MarkersStoreEveryRowAsTyped)
{
    Markers.MarkerEnable[1] = 1;
    Markers.LabelType[2] = 4;
    M d(&Owner, Main, "DIALOG_MARKERS", &Markers);
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(Control::Text(d, M::FrequencyId), "1000.0");
    EXPECT_FALSE(Control::Enabled(d, M::FrequencyId));
    EXPECT_TRUE(Control::Enabled(d, M::FrequencyId + 1));
    EXPECT_TRUE(Control::Enabled(d, M::CustomLabelId + 2));
    EXPECT_FALSE(Control::Enabled(d, M::CustomLabelId + 1));
    EXPECT_EQ(Control::Text(d, M::LabelTypeId + 2), "Custom");

    // Row 0: typed while disabled, stored anyway; row 1: above the spin's
    // limit; row 2: no number; row 3: enabled with a custom label cut by
    // the edit's limit.
    Control::Type(d, M::FrequencyId, "1234.5");
    Control::Type(d, M::FrequencyId + 1, "30000");
    Control::Type(d, M::FrequencyId + 2, "loud");
    Control::Click(d, M::EnableId + 3);
    EXPECT_TRUE(Control::Enabled(d, M::FrequencyId + 3));
    Control::Choose(d, M::LabelTypeId + 3, 4);
    EXPECT_TRUE(Control::Enabled(d, M::CustomLabelId + 3));
    ::SendDlgItemMessageA(d.GetHandle(), M::CustomLabelId + 3, EM_SETSEL, 0, -1);
    ::SendDlgItemMessageA(d.GetHandle(), M::CustomLabelId + 3, EM_REPLACESEL, FALSE,
                          LPARAM("Resonance of the left loudspeaker"));
    Control::Click(d, M::PeakHoldId);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(Markers.MarkerFreq[0], 1234.5f);
    EXPECT_EQ(Markers.MarkerEnable[0], 0u);
    EXPECT_EQ(Markers.MarkerFreq[1], 30000.0f);
    EXPECT_EQ(Markers.MarkerFreq[2], 0.0f);
    EXPECT_EQ(Markers.MarkerEnable[3], 1u);
    EXPECT_EQ(Markers.LabelType[3], 4u);
    EXPECT_STREQ(Markers.CustomLabel[3], "Resonance of the left loudspe");
    EXPECT_EQ(std::strlen(Markers.CustomLabel[3]), 29u);
    EXPECT_STREQ(Markers.CustomLabel[4], "Marker 5");
    EXPECT_EQ(Markers.PeakHoldFlag, 1u);
}

// The spins step up to 22000 Hz, 100 percent and 1000 ms and no further.
TEST_F(MarkersTrigger, SpinsAndHelp)
{
    Markers.MarkerEnable[7] = 1;
    Markers.MarkerFreq[7] = 21999.5f;
    M markers(&Owner, Main, "DIALOG_MARKERS", &Markers);
    ASSERT_TRUE(markers.Create());
    Control::Spin(markers, M::SpinId + 7, SB_LINEUP);
    EXPECT_EQ(Control::Text(markers, M::FrequencyId + 7), "22000");
    Control::Spin(markers, M::SpinId + 7, SB_LINEUP);
    EXPECT_EQ(Control::Text(markers, M::FrequencyId + 7), "22000");
    ExpectHelp(markers, M::HelpId, 380);
    markers.Destroy();

    Trigger.Threshold = 99;
    Trigger.DelayMsec = 999.0f;
    T trigger(&Owner, Main, "DIALOG_TRIGGER", &Trigger);
    ASSERT_TRUE(trigger.Create());
    for (int i = 0; i < 2; ++i) {
        Control::Spin(trigger, T::ThresholdSpinId, SB_LINEUP);
        Control::Spin(trigger, T::DelaySpinId, SB_LINEUP);
    }
    EXPECT_EQ(Control::Text(trigger, T::ThresholdId), "100");
    EXPECT_EQ(Control::Text(trigger, T::DelayId), "1000");
    trigger.Destroy();
}

TEST_F(MarkersTrigger, TriggerChecksThresholdAndDelay)
{
    const struct {
        const char* Threshold;
        const char* Delay;
        const char* Message;
    } rows[] = {
        {"100", "1000.0", nullptr},
        {"101", "0", "Threshold must be between 0 and 100 percent."},
        {"50", "1000.5", "Trigger delay must be between 0 and 1000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Threshold << " " << row.Delay);
        Trigger = TriggerSettings{};
        T d(&Owner, Main, "DIALOG_TRIGGER", &Trigger);
        ASSERT_TRUE(d.Create());
        Boxes().Messages.clear();
        Control::Click(d, T::EnableId);
        Control::Click(d, T::StopId);
        Control::Click(d, T::RightId);
        Control::Click(d, T::PostTriggerId);
        Control::Click(d, T::EdgeId);
        Control::Click(d, T::NegativeId);
        Control::Click(d, T::GeneratorId);
        Control::Type(d, T::ThresholdId, row.Threshold);
        Control::Type(d, T::DelayId, row.Delay);
        const bool closed = Control::Ok(d);
        EXPECT_EQ(closed, row.Message == nullptr);
        if (row.Message) {
            ASSERT_EQ(Boxes().Messages.size(), 1u);
            EXPECT_EQ(Boxes().Messages[0].Text, row.Message);
            EXPECT_EQ(Boxes().Messages[0].Caption, "Tonalyx");
            EXPECT_EQ(Boxes().Messages[0].Style, unsigned(MB_OK | MB_ICONSTOP));
            d.Destroy();
            continue;
        }
        EXPECT_EQ(Trigger.Enable, 1u);
        EXPECT_EQ(Trigger.Mode, 1u);
        EXPECT_EQ(Trigger.Channel, 1u);
        EXPECT_EQ(Trigger.Threshold, 100u);
        EXPECT_EQ(Trigger.DelayType, 1);
        EXPECT_EQ(Trigger.DelayMsec, 1000.0f);
        EXPECT_EQ(Trigger.TriggerType, TriggerSettings::Edge);
        EXPECT_EQ(Trigger.TriggerSlope, TriggerSettings::Negative);
        EXPECT_EQ(Trigger.StartSigGenOnTrigger, 1u);
    }
}

// Id 134 is both the Level button and the slope group box: the dialog reads
// and sets the button.
TEST_F(MarkersTrigger, TriggerShowsTheRecordAndDefaultsStoreNothingUntilOk)
{
    Trigger.Enable = 0;
    Trigger.Mode = 2;
    Trigger.Channel = 1;
    Trigger.TriggerType = TriggerSettings::Edge;
    Trigger.Threshold = 7;
    Trigger.DelayType = 1;
    Trigger.DelayMsec = 12.5f;
    T d(&Owner, Main, "DIALOG_TRIGGER", &Trigger);
    ASSERT_TRUE(d.Create());
    char className[16] = {};
    ::GetClassNameA(Control::Item(d, T::LevelId), className, sizeof className);
    EXPECT_STREQ(className, "Button");
    EXPECT_EQ(::GetWindowLongA(Control::Item(d, T::LevelId), GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_FALSE(Control::Checked(d, T::LevelId));
    EXPECT_TRUE(Control::Checked(d, T::EdgeId));
    EXPECT_TRUE(Control::Checked(d, T::RunOnId));
    EXPECT_TRUE(Control::Checked(d, T::RightId));
    EXPECT_TRUE(Control::Checked(d, T::PostTriggerId));
    EXPECT_EQ(Control::Text(d, T::ThresholdId), "7");
    EXPECT_EQ(Control::Text(d, T::DelayId), "12.500");
    const TriggerSettings before = Trigger;
    Control::Press(d, T::DefaultsId);
    EXPECT_EQ(std::memcmp(&Trigger, &before, sizeof Trigger), 0);
    for (int id : {T::LevelId, T::PositiveId, T::LeftId, T::PreTriggerId, T::RearmId, T::EnableId})
        EXPECT_TRUE(Control::Checked(d, id)) << id;
    for (int id : {T::EdgeId, T::NegativeId, T::RightId, T::PostTriggerId, T::StopId, T::RunOnId, T::GeneratorId})
        EXPECT_FALSE(Control::Checked(d, id)) << id;
    ExpectHelp(d, T::HelpId, 400);
    ASSERT_TRUE(Control::Ok(d));
    EXPECT_EQ(Trigger.Enable, 1u);
    EXPECT_EQ(Trigger.Mode, 0u);
    EXPECT_EQ(Trigger.Threshold, 50u);
    EXPECT_EQ(Trigger.DelayMsec, 0.0f);
    EXPECT_EQ(Trigger.TriggerType, TriggerSettings::Level);
}
