#pragma once
#include <string>

#include "generator/SignalParams.h"

// What the output level dialog offers and accepts: the seven units with the
// spin range and starting text each gives the level fields, the sound-card
// presets with their full-scale voltage, and the check of a level record.
class TOutputLevelRules {
public:
    struct TUnit {
        const char* Name;
        float SpinMaximum;
        float SpinMinimum;
        const char* LevelText;
    };
    struct TPreset {
        const char* Name;
        const char* Volts;
    };
    static constexpr int PresetCount = 8;

    // By unit code (OutputLevelStruct::OutputUnits).
    static const TUnit Units[OutputUnitCount];
    static const TPreset Presets[PresetCount];

    // The message of the first value out of range: the full-scale level
    // (unless it is unknown), then the left and the right level in their
    // unit's range; empty when all pass.
    static std::string Check(const OutputLevelStruct& level);
    // The message of channel 0's or 1's level alone, in the record's unit
    // and full scale (one volt when it is not above zero); empty when it
    // passes. An unknown unit accepts no level.
    static std::string CheckLevel(const OutputLevelStruct& level, int channel);
};
