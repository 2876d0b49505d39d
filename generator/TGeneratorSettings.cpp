// The generator's settings keys in file order, and the reader's and writer's rules.
#include "generator/TGeneratorSettings.h"

#include <cmath>
#include <limits>
#include <string>

#include "generator/TOutputLevelRules.h"
#include "base/TProfile.h"
#include "base/TSettingsTable.h"
#include "generator/TSignalParamRules.h"

namespace {

// The generator's rows: each tagged with its channel (0 left, 1 right, -1
// both). A frequency lies within its minimum .. the Nyquist frequency (or is
// its key's default); a level is checked against what the output level
// dialog accepts for its unit, once the unit and the full scale are read.
class TKeyList : public TSettingsTable {
public:
    explicit TKeyList(double nyquist) : Nyquist(nyquist) {}
    void Begin(const std::string& section, int channel)
    {
        TSettingsTable::Begin(section);
        SetTag(channel);
    }
    void Frequency(double min) { Range(min, Nyquist); }
    void Level(int channel)
    {
        CheckLater();
        Rule(channel);
    }

private:
    double Nyquist;
};

constexpr double FloatMax = TSettingsTable::FloatMax;

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
TKeyList KeyList(SignalParams& left, SignalParams& right, OutputLevelStruct& level, double nyquist)
{
    TKeyList k(nyquist);
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
    return k;
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
    auto refuse = [&refusals](const TSettingRow& row) {
        TSettingsTable::StoreDefault(row);
        refusals.Keys.push_back(row.Section + "/" + row.Key);
        for (int c = 0; c < 2; ++c)
            if (row.Tag < 0 || row.Tag == c) refusals.Channel[c] = true;
    };
    const TKeyList keys = KeyList(left, right, level, nyquist);
    for (const TSettingRow& row : keys.Rows)
        if (!TSettingsTable::Read(row, profile)) refuse(row);
    // Levels once their unit and the full scale stand.
    for (const TSettingRow& row : keys.Rows)
        if (row.Check == TSettingCheck::Caller && !TOutputLevelRules::CheckLevel(level, row.Tag).empty()) refuse(row);
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
    TProfile* const profiles[] = {&profile};
    KeyList(l, r, v, FloatMax).WriteAll(profiles);
}

void TGeneratorSettings::Defaults(SignalParams& left, SignalParams& right, OutputLevelStruct& level)
{
    KeyList(left, right, level, FloatMax).SetDefaults();
    DeriveToneAmplitudes(left);
    DeriveToneAmplitudes(right);
}

void TGeneratorSettings::DeriveToneAmplitudes(SignalParams& params)
{
    for (ToneParams& tone : params.Tones) tone.Amplitude = float(std::pow(10.0, 0.05 * tone.PwrDB));
}
