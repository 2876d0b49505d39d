#pragma once
#include <cstdint>

// What the signal generator remembers of one output channel: the waveform code
// and the last parameters of every kind, so that switching kinds keeps them.
// A plain value record, copied whole into each builder. Groups and fields are
// named after their settings sections and keys; their defaults live with the
// keys (TGeneratorSettings), so a record starts zero-filled.

// Waveform codes stored in SigType.
enum TSignalType : int32_t {
    WhiteNoiseSignal = 0,
    PinkNoiseSignal = 1,
    NoiseBurstSignal = 2,
    Tone1kSignal = 3,
    MultipleTonesSignal = 4,
    ToneBurstSignal = 5,
    IMDTonesSignal = 6,
    FreqSweepSignal = 7,
    LevelSweepSignal = 8,
    SawtoothSignal = 9,
    TriangularSignal = 10,
    PulseSignal = 11,
    SquareSignal = 12,
    UserDefinedSignal = 13,
    DTMFSignal = 14,
    DigitalZeroSignal = 15,
    FreqStepSignal = 16,
};
constexpr int32_t SignalTypeCount = 17;

struct ToneParams {
    int32_t ToneEnable = {};
    float FreqHz = {};
    float PwrDB = {};
    // 10^(PwrDB / 20); never stored, derived whenever PwrDB is read or edited.
    float Amplitude = {};
};

struct NoiseBurstParams {
    uint16_t Type = {};  // 0 white, 1 pink
    int32_t BurstTimeMsec = {};
    int32_t CycleTimeMsec = {};
};

struct FreqSweepParams {
    float FStartHz = {};
    float FStopHz = {};
    int32_t TimeMSec = {};
    int32_t SweepType = {};  // 1 linear, 2 logarithmic
    int32_t SingleSweepFlag = {};
    int32_t ReturnSweepFlag = {};  // 0 jump back to the start, 1 sweep back
};

struct FreqStepParams {
    float FStartHz = {};
    float FStopHz = {};
    float StepSize = {};  // Hz, linear steps
    int32_t OctaveNumber = {};  // N of 1/N-octave steps
    int32_t DwellTimeMSec = {};
    int32_t StepType = {};  // 1 linear, 2 octave
    int32_t SingleStepFlag = {};
    int32_t ReturnStepFlag = {};  // 0 jump back to the start, 1 step back
};

struct LevelSweepParams {
    float StartDB = {};
    float StopDB = {};
    float FreqHz = {};
    int32_t TimeMSec = {};
};

struct ToneBurstParams {
    int32_t FreqHz = {};  // whole hertz
    int32_t BurstTimeMsec = {};
    int32_t CycleTimeMsec = {};
};

struct IMDParams {
    uint16_t IMDtype = {};  // 0 standard set 1, 1 standard set 2, 2 custom
    float LoFreqHz = {};
    float HiFreqHz = {};
    float PwrRatio = {};  // amplitude ratio low : high
};

// Width and interval in microseconds, whatever the stored key names say.
struct PulseParams {
    int32_t WidthNSec = {};
    int32_t RepIntervalNSec = {};
    int32_t OneShotFlag = {};
};

struct SawtoothParams {
    int32_t Slope = {};  // 1 rising, any other value falling
    float FreqHz = {};
};

struct TriangularParams {
    float FreqHz = {};
};

struct SquareParams {
    float FreqHz = {};
    int32_t DutyCyclePct = {};
};

struct UserDefinedParams {
    static constexpr int NameSize = 260;
    char WaveFileName[NameSize] = {};
    int32_t RepeatFlag = {};
};

struct DTMFParams {
    static constexpr int KeySize = 100;
    char KeyString[KeySize] = {};
    int32_t PulseWidthMsec = {};
    int32_t PulseSpacingMsec = {};
    float TwistDB = {};
    int32_t RepeatFlag = {};
};

struct SignalParams {
    static constexpr int ToneCount = 10;

    int32_t SigType = {};
    NoiseBurstParams NoiseBurst;
    FreqSweepParams FreqSweep;
    FreqStepParams FreqStep;
    LevelSweepParams LevelSweep;
    ToneParams Tones[ToneCount];
    ToneBurstParams ToneBurst;
    IMDParams IMD;
    PulseParams Pulse;
    SawtoothParams Sawtooth;
    TriangularParams Triangular;
    SquareParams Square;
    UserDefinedParams UserDefined;
    DTMFParams DTMF;
};

// Units of OutputLevel and OutputLevelR.
enum TOutputUnits : uint16_t {
    DbFullScaleUnits = 0,
    PercentFullScaleUnits = 1,
    VoltsUnits = 2,
    MillivoltsUnits = 3,
    DbvUnits = 4,
    DbmvUnits = 5,
    DbuUnits = 6,
};
constexpr uint16_t OutputUnitCount = 7;

// How the sound card's full-scale output is known (FSOption).
enum TFullScaleOption : uint16_t { FullScaleTyped = 0, FullScaleUnknown = 1, FullScalePicked = 2 };

// The output level: both channels' levels, their unit and the full-scale
// voltage that turns voltage units into sample amplitudes. Copied as one unit.
struct OutputLevelStruct {
    float OutputLevel = {};
    float OutputLevelR = {};
    uint16_t OutputUnits = {};
    uint16_t FSCardType = {};  // index into the preset list
    uint16_t FSOption = {};
    float FSLevel = {};  // volts rms at digital full scale
};
