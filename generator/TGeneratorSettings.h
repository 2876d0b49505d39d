#pragma once
#include <string>
#include <vector>

#include "generator/SignalParams.h"

class TProfile;

// The generator's 154 settings keys: section "Level", the waveform codes in
// section "Main" and one section per signal kind with a right-channel twin.
// One table gives each key's section, field, default, written format and the
// values it may hold; it is read and written in the same order.
class TGeneratorSettings {
public:
    static constexpr int KeyCount = 154;

    // The values the reader refused: each kept its key's default, and a
    // channel that had one cannot play what its settings meant.
    struct TRefusals {
        std::vector<std::string> Keys;  // "section/key", in file order
        bool Channel[2] = {false, false};
        bool Any() const { return !Keys.empty(); }
        // What the generator tells when it opens; empty when nothing was refused.
        std::string Message() const;
    };

    // Every key, each missing one from its default. A waveform code or
    // choice the generator does not know, a level its unit does not accept
    // (TOutputLevelRules), a frequency outside 0 .. nyquist Hz, a real that
    // is no finite number or out of the parameter dialog's range keeps the
    // key's default and is listed. A frequency equal to its key's default
    // passes at every rate, as the program starts with it.
    static TRefusals Load(TProfile& profile, SignalParams& left, SignalParams& right, OutputLevelStruct& level,
                          double nyquist);
    static void Save(TProfile& profile, const SignalParams& left, const SignalParams& right,
                     const OutputLevelStruct& level);

    // The records an empty settings file gives.
    static void Defaults(SignalParams& left, SignalParams& right, OutputLevelStruct& level);

    // 10^(PwrDB / 20) of every tone.
    static void DeriveToneAmplitudes(SignalParams& params);
};
