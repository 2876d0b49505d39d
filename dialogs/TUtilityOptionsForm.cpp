#include "dialogs/TUtilityOptionsForm.h"

#include <cstdio>
#include "dialogs/TFieldText.h"

namespace {

// The six groups' fields, in dialog order.
constexpr uint16_t LeqSettings::* Weightings[TUtilityOptionsForm::GroupCount] = {
    &LeqSettings::LeqT_Weight, &LeqSettings::Leq_Weight,     &LeqSettings::Lsel_Weight,
    &LeqSettings::Lpk_Weight,  &LeqSettings::Lmaxmin_Weight, &LeqSettings::Lstats_Weight};
constexpr uint16_t LeqSettings::* Averagings[TUtilityOptionsForm::GroupCount] = {
    &LeqSettings::LeqT_Avg, &LeqSettings::Leq_Avg,     &LeqSettings::Lsel_Avg,
    &LeqSettings::Lpk_Avg,  &LeqSettings::Lmaxmin_Avg, &LeqSettings::Lstats_Avg};

}  // namespace

TUtilityOptionsForm::TOutcome TUtilityOptionsForm::Store(const TDelayFields& f, DelayFinderSettings& record)
{
    const double speed = TFieldText::ToFloat(f.SpeedOfSound.substr(0, DelayFieldLength));
    if (!(speed >= MinSpeedOfSound && speed <= MaxSpeedOfSound))
        return {false, "The speed of sound must be between 10 and 100,000 ft/sec"};
    const int32_t maximum = TFieldText::ToInt(f.MaxDelay.substr(0, DelayFieldLength));
    if (maximum < MinMaxDelayMsec || maximum > MaxMaxDelayMsec)
        return {false, "The maximum delay must be between 10 and 1000 milliseconds"};
    record.SpeedOfSound = static_cast<float>(speed);
    record.MaxDelayMsec = maximum;
    if (f.Unit >= 0 && f.Unit <= 2) record.DisplayUnits = static_cast<uint16_t>(f.Unit);
    return {true, {}};
}

TUtilityOptionsForm::TDelayFields TUtilityOptionsForm::FieldsOf(const DelayFinderSettings& r)
{
    TDelayFields f;
    f.Unit = r.DisplayUnits <= 2 ? r.DisplayUnits : -1;
    char text[64];
    std::snprintf(text, sizeof text, "%6.1f", double(r.SpeedOfSound));
    f.SpeedOfSound = text;
    f.MaxDelay = std::to_string(r.MaxDelayMsec);
    return f;
}

TUtilityOptionsForm::TOutcome TUtilityOptionsForm::Store(const TLeqFields& f, LeqSettings& record)
{
    const int32_t reference = TFieldText::ToInt(f.ReferenceTime.substr(0, LeqFieldLength));
    if (reference < 1) return {false, "LeqT Reference Time must be greater than zero"};
    const double interval = TFieldText::ToFloat(f.Interval.substr(0, LeqFieldLength));
    if (!(interval > 0.0)) return {false, "Recalculation Interval must be greater than zero"};
    for (int g = 0; g < GroupCount; ++g) {
        if (f.Weighting[g] < 0 || f.Weighting[g] > 3) return {false, "Choose a weighting for every level"};
        if (g != PeakGroup && (f.Averaging[g] < 0 || f.Averaging[g] > 4))
            return {false, "Choose an averaging for every level"};
    }
    record.LeqT_RefTimeSec = reference;
    record.UpdateIntervalSec = static_cast<float>(interval);
    for (int g = 0; g < GroupCount; ++g) {
        record.*Weightings[g] = static_cast<uint16_t>(f.Weighting[g]);
        record.*Averagings[g] = g == PeakGroup ? 0 : static_cast<uint16_t>(f.Averaging[g]);
    }
    record.RecalculationMode = f.AtIntervals ? 0 : 1;
    return {true, {}};
}

TUtilityOptionsForm::TLeqFields TUtilityOptionsForm::FieldsOf(const LeqSettings& r)
{
    TLeqFields f;
    for (int g = 0; g < GroupCount; ++g) {
        f.Weighting[g] = r.*Weightings[g];
        f.Averaging[g] = g == PeakGroup ? 0 : r.*Averagings[g];
    }
    f.ReferenceTime = std::to_string(r.LeqT_RefTimeSec);
    char text[64];
    std::snprintf(text, sizeof text, "%6.2f", double(r.UpdateIntervalSec));
    f.Interval = text;
    f.AtIntervals = r.RecalculationMode != 1;
    return f;
}

TUtilityOptionsForm::TLeqFields TUtilityOptionsForm::LeqDefaults()
{
    TLeqFields f;
    const int averaging[GroupCount] = {3, 3, 3, 0, 1, 1};
    for (int g = 0; g < GroupCount; ++g) {
        f.Weighting[g] = 1;
        f.Averaging[g] = averaging[g];
    }
    f.ReferenceTime = "3600";
    f.Interval = "1.0";
    f.AtIntervals = true;
    return f;
}
