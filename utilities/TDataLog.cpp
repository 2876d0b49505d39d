#include "utilities/TDataLog.h"

#include <cmath>
#include <ctime>

const TDataLog::TypeEntry TDataLog::TypeList[DataTypeCount] = {
    {"Peak Frequency", PeakFrequency},
    {"Peak Amplitude", PeakAmplitude},
    {"Peak Frequency and Amplitude", PeakFrequencyAndAmplitude},
    {"Marker Levels", MarkerLevels},
    {"Total Power", TotalPower},
    {"Total Power Flat, A, B and C", TotalPowerFlatABC},
    {"Spectrum Values", SpectrumValues},
    {"Total Harmonic Distortion (THD)", THD},
    {"Frequency and THD", FrequencyAndTHD},
    {"Total Harmonic Distortion + Noise (THD+N)", THDN},
    {"Frequency and THD+Noise", FrequencyAndTHDN},
    {"Intermodulation Distortion (IMD)", IMD},
    {"Signal to Noise Ratio (SNR)", SNR},
    {"SINAD Ratio", SINAD},
    {"Noise Figure (NF)", NoiseFigure},
    {"Time Delay", TimeDelay},
    {"Leq Values", LeqValues},
};

namespace {

constexpr float SecondsPerDay = 86400.0f;

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The column names of the simple types: one channel, two channels.
struct Columns {
    uint16_t Type;
    const char* One;
    const char* Two;
};
constexpr Columns ColumnTable[] = {
    {TDataLog::PeakAmplitude, "Amplitude", "Left Amplitude\tRight Amplitude"},
    {TDataLog::PeakFrequencyAndAmplitude, "Freq(Hz)\tAmplitude", "Freq(Hz)\tLeft Amplitude\tRight Amplitude"},
    {TDataLog::TotalPower, "Power Level", "Left Power Level\tRight Power Level"},
    {TDataLog::THD, "THD (%)", "Left THD (%)\tRight THD (%)"},
    {TDataLog::THDN, "THD+N (%)", "Left THD+N (%)\tRight THD+N (%)"},
    {TDataLog::IMD, "IMD (%)", "Left IMD (%)\tRight IMD (%)"},
    {TDataLog::SNR, "SNR (dB)", "Left SNR (dB)\tRight SNR (dB)"},
    {TDataLog::SINAD, "SINAD (dB)", "Left SINAD (dB)\tRight SINAD (dB)"},
    {TDataLog::NoiseFigure, "Noise Figure (dB)", "Noise Figure (dB)"},
    {TDataLog::TimeDelay, "Delay", "Delay"},
    {TDataLog::LeqValues, "LeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90",
     "LeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90\t\tLeqT\tLeq\tLsel\tLpk\tLmax\tLmin\tL10\tL50\tL90"},
    {TDataLog::FrequencyAndTHD, "Freq (Hz) THD (%)", "Left Freq (Hz) THD (%)\tRight Freq (Hz) THD (%)"},
    {TDataLog::FrequencyAndTHDN, "Freq (Hz) THD+N (%)", "Left Freq (Hz) THD+N (%)\tRight Freq (Hz) THD+N (%)"},
    {TDataLog::TotalPowerFlatABC, "Power Flat\tPwr A\tPwr B\tPwr C",
     "Left Power Flat\tPwr A\tPwr B\tPwr C\tRight Power Flat\tPwr A\tPwr B\tPwr C"},
};

// The per-channel measure of the types that log one value per channel.
using Measure = float (TSpectralData::*)() const;
struct MeasureRow {
    uint16_t Type;
    Measure Of;
};
constexpr MeasureRow MeasureTable[] = {
    {TDataLog::THD, &TSpectralData::ComputeTHD},          {TDataLog::THDN, &TSpectralData::ComputeTHDN},
    {TDataLog::IMD, &TSpectralData::ComputeIMD},          {TDataLog::SNR, &TSpectralData::ComputeSNR},
    {TDataLog::SINAD, &TSpectralData::ComputeSINAD},      {TDataLog::FrequencyAndTHD, &TSpectralData::ComputeTHD},
    {TDataLog::FrequencyAndTHDN, &TSpectralData::ComputeTHDN},
};

Measure MeasureOf(uint16_t type)
{
    for (const MeasureRow& row : MeasureTable)
        if (row.Type == type) return row.Of;
    return nullptr;
}

std::string LeqText(const TLeqData::Results& r)
{
    const float values[] = {r.LeqT, r.Leq, r.Lsel, r.Lpk, r.Lmax, r.Lmin, r.L10, r.L50, r.L90};
    std::string text;
    for (float v : values) text += (text.empty() ? "" : "\t") + Format("%6.2f", v);
    return text;
}

}  // namespace

