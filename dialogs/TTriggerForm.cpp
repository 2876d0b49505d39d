#include "dialogs/TTriggerForm.h"

#include <cstdio>
#include "dialogs/TFieldText.h"
#include "base/TEngineHost.h"
#include "resources/StringIds.h"

TTriggerForm::TFields TTriggerForm::FieldsOf(const TriggerSettings& record)
{
    TFields f;
    f.Enable = record.Enable != 0;
    f.Action = record.Mode <= TriggerSettings::RunOn ? int(record.Mode) : -1;
    f.LeftChannel = record.Channel == 0;
    f.Threshold = std::to_string(int32_t(record.Threshold));
    f.PreTrigger = record.DelayType == 0;
    f.PostTrigger = !f.PreTrigger;
    char delay[32];
    std::snprintf(delay, sizeof delay, "%1.3f", double(record.DelayMsec));
    f.Delay = delay;
    f.Level = record.TriggerType == TriggerSettings::Level;
    f.Positive = record.TriggerSlope == TriggerSettings::Positive;
    f.StartGenerator = record.StartSigGenOnTrigger != 0;
    return f;
}

TTriggerForm::TOutcome TTriggerForm::Store(const TFields& f, TriggerSettings& record)
{
    char text[96];
    record.Enable = f.Enable ? 1 : 0;
    if (f.Action >= int(TriggerSettings::Rearm) && f.Action <= int(TriggerSettings::RunOn)) record.Mode = uint32_t(f.Action);
    record.Channel = f.LeftChannel ? 0 : 1;

    const int32_t threshold = TFieldText::ToInt(f.Threshold);
    if (threshold < 0 || threshold > MaxThreshold) {
        std::snprintf(text, sizeof text, IDS_THRESHOLD_RANGE_TEXT, 0, MaxThreshold);
        return {TField::Threshold, text, TEngineHost::MsgIconStop};
    }
    record.Threshold = uint32_t(threshold);

    if (f.PreTrigger) record.DelayType = 0;
    if (f.PostTrigger) record.DelayType = 1;
    const double delay = TFieldText::ToFloat(f.Delay);
    if (delay < 0.0 || delay > MaxDelayMsec) {
        std::snprintf(text, sizeof text, IDS_TRIGGER_DELAY_RANGE_TEXT, MaxDelayMsec);
        return {TField::Delay, text, TEngineHost::MsgIconStop};
    }
    record.DelayMsec = float(delay);

    record.TriggerType = f.Level ? TriggerSettings::Level : TriggerSettings::Edge;
    record.TriggerSlope = f.Positive ? TriggerSettings::Positive : TriggerSettings::Negative;
    record.StartSigGenOnTrigger = f.StartGenerator ? 1 : 0;
    return {};
}
