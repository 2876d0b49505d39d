#include "engine/TDataImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr size_t kBufferSize = 64 * 1024;
// Digits beyond these no longer change a double; longer numbers are still read whole.
constexpr size_t kTokenLength = 400;

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return IsSpace(static_cast<unsigned char>(c)); });
}

// The leading decimal integer of text after white space, held to 32 bits;
// false without one.
bool LeadingInteger(const std::string& text, double& result)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || !IsDigit(static_cast<unsigned char>(text[i])))
        return false;
    int64_t value = 0;
    for (; i < text.size() && IsDigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t(1) << 32);
    value = negative ? -value : value;
    result = double(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    return true;
}

}  // namespace

TDataImport::TDataImport(TInput& input, uint16_t sourceType, uint16_t channels)
    : Input(input),
      Type(sourceType <= BinaryFloat ? TSourceType(sourceType) : AsciiInteger),
      Channels(channels == 2 ? 2 : 1),
      Buffer(kBufferSize)
{
}

bool TDataImport::Restart(uint32_t headerPresent, int32_t headerSize)
{
    Next = Filled = 0;
    Pushed = -1;
    LineEnds = 0;
    if (!Input.Rewind())
        return false;
    if (!headerPresent || headerSize <= 0)
        return true;
    if (IsText()) {
        for (int32_t lines = 0; lines < headerSize;) {
            const int c = Get();
            if (c < 0)
                break;
            lines += c == '\n';
        }
    } else {
        for (int32_t bytes = 0; bytes < headerSize && Get() >= 0; ++bytes) {
        }
    }
    return true;
}

int TDataImport::Get()
{
    if (Pushed >= 0) {
        const int c = Pushed;
        Pushed = -1;
        LineEnds += c == '\n';
        return c;
    }
    auto raw = [this](bool consume) -> int {
        if (Next == Filled) {
            Filled = Input.Read(Buffer.data(), Buffer.size());
            Next = 0;
            if (Filled == 0)
                return -1;
        }
        return consume ? Buffer[Next++] : Buffer[Next];
    };
    int c = raw(true);
    // Text lines may end in CR LF, as a file read in text mode sees them.
    if (c == '\r' && IsText() && raw(false) == '\n')
        c = raw(true);
    LineEnds += c == '\n';
    return c;
}

void TDataImport::Unget(int c)
{
    if (c < 0)
        return;
    Pushed = c;
    LineEnds -= c == '\n';
}

TDataImport::TValue TDataImport::Parse(const std::string& text, double& value) const
{
    if (IsBlank(text))
        return TValue::Blank;
    if (Type == AsciiInteger)
        return LeadingInteger(text, value) ? TValue::Read : TValue::NotANumber;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str())
        return TValue::NotANumber;
    if (!std::isfinite(parsed))
        return TValue::NotFinite;
    value = parsed;
    return TValue::Read;
}

TDataImport::TValue TDataImport::ReadLine(double& value, uint32_t& line)
{
    line = LineEnds + 1;
    std::string piece;
    while (piece.size() < LinePiece) {
        const int c = Get();
        if (c < 0)
            break;
        piece += char(c);
        if (c == '\n')
            break;
    }
    if (piece.empty())
        return TValue::End;
    // A full piece takes the line end that follows it, which holds no value of its own.
    if (piece.size() == LinePiece && piece.back() != '\n') {
        const int c = Get();
        if (c != '\n')
            Unget(c);
    }
    return Parse(piece, value);
}

TDataImport::TValue TDataImport::ReadNumber(double& value, int& firstByte)
{
    int c = Get();
    while (IsSpace(c))
        c = Get();
    firstByte = c;
    if (c < 0)
        return TValue::End;
    std::string token;
    auto take = [&] {
        if (token.size() < kTokenLength)
            token += char(c);
        c = Get();
    };
    if (c == '+' || c == '-')
        take();
    bool digits = false;
    for (; IsDigit(c); take())
        digits = true;
    if (Type == AsciiFloat) {
        if (c == '.')
            for (take(); IsDigit(c); take())
                digits = true;
        if (digits && (c == 'e' || c == 'E')) {
            take();
            if (c == '+' || c == '-')
                take();
            while (IsDigit(c))
                take();
        }
    }
    Unget(c);
    if (!digits)
        return TValue::NotANumber;
    return Parse(token, value);
}

TDataImport::TValue TDataImport::ReadPair(double& left, double& right, uint32_t& line)
{
    int first = 0;
    int c = Get();
    while (IsSpace(c))
        c = Get();
    Unget(c);
    line = LineEnds + 1;
    TValue value = ReadNumber(left, first);
    if (value == TValue::End || value == TValue::NotFinite)
        return value;
    if (value != TValue::Read || Get() != ',')
        return TValue::NotAPair;
    value = ReadNumber(right, first);
    return value == TValue::Read || value == TValue::NotFinite ? value : TValue::NotAPair;
}

TDataImport::TValue TDataImport::ReadBinary(double& value)
{
    const int width = Type == Binary8 ? 1 : Type == Binary16 ? 2 : 4;
    uint32_t raw = 0;
    for (int k = 0; k < width; ++k) {
        const int c = Get();
        if (c < 0)
            return TValue::End;
        raw |= uint32_t(c) << (8 * k);
    }
    switch (Type) {
    case Binary8:
        value = raw;
        break;
    case Binary16:
        value = int16_t(uint16_t(raw));
        break;
    case Binary32:
        value = int32_t(raw);
        break;
    default: {
        float f;
        std::memcpy(&f, &raw, sizeof f);
        if (!std::isfinite(f))
            return TValue::NotFinite;
        value = f;
    }
    }
    return TValue::Read;
}

