#pragma once
#include <string>
#include "engine/DelayFinderSettings.h"
#include "engine/LeqSettings.h"

// The delay finder's and the Leq window's options dialogs without their
// windows: OK checks every field first and stores only when all pass, so a
// refused OK leaves the record as it was.
class TUtilityOptionsForm {
public:
    // Characters the delay finder's fields are read with, and the Leq dialog's.
    static constexpr int DelayFieldLength = 20;
    static constexpr int LeqFieldLength = 80;
    static constexpr float MinSpeedOfSound = 10.0f;
    static constexpr float MaxSpeedOfSound = 100000.0f;
    static constexpr int MinMaxDelayMsec = 10;
    static constexpr int MaxMaxDelayMsec = 1000;

    struct TOutcome {
        bool Stored = false;
        std::string Message;
    };

    struct TDelayFields {
        int Unit = -1;  // the checked unit button, -1 none (the unit stays)
        std::string SpeedOfSound;
        std::string MaxDelay;
    };
    static TOutcome Store(const TDelayFields& fields, DelayFinderSettings& record);
    static TDelayFields FieldsOf(const DelayFinderSettings& record);

    // The six figure groups in dialog order: Leq(t), Leq, Lsel, Lpk, Lmax/Lmin, L10-L90.
    static constexpr int GroupCount = 6;
    static constexpr int PeakGroup = 3;
    struct TLeqFields {
        int Weighting[GroupCount] = {};
        int Averaging[GroupCount] = {};
        std::string ReferenceTime;
        std::string Interval;
        bool AtIntervals = true;  // radio 230; otherwise when the analyser stops
    };
    static TOutcome Store(const TLeqFields& fields, LeqSettings& record);
    static TLeqFields FieldsOf(const LeqSettings& record);
    // What Defaults shows: A everywhere, Slow for Leq(t), Leq and Lsel, Off
    // for Lpk, Fast for the rest, 3600 s, 1 s intervals.
    static TLeqFields LeqDefaults();
};
