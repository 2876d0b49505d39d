// The level readouts of a segment: the measures over the wave and their texts.
#include "engine/TSegmentLevels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/TWaveData.h"
#include "resources/StringIds.h"

namespace {

std::string Printed(const char* format, auto... values)
{
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.resize(size_t(length));
    return text;
}

// A label of at most its field's size, whatever the file held.
std::string Label(const char (&field)[60])
{
    return std::string(field, strnlen(field, sizeof field));
}

}  // namespace

TSegmentLevels::TSegmentLevels(TWaveData& wave, float start, float end)
    : Duration(end - start), Stereo(wave.GetChannels() == 2)
{
    const uint32_t first = wave.TimeToFrame(start), last = wave.TimeToFrame(end);
    for (uint16_t c = 0; c < (Stereo ? 2 : 1); ++c) {
        TChannel& channel = Channels[c];
        channel.MeanSquare = float(wave.MeanSquare(first, last, c));
        channel.Rms = channel.MeanSquare > 0.0f ? std::sqrt(channel.MeanSquare) : 0.0f;
        channel.SumOfMagnitudes = float(wave.SumOfMagnitudes(first, last, c));
        float max = 0.0f, min = 0.0f;
        wave.GetMinMax(first, last, &max, &min, c, 1, 0);
        channel.Peak = std::max(std::fabs(max), std::fabs(min));
    }
}

float TSegmentLevels::Crest(int channel) const
{
    const TChannel& c = Channel(channel);
    return c.Rms > 0.0f ? c.Peak / c.Rms : 0.0f;
}

bool TSegmentLevels::IsPressureCalibrated(const CalibrationChannel& channel)
{
    const uint32_t units = channel.RefUnits;
    return channel.IsEnabled == 1
           && (units == UnitSplAir || units == UnitPascalsAir || units == UnitSplWater || units == UnitPascalsWater);
}

void TSegmentLevels::UnitNames(const CalibrationChannel& channel, std::string& linear, std::string& log)
{
    if (!channel.IsEnabled) {
        linear = IDS_UNIT_PERCENT_FULL_SCALE_TEXT;
        log = "dBFS";
        return;
    }
    linear = Label(channel.LabelLinear);
    log = Label(channel.LabelLog);
    switch (channel.RefUnits) {
    case UnitVolts: linear = "Volts"; log = "dBV"; break;
    case UnitMillivolts: linear = "Millivolts"; log = "dBmV"; break;
    case UnitAcceleration: linear = "Acceleration (G)"; log = "Acceleration (G dB)"; break;
    default: break;
    }
}

std::string TSegmentLevels::FormatRms(const CalibrationStruct& calibration, TPair db) const
{
    std::string linear[2], log[2];
    UnitNames(calibration.Left, linear[0], log[0]);
    UnitNames(calibration.Right, linear[1], log[1]);
    if (!Stereo)
        return Printed("%6.4f\t%s\r%6.2f\t%s", double(Channels[0].Rms), linear[0].c_str(), double(db.Left),
                       log[0].c_str());
    return Printed("Left:\t%6.4f\t%s\t(%6.2f %s)\rRight:\t%6.4f\t%s\t(%6.2f %s)", double(Channels[0].Rms),
                   linear[0].c_str(), double(db.Left), log[0].c_str(), double(Channels[1].Rms), linear[1].c_str(),
                   double(db.Right), log[1].c_str());
}

std::string TSegmentLevels::CrestText() const
{
    // A crest factor of 0 (nothing measured) shows the no-level dB rather than minus infinity.
    auto db = [](float crest) { return crest > 0.0f ? 20.0 * std::log10(double(crest)) : double(NoLevel); };
    const float left = Crest(0), right = Crest(1);
    if (!Stereo)
        return Printed("%6.2f\t(%6.2f dB)", double(left), db(left));
    return Printed("Left:\t%6.2f\t(%6.2f dB)\rRight:\t%6.2f\t(%6.2f dB)", double(left), db(left), double(right),
                   db(right));
}

std::string TSegmentLevels::FormatPsi(TPair db) const
{
    if (!Stereo)
        return Printed("PSI: \t%6.3f\t Seconds: \t%6.3f\t PSI(t): \t%6.3f\t PSI(t) dB: \t%6.3f", double(Psi(0)),
                       double(Duration), double(PsiTime(0)), double(db.Left));
    return Printed("(Left)  PSI: \t%6.3f\t Seconds: \t%6.3f\t PSI(t): \t%6.3f\t PSI(t) dB: \t%6.3f\r"
                   "(Right) PSI: \t%6.3f\t Seconds: \t%6.3f\t PSI(t): \t%6.3f\t PSI(t) dB: \t%6.3f",
                   double(Psi(0)), double(Duration), double(PsiTime(0)), double(db.Left), double(Psi(1)),
                   double(Duration), double(PsiTime(1)), double(db.Right));
}
