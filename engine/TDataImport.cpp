#include "engine/TDataImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr size_t kBufferSize = 64 * 1024;
// Digits beyond these no longer change a double; longer numbers are still read whole.
constexpr size_t kTokenLength = 400;

double Finite(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

bool IsSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

// The leading decimal integer of text after white space, held to 32 bits; 0 without one.
double LeadingInteger(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && IsDigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t(1) << 32);
    value = negative ? -value : value;
    return double(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The leading decimal floating-point number of text; 0 without one.
double LeadingFloat(const std::string& text)
{
    return Finite(std::strtod(text.c_str(), nullptr));
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
    Eof = false;
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
        return c;
    }
    auto raw = [this](bool consume) -> int {
        if (Next == Filled) {
            Filled = Input.Read(Buffer.data(), Buffer.size());
            Next = 0;
            if (Filled == 0) {
                Eof = true;
                return -1;
            }
        }
        return consume ? Buffer[Next++] : Buffer[Next];
    };
    const int c = raw(true);
    // Text lines may end in CR LF, as a file read in text mode sees them.
    if (c == '\r' && IsText() && raw(false) == '\n')
        return raw(true);
    return c;
}

void TDataImport::Unget(int c)
{
    if (c >= 0)
        Pushed = c;
}

bool TDataImport::ReadLine(double& value)
{
    std::string line;
    while (line.size() < LinePiece) {
        const int c = Get();
        if (c < 0)
            break;
        line += char(c);
        if (c == '\n')
            break;
    }
    if (line.empty())
        return false;
    value = Type == AsciiInteger ? LeadingInteger(line) : LeadingFloat(line);
    return true;
}

bool TDataImport::ReadNumber(double& value, int& firstByte)
{
    int c = Get();
    while (IsSpace(c))
        c = Get();
    firstByte = c;
    if (c < 0)
        return false;
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
        return false;
    value = Type == AsciiInteger ? LeadingInteger(token) : LeadingFloat(token);
    return true;
}

int TDataImport::ReadPair(double& left, double& right)
{
    int first = 0;
    if (!ReadNumber(left, first))
        return first < 0 ? -1 : 0;
    const int c = Get();
    if (c != ',') {
        Unget(c);
        return 1;
    }
    return ReadNumber(right, first) ? 2 : 1;
}

bool TDataImport::ReadBinary(double& value)
{
    const int width = Type == Binary8 ? 1 : Type == Binary16 ? 2 : 4;
    uint32_t raw = 0;
    for (int k = 0; k < width; ++k) {
        const int c = Get();
        if (c < 0)
            return false;
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
        value = Finite(f);
    }
    }
    return true;
}

TDataImport::TFrame TDataImport::ReadFrame()
{
    TFrame frame;
    if (IsText() && Channels == 1) {
        frame.HasLeft = ReadLine(frame.Left);
    } else if (IsText()) {
        frame.HasLeft = frame.HasRight = ReadPair(frame.Left, frame.Right) > 0;
    } else {
        frame.HasLeft = ReadBinary(frame.Left);
        if (Channels == 2)
            frame.HasRight = ReadBinary(frame.Right);
    }
    return frame;
}

TDataImport::TExamination TDataImport::Examine()
{
    double minimum = 1.0e13, maximum = -1.0e13;
    uint32_t count = 0;
    const bool pairs = IsText() && Channels == 2;
    for (;;) {
        // Before each read the values are zero; a failed read leaves them so,
        // which puts zero into the range (binary floating point aside).
        double a = 0.0, b = 0.0;
        bool read;
        if (IsText())
            read = pairs ? ReadPair(a, b) == 2 : ReadLine(a);
        else
            read = ReadBinary(a);
        if (read || Type != BinaryFloat) {
            minimum = std::min({minimum, a, pairs ? b : a});
            maximum = std::max({maximum, a, pairs ? b : a});
        }
        if (!read || Eof || count == std::numeric_limits<uint32_t>::max())
            break;
        ++count;
    }
    TExamination result;
    result.Frames = !IsText() && Channels == 2 ? count / 2 : count;
    if (maximum > minimum) {
        result.Minimum = minimum;
        result.Maximum = maximum;
    }
    return result;
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
