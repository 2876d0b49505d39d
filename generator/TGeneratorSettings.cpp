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

#include "generator/TOutputLevelRules.h"
#include "generator/TProfile.h"
#include "generator/TSignalParamRules.h"

namespace {

enum class TKind { U16, I32, Float, Text };

// What a number must be: within Min .. Max; a frequency within Min ..
// the Nyquist frequency (or its key's default); a level within what the
// output level dialog accepts for its unit, checked once the unit and the
// full scale are read.
enum class TLimit { Range, Frequency, Level };

constexpr double FloatMax = std::numeric_limits<float>::max();

struct TKey {
    std::string Section;
    std::string Name;
    TKind Kind;
    void* Field;
    int Size;  // text fields: the array's size, terminator included
    std::string Default;
    int Channel;  // 0 left, 1 right, -1 both
    TLimit Limit;
    double Min, Max;
};

class TKeyList {
public:
    std::vector<TKey> Keys;

    void Begin(const std::string& section, int channel) { Section = section, Channel = channel; }
    void U16(const std::string& name, uint16_t* field, const std::string& def) { Add(name, TKind::U16, field, def, 0, 65535); }
    void I32(const std::string& name, int32_t* field, const std::string& def)
    {
        Add(name, TKind::I32, field, def, INT32_MIN, INT32_MAX);
    }
    void F(const std::string& name, float* field, const std::string& def)
    {
        Add(name, TKind::Float, field, def, -FloatMax, FloatMax);
    }
    void S(const std::string& name, char* field, int size, const std::string& def)
    {
        Add(name, TKind::Text, field, def, 0, 0, size);
    }
    void Range(double min, double max) { Keys.back().Min = min, Keys.back().Max = max; }
    void Frequency(double min) { Keys.back().Limit = TLimit::Frequency, Keys.back().Min = min; }
    void Level(int channel) { Keys.back().Limit = TLimit::Level, Keys.back().Channel = channel; }

private:
    void Add(const std::string& name, TKind kind, void* field, const std::string& def, double min, double max,
             int size = 0)
    {
        Keys.push_back({Section, name, kind, field, size, def, Channel, TLimit::Range, min, max});
    }
    std::string Section;
    int Channel = -1;
};

// A channel's sections; the right channel's carry the twin names.
void AddChannel(TKeyList& k, SignalParams& p, bool right)
{
    auto section = [right](const char* left) { return right ? std::string(left) + "R" : std::string(left); };
    const int channel = right ? 1 : 0;
    // Frequencies of tones may be 0 Hz; periodic shapes need one above it.
    constexpr double AboveZero = std::numeric_limits<float>::min();

    k.Begin(section("NoiseBurst"), channel);
    k.U16("Type", &p.NoiseBurst.Type, "1");
    k.Range(0, 1);  // white, pink
    k.I32("BurstTimeMsec", &p.NoiseBurst.BurstTimeMsec, "1000");
    k.I32("CycleTimeMsec", &p.NoiseBurst.CycleTimeMsec, "2000");

    k.Begin(section("FreqSweep"), channel);
    k.F("FStartHz", &p.FreqSweep.FStartHz, "1000.0");
    k.Frequency(0);
    k.F("FStopHz", &p.FreqSweep.FStopHz, "2000.0");
    k.Frequency(0);
    k.I32("TimeMSec", &p.FreqSweep.TimeMSec, "1000");
    k.I32("SweepType", &p.FreqSweep.SweepType, "1");
    k.Range(1, 2);  // linear, logarithmic
    k.I32("SingleSweepFlag", &p.FreqSweep.SingleSweepFlag, "0");
    k.I32("ReturnSweepFlag", &p.FreqSweep.ReturnSweepFlag, "0");

    // The file holds the dwell time before the step size.
    k.Begin(section("FreqStep"), channel);
    k.F("FStartHz", &p.FreqStep.FStartHz, "20.0");
    k.Frequency(0);
    k.F("FStopHz", &p.FreqStep.FStopHz, "22000.0");
    k.Frequency(0);
    k.I32("DwellTimeMSec", &p.FreqStep.DwellTimeMSec, "1000");
    k.F("StepSize", &p.FreqStep.StepSize, "1000");
    k.Range(AboveZero, FloatMax);
    k.I32("OctaveNumber", &p.FreqStep.OctaveNumber, "3");
    k.Range(1, 96);
    k.I32("StepType", &p.FreqStep.StepType, "1");
    k.Range(1, 2);  // linear, octave
    k.I32("SingleStepFlag", &p.FreqStep.SingleStepFlag, "0");
    k.I32("ReturnStepFlag", &p.FreqStep.ReturnStepFlag, "0");

    // The file holds the sweep time before the frequency.
    k.Begin(section("LevelSweep"), channel);
    k.F("StartDB", &p.LevelSweep.StartDB, "-20.0");
    k.Range(TSignalParamRules::MinToneDb, 0);
    k.F("StopDB", &p.LevelSweep.StopDB, "0.0");
    k.Range(TSignalParamRules::MinToneDb, 0);
    k.I32("TimeMSec", &p.LevelSweep.TimeMSec, "1000");
    k.F("FreqHz", &p.LevelSweep.FreqHz, "1000.0");
    k.Frequency(0);

    k.Begin(section("Tones"), channel);
    for (int i = 0; i < SignalParams::ToneCount; ++i)
        k.I32("ToneEnable" + std::to_string(i), &p.Tones[i].ToneEnable, i == 0 ? "1" : "0");
    for (int i = 0; i < SignalParams::ToneCount; ++i) {
        k.F("FreqHz" + std::to_string(i), &p.Tones[i].FreqHz, std::to_string(1000 * (i + 1)) + ".0");
        k.Frequency(0);
    }
    for (int i = 0; i < SignalParams::ToneCount; ++i) {
        k.F("PwrDB" + std::to_string(i), &p.Tones[i].PwrDB, "0.0");
        k.Range(TSignalParamRules::MinToneDb, 0);
    }

    k.Begin(section("ToneBurst"), channel);
    k.I32("FreqHz", &p.ToneBurst.FreqHz, "1000");
    k.Frequency(1);
    k.I32("BurstTimeMsec", &p.ToneBurst.BurstTimeMsec, "1000");
    k.I32("CycleTimeMsec", &p.ToneBurst.CycleTimeMsec, "2000");

    k.Begin(section("IMD"), channel);
    k.U16("IMDtype", &p.IMD.IMDtype, "0");
    k.Range(0, 2);  // two standard sets, custom
    k.F("LoFreqHz", &p.IMD.LoFreqHz, "100.0");
    k.Frequency(0);
    k.F("HiFreqHz", &p.IMD.HiFreqHz, "5000.0");
    k.Frequency(0);
    k.F("PwrRatio", &p.IMD.PwrRatio, "4.0");
    k.Range(1, 10);

    k.Begin(section("Pulse"), channel);
    k.I32("WidthNSec", &p.Pulse.WidthNSec, "200");
    k.I32("RepIntervalNSec", &p.Pulse.RepIntervalNSec, "10000");
    k.I32("OneShotFlag", &p.Pulse.OneShotFlag, "0");

    k.Begin(section("Sawtooth"), channel);
    k.I32("Slope", &p.Sawtooth.Slope, "1");
    k.F("FreqHz", &p.Sawtooth.FreqHz, "1000.0");
    k.Frequency(AboveZero);

    k.Begin(section("Triangular"), channel);
    k.F("FreqHz", &p.Triangular.FreqHz, "1000.0");
    k.Frequency(AboveZero);

    k.Begin(section("Square"), channel);
    k.F("FreqHz", &p.Square.FreqHz, "2000.0");
    k.Frequency(AboveZero);
    k.I32("DutyCyclePct", &p.Square.DutyCyclePct, "50");
    k.Range(1, 99);

    k.Begin(section("User Defined"), channel);
    k.S("WaveFileName", p.UserDefined.WaveFileName, UserDefinedParams::NameSize, "");
    k.I32("RepeatFlag", &p.UserDefined.RepeatFlag, "1");

    k.Begin(right ? "DTMF_R" : "DTMF", channel);
    k.S("KeyString", p.DTMF.KeyString, DTMFParams::KeySize, "1234567890*#ABCD");
    k.I32("PulseWidthMsec", &p.DTMF.PulseWidthMsec, "100");
    k.I32("PulseSpacingMsec", &p.DTMF.PulseSpacingMsec, "100");
    k.F("TwistDB", &p.DTMF.TwistDB, "3.0");
    k.Range(-30, 30);
    k.I32("RepeatFlag", &p.DTMF.RepeatFlag, "0");
}

// Every key in the writer's order.
std::vector<TKey> KeyList(SignalParams& left, SignalParams& right, OutputLevelStruct& level)
{
    TKeyList k;
    k.Begin("Level", -1);
    k.F("OutputLevel", &level.OutputLevel, "0.0");
    k.Level(0);
    k.F("OutputLevelR", &level.OutputLevelR, "0.0");
    k.Level(1);
    k.U16("OutputUnits", &level.OutputUnits, "0");
    k.Range(0, OutputUnitCount - 1);
    k.U16("FSCardType", &level.FSCardType, "1");
    k.Range(0, TOutputLevelRules::PresetCount - 1);
    k.U16("FSOption", &level.FSOption, "1");
    k.Range(FullScaleTyped, FullScalePicked);
    // Volts; 0 when it is not known.
    k.F("FSLevel", &level.FSLevel, "0.0");
    k.Range(0, FloatMax);

    k.Begin("Main", 0);
    k.I32("SigType", &left.SigType, "3");
    k.Range(0, SignalTypeCount - 1);
    AddChannel(k, left, false);
    k.Begin("Main", 1);
    k.I32("SigTypeR", &right.SigType, "1");
    k.Range(0, SignalTypeCount - 1);
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

void Store(const TKey& key, const std::string& text)
{
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

// Whether a key's text gives a value it may hold; the whole number counts,
// not the low bits a 16-bit field would keep of it.
bool Accepted(const TKey& key, const std::string& text, double nyquist)
{
    if (key.Kind == TKind::Text || key.Limit == TLimit::Level) return true;
    const double value = key.Kind == TKind::Float ? double(ToFloat(text)) : double(ToInt(text));
    if (!std::isfinite(value)) return false;
    if (key.Limit == TLimit::Frequency)
        return (value >= key.Min && value <= nyquist) || value == double(ToFloat(key.Default));
    return value >= key.Min && value <= key.Max;
}

}  // namespace

std::string TGeneratorSettings::TRefusals::Message() const
{
    if (Keys.empty()) return {};
    std::string keys;
    for (const std::string& key : Keys) keys += (keys.empty() ? "" : ", ") + key;
    const char* channels = Channel[0] && Channel[1] ? "Left and Right channels play silence until their"
                           : Channel[0]             ? "Left channel plays silence until its"
                                                    : "Right channel plays silence until its";
    return "The signal generator's settings hold values it cannot use: " + keys + ".  Their defaults are kept, and the " +
           channels + " signal or output level is set again.";
}

TGeneratorSettings::TRefusals TGeneratorSettings::Load(TProfile& profile, SignalParams& left, SignalParams& right,
                                                       OutputLevelStruct& level, double nyquist)
{
    TRefusals refusals;
    auto refuse = [&refusals](const TKey& key) {
        Store(key, key.Default);
        refusals.Keys.push_back(key.Section + "/" + key.Name);
        for (int c = 0; c < 2; ++c)
            if (key.Channel < 0 || key.Channel == c) refusals.Channel[c] = true;
    };
    const std::vector<TKey> keys = KeyList(left, right, level);
    for (const TKey& key : keys) {
        const std::string text = profile.Read(key.Section.c_str(), key.Name.c_str(), key.Default.c_str());
        if (Accepted(key, text, nyquist)) Store(key, text);
        else refuse(key);
    }
    // Levels once their unit and the full scale stand.
    for (const TKey& key : keys)
        if (key.Limit == TLimit::Level && !TOutputLevelRules::CheckLevel(level, key.Channel).empty()) refuse(key);
    DeriveToneAmplitudes(left);
    DeriveToneAmplitudes(right);
    return refusals;
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
    Load(empty, left, right, level, FloatMax);
}

void TGeneratorSettings::DeriveToneAmplitudes(SignalParams& params)
{
    for (ToneParams& tone : params.Tones) tone.Amplitude = float(std::pow(10.0, 0.05 * tone.PwrDB));
}
