// The texts of the DDE items: measurements of the displayed results and the
// analyser's settings and state, one row per item.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <functional>
#include "automation/TDdeItemTable.h"
#include "automation/TMacro.h"
#include "engine/TChannelProcessing.h"
#include "engine/TOverlayComparison.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "generator/TSignalGenerator.h"

namespace {

using TText = std::optional<std::string>;

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Integer(long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

// A measure of the first displayed result, and of the second one as well
// when the mode shows two results of its own and there is one.
// channel is 0 for the first result, 1 for the second.
TText Pair(TMainWin& main, const std::function<float(TSpectralData&, int channel)>& measure)
{
    TSpectralData* primary = main.GetDisplayedResult(0);
    TSpectralData* secondary = main.GetDisplayedResult(1);
    if (!primary) return std::nullopt;
    const bool both = TChannelProcessing::ShowsTwoResults(main.GetAnalysisSettings().ChannelProcessing) && secondary;
    std::string text = Format("%3.6f", measure(*primary, 0));
    if (both) text += "\t" + Format("%3.6f", measure(*secondary, 1));
    return text;
}

// The largest peak in the peak-search band: its frequency or its value.
float PeakInBand(TMainWin& main, TSpectralData& s, bool amplitude)
{
    float frequency = 0.0f;
    float value = -999.9f;
    s.FindNthPeak(s.GetIndex(main.GetPeakSearchLow()), s.GetIndex(main.GetPeakSearchHigh()), &frequency, &value, 0);
    return amplitude ? value : frequency;
}

TText TotalPower(TMainWin& main, int16_t weighting)
{
    return Pair(main, [&](TSpectralData& s, int channel) {
        const bool db = main.GetScaling(channel).AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
        return s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), db ? 1 : 0, weighting);
    });
}

// The displayed spectrum against an overlay slot between a marker pair, the
// lower bin first.
template <TDdeItem Item>
TText OverlayComparison(TMainWin& main)
{
    const TOverlayComparison::TRequest r = TOverlayComparison::Request(int(Item));
    const TSpectralData* spectrum = main.GetDisplayedResult(r.Side);
    int first = 0, last = 0;
    if (spectrum) {
        const MarkerSettings& markers = main.GetMarkers();
        first = spectrum->GetIndex(markers.MarkerFreq[r.FirstMarker]);
        last = spectrum->GetIndex(markers.MarkerFreq[r.FirstMarker + 1]);
        if (last < first) std::swap(first, last);
    }
    return Integer(main.CompareSpectrumToOverlay(r.Side, r.PeakHold ? 1 : 0, r.Slot, uint32_t(std::max(first, 0)),
                                                 uint32_t(std::max(last, 0))));
}

struct TItemRow {
    TDdeItem Item;
    TText (*Text)(TMainWin&);
};

