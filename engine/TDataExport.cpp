#include "engine/TDataExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/TDataImport.h"
#include "engine/TWaveFormat.h"

namespace {

void AppendLittleEndian(std::string& out, uint32_t raw, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out += char(uint8_t(raw >> (8 * k)));
}

// v truncated toward zero and held to [low, high].
int64_t Truncated(double v, double low, double high)
{
    return int64_t(std::trunc(std::clamp(v, low, high)));
}

// The largest sample of a wave width, silence subtracted.
double FullScale(uint16_t bytesPerSample)
{
    return double(TWaveFormat(44100, 1, bytesPerSample).MaxValue);
}

}  // namespace

void TDataExport::AppendFrame(std::string& out, const float* values, int count, uint16_t format,
                              uint16_t bytesPerSample)
{
    char text[128];
    for (int c = 0; c < count; ++c) {
        const double v = std::isfinite(values[c]) ? double(values[c]) : 0.0;
        const char* separator = c + 1 < count ? "," : "\n";
        switch (format) {
        case TDataImport::AsciiInteger:
            std::snprintf(text, sizeof text, "%lld%s", static_cast<long long>(Truncated(v, -4.0e18, 4.0e18)),
                          separator);
            out += text;
            break;
        case TDataImport::AsciiFloat:
            std::snprintf(text, sizeof text, "%f%s", v, separator);
            out += text;
            break;
        case TDataImport::Binary8:
            // 8-bit samples keep their two's-complement byte; wider ones become unsigned codes.
            if (bytesPerSample == 1)
                AppendLittleEndian(out, uint32_t(Truncated(v, -128.0, 128.0)), 1);
            else
                AppendLittleEndian(out, uint32_t(Truncated(v * 127.0 / FullScale(bytesPerSample) + 127.0, 0, 255)), 1);
            break;
        case TDataImport::Binary16: {
            const double scaled = bytesPerSample <= 2 ? v : v * 32767.0 / FullScale(bytesPerSample);
            AppendLittleEndian(out, uint32_t(Truncated(scaled, -32768.0, 32767.0)), 2);
            break;
        }
        case TDataImport::Binary32:
            AppendLittleEndian(out, uint32_t(Truncated(v, -2147483648.0, 2147483647.0)), 4);
            break;
        default: {
            const float f = float(v);
            uint32_t raw;
            std::memcpy(&raw, &f, sizeof raw);
            AppendLittleEndian(out, raw, 4);
        }
        }
    }
}
