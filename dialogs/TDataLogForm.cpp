#include "dialogs/TDataLogForm.h"

#include <cmath>
#include <cstdio>
#include "dialogs/TFieldText.h"

namespace {

constexpr TDataLogForm::TDataType Types[] = {
    {"Peak Frequency", 0},
    {"Peak Amplitude", 1},
    {"Peak Frequency and Amplitude", 2},
    {"Marker Levels", 17},
    {"Total Power", 3},
    {"Total Power Flat, A, B and C", 16},
    {"Spectrum Values", 4},
    {"Total Harmonic Distortion (THD)", 5},
    {"Frequency and THD", 13},
    {"Total Harmonic Distortion + Noise (THD+N)", 6},
    {"Frequency and THD+Noise", 14},
    {"Intermodulation Distortion (IMD)", 7},
    {"Signal to Noise Ratio (SNR)", 8},
    {"SINAD Ratio", 9},
    {"Noise Figure (NF)", 10},
    {"Time Delay", 11},
    {"Leq Values", 12},
};

std::string Formatted(const char* format, double a, double b)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

}  // namespace

std::span<const TDataLogForm::TDataType> TDataLogForm::DataTypes()
{
    return Types;
}

bool TDataLogForm::UsesWholeSpan(uint16_t code)
{
    switch (code) {
    case 5: case 6: case 7: case 8: case 9: case 10: case 12:
        return true;
    default:
        return false;
    }
}

std::string TDataLogForm::FrequencyText(float hertz)
{
    char text[48];
    std::snprintf(text, sizeof text, "%3.0f", double(hertz));
    return text;
}

TDataLogForm::TFields TDataLogForm::FieldsOf(const LoggingSettings& r)
{
    TFields f;
    char text[48];
    f.EveryBlock = r.IntervalFlag == 0;
    std::snprintf(text, sizeof text, "%3.2f", double(r.IntervalSecs));
    f.Interval = text;
    f.FullSpan = r.UseFullSpan != 0;
    f.Start = FrequencyText(r.StartFreq);
    f.Stop = FrequencyText(r.StopFreq);
    std::snprintf(text, sizeof text, "%3.2f", double(r.Threshold));
    f.Threshold = text;
    f.DataType = r.DataType;
    f.Overwrite = r.OverwriteFlag != 0;
    f.Header = r.IncludeHeaderFlag != 0;
    f.TimeStamp = r.IncludeTimeStampFlag != 0;
    return f;
}

TDataLogForm::TFields TDataLogForm::Defaults(float limit)
{
    TFields f;
    f.EveryBlock = true;
    f.Interval = "1.00";
    f.FullSpan = true;
    f.Start = FrequencyText(0.0f);
    f.Stop = FrequencyText(limit);
    f.Threshold = "-999.0";
    f.DataType = Types[0].Code;
    return f;
}

TDataLogForm::TOutcome TDataLogForm::Store(const TFields& f, float limit, LoggingSettings& record)
{
    if (f.FullSpan) {
        record.UseFullSpan = 1;
    } else {
        record.UseFullSpan = 0;
        const double start = TFieldText::ToFloat(f.Start.substr(0, FieldLength));
        const double stop = TFieldText::ToFloat(f.Stop.substr(0, FieldLength));
        if (start > stop) return {false, "Stop Frequency must be greater than Start Frequency"};
        if (start < 0.0 || start > limit)
            return {false, Formatted("Start Frequency must be between %6.1f and %6.1f Hz", 0.0, limit)};
        if (stop <= 0.0 || stop > limit)
            return {false, Formatted("Stop Frequency must be between %6.1f and %6.1f Hz", 0.0, limit)};
        record.StartFreq = float(start);
        record.StopFreq = float(stop);
    }
    if (f.EveryBlock) {
        record.IntervalFlag = 0;
    } else {
        record.IntervalFlag = 1;
        const double interval = TFieldText::ToFloat(f.Interval.substr(0, FieldLength));
        if (interval < MinInterval || interval > MaxInterval) {
            char text[80];
            std::snprintf(text, sizeof text, "Update Interval must be between 1 and %d seconds.", MaxInterval);
            return {false, text};
        }
        record.IntervalSecs = float(interval);
    }
    record.Threshold = float(TFieldText::ToFloat(f.Threshold.substr(0, FieldLength)));
    record.DataType = f.DataType;
    record.OverwriteFlag = f.Overwrite ? 1 : 0;
    record.IncludeHeaderFlag = f.Header ? 1 : 0;
    record.IncludeTimeStampFlag = f.TimeStamp ? 1 : 0;
    return {true, {}};
}
