// Calibration files: the key list of both sections, read and written through
// the caller's profile functions.
#include "engine/TCalibrationFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/StringIds.h"

namespace {

const char* const Left = IDS_SECTION_CALIBRATION_TEXT;
const char* const Right = IDS_SECTION_CALIBRATIONR_TEXT;

class TReader {
public:
    explicit TReader(const TCalibrationFile::TLookup& lookup) : Lookup(lookup) {}

    float Float(const char* section, const char* key, const char* fallback) const
    {
        return float(std::strtod(Number(section, key, fallback).c_str(), nullptr));
    }
    // Codes outside the 32-bit range read as the range's ends, which no list holds.
    int32_t Int(const char* section, const char* key, const char* fallback) const
    {
        const long long value = std::strtoll(Number(section, key, fallback).c_str(), nullptr, 10);
        if (value < INT32_MIN) return INT32_MIN;
        if (value > INT32_MAX) return INT32_MAX;
        return int32_t(value);
    }
    template <size_t N> void Text(const char* section, const char* key, const char* fallback, char (&field)[N]) const
    {
        std::snprintf(field, N, "%s", Lookup(section, key, fallback).c_str());
    }

private:
    std::string Number(const char* section, const char* key, const char* fallback) const
    {
        return Lookup(section, key, fallback).substr(0, TCalibrationFile::NumberLength);
    }
    const TCalibrationFile::TLookup& Lookup;
};

// The eight keys both sections share.
void ReadChannel(const TReader& r, const char* section, CalibrationChannel& c)
{
    c.RefLevel = r.Float(section, "RefLevel", "1.0");
    c.RefUnits = uint32_t(r.Int(section, "RefUnits", "0"));
    c.RefType = r.Int(section, "RefType", "1");
    c.ConversionType = uint32_t(r.Int(section, "ConversionType", "0"));
    c.IntegrationType = uint32_t(r.Int(section, "IntegrationType", "0"));
    r.Text(section, "LabelLinear", "Volts rms", c.LabelLinear);
    r.Text(section, "LabelLog", "dBV rms", c.LabelLog);
    c.LabelType = uint32_t(r.Int(section, "LabelType", "1"));
}

void ReadRightOwn(const TReader& r, const char* section, CalibrationChannel& c)
{
    c.PctFullScale = r.Float(section, "PctFullScaleRight", "0.50");
    c.CalRatio = r.Float(section, "CalRatioRight", "1.0");
    r.Text(section, "RightChannelName", "Right", c.ChannelName);
}

std::string FloatText(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", double(value));
    return text;
}

void WriteChannel(const TCalibrationFile::TStore& store, const char* section, const CalibrationChannel& c)
{
    store(section, "RefLevel", FloatText(c.RefLevel));
    store(section, "RefUnits", std::to_string(long(c.RefUnits)));
    store(section, "RefType", std::to_string(long(c.RefType)));
    store(section, "ConversionType", std::to_string(long(c.ConversionType)));
    store(section, "IntegrationType", std::to_string(long(c.IntegrationType)));
    store(section, "LabelLinear", c.LabelLinear);
    store(section, "LabelLog", c.LabelLog);
    store(section, "LabelType", std::to_string(long(c.LabelType)));
}

}  // namespace

bool TCalibrationFile::Read(const TLookup& lookup, CalibrationStruct& record)
{
    const TReader r(lookup);
    CalibrationStruct read = record;
    ReadChannel(r, Left, read.Left);
    read.Left.PctFullScale = r.Float(Left, "PctFullScaleLeft", "0.50");
    read.Left.CalRatio = r.Float(Left, "CalRatioLeft", "1.0");
    r.Text(Left, "LeftChannelName", "Left", read.Left.ChannelName);
    ReadChannel(r, Right, read.Right);
    ReadRightOwn(r, Right, read.Right);
    if (r.Int(Right, "CalibrationStructTypeID", "0") != LayoutId) {
        // The older files keep one section for both channels.
        read.Right = read.Left;
        ReadRightOwn(r, Left, read.Right);
    }
    if (!IsAcceptableCalibrationChannel(read.Left) || !IsAcceptableCalibrationChannel(read.Right)) return false;
    record = read;
    return true;
}

void TCalibrationFile::Write(const TStore& store, const CalibrationStruct& record)
{
    WriteChannel(store, Left, record.Left);
    store(Left, "PctFullScaleLeft", FloatText(record.Left.PctFullScale));
    store(Left, "CalRatioLeft", FloatText(record.Left.CalRatio));
    store(Left, "LeftChannelName", record.Left.ChannelName);
    WriteChannel(store, Right, record.Right);
    store(Right, "PctFullScaleRight", FloatText(record.Right.PctFullScale));
    store(Right, "CalRatioRight", FloatText(record.Right.CalRatio));
    store(Right, "RightChannelName", record.Right.ChannelName);
    store(Right, "CalibrationStructTypeID", std::to_string(LayoutId));
}
