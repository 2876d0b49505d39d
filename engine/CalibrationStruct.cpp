#include "engine/CalibrationStruct.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

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

namespace {
// Highest codes of the calibration dialog's lists.
constexpr int32_t LastRefType = 2;
constexpr uint32_t LastRefUnits = UnitPascalsWater;
constexpr uint32_t LastLabelType = 2;
constexpr uint32_t LastConversionType = 8;
constexpr uint32_t LastIntegrationType = 2;

template <size_t N> void Terminate(char (&text)[N])
{
    text[N - 1] = '\0';
}

template <size_t N> bool IsPlainText(const char (&text)[N])
{
    for (size_t i = 0; i < N && text[i]; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return false;
    }
    return true;
}

// Cuts every text of the record at the end of its field.
void TerminateTexts(CalibrationStruct& record)
{
    Terminate(record.Filename);
    for (CalibrationChannel* c : {&record.Left, &record.Right}) {
        Terminate(c->LabelLinear);
        Terminate(c->LabelLog);
        Terminate(c->ChannelName);
    }
}
}

bool IsLinearCalibrationUnit(uint32_t units)
{
    switch (units) {
    case UnitVolts:
    case UnitMillivolts:
    case UnitAcceleration:
    case UnitCustom:
    case UnitPascalsAir:
    case UnitPsi:
    case UnitPascalsWater: return true;
    default: return false;
    }
}

bool IsAcceptableCalibrationChannel(const CalibrationChannel& c)
{
    return std::isfinite(c.RefLevel) && !(IsLinearCalibrationUnit(c.RefUnits) && c.RefLevel < 0.0f) &&
           c.RefType >= 0 && c.RefType <= LastRefType && c.RefUnits <= LastRefUnits && c.LabelType <= LastLabelType &&
           std::isfinite(c.PctFullScale) && std::isfinite(c.CalRatio) && c.ConversionType <= LastConversionType &&
           c.IntegrationType <= LastIntegrationType && IsPlainText(c.LabelLinear) && IsPlainText(c.LabelLog) &&
           IsPlainText(c.ChannelName);
}

bool IsAcceptableCalibration(const CalibrationStruct& record)
{
    return IsPlainText(record.Filename) && record.Left.IsEnabled <= 1 && record.Right.IsEnabled <= 1 &&
           IsAcceptableCalibrationChannel(record.Left) && IsAcceptableCalibrationChannel(record.Right);
}

bool ReadCalibrationRecord(const uint8_t* bytes, size_t size, CalibrationStruct& record)
{
    CalibrationStruct read;
    if (!bytes) return false;
    if (size == sizeof read) std::memcpy(&read, bytes, sizeof read);
    else if (size == CalibrationStructOldSize) ConvertOldCalibration(bytes, read);
    else return false;
    TerminateTexts(read);
    if (!IsAcceptableCalibration(read)) return false;
    DefaultChannelNames(read);
    record = read;
    return true;
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