TDataImport::TFrame TDataImport::ReadFrame()
{
    TFrame frame;
    uint32_t line = 0;
    if (IsText() && Channels == 1) {
        frame.HasLeft = ReadLine(frame.Left, line) == TValue::Read;
    } else if (IsText()) {
        frame.HasLeft = frame.HasRight = ReadPair(frame.Left, frame.Right, line) == TValue::Read;
    } else {
        frame.HasLeft = ReadBinary(frame.Left) == TValue::Read;
        if (Channels == 2)
            frame.HasRight = ReadBinary(frame.Right) == TValue::Read;
    }
    return frame;
}

TDataImport::TExamination TDataImport::Examine()
{
    TExamination result;
    result.Text = IsText();
    auto refuse = [&result](TValue value, uint32_t where) {
        result.Refusal = value == TValue::NotFinite ? TRefusal::NotFinite
                         : value == TValue::NotAPair ? TRefusal::NotAPair
                                                     : TRefusal::NotANumber;
        result.Where = where;
        return result;
    };
    // Zero stands in the range as the value of the read that meets the end,
    // except for binary floating point, whose range is its values alone.
    double minimum = Type == BinaryFloat ? 1.0e13 : 0.0, maximum = Type == BinaryFloat ? -1.0e13 : 0.0;
    uint32_t count = 0;
    // A blank line refuses the file only when data follows it.
    uint32_t blankLine = 0;
    while (count < std::numeric_limits<uint32_t>::max()) {
        double a = 0.0, b = 0.0;
        uint32_t where = count + 1;
        TValue value;
        if (IsText())
            value = Channels == 2 ? ReadPair(a, b, where) : ReadLine(a, where);
        else
            value = ReadBinary(a);
        if (value == TValue::End)
            break;
        if (value == TValue::Blank) {
            blankLine = blankLine ? blankLine : where;
            continue;
        }
        if (value != TValue::Read)
            return refuse(value, where);
        if (blankLine)
            return refuse(TValue::NotANumber, blankLine);
        if (!(IsText() && Channels == 2))
            b = a;
        minimum = std::min({minimum, a, b});
        maximum = std::max({maximum, a, b});
        ++count;
    }
    result.Frames = !IsText() && Channels == 2 ? count / 2 : count;
    if (result.Frames == 0) {
        result.Refusal = TRefusal::NoData;
        return result;
    }
    if (maximum > minimum) {
        result.Minimum = minimum;
        result.Maximum = maximum;
    }
    return result;
}

std::string TDataImport::RefusalText(const TExamination& examination, const char* fileName)
{
    const char* name = fileName ? fileName : "";
    char text[512];
    switch (examination.Refusal) {
    case TRefusal::NotANumber:
        std::snprintf(text, sizeof text, "%s\nLine %u holds no number: nothing was imported.", name,
                      unsigned(examination.Where));
        break;
    case TRefusal::NotAPair:
        std::snprintf(text, sizeof text, "%s\nLine %u is not a pair \"number,number\": nothing was imported.", name,
                      unsigned(examination.Where));
        break;
    case TRefusal::NotFinite:
        std::snprintf(text, sizeof text, "%s\n%s %u is not a finite number: nothing was imported.", name,
                      examination.Text ? "Line" : "Value", unsigned(examination.Where));
        break;
    case TRefusal::NoData:
        std::snprintf(text, sizeof text, "%s\nThe file holds no data to import.", name);
        break;
    default:
        return {};
    }
    return text;
}

TDataImport::TScale TDataImport::Scale(uint16_t option, double minimum, double maximum, const TWaveFormat& format)
{
    TScale scale;
    if (option == Rescale && maximum > minimum) {
        scale.Multiplier = float((double(format.MaxValue) - format.MinValue) / (maximum - minimum));
        scale.Offset = float(maximum * 0.5 + minimum * 0.5);
    } else if (option == DefinedValues) {
        double peak = std::max(maximum, std::fabs(minimum));
        if (peak == 0.0)
            peak = 1.0;
        scale.Multiplier = float((double(format.MaxValue) - format.SilenceValue) / peak);
    }
    return scale;
}

int32_t TDataImport::ConvertSample(double value, const TScale& scale, const TWaveFormat& format)
{
    double sample = (value - double(scale.Offset)) * double(scale.Multiplier) + format.SilenceValue;
    if (std::isnan(sample))
        sample = format.SilenceValue;
    return int32_t(std::trunc(std::clamp(sample, double(format.MinValue), double(format.MaxValue))));
}

void TDataImport::Calibrate(const ImportOptions& options, const TScale& scale, const TWaveFormat& format,
                            CalibrationStruct& record)
{
    CalibrationChannel& left = record.Left;
    if (options.ScalingOption == DefinedValues) {
        double fraction = double(options.DataValue) * scale.Multiplier /
                          (double(format.MaxValue) - format.SilenceValue);
        if (fraction == 0.0 || !std::isfinite(fraction))
            fraction = 1.0;
        left.IsEnabled = 1;
        record.Filename[0] = '\0';
        left.RefLevel = options.EqualsValue;
        left.RefType = 0;
        left.RefUnits = options.Units;
        std::snprintf(left.LabelLinear, sizeof left.LabelLinear, "%s", options.LinearLabel);
        std::snprintf(left.LabelLog, sizeof left.LabelLog, "%s", options.LogLabel);
        left.LabelType = 0;
        left.PctFullScale = float(fraction);
        left.CalRatio = float(options.EqualsValue / fraction);
        left.ConversionType = 0;
        left.IntegrationType = 0;
    } else {
        left.IsEnabled = 0;
    }
    record.Right = left;
    std::snprintf(record.Right.ChannelName, sizeof record.Right.ChannelName, "%s", "Right");
}
