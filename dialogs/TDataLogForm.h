#pragma once
#include <cstdint>
#include <span>
#include <string>
#include "engine/LoggingSettings.h"

// The data logging set-up without its window: the data types in list order,
// which of them log over the whole span only, what Defaults shows, and OK's
// checks, which store into the dialog's copy of the record in field order.
class TDataLogForm {
public:
    static constexpr int FieldLength = 20;
    static constexpr int MinInterval = 1;
    static constexpr int MaxInterval = 3600;
    // The frequency spin buttons' step, Hz.
    static constexpr float FrequencyStep = 100.0f;

    struct TDataType {
        const char* Text;
        uint16_t Code;
    };
    // The list's entries, top to bottom.
    static std::span<const TDataType> DataTypes();
    // Measures of the whole spectrum: their span controls are disabled.
    static bool UsesWholeSpan(uint16_t code);

    struct TFields {
        bool EveryBlock = false;
        std::string Interval;
        bool FullSpan = true;
        std::string Start;
        std::string Stop;
        std::string Threshold;
        uint16_t DataType = 0;
        bool Overwrite = true;
        bool Header = true;
        bool TimeStamp = true;
    };
    static TFields FieldsOf(const LoggingSettings& record);
    // The controls Defaults sets: every block, full span over 0 ... limit,
    // the first data type, overwrite, header and time stamps, -999.0.
    static TFields Defaults(float limit);

    struct TOutcome {
        bool Stored = false;
        std::string Message;
    };
    // Checks in dialog order, each field stored once it passes; limit is the
    // highest frequency the band may reach.
    static TOutcome Store(const TFields& fields, float limit, LoggingSettings& record);
    // A start or stop text as the span controls show it ("%3.0f").
    static std::string FrequencyText(float hertz);
};
