#include "engine/CalibrationStruct.h"

#include <cmath>
#include <cstring>

namespace {
constexpr float NoLevel = -999.9f;

uint32_t U32At(const uint8_t* p, size_t at)
{
    uint32_t v;
    std::memcpy(&v, p + at, 4);
    return v;
}

float F32At(const uint8_t* p, size_t at)
{
    float v;
    std::memcpy(&v, p + at, 4);
    return v;
}

void TextAt(char* dest, const uint8_t* p, size_t at, size_t size)
{
    std::memcpy(dest, p + at, size);
    dest[size - 1] = '\0';
}

float Db(double x)
{
    return x == 0.0 ? NoLevel : float(20.0 * std::log10(x));
}

void ComputeChannelRatio(CalibrationChannel& c)
{
    double factor = 1.0;
    if (c.RefType == 1) factor = 1.414213562373;
    else if (c.RefType == 2) factor = 0.5;
    double level = c.RefLevel;
    switch (c.RefUnits) {
    case UnitSplAir: level = SplToPascals(0, c.RefLevel); break;
    case UnitSplWater: level = SplToPascals(1, c.RefLevel); break;
    case UnitDbv:
    case UnitDbmv: level = std::pow(10.0, 0.05 * c.RefLevel); break;
    case UnitDbu: level = DbuToVolts(c.RefLevel); break;
    default: break;
    }
    c.CalRatio = 1.0f;
    if (c.PctFullScale > 0.0f && level > 0.0) c.CalRatio = float(factor * level / c.PctFullScale);
}
}

void ConvertOldCalibration(const uint8_t* old, CalibrationStruct& record)
{
    CalibrationStruct c{};
    c.Left.IsEnabled = U32At(old, 0);
    TextAt(c.Filename, old, 4, sizeof c.Filename);
    c.Left.RefLevel = F32At(old, 264);
    c.Left.RefType = int32_t(U32At(old, 268));
    c.Left.RefUnits = U32At(old, 272);
    TextAt(c.Left.LabelLinear, old, 276, sizeof c.Left.LabelLinear);
    TextAt(c.Left.LabelLog, old, 336, sizeof c.Left.LabelLog);
    c.Left.LabelType = U32At(old, 396);
    c.Left.PctFullScale = F32At(old, 400);
    c.Left.CalRatio = F32At(old, 408);
    c.Left.ConversionType = U32At(old, 416);
    c.Left.IntegrationType = U32At(old, 420);
    TextAt(c.Left.ChannelName, old, 424, sizeof c.Left.ChannelName);
    c.Right = c.Left;
    c.Right.PctFullScale = F32At(old, 404);
    c.Right.CalRatio = F32At(old, 412);
    TextAt(c.Right.ChannelName, old, 464, sizeof c.Right.ChannelName);
    DefaultChannelNames(c);
    record = c;
}

void DefaultChannelNames(CalibrationStruct& record)
{
    record.Left.ChannelName[sizeof record.Left.ChannelName - 1] = '\0';
    record.Right.ChannelName[sizeof record.Right.ChannelName - 1] = '\0';
    if (!record.Left.ChannelName[0]) std::strcpy(record.Left.ChannelName, "Left");
    if (!record.Right.ChannelName[0]) std::strcpy(record.Right.ChannelName, "Right");
}

void ComputeCalibrationRatio(CalibrationStruct& record)
{
    ComputeChannelRatio(record.Left);
    ComputeChannelRatio(record.Right);
}

double SplToPascals(int mode, float db)
{
    const double ratio = std::pow(10.0, 0.05 * db);
    if (mode == 0) return ratio * 1e-6 * 20.0;
    if (mode == 1) return ratio * 1e-6;
    return 0.0;
}

float PascalsToSpl(int mode, float pascals)
{
    if (mode == 0) return Db(double(pascals) * 1e6 * 0.05);
    if (mode == 1) return Db(double(pascals) * 1e6);
    return 0.0f;
}

float PsiToSpl(float psi)
{
    return Db(double(psi) * 1e9 * 0.3448275862068966);
}

double DbuToVolts(float dbu)
{
    return 0.775 * std::pow(10.0, 0.05 * dbu);
}

float VoltsToDbu(float volts)
{
    return Db(float(double(volts) * 1.2903225806451613));
}

float LevelToDisplayUnits(const CalibrationChannel* channel, float level)
{
    if (level == 0.0f) return NoLevel;
    if (!channel || !channel->IsEnabled) return Db(level);
    switch (channel->RefUnits) {
    case UnitSplAir:
    case UnitPascalsAir: return PascalsToSpl(0, level);
    case UnitSplWater:
    case UnitPascalsWater: return PascalsToSpl(1, level);
    case UnitPsi: return PsiToSpl(level);
    case UnitDbu: return VoltsToDbu(level);
    default: return Db(level);
    }
}