TDataLog::TDataLog(const LoggingSettings& settings, Reporter report) : Settings(settings), Report(std::move(report))
{
    Settings.LogFileName[sizeof Settings.LogFileName - 1] = '\0';
    File = std::fopen(Settings.LogFileName, Settings.OverwriteFlag ? "wt" : "at");
    if (!File) {
        Failed = true;
        if (Report) Report(std::string("Failure opening log file: ") + Settings.LogFileName, "Tonalyx");
        return;
    }
    HeaderPending = true;
}

TDataLog::~TDataLog()
{
    if (File) std::fclose(File);
}

std::string TDataLog::TimeText(float seconds)
{
    const bool negative = seconds < 0.0f;
    const double s = std::fabs(double(seconds));
    const auto whole = static_cast<long long>(s);
    const int ms = static_cast<int>((s - double(whole)) * 1000.0);
    char text[48];
    std::snprintf(text, sizeof text, "%s%02lld:%02d:%02d.%03d", negative ? "-" : "", whole / 3600,
                  int(whole / 60 % 60), int(whole % 60), ms);
    return text;
}

bool TDataLog::TwoChannels(uint16_t cp)
{
    return cp == 2 || cp == 11 || cp == 12;
}

std::string TDataLog::ColumnLine(uint16_t type, bool two, bool stamps)
{
    const std::string time = stamps ? "Time\t" : "";
    if (type == PeakFrequency)
        return stamps ? (two ? "Time\tLeft Freq(Hz)\tRight Freq(Hz)\n" : "Time\tPeak Freq(Hz)\n") : "";
    for (const Columns& c : ColumnTable)
        if (c.Type == type) return time + (two ? c.Two : c.One) + "\n";
    return "";
}

// Interval mode: one record per interval. A time before the last record is
// a new day in Real Time; elsewhere it is a rewind, which restarts the
// schedule rather than making every block due until it catches up.
bool TDataLog::Due(float time, uint16_t opMode)
{
    if (!Settings.IntervalFlag) return true;
    if (time < LastRecordTime && NextRecordTime >= 0.0f) {
        if (opMode == RealTime) {
            LastRecordTime -= SecondsPerDay;
            NextRecordTime -= SecondsPerDay;
        } else {
            LastRecordTime = time;
            NextRecordTime = time + Settings.IntervalSecs;
            return false;
        }
    }
    if (NextRecordTime < 0.0f) NextRecordTime = time + Settings.IntervalSecs;
    if (time < NextRecordTime) return false;
    NextRecordTime += Settings.IntervalSecs;
    LastRecordTime = time;
    return true;
}

TDataLog::Band TDataLog::BandOf(const TSpectralData& s) const
{
    if (Settings.UseFullSpan) return {s.GetLowIndex(), s.GetHighIndex()};
    return {s.GetIndex(Settings.StartFreq), s.GetIndex(Settings.StopFreq)};
}

void TDataLog::WriteHeader(const Block& block)
{
    HeaderPending = false;
    if (!Settings.IncludeHeaderFlag || !File) return;
    const std::time_t now = std::time(nullptr);
    const char* date = std::ctime(&now);
    std::fprintf(File, "\nData Logging On: %s", date ? date : "\n");
    std::fputs(HeaderColumns(block).c_str(), File);
    std::fputs((std::string(RuleLength, '-') + "\n").c_str(), File);
}

std::string TDataLog::HeaderColumns(const Block& block) const
{
    const bool two = TwoChannels(block.ChannelProcessing);
    const bool stamps = Settings.IncludeTimeStampFlag != 0;
    const bool power = Settings.VantorFlag != 0;
    if (Settings.DataType == SpectrumValues) {
        std::string line = stamps ? "Time, Freq(Hz)\t" : "Freq(Hz)\t";
        auto frequencies = [&](const TSpectralData& s) {
            const Band b = BandOf(s);
            for (int i = b.First; i <= b.Last; ++i) line += Format("%6.1f", s.GetFrequency(i)) + "\t";
            if (power) line += "Pwr\tPwr(A)\t";
        };
        frequencies(*block.Left);
        if (two && block.Right) {
            line += "\t";
            frequencies(*block.Right);
        }
        return line + "\n";
    }
    if (Settings.DataType == MarkerLevels) {
        std::string line = stamps ? "Time\t" : "";
        for (const char* side : two ? std::vector<const char*>{"Left Mkr ", "Right Mkr "} : std::vector<const char*>{"Mkr "})
            for (float f : block.MarkerFrequencies) line += side + Format("%6.2f", f) + "Hz\t";
        return line + "\n";
    }
    return ColumnLine(Settings.DataType, two, stamps);
}

