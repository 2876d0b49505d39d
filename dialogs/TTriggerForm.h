#pragma once
#include <string>
#include "engine/TriggerSettings.h"

// The trigger dialog without its window: OK's checks and stores on the
// states and texts its controls hold.
class TTriggerForm {
public:
    static constexpr int MaxThreshold = 100;
    static constexpr int MaxDelayMsec = 1000;
    // Characters the threshold and delay fields are read with.
    static constexpr int FieldLength = 10;

    struct TFields {
        bool Enable = false;
        int Action = -1;              // the checked action button, -1 none
        bool LeftChannel = false;
        std::string Threshold;
        bool PreTrigger = false;
        bool PostTrigger = false;
        std::string Delay;
        bool Level = false;
        bool Positive = false;
        bool StartGenerator = false;
    };
    enum class TField { None, Threshold, Delay };
    struct TOutcome {
        TField Failed = TField::None;
        std::string Message;
        unsigned Style = 0;
    };
    // The checks in their order, each field stored as it passes; the first
    // refusal ends it.
    static TOutcome Store(const TFields& fields, TriggerSettings& record);
    // What the controls show of a record: each button group with its value's
    // button, no action button for a mode none stands for.
    static TFields FieldsOf(const TriggerSettings& record);
};
