// The generator's settings keys in file order, and the reader's and writer's rules.
#include "generator/TGeneratorSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "generator/TProfile.h"

namespace {

enum class TKind { U16, I32, Float, Text };

struct TKey {
    std::string Section;
    std::string Name;
    TKind Kind;
    void* Field;
    int Size;  // text fields: the array's size, terminator included
    std::string Default;
};

class TKeyList {
public:
    std::vector<TKey> Keys;

    void Begin(const std::string& section) { Section = section; }
    void U16(const std::string& name, uint16_t* field, const std::string& def) { Add(name, TKind::U16, field, def); }
    void I32(const std::string& name, int32_t* field, const std::string& def) { Add(name, TKind::I32, field, def); }
    void F(const std::string& name, float* field, const std::string& def) { Add(name, TKind::Float, field, def); }
    void S(const std::string& name, char* field, int size, const std::string& def)
    {
        Add(name, TKind::Text, field, def, size);
    }

private:
    void Add(const std::string& name, TKind kind, void* field, const std::string& def, int size = 0)
    {
        Keys.push_back({Section, name, kind, field, size, def});
    }
    std::string Section;
};

// A channel's sections; the right channel's carry the twin names.
void AddChannel(TKeyList& k, SignalParams& p, bool right)
{
    auto section = [right](const char* left) { return right ? std::string(left) + "R" : std::string(left); };

    k.Begin(section("NoiseBurst"));
    k.U16("Type", &p.NoiseBurst.Type, "1");
    k.I32("BurstTimeMsec", &p.NoiseBurst.BurstTimeMsec, "1000");
    k.I32("CycleTimeMsec", &p.NoiseBurst.CycleTimeMsec, "2000");

    k.Begin(section("FreqSweep"));
    k.F("FStartHz", &p.FreqSweep.FStartHz, "1000.0");
    k.F("FStopHz", &p.FreqSweep.FStopHz, "2000.0");
    k.I32("TimeMSec", &p.FreqSweep.TimeMSec, "1000");
    k.I32("SweepType", &p.FreqSweep.SweepType, "1");
    k.I32("SingleSweepFlag", &p.FreqSweep.SingleSweepFlag, "0");
    k.I32("ReturnSweepFlag", &p.FreqSweep.ReturnSweepFlag, "0");

    // The file holds the dwell time before the step size.
    k.Begin(section("FreqStep"));
    k.F("FStartHz", &p.FreqStep.FStartHz, "20.0");
    k.F("FStopHz", &p.FreqStep.FStopHz, "22000.0");
    k.I32("DwellTimeMSec", &p.FreqStep.DwellTimeMSec, "1000");
    k.F("StepSize", &p.FreqStep.StepSize, "1000");
    k.I32("OctaveNumber", &p.FreqStep.OctaveNumber, "3");
    k.I32("StepType", &p.FreqStep.StepType, "1");
    k.I32("SingleStepFlag", &p.FreqStep.SingleStepFlag, "0");
    k.I32("ReturnStepFlag", &p.FreqStep.ReturnStepFlag, "0");

    // The file holds the sweep time before the frequency.
    k.Begin(section("LevelSweep"));
    k.F("StartDB", &p.LevelSweep.StartDB, "-20.0");
    k.F("StopDB", &p.LevelSweep.StopDB, "0.0");
    k.I32("TimeMSec", &p.LevelSweep.TimeMSec, "1000");
    k.F("FreqHz", &p.LevelSweep.FreqHz, "1000.0");

    k.Begin(section("Tones"));
    for (int i = 0; i < SignalParams::ToneCount; ++i)
        k.I32("ToneEnable" + std::to_string(i), &p.Tones[i].ToneEnable, i == 0 ? "1" : "0");
    for (int i = 0; i < SignalParams::ToneCount; ++i)
        k.F("FreqHz" + std::to_string(i), &p.Tones[i].FreqHz, std::to_string(1000 * (i + 1)) + ".0");
    for (int i = 0; i < SignalParams::ToneCount; ++i)
        k.F("PwrDB" + std::to_string(i), &p.Tones[i].PwrDB, "0.0");

    k.Begin(section("ToneBurst"));
    k.I32("FreqHz", &p.ToneBurst.FreqHz, "1000");
    k.I32("BurstTimeMsec", &p.ToneBurst.BurstTimeMsec, "1000");
    k.I32("CycleTimeMsec", &p.ToneBurst.CycleTimeMsec, "2000");

    k.Begin(section("IMD"));
    k.U16("IMDtype", &p.IMD.IMDtype, "0");
    k.F("LoFreqHz", &p.IMD.LoFreqHz, "100.0");
    k.F("HiFreqHz", &p.IMD.HiFreqHz, "5000.0");
    k.F("PwrRatio", &p.IMD.PwrRatio, "4.0");

    k.Begin(section("Pulse"));
    k.I32("WidthNSec", &p.Pulse.WidthNSec, "200");
    k.I32("RepIntervalNSec", &p.Pulse.RepIntervalNSec, "10000");
    k.I32("OneShotFlag", &p.Pulse.OneShotFlag, "0");

    k.Begin(section("Sawtooth"));
    k.I32("Slope", &p.Sawtooth.Slope, "1");
    k.F("FreqHz", &p.Sawtooth.FreqHz, "1000.0");

    k.Begin(section("Triangular"));
    k.F("FreqHz", &p.Triangular.FreqHz, "1000.0");

    k.Begin(section("Square"));
    k.F("FreqHz", &p.Square.FreqHz, "2000.0");
    k.I32("DutyCyclePct", &p.Square.DutyCyclePct, "50");

    k.Begin(section("User Defined"));
    k.S("WaveFileName", p.UserDefined.WaveFileName, UserDefinedParams::NameSize, "");
    k.I32("RepeatFlag", &p.UserDefined.RepeatFlag, "1");

    k.Begin(right ? "DTMF_R" : "DTMF");
    k.S("KeyString", p.DTMF.KeyString, DTMFParams::KeySize, "1234567890*#ABCD");
    k.I32("PulseWidthMsec", &p.DTMF.PulseWidthMsec, "100");
    k.I32("PulseSpacingMsec", &p.DTMF.PulseSpacingMsec, "100");
    k.F("TwistDB", &p.DTMF.TwistDB, "3.0");
    k.I32("RepeatFlag", &p.DTMF.RepeatFlag, "0");
}

// Every key in the writer's order.
std::vector<TKey> KeyList(SignalParams& left, SignalParams& right, OutputLevelStruct& level)
{
    TKeyList k;
    k.Begin("Level");
    k.F("OutputLevel", &level.OutputLevel, "0.0");
    k.F("OutputLevelR", &level.OutputLevelR, "0.0");
    k.U16("OutputUnits", &level.OutputUnits, "0");
    k.U16("FSCardType", &level.FSCardType, "1");
    k.U16("FSOption", &level.FSOption, "1");
    k.F("FSLevel", &level.FSLevel, "0.0");

    k.Begin("Main");
    k.I32("SigType", &left.SigType, "3");
    AddChannel(k, left, false);
    k.Begin("Main");
    k.I32("SigTypeR", &right.SigType, "1");
    AddChannel(k, right, true);
    return k.Keys;
}

// The leading decimal integer; none reads as 0, beyond 32 bits saturates.
int32_t ToInt(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

float ToFloat(const std::string& text)
{
    return float(std::strtod(text.c_str(), nullptr));
}

}  // namespace

void TGeneratorSettings::Load(TProfile& profile, SignalParams& left, SignalParams& right, OutputLevelStruct& level)
{
    for (const TKey& key : KeyList(left, right, level)) {
        const std::string text = profile.Read(key.Section.c_str(), key.Name.c_str(), key.Default.c_str());
        switch (key.Kind) {
        case TKind::U16:
            *static_cast<uint16_t*>(key.Field) = uint16_t(ToInt(text));
            break;
        case TKind::I32:
            *static_cast<int32_t*>(key.Field) = ToInt(text);
            break;
        case TKind::Float:
            *static_cast<float*>(key.Field) = ToFloat(text);
            break;
        case TKind::Text: {
            char* field = static_cast<char*>(key.Field);
            const size_t n = std::min(text.size(), size_t(key.Size - 1));
            std::memcpy(field, text.data(), n);
            field[n] = '\0';
            break;
        }
        }
    }
    DeriveToneAmplitudes(left);
    DeriveToneAmplitudes(right);
}

void TGeneratorSettings::Save(TProfile& profile, const SignalParams& left, const SignalParams& right,
                              const OutputLevelStruct& level)
{
    // The table points into records it may fill; writing only reads through it.
    SignalParams l = left, r = right;
    OutputLevelStruct v = level;
    for (const TKey& key : KeyList(l, r, v)) {
        char text[64];
        switch (key.Kind) {
        case TKind::U16:
            std::snprintf(text, sizeof text, "%d", int(*static_cast<const uint16_t*>(key.Field)));
            break;
        case TKind::I32:
            std::snprintf(text, sizeof text, "%ld", long(*static_cast<const int32_t*>(key.Field)));
            break;
        case TKind::Float:
            std::snprintf(text, sizeof text, "%f", double(*static_cast<const float*>(key.Field)));
            break;
        case TKind::Text:
            profile.Write(key.Section.c_str(), key.Name.c_str(), static_cast<const char*>(key.Field));
            continue;
        }
        profile.Write(key.Section.c_str(), key.Name.c_str(), text);
    }
}

void TGeneratorSettings::Defaults(SignalParams& left, SignalParams& right, OutputLevelStruct& level)
{
    class TEmpty : public TProfile {
    public:
        std::string Read(const char*, const char*, const char* def) override { return def; }
        void Write(const char*, const char*, const std::string&) override {}
    } empty;
    Load(empty, left, right, level);
}

void TGeneratorSettings::DeriveToneAmplitudes(SignalParams& params)
{
    for (ToneParams& tone : params.Tones) tone.Amplitude = float(std::pow(10.0, 0.05 * tone.PwrDB));
}
