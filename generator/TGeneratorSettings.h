#pragma once
#include "generator/SignalParams.h"

class TProfile;

// The generator's 154 settings keys: section "Level", the waveform codes in
// section "Main" and one section per signal kind with a right-channel twin.
// One table gives each key's section, field, default and written format; it
// is read and written in the same order.
class TGeneratorSettings {
public:
    static constexpr int KeyCount = 154;

    // Every key, each missing one from its default. Reading tests no range:
    // the dialogs test what the user types, and the builders guard the rest.
    static void Load(TProfile& profile, SignalParams& left, SignalParams& right, OutputLevelStruct& level);
    static void Save(TProfile& profile, const SignalParams& left, const SignalParams& right,
                     const OutputLevelStruct& level);

    // The records an empty settings file gives.
    static void Defaults(SignalParams& left, SignalParams& right, OutputLevelStruct& level);

    // 10^(PwrDB / 20) of every tone.
    static void DeriveToneAmplitudes(SignalParams& params);
};
