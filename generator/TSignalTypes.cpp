#include "generator/TSignalTypes.h"

#include <strings.h>

namespace {

struct TKind {
    const char* ListName;
    const char* ReportName;
    bool Details;
};

// By code.
const TKind Kinds[SignalTypeCount] = {
    {"White Noise", "White Noise", false},
    {"Pink Noise", "Pink Noise", false},
    {"Noise Burst", "Noise Burst", true},
    {"1 kHz Tone", "1 kHz Tone", false},
    {"Multiple Tones", "Multiple Tones", true},
    {"Tone Burst", "Tone Burst", true},
    {"IMD Test Tones", "IMD Tones", true},
    {"Freq Sweep", "Frequency Sweep", true},
    {"Level Sweep", "Level Sweep", true},
    {"Sawtooth", "Sawtooth", true},
    {"Triangular", "Triangular", true},
    {"Pulse", "Pulse", true},
    {"Square", "Squarewave", true},
    {"User Defined", "User Defined", true},
    {"DTMF", "DTMF", true},
    {"Digital Zero", "Digital Zero", false},
    {"Freq Step", "Frequency Step", true},
};

// The lists' order: "Freq Step" stands ninth.
const int32_t ListOrder[SignalTypeCount] = {
    WhiteNoiseSignal, PinkNoiseSignal, NoiseBurstSignal, Tone1kSignal, MultipleTonesSignal, ToneBurstSignal,
    IMDTonesSignal, FreqSweepSignal, FreqStepSignal, LevelSweepSignal, SawtoothSignal, TriangularSignal,
    PulseSignal, SquareSignal, UserDefinedSignal, DTMFSignal, DigitalZeroSignal,
};

bool Known(int32_t code)
{
    return code >= 0 && code < SignalTypeCount;
}

}  // namespace

const char* TSignalTypes::ListName(int32_t code)
{
    return Known(code) ? Kinds[code].ListName : "";
}

const char* TSignalTypes::ReportName(int32_t code)
{
    return Kinds[Known(code) ? code : 0].ReportName;
}

bool TSignalTypes::HasDetails(int32_t code)
{
    return Known(code) && Kinds[code].Details;
}

int32_t TSignalTypes::ListCode(int index)
{
    return index >= 0 && index < SignalTypeCount ? ListOrder[index] : WhiteNoiseSignal;
}

bool TSignalTypes::CodeOfName(const char* name, int32_t& code)
{
    if (!name) return false;
    if (strcasecmp(name, "Noise") == 0) {
        code = WhiteNoiseSignal;
        return true;
    }
    for (int32_t c = 0; c < SignalTypeCount; ++c)
        if (strcasecmp(name, Kinds[c].ListName) == 0) {
            code = c;
            return true;
        }
    return false;
}

bool TSignalTypes::IsContinuous(const SignalParams& p)
{
    switch (p.SigType) {
    case UserDefinedSignal: return p.UserDefined.RepeatFlag != 0;
    case FreqStepSignal: return p.FreqStep.SingleStepFlag != 1;
    case FreqSweepSignal: return p.FreqSweep.SingleSweepFlag != 1;
    case DTMFSignal: return p.DTMF.RepeatFlag != 0;
    case PulseSignal: return p.Pulse.OneShotFlag != 1;
    default: return true;
    }
}
