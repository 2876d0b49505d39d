#pragma once
#include <string>
#include "views/THDFreqSettings.h"

// The THD+N versus frequency options dialog without its window: the texts
// and choices its controls hold, and OK's checks, which store nothing until
// every one passes.
class TThdFreqOptsForm {
public:
    // Characters the number fields are read with, and the limit file names.
    static constexpr int FieldLength = 79;
    static constexpr int FileNameLength = 255;
    // The octave list's fractions, in list order.
    static constexpr int OctaveCount = 8;
    static constexpr int OctaveNumbers[OctaveCount] = {1, 3, 6, 9, 12, 24, 48, 96};
    static constexpr int LinearSteps = 1;
    static constexpr int OctaveSteps = 2;

    // List selections are entry indexes, -1 for none; StepType is the
    // checked step button's value, -1 for none.
    struct TFields {
        std::string PlotTop, PlotBottom, StartFreq, StopFreq, SignalLevelL, SignalLevelR, StepSize;
        int Channels = -1;  // 0 left only, 1 both
        int StepType = -1;
        int Octave = -1;
        int Weighting = -1, AmpScale = -1, FreqScale = -1;
        bool LimitEnableL = false, LimitEnableR = false, PromptToSave = false;
        std::string LimitFileL, LimitFileR;
    };
    struct TOutcome {
        bool Stored = false;
        std::string Message;
        const char* Caption = "";
    };

    // halfRate is half the sampling rate in Hz, the highest stop frequency.
    static TOutcome Store(const TFields& fields, THDFreqSettings& record, int halfRate);
    static TFields FieldsOf(const THDFreqSettings& record);
    // What Defaults shows: the record's defaults in octave steps, without limit files.
    static TFields Defaults();
};
