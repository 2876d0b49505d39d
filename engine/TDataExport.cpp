#include "engine/TDataExport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/TDataImport.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
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
            // An 8-bit sample is its stored byte again; wider ones are scaled onto it.
            if (bytesPerSample == 1)
                AppendLittleEndian(out, uint32_t(Truncated(v + 127.0, 0, 255)), 1);
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

std::string TDataExport::Refusal(const TWaveFormat& format, const ExportOptions& options)
{
    // The analysis blocks hold 1- to 3-byte samples; wider ones would read as silence.
    if (format.BytesPerSample < 1 || format.BytesPerSample > 3)
        return "Waves of 32-bit samples cannot be exported.";
    if (!TSeriesData::IsValidDecimationRatio(options.DecimationRatio)) {
        char text[64];
        std::snprintf(text, sizeof text, "Decimation Ratio must be between 1 and %d", int(MaxDecimationRatio));
        return text;
    }
    return {};
}

TDataExport::TDataExport(TWaveData& wave, const ExportOptions& options)
    : Wave(wave), Options(options), End(wave.GetHighWaterMark())
{
    const uint16_t ratio = TSeriesData::IsValidDecimationRatio(options.DecimationRatio) ? options.DecimationRatio : 1;
    Options.DecimationRatio = ratio;
    Chunk = ChunkFrames / ratio * ratio;
    const bool exported[2] = {options.Left != 0, options.Right != 0};
    for (int c = 0; c < 2; ++c)
        if (exported[c])
            Blocks[c] = std::make_unique<TSeriesData>(Chunk, wave.GetFormat(), ratio, 1);
}

TDataExport::~TDataExport() = default;

bool TDataExport::Good() const
{
    for (const auto& block : Blocks)
        if (block && block->Error)
            return false;
    return Refusal(Wave.GetFormat(), Options).empty();
}

int TDataExport::Percent() const
{
    if (End == 0 || Done >= End)
        return 100;
    return int(100 - uint64_t(End - Done) * 100 / End);
}

bool TDataExport::Step(std::string& out)
{
    if (Finished() || !Good())
        return true;
    const uint32_t ratio = Options.DecimationRatio;
    const uint32_t chunk = std::min(End - Done, Chunk);
    // The low-pass of output i reaches the FilterTaps samples from i on.
    const uint32_t reach = ratio > 1 ? TSeriesData::FilterTaps : 0;
    const uint32_t count = std::min(End - Done, chunk + reach);
    float values[2];
    int channels = 0;
    TSeriesData* blocks[2] = {};
    for (uint16_t c = 0; c < 2; ++c) {
        if (!Blocks[c])
            continue;
        TSeriesData& block = *Blocks[c];
        // Silence past the end, not the previous chunk, in the filter's reach.
        block.Clear();
        if (!Wave.ReadFrames(block.GetSamplePtr(0), Done, count, c))
            return false;
        block.Decimate();
        blocks[channels++] = &block;
    }
    const uint32_t frames = (chunk + ratio - 1) / ratio;
    for (uint32_t i = 0; i < frames && channels > 0; ++i) {
        for (int k = 0; k < channels; ++k)
            values[k] = blocks[k]->GetSample(i, 0);
        AppendFrame(out, values, channels, Options.Format, Wave.GetFormat().BytesPerSample);
    }
    Done += chunk;
    return true;
}
