// The readouts' measure kinds, rows, units, value texts and text size.
#include "utilities/TReadoutFormat.h"

#include <algorithm>
#include <cstdio>
#include "engine/DisplaySettingsStruct.h"
#include "engine/TChannelProcessing.h"
#include "engine/TSpectralData.h"

namespace {

using R = TReadoutFormat;

constexpr R::TKindRow KindRows[] = {
    {R::THD, "THD", 195, 7},
    {R::THDN, "THD+N", 196, 8},
    {R::IMD, "IMD", 197, 9},
    {R::SNR, "SNR", 198, 10},
    {R::SINAD, "SINAD", 288, 16},
    {R::SFDR, "SFDR", 289, 17},
    {R::NoiseFigure, "Noise Figure", 290, 18},
    {R::PeakFrequency, "Peak Frequency", 199, 11},
    {R::PeakAmplitude, "Peak Amplitude", 200, 12},
    {R::TotalPower, "Total Pwr", 201, 13},
};
static_assert(std::size(KindRows) == R::KindCount);

const char* WeightingSuffix(uint16_t weighting)
{
    switch (weighting) {
    case TSpectralData::WeightA: return " A";
    case TSpectralData::WeightB: return " B";
    case TSpectralData::WeightC: return " C";
    default: return "";
    }
}

std::string Format(const char* format, float value, const std::string& unit = std::string())
{
    char text[96];
    std::snprintf(text, sizeof text, format, double(value), unit.c_str());
    return text;
}

}  // namespace

const TReadoutFormat::TKindRow& TReadoutFormat::Row(TMeasureKind kind)
{
    return KindRows[std::min<size_t>(kind, KindCount - 1)];
}

TReadoutFormat::TMeasureKind TReadoutFormat::KindOfWindowType(int type)
{
    for (const TKindRow& row : KindRows)
        if (row.WindowType == type) return row.Kind;
    return KindCount;
}

int TReadoutFormat::RowCount(TMeasureKind kind, uint16_t channelProcessing, int32_t timeSwitch)
{
    // Two results, two rows; but the noise figure compares the two channels of
    // mode BothChannels into one value.
    int rows = TChannelProcessing::ShowsTwoResults(channelProcessing)
            && !(kind == NoiseFigure && channelProcessing == TChannelProcessing::BothChannels)
        ? 2 : 1;
    if (kind == SINAD && timeSwitch == 1) rows = 1;
    return rows;
}

std::string TReadoutFormat::AmplitudeUnit(const TChannel& channel)
{
    if (!channel.Spectrum || !channel.Scaling) return std::string();
    if (channel.Calibrated) return channel.Spectrum->GetAmplitudeUnitName();
    return channel.Scaling->AmpScaleType == DisplaySettingsStruct::LinearAmplitude ? "%fs" : "dB";
}

std::string TReadoutFormat::TotalPowerUnit(const TChannel& channel)
{
    if (!channel.Spectrum || !channel.Scaling) return std::string();
    return AmplitudeUnit(channel) + WeightingSuffix(channel.Scaling->TotalPowerWeighting);
}

std::string TReadoutFormat::DbUnit(const TChannel& channel)
{
    if (!channel.Spectrum || !channel.Scaling) return "dB";
    return std::string("dB") + WeightingSuffix(channel.Scaling->StandardWeighting);
}

std::string TReadoutFormat::ValueText(TMeasureKind kind, const TChannel& channel, float noiseFigure)
{
    TSpectralData* s = channel.Spectrum;
    if (!s) return "0.0";
    switch (kind) {
    case THD: return Format("%3.5f %%", s->ComputeTHD());
    case THDN: return Format("%3.5f %%", s->ComputeTHDN());
    case IMD: return Format("%3.4f %%", s->ComputeIMD());
    case SNR: return Format("%3.3f %s", s->ComputeSNR(), DbUnit(channel));
    case SINAD: return Format("%3.3f %s", s->ComputeSINAD(), DbUnit(channel));
    case SFDR: return Format("%3.3f %s", s->ComputeSFDR(), DbUnit(channel));
    case NoiseFigure: return Format("%3.3f dB", noiseFigure);
    case PeakFrequency: return Format("%3.2f Hz", s->GetPeakFrequency());
    case PeakAmplitude: return Format("%3.2f %s", s->GetDisplayValue(int(s->GetPeakIndex())), AmplitudeUnit(channel));
    case TotalPower: {
        const uint32_t db =
            channel.Scaling && channel.Scaling->AmpScaleType == DisplaySettingsStruct::DecibelAmplitude ? 1 : 0;
        const int16_t weighting = channel.Scaling ? int16_t(channel.Scaling->TotalPowerWeighting) : 0;
        return Format("%3.2f %s", s->ComputeTotalPower(s->GetLowIndex(), s->GetHighIndex(), db, weighting),
                      TotalPowerUnit(channel));
    }
    default: return "0.0";
    }
}

TReadoutFormat::TMetrics TReadoutFormat::Metrics(int clientWidth, int clientHeight, int rows, size_t longestText)
{
    const int n = int(std::max<size_t>(1, std::min<size_t>(longestText, 1000)));
    TMetrics m{};
    m.CharWidth = clientWidth / (n + 2);
    m.CharHeight = std::max(rows == 2 ? clientHeight / 2 - 2 : clientHeight - 2, 15);
    m.Draw = m.CharHeight <= 500 && m.CharWidth <= 500;
    return m;
}

std::string TReadoutFormat::WidestText(TMeasureKind kind, const TChannel& channel)
{
    switch (kind) {
    case THD:
    case THDN: return Format("%3.5f %%", 100.0f);
    case IMD: return Format("%3.4f %%", 100.0f);
    case SNR:
    case SINAD:
    case SFDR: return Format("%3.3f %s", -888.888f, DbUnit(channel));
    case NoiseFigure: return Format("%3.3f dB", -888.888f);
    case PeakFrequency: return Format("%3.2f Hz", 88888.88f);
    case PeakAmplitude: return Format("%3.2f %s", -888.88f, AmplitudeUnit(channel));
    case TotalPower: return Format("%3.2f %s", -888.88f, TotalPowerUnit(channel));
    default: return "0.0";
    }
}