void TDataLog::WriteRecord(const Block& block)
{
    if (Failed || !File || !block.Left) return;
    if (HeaderPending) WriteHeader(block);
    if (!Due(block.Time, block.OpMode)) return;
    const bool two = TwoChannels(block.ChannelProcessing);
    if (two && !block.Right) return;

    auto peak = [this](const TSpectralData& s, float& hz, float& level) {
        hz = 0.0f;
        level = TSpectralData::NoLevel;
        const Band b = BandOf(s);
        s.FindNthPeak(b.First, b.Last, &hz, &level, 0);
    };
    float leftHz, leftLevel, rightHz = 0.0f, rightLevel = TSpectralData::NoLevel;
    peak(*block.Left, leftHz, leftLevel);
    if (two) peak(*block.Right, rightHz, rightLevel);
    if (!(leftLevel > Settings.Threshold || (two && rightLevel > Settings.Threshold))) return;

    std::string values;
    const uint16_t type = Settings.DataType;
    const auto f4 = [](double v) { return Format("%6.4f", v); };
    const auto f6 = [](double v) { return Format("%6.6f", v); };
    if (type == PeakFrequency) {
        values = f4(leftHz) + (two ? "\t" + f4(rightHz) : "");
    } else if (type == PeakAmplitude) {
        values = f6(leftLevel) + (two ? "\t" + f6(rightLevel) : "");
    } else if (type == PeakFrequencyAndAmplitude) {
        values = f4(leftHz) + "\t" + f6(leftLevel) + (two ? "\t" + f4(rightHz) + "\t" + f6(rightLevel) : "");
    } else if (type == TotalPower || type == TotalPowerFlatABC) {
        // Both channels over the left band.
        const Band b = BandOf(*block.Left);
        auto power = [&](TSpectralData& s, bool dB, int16_t weighting) {
            return s.ComputeTotalPower(b.First, b.Last, dB ? 1 : 0, weighting);
        };
        if (type == TotalPower) {
            values = f4(power(*block.Left, block.LeftDecibels, TSpectralData::WeightAsDisplayed));
            if (two) values += "\t" + Format("%6.2f", power(*block.Right, block.RightDecibels, TSpectralData::WeightAsDisplayed));
        } else {
            for (int side = 0; side < (two ? 2 : 1); ++side)
                for (int16_t w = TSpectralData::WeightNone; w <= TSpectralData::WeightC; ++w)
                    values += (values.empty() ? "" : "\t") +
                              f4(power(side ? *block.Right : *block.Left, side ? block.RightDecibels : block.LeftDecibels, w));
        }
    } else if (type == NoiseFigure) {
        values = f6(block.NoiseFigure);
    } else if (type == TimeDelay) {
        if (!block.Delay) return;
        values = f6(*block.Delay);
    } else if (type == LeqValues) {
        if (!block.LeqLeft || (two && !block.LeqRight)) return;
        values = LeqText(*block.LeqLeft) + (two ? "\t\t" + LeqText(*block.LeqRight) : "");
    } else if (const Measure of = MeasureOf(type)) {
        const bool withHz = type == FrequencyAndTHD || type == FrequencyAndTHDN;
        values = (withHz ? f6(leftHz) + "\t" : "") + f6((block.Left->*of)());
        if (two) values += "\t" + (withHz ? f6(rightHz) + "\t" : "") + f6((block.Right->*of)());
    }

    std::string line;
    if (type == SpectrumValues) {
        line = SpectrumValuesRecord(block, two);
    } else if (type == MarkerLevels) {
        line = MarkerRecord(block, two);
    } else {
        if (values.empty()) return;  // a code without data of its own
        line = (Settings.IncludeTimeStampFlag ? TimeText(block.Time) + "\t" : "") + values + "\n";
    }
    if (std::fputs(line.c_str(), File) < 0 || std::fflush(File) != 0) {
        Failed = true;
        if (Report) Report("Error writing to data log file.", "Error");
    }
}

std::string TDataLog::SpectrumValuesRecord(const Block& block, bool two) const
{
    std::string line = Settings.IncludeTimeStampFlag ? TimeText(block.Time) + "\t" : "";
    auto values = [&](TSpectralData& s) {
        const Band b = BandOf(s);
        for (int i = b.First; i <= b.Last; ++i) line += Format("%6.6f", s.GetDisplayValue(i)) + "\t";
        if (Settings.VantorFlag) {
            const uint32_t dB = block.LeftDecibels ? 1 : 0;
            line += Format("%6.6f", s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), dB, TSpectralData::WeightNone)) + "\t";
            line += Format("%6.6f", s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), dB, TSpectralData::WeightA)) + "\t";
        }
    };
    values(*block.Left);
    if (two) {
        line += "\t";
        values(*block.Right);
    }
    return line + "\n";
}

std::string TDataLog::MarkerRecord(const Block& block, bool two) const
{
    std::string line = Settings.IncludeTimeStampFlag ? TimeText(block.Time) + "\t" : "";
    if (block.MarkerFrequencies.empty()) return line + "No Markers Enabled!\n";
    for (int side = 0; side < (two ? 2 : 1); ++side) {
        const TSpectralData& s = side ? *block.Right : *block.Left;
        for (float f : block.MarkerFrequencies) line += Format("%6.6f", s.GetDisplayValue(s.GetIndex(f))) + "\t";
    }
    return line.substr(0, 2000) + "\n";
}
