// The DDE items of the utility windows and the recording: data logging, the
// delay finder, the Leq figures, the THD+N versus frequency curve and its
// limits, the recording's position, length, samples and the power of its
// time segment.
#include "shell/TMainWin.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include "engine/TWaveFile.h"
#include "framework/UiHelpers.h"
#include "shell/TDdeItemRows.h"
#include "utilities/TDataLog.h"
#include "utilities/TDelayFinder.h"
#include "utilities/TLeqAnalysis.h"
#include "utilities/TTHDFreq.h"

namespace {

using TText = TDdeItemRows::TText;
using D = TDdeItem;

// The single-value buffer the items share: a longer text does not fit.
constexpr size_t ItemBufferSize = 1000;
// The level of a channel without a measure.
constexpr float NoLevel = -999.0f;

TText Integer(long value)
{
    return TDdeItemRows::Integer(value);
}

// A row (0-8) of the Leq window's figures, "%6.2f" left and right when the
// window has right-channel data; 0 while the window is closed.
TText LeqRow(TMainWin& main, int row)
{
    const TLeqAnalysis* leq = main.LeqWindow();
    if (!leq) return TDdeItemRows::Printed("%6.2f", 0.0);
    std::string text = leq->ValueText(row, 0);
    if (leq->Data(1)) text += "\t" + leq->ValueText(row, 1);
    return text;
}

template <int Row>
TText LeqFigure(TMainWin& main)
{
    return LeqRow(main, Row);
}

TText LeqValues(TMainWin& main)
{
    const TLeqAnalysis* leq = main.LeqWindow();
    if (!leq) return TDdeItemRows::Printed("%6.2f", 0.0);
    if (!leq->Data(0)) return std::string();
    std::string text;
    for (int row = 0; row < 9; ++row) {
        if (row) text += "\r\n";
        text += *LeqRow(main, row);
    }
    return text;
}

// One line per point while the lines fit the item buffer with its zero;
// the first line that does not ends the text.
TText ThdCurve(TMainWin& main)
{
    const TTHDFreq* window = main.ThdFreqWindow();
    if (!window || window->LeftPoints().empty()) return std::nullopt;
    const std::vector<TThdPoint>& left = window->LeftPoints();
    const std::vector<TThdPoint>& right = window->RightPoints();
    std::string text;
    for (size_t i = 0; i < left.size(); ++i) {
        char line[128];
        if (!right.empty())
            std::snprintf(line, sizeof line, "%f\t%f\t%f\r\n", double(left[i].Frequency), double(left[i].Thdn),
                          double(i < right.size() ? right[i].Thdn : 0.0f));
        else
            std::snprintf(line, sizeof line, "%f\t%f\r\n", double(left[i].Frequency), double(left[i].Thdn));
        if (text.size() + std::strlen(line) + 1 > ItemBufferSize) break;
        text += line;
    }
    return text;
}

template <int Channel>
TText ThdLimits(TMainWin& main)
{
    TTHDFreq* window = main.ThdFreqWindow();
    if (!window) return std::nullopt;
    return Integer(window->CompareToLimits(Channel));
}

// The rms level of a channel over the time segment, in the channel's display
// units. The wave's scaled samples carry the channel's calibration already.
float SegmentLevel(TMainWin& main, TWaveFile& wave, uint16_t channel)
{
    const float meanSquare = wave.SumOfSquaresTime(main.GetTimeSegmentStart(), main.GetTimeSegmentEnd(), channel);
    return meanSquare > 0.0f ? main.LevelToDisplayUnits(channel, std::sqrt(meanSquare)) : NoLevel;
}

TText SegmentPower(TMainWin& main)
{
    float left = NoLevel, right = NoLevel;
    if (TWaveFile* wave = main.Wave()) {
        left = SegmentLevel(main, *wave, 0);
        if (wave->GetChannels() == 2) right = SegmentLevel(main, *wave, 1);
    }
    std::string text = TDdeItemRows::Printed("%3.2f", left);
    if (TDdeItemRows::ReportsBothResults(main)) text += "\t" + TDdeItemRows::Printed("%3.2f", right);
    return text;
}

// The recording's sample of a channel at its position, as the time series shows it.
template <uint16_t Channel>
TText WaveSample(TMainWin& main)
{
    TWaveFile* wave = main.Wave();
    if (!wave || Channel >= wave->GetChannels()) return std::nullopt;
    const float sample = wave->GetSample(wave->GetPosition(), Channel, 1);
    return TDdeItemRows::Printed("%f", TDdeItemRows::SeriesLevel(main, Channel, sample));
}

const TDdeItemRows::Row UtilityRows[] = {
    {D::TotalTime, [](TMainWin& m) -> TText {
         return TDdeItemRows::Printed("%3.4f", m.Wave() ? m.Wave()->GetHighWaterTime() : 0.0f);
     }},
    {D::LoggingStatus, [](TMainWin& m) -> TText { return m.GetDataLog() ? "1" : "0"; }},
    {D::TotalPowerInTimeSegment, SegmentPower},
    {D::DelayFinder, [](TMainWin& m) -> TText {
         return TDdeItemRows::Printed("%3.6f", m.DelayFinder() ? m.DelayFinder()->GetDelayInUnits() : 0.0f);
     }},
    {D::LastLoggingTime, [](TMainWin& m) -> TText {
         return m.GetDataLog() ? FormatTime(m.GetDataLog()->GetLastLogTime(), true, true) : "N/A";
     }},
    {D::LeqValues, LeqValues},
    {D::LeqT, LeqFigure<0>},
    {D::Leq, LeqFigure<1>},
    {D::Lsel, LeqFigure<2>},
    {D::Lpk, LeqFigure<3>},
    {D::Lmax, LeqFigure<4>},
    {D::Lmin, LeqFigure<5>},
    {D::L10, LeqFigure<6>},
    {D::L50, LeqFigure<7>},
    {D::L90, LeqFigure<8>},
    {D::THDVsFrequency, ThdCurve},
    {D::CompareLeftTHDVsFreqToLimits, ThdLimits<0>},
    {D::CompareRightTHDVsFreqToLimits, ThdLimits<1>},
    {D::CurrentSample, [](TMainWin& m) { return Integer(m.Wave() ? long(m.Wave()->GetPosition()) : 0L); }},
    {D::TotalSamples, [](TMainWin& m) { return Integer(m.Wave() ? long(m.Wave()->GetHighWaterMark()) : 0L); }},
    {D::WaveSampleLeft, WaveSample<0>},
    {D::WaveSampleRight, WaveSample<1>},
};

}  // namespace

std::span<const TDdeItemRows::Row> TDdeItemRows::UtilitiesAndRecording()
{
    return UtilityRows;
}