const TItemRow ItemRows[] = {
    {TDdeItem::PeakFrequency, [](TMainWin& m) {
         return Pair(m, [&](TSpectralData& s, int) { return PeakInBand(m, s, false); });
     }},
    {TDdeItem::PeakAmplitude, [](TMainWin& m) {
         return Pair(m, [&](TSpectralData& s, int) { return PeakInBand(m, s, true); });
     }},
    {TDdeItem::TotalPower, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightAsDisplayed); }},
    {TDdeItem::TotalPowerA, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightA); }},
    {TDdeItem::TotalPowerB, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightB); }},
    {TDdeItem::TotalPowerC, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightC); }},
    {TDdeItem::THD, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeTHD(); }); }},
    {TDdeItem::THDN, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeTHDN(); }); }},
    {TDdeItem::IMD, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeIMD(); }); }},
    {TDdeItem::SNR, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSNR(); }); }},
    {TDdeItem::FFTCount, [](TMainWin& m) -> TText { return Integer(m.GetBlocksProcessed()); }},
    {TDdeItem::CurrentTime, [](TMainWin& m) -> TText { return Format("%3.4f", m.TimePosition()); }},
    {TDdeItem::PeakHold, [](TMainWin& m) -> TText { return Integer(m.GetAnalysisSettings().PeakHold); }},
    {TDdeItem::FFTOverlap, [](TMainWin& m) -> TText { return Integer(m.GetAnalysisSettings().OverlapPercent); }},
    {TDdeItem::FFTSize, [](TMainWin& m) -> TText { return Integer(long(m.GetAnalysisSettings().FFTsize)); }},
    {TDdeItem::AverageSize, [](TMainWin& m) -> TText {
         const uint32_t blocks = m.GetAnalysisSettings().AverageBlocks;
         return blocks < 1001 ? Integer(long(blocks)) : std::string("1001");
     }},
    {TDdeItem::SmoothingWindow, [](TMainWin& m) -> TText {
         char name[32] = {};
         TSmoothing::GetWindowName(m.GetAnalysisSettings().SmoothingWindow, name);
         return std::string(name);
     }},
    {TDdeItem::SINAD, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSINAD(); }); }},
    {TDdeItem::SFDR, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSFDR(); }); }},
    {TDdeItem::NF, [](TMainWin& m) -> TText { return Format("%3.6f", m.GetNoiseFigure()); }},
    {TDdeItem::MacroStatus, [](TMainWin& m) -> TText {
         return m.MacroWindow() ? Integer(m.MacroWindow()->IsRunning() ? 1 : 0) : "-1";
     }},
    {TDdeItem::FileClosed, [](TMainWin& m) -> TText {
         // Read once: the next request finds it empty.
         return m.TakeLastClosedFile();
     }},
    {TDdeItem::AverageType, [](TMainWin& m) -> TText { return Integer(m.GetAnalysisSettings().AverageType); }},
    {TDdeItem::AverageMode, [](TMainWin& m) -> TText { return Integer(m.GetAnalysisSettings().AverageMode); }},
    {TDdeItem::DecimationRatio, [](TMainWin& m) -> TText { return Integer(m.GetAnalysisSettings().DecimationRatio); }},
    {TDdeItem::Mode, [](TMainWin& m) -> TText { return Integer(m.GetOpMode()); }},
    {TDdeItem::SignalGeneratorTypeLeft, [](TMainWin& m) -> TText {
         return Integer(m.SignalGenerator() ? m.SignalGenerator()->Left.SigType : 0);
     }},
    {TDdeItem::SignalGeneratorTypeRight, [](TMainWin& m) -> TText {
         return Integer(m.SignalGenerator() ? m.SignalGenerator()->Right.SigType : 0);
     }},
    {TDdeItem::OverloadStatus, [](TMainWin& m) -> TText { return Integer(m.GetOverloadFlag()); }},
    {TDdeItem::OverloadCount, [](TMainWin& m) -> TText { return Integer(m.GetOverloadBlocks()); }},
    {TDdeItem::SamplingRate, [](TMainWin& m) -> TText {
         return Integer(long(m.GetAnalysisSettings().Format.SamplingRate));
     }},
    {TDdeItem::CompareLeftSpectrumToOverlay1, OverlayComparison<TDdeItem::CompareLeftSpectrumToOverlay1>},
    {TDdeItem::CompareLeftSpectrumToOverlay2, OverlayComparison<TDdeItem::CompareLeftSpectrumToOverlay2>},
    {TDdeItem::CompareLeftSpectrumToOverlay3, OverlayComparison<TDdeItem::CompareLeftSpectrumToOverlay3>},
    {TDdeItem::CompareLeftSpectrumToOverlay4, OverlayComparison<TDdeItem::CompareLeftSpectrumToOverlay4>},
    {TDdeItem::CompareLeftPeakHoldToOverlay1, OverlayComparison<TDdeItem::CompareLeftPeakHoldToOverlay1>},
    {TDdeItem::CompareLeftPeakHoldToOverlay2, OverlayComparison<TDdeItem::CompareLeftPeakHoldToOverlay2>},
    {TDdeItem::CompareLeftPeakHoldToOverlay3, OverlayComparison<TDdeItem::CompareLeftPeakHoldToOverlay3>},
    {TDdeItem::CompareLeftPeakHoldToOverlay4, OverlayComparison<TDdeItem::CompareLeftPeakHoldToOverlay4>},
    {TDdeItem::CompareRightSpectrumToOverlay1, OverlayComparison<TDdeItem::CompareRightSpectrumToOverlay1>},
    {TDdeItem::CompareRightSpectrumToOverlay2, OverlayComparison<TDdeItem::CompareRightSpectrumToOverlay2>},
    {TDdeItem::CompareRightSpectrumToOverlay3, OverlayComparison<TDdeItem::CompareRightSpectrumToOverlay3>},
    {TDdeItem::CompareRightSpectrumToOverlay4, OverlayComparison<TDdeItem::CompareRightSpectrumToOverlay4>},
    {TDdeItem::CompareRightPeakHoldToOverlay1, OverlayComparison<TDdeItem::CompareRightPeakHoldToOverlay1>},
    {TDdeItem::CompareRightPeakHoldToOverlay2, OverlayComparison<TDdeItem::CompareRightPeakHoldToOverlay2>},
    {TDdeItem::CompareRightPeakHoldToOverlay3, OverlayComparison<TDdeItem::CompareRightPeakHoldToOverlay3>},
    {TDdeItem::CompareRightPeakHoldToOverlay4, OverlayComparison<TDdeItem::CompareRightPeakHoldToOverlay4>},
};

}  // namespace

std::string TMainWin::TakeLastClosedFile()
{
    std::string name = LastClosedFile;
    LastClosedFile[0] = '\0';
    return name;
}

std::optional<std::string> TMainWin::DdeItemText(int index)
{
    for (const TItemRow& row : ItemRows)
        if (int(row.Item) == index) return row.Text(*this);
    for (const TDdeTextRow& row : DdeListingRows())
        if (int(row.Item) == index) return row.Text(*this);
    return std::nullopt;
}
