#pragma once
#include <cstdint>

#include "generator/SignalParams.h"

// The seventeen signal kinds as the generator window shows them: the names
// its type lists hold (in list order), the names reports print, which kinds
// have a parameter dialog, and which play once.
class TSignalTypes {
public:
    // The list name of a code; empty for an unknown code.
    static const char* ListName(int32_t code);
    // The report name of a code; an unknown code reports as code 0.
    static const char* ReportName(int32_t code);
    static bool HasDetails(int32_t code);
    // The code of the list's item at index 0 to 16.
    static int32_t ListCode(int index);
    // The code of a list name, or of "Noise" (white noise), letters in any
    // case; false, leaving code as it was, when no name matches.
    static bool CodeOfName(const char* name, int32_t& code);
    // False for the kinds that play once: a user file, steps, a sweep or
    // DTMF keys without repetition, a single pulse.
    static bool IsContinuous(const SignalParams& params);
};
