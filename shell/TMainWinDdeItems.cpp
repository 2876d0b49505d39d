// The DDE items' lookup over the topics, and the measures of the displayed
// results: peaks, total powers, distortion, marker levels and the overlay
// comparisons, one row per item.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include "automation/TDdeItemTable.h"
#include "engine/TOverlayComparison.h"
#include "engine/TSpectralData.h"
#include "shell/TDdeItemRows.h"

namespace {

using TText = TDdeItemRows::TText;

// A measure of the first displayed result, and of the second one as well
// when the pair items report both. channel is 0 for the first result, 1 for
// the second.
TText Pair(TMainWin& main, const std::function<float(TSpectralData&, int channel)>& measure)
{
    TSpectralData* primary = main.GetDisplayedResult(0);
    if (!primary) return std::nullopt;
    std::string text = TDdeItemRows::Printed("%3.6f", measure(*primary, 0));
    if (TDdeItemRows::ReportsBothResults(main))
        text += "\t" + TDdeItemRows::Printed("%3.6f", measure(*main.GetDisplayedResult(1), 1));
    return text;
}

// The index ranges the items measure over, each worked out on the result's
// own bins or bands.
enum class TRange { Full, PeakSearch, Marked };

std::pair<int, int> Indexes(TMainWin& main, const TSpectralData& s, TRange range)
{
    switch (range) {
    case TRange::PeakSearch: return {s.GetIndex(main.GetPeakSearchLow()), s.GetIndex(main.GetPeakSearchHigh())};
    case TRange::Marked:
        return {s.GetIndex(main.GetMarkers().MarkerFreq[0]), s.GetIndex(main.GetMarkers().MarkerFreq[1])};
    case TRange::Full: break;
    }
    return {s.GetLowIndex(), s.GetHighIndex()};
}

// The rank-th largest peak of the range (0 the largest): its frequency or its value.
template <TRange Range, int Rank, bool Amplitude>
TText Peak(TMainWin& main)
{
    return Pair(main, [&](TSpectralData& s, int) {
        float frequency = 0.0f;
        float value = -999.9f;
        const auto [first, last] = Indexes(main, s, Range);
        s.FindNthPeak(first, last, &frequency, &value, Rank);
        return Amplitude ? value : frequency;
    });
}

// In dB when the channel's amplitude scale is.
template <TRange Range, int16_t Weighting>
TText TotalPower(TMainWin& main)
{
    return Pair(main, [&](TSpectralData& s, int channel) {
        const bool db = main.GetScaling(channel).AmpScaleType == DisplaySettingsStruct::DecibelAmplitude;
        const auto [first, last] = Indexes(main, s, Range);
        return s.ComputeTotalPower(first, last, db ? 1 : 0, Weighting);
    });
}

template <int Marker>
TText MarkerAmplitude(TMainWin& main)
{
    return Pair(main, [&](TSpectralData& s, int) {
        return s.GetDisplayValue(s.GetIndex(main.GetMarkers().MarkerFreq[Marker]));
    });
}

template <float (TSpectralData::*Measure)() const>
TText Distortion(TMainWin& main)
{
    return Pair(main, [](TSpectralData& s, int) { return (s.*Measure)(); });
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
    const int result = main.CompareSpectrumToOverlay(r.Side, r.PeakHold ? 1 : 0, r.Slot,
                                                     uint32_t(std::max(first, 0)), uint32_t(std::max(last, 0)));
    return TDdeItemRows::Integer(result);
}

using W = TSpectralData::Weighting;
using D = TDdeItem;

const TDdeItemRows::Row MeasureRows[] = {
    {D::PeakFrequency, Peak<TRange::PeakSearch, 0, false>},
    {D::PeakAmplitude, Peak<TRange::PeakSearch, 0, true>},
    {D::TotalPower, TotalPower<TRange::Full, W::WeightAsDisplayed>},
    {D::TotalPowerA, TotalPower<TRange::Full, W::WeightA>},
    {D::TotalPowerB, TotalPower<TRange::Full, W::WeightB>},
    {D::TotalPowerC, TotalPower<TRange::Full, W::WeightC>},
    {D::THD, Distortion<&TSpectralData::ComputeTHD>},
    {D::THDN, Distortion<&TSpectralData::ComputeTHDN>},
    {D::IMD, Distortion<&TSpectralData::ComputeIMD>},
    {D::SNR, Distortion<&TSpectralData::ComputeSNR>},
    {D::Marker1Amplitude, MarkerAmplitude<0>},
    {D::Marker2Amplitude, MarkerAmplitude<1>},
    {D::Marker3Amplitude, MarkerAmplitude<2>},
    {D::Marker4Amplitude, MarkerAmplitude<3>},
    {D::Marker5Amplitude, MarkerAmplitude<4>},
    {D::Marker6Amplitude, MarkerAmplitude<5>},
    {D::Marker7Amplitude, MarkerAmplitude<6>},
    {D::Marker8Amplitude, MarkerAmplitude<7>},
    {D::Peak1Frequency, Peak<TRange::PeakSearch, 0, false>},
    {D::Peak2Frequency, Peak<TRange::PeakSearch, 1, false>},
    {D::Peak3Frequency, Peak<TRange::PeakSearch, 2, false>},
    {D::Peak4Frequency, Peak<TRange::PeakSearch, 3, false>},
    {D::Peak5Frequency, Peak<TRange::PeakSearch, 4, false>},
    {D::Peak6Frequency, Peak<TRange::PeakSearch, 5, false>},
    {D::Peak1Amplitude, Peak<TRange::PeakSearch, 0, true>},
    {D::Peak2Amplitude, Peak<TRange::PeakSearch, 1, true>},
    {D::Peak3Amplitude, Peak<TRange::PeakSearch, 2, true>},
    {D::Peak4Amplitude, Peak<TRange::PeakSearch, 3, true>},
    {D::Peak5Amplitude, Peak<TRange::PeakSearch, 4, true>},
    {D::Peak6Amplitude, Peak<TRange::PeakSearch, 5, true>},
    {D::TotalPowerFlat, TotalPower<TRange::Full, W::WeightNone>},
    {D::SINAD, Distortion<&TSpectralData::ComputeSINAD>},
    {D::SFDR, Distortion<&TSpectralData::ComputeSFDR>},
    {D::NF, [](TMainWin& m) -> TText { return TDdeItemRows::Printed("%3.6f", m.GetNoiseFigure()); }},
    {D::MarkedPeakFrequency, Peak<TRange::Marked, 0, false>},
    {D::MarkedPeakAmplitude, Peak<TRange::Marked, 0, true>},
    {D::MarkedTotalPower, TotalPower<TRange::Marked, W::WeightAsDisplayed>},
    {D::MarkedTotalPowerFlat, TotalPower<TRange::Marked, W::WeightNone>},
    {D::MarkedTotalPowerA, TotalPower<TRange::Marked, W::WeightA>},
    {D::MarkedTotalPowerB, TotalPower<TRange::Marked, W::WeightB>},
    {D::MarkedTotalPowerC, TotalPower<TRange::Marked, W::WeightC>},
    {D::CompareLeftSpectrumToOverlay1, OverlayComparison<D::CompareLeftSpectrumToOverlay1>},
    {D::CompareLeftSpectrumToOverlay2, OverlayComparison<D::CompareLeftSpectrumToOverlay2>},
    {D::CompareLeftSpectrumToOverlay3, OverlayComparison<D::CompareLeftSpectrumToOverlay3>},
    {D::CompareLeftSpectrumToOverlay4, OverlayComparison<D::CompareLeftSpectrumToOverlay4>},
    {D::CompareLeftPeakHoldToOverlay1, OverlayComparison<D::CompareLeftPeakHoldToOverlay1>},
    {D::CompareLeftPeakHoldToOverlay2, OverlayComparison<D::CompareLeftPeakHoldToOverlay2>},
    {D::CompareLeftPeakHoldToOverlay3, OverlayComparison<D::CompareLeftPeakHoldToOverlay3>},
    {D::CompareLeftPeakHoldToOverlay4, OverlayComparison<D::CompareLeftPeakHoldToOverlay4>},
    {D::CompareRightSpectrumToOverlay1, OverlayComparison<D::CompareRightSpectrumToOverlay1>},
    {D::CompareRightSpectrumToOverlay2, OverlayComparison<D::CompareRightSpectrumToOverlay2>},
    {D::CompareRightSpectrumToOverlay3, OverlayComparison<D::CompareRightSpectrumToOverlay3>},
    {D::CompareRightSpectrumToOverlay4, OverlayComparison<D::CompareRightSpectrumToOverlay4>},
    {D::CompareRightPeakHoldToOverlay1, OverlayComparison<D::CompareRightPeakHoldToOverlay1>},
    {D::CompareRightPeakHoldToOverlay2, OverlayComparison<D::CompareRightPeakHoldToOverlay2>},
    {D::CompareRightPeakHoldToOverlay3, OverlayComparison<D::CompareRightPeakHoldToOverlay3>},
    {D::CompareRightPeakHoldToOverlay4, OverlayComparison<D::CompareRightPeakHoldToOverlay4>},
};

}  // namespace

std::span<const TDdeItemRows::Row> TDdeItemRows::Measures()
{
    return MeasureRows;
}

std::optional<std::string> TMainWin::DdeItemText(int index)
{
    static constexpr TDdeItemRows::Topic Topics[] = {
        TDdeItemRows::Measures,
        TDdeItemRows::SettingsAndState,
        TDdeItemRows::UtilitiesAndRecording,
        TDdeItemRows::Listings,
    };
    for (TDdeItemRows::Topic topic : Topics)
        for (const TDdeItemRows::Row& row : topic())
            if (int(row.Item) == index) return row.Text(*this);
    return std::nullopt;
}
