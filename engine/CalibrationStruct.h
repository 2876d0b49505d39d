#pragma once
#include <cstddef>
#include <cstdint>

// The calibration record of both input channels: 2,048 bytes that travel
// unchanged in WAV calibration chunks, DDE pokes and whole-record copies, so
// the layout is fixed byte for byte (little-endian, no padding).
#pragma pack(push, 1)

struct CalibrationChannel {
    uint32_t IsEnabled;         // 1: calibration applies to this channel
    float RefLevel;             // calibration signal level, in RefUnits
    int32_t RefType;            // 0 peak, 1 rms, 2 peak to peak
    uint32_t RefUnits;          // unit code 0 .. 11
    char LabelLinear[60];       // unit name of linear values
    char LabelLog[60];          // unit name of dB values
    uint32_t LabelType;         // values shown as 0 peak, 1 rms, 2 peak to peak
    float PctFullScale;         // measured calibration level, fraction of full scale
    float CalRatio;             // engineering units (peak) per unit of full scale
    uint32_t ConversionType;    // acceleration conversion 0 .. 8
    uint32_t IntegrationType;   // 0 none, 1 velocity, 2 displacement
    char ChannelName[40];
    uint8_t Reserved[438];
};

struct CalibrationStruct {
    char Filename[260];
    CalibrationChannel Left;
    CalibrationChannel Right;
    uint8_t Reserved[520];
};

#pragma pack(pop)

static_assert(sizeof(CalibrationChannel) == 634);
static_assert(offsetof(CalibrationChannel, LabelLinear) == 16);
static_assert(offsetof(CalibrationChannel, LabelType) == 136);
static_assert(offsetof(CalibrationChannel, CalRatio) == 144);
static_assert(offsetof(CalibrationChannel, IntegrationType) == 152);
static_assert(offsetof(CalibrationChannel, ChannelName) == 156);
static_assert(offsetof(CalibrationChannel, Reserved) == 196);
static_assert(offsetof(CalibrationStruct, Left) == 260);
static_assert(offsetof(CalibrationStruct, Right) == 894);
static_assert(offsetof(CalibrationStruct, Reserved) == 1528);
static_assert(sizeof(CalibrationStruct) == 2048);

// The older one-block layout (1,024 bytes, WAV chunk 101) is converted, never
// written: the left block is filled first, copied whole over the right block,
// then the right channel's level, ratio and name are stored.
constexpr size_t CalibrationStructOldSize = 1024;
void ConvertOldCalibration(const uint8_t* old, CalibrationStruct& record);
// Empty channel names become "Left" and "Right".
void DefaultChannelNames(CalibrationStruct& record);

// A record as a WAV calibration chunk or a peer hands it over: the 2,048-byte
// layout, or the older 1,024-byte one converted. Texts end within their
// fields and empty channel names become "Left" and "Right". Returns false and
// leaves `record` as it was when the bytes hold what the calibration dialog
// never stores (see IsAcceptableCalibration), or when size is neither layout's.
bool ReadCalibrationRecord(const uint8_t* bytes, size_t size, CalibrationStruct& record);
// Whether the record holds only what the calibration dialog stores: enable
// flags 0 or 1, a file name and channel blocks as below.
bool IsAcceptableCalibration(const CalibrationStruct& record);
// Whether a channel block, its enable flag aside, holds only what the dialog
// stores: finite numbers, a level not below zero in a linear unit, codes from
// its lists and texts free of control characters.
bool IsAcceptableCalibrationChannel(const CalibrationChannel& channel);

// Unit codes of RefUnits.
enum CalibrationUnits : uint32_t {
    UnitVolts, UnitMillivolts, UnitSplAir, UnitAcceleration, UnitCustom, UnitDbv, UnitDbmv, UnitDbu,
    UnitPascalsAir, UnitPsi, UnitSplWater, UnitPascalsWater
};

// Units whose level is entered as a linear amount, which may not go below
// zero; the dB units take any level.
bool IsLinearCalibrationUnit(uint32_t units);

// Both CalRatio fields from RefLevel, RefType, RefUnits and PctFullScale;
// 1.0 where the ratio cannot be computed.
void ComputeCalibrationRatio(CalibrationStruct& record);
// Unit conversions (mode 0 in air, 20 uPa reference; mode 1 in water, 1 uPa).
double SplToPascals(int mode, float db);
float PascalsToSpl(int mode, float pascals);
float PsiToSpl(float psi);
double DbuToVolts(float dbu);
float VoltsToDbu(float volts);
// A linear calibrated level in the logarithmic display unit of a channel; a
// null channel counts as not calibrated.
float LevelToDisplayUnits(const CalibrationChannel* channel, float level);
