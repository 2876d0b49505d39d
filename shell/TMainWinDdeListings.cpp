// The DDE listing items: spectra, peak holds and phase over a range of bins,
// the analysis blocks' time series and the recording over the time segment,
// one CR LF line per bin, sample or frame.
#include "shell/TDdeItemRows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <new>
#include "engine/TChannelProcessing.h"
#include "engine/TSeriesData.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "shell/TMainWin.h"
#include "views/TSeriesScale.h"

namespace {

using TText = std::optional<std::string>;

enum class TRange { Full, SpectrumZoom, PhaseZoom, Marked };
enum class TValue { Display, PeakHold, Phase };
// Both displayed results (the second one when the mode shows it), or one.
enum class TColumns { Both, Left, Right };

// A growing text: every line goes in whole, however long the listing.
void AppendLine(std::string& text, std::initializer_list<double> columns)
{
    char cell[64];
    bool first = true;
    for (double value : columns) {
        if (!first) text += '\t';
        first = false;
        const int length = std::snprintf(cell, sizeof cell, "%6.6f", value);
        if (length > 0) text.append(cell, std::min(size_t(length), sizeof cell - 1));
    }
    text += "\r\n";
}

// About the length of a line, so that long listings grow once.
void Reserve(std::string& text, int64_t lines, int columns)
{
    if (lines > 0) text.reserve(size_t(lines) * size_t(columns) * 14);
}

std::pair<int, int> BinRange(TMainWin& main, const TSpectralData& s, TRange range, int channel)
{
    switch (range) {
    case TRange::SpectrumZoom: {
        const SpectrumOpts& o = main.GetSpectrumOptions(channel);
        return {s.GetIndex(o.StartFreq), s.GetIndex(o.StopFreq)};
    }
    case TRange::PhaseZoom: {
        const PhaseOpts& o = main.GetPhaseOptions(channel);
        return {s.GetIndex(o.StartFreq), s.GetIndex(o.StopFreq)};
    }
    case TRange::Marked: {
        const MarkerSettings& m = main.GetMarkers();
        return {s.GetIndex(m.MarkerFreq[0]), s.GetIndex(m.MarkerFreq[1])};
    }
    case TRange::Full: break;
    }
    return {s.GetLowIndex(), s.GetHighIndex()};
}

float ValueAt(const TSpectralData& s, TValue value, int index)
{
    switch (value) {
    case TValue::PeakHold: return s.GetPeakHoldValue(index);
    case TValue::Phase: return s.GetPhase(index);
    case TValue::Display: break;
    }
    return s.GetDisplayValue(index);
}

// Frequency and value of each bin of the range, low to high; a reversed
// range lists nothing.
TText SpectralListing(TMainWin& main, TRange range, TValue value, TColumns columns)
{
    TSpectralData* primary = main.GetDisplayedResult(0);
    TSpectralData* secondary = main.GetDisplayedResult(1);
    const int channel = columns == TColumns::Right ? 1 : 0;
    TSpectralData* first = channel ? secondary : primary;
    if (!first) return std::nullopt;
    TSpectralData* second = columns == TColumns::Both && secondary
                                && TChannelProcessing::ShowsTwoResults(main.GetAnalysisSettings().ChannelProcessing)
                            ? secondary
                            : nullptr;
    const auto [low, high] = BinRange(main, *first, range, channel);
    std::string text;
    Reserve(text, int64_t(high) - low + 1, second ? 3 : 2);
    for (int64_t i = low; i <= high; ++i) {
        const int index = int(i);
        if (second)
            AppendLine(text, {first->GetFrequency(index), ValueAt(*first, value, index), ValueAt(*second, value, index)});
        else
            AppendLine(text, {first->GetFrequency(index), ValueAt(*first, value, index)});
    }
    return text;
}

// The analysis blocks: the first FFT size samples, or those the time series
// view shows. Both columns follow the right block's existence alone.
TText SeriesListing(TMainWin& main, bool zoomed, TColumns columns)
{
    const uint16_t channel = columns == TColumns::Right ? 1 : 0;
    const TSeriesData* first = main.GetSeries(channel);
    if (!first) return std::nullopt;
    const TSeriesData* second = columns == TColumns::Both ? main.GetSeries(1) : nullptr;
    int64_t start = 0;
    int64_t end = main.GetAnalysisSettings().FFTsize;
    if (zoomed) {
        const SeriesOpts& o = main.GetSeriesOptions();
        start = first->TimeToSample(o.StartTime);
        end = first->TimeToSample(o.StopTime);
    }
    std::string text;
    Reserve(text, end - start, second ? 3 : 2);
    for (int64_t i = start; i < end; ++i) {
        const uint32_t n = uint32_t(i);
        const double time = first->SamplesToTime(n);
        const double value = TDdeItemRows::SeriesLevel(main, channel, first->GetSample(n, 1));
        if (second)
            AppendLine(text, {time, value, TDdeItemRows::SeriesLevel(main, 1, second->GetSample(n, 1))});
        else
            AppendLine(text, {time, value});
    }
    return text;
}

// The recording's frames over the time segment.
TText WaveListing(TMainWin& main, TColumns columns)
{
    TWaveFile* wave = main.Wave();
    if (!wave) return std::nullopt;
    const bool stereo = wave->GetChannels() == 2;
    if (columns == TColumns::Right && !stereo) return std::nullopt;
    const auto [startTime, endTime] = main.ListedTimeSegment();
    const int64_t start = wave->TimeToFrame(startTime);
    const int64_t end = wave->TimeToFrame(endTime);
    const uint16_t channel = columns == TColumns::Right ? 1 : 0;
    const bool both = columns == TColumns::Both && stereo;
    std::string text;
    Reserve(text, end - start, both ? 3 : 2);
    for (int64_t i = start; i < end; ++i) {
        const uint32_t frame = uint32_t(i);
        const double time = wave->FrameToTime(frame);
        const double value = TDdeItemRows::SeriesLevel(main, channel, wave->GetSample(frame, channel, 1));
        if (both)
            AppendLine(text, {time, value, TDdeItemRows::SeriesLevel(main, 1, wave->GetSample(frame, 1, 1))});
        else
            AppendLine(text, {time, value});
    }
    return text;
}

// A listing too long for the memory there is has no data.
template <class Make>
TText Listed(Make make)
{
    try {
        return make();
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

template <TRange Range, TValue Value, TColumns Columns>
TText Spectral(TMainWin& main)
{
    return Listed([&] { return SpectralListing(main, Range, Value, Columns); });
}

template <bool Zoomed, TColumns Columns>
TText Series(TMainWin& main)
{
    return Listed([&] { return SeriesListing(main, Zoomed, Columns); });
}

template <TColumns Columns>
TText Wave(TMainWin& main)
{
    return Listed([&] { return WaveListing(main, Columns); });
}

using R = TRange;
using V = TValue;
using C = TColumns;
using Row = TDdeItemRows::Row;

const Row ListingRows[] = {
    {TDdeItem::Spectrum, Spectral<R::Full, V::Display, C::Both>},
    {TDdeItem::Phase, Spectral<R::Full, V::Phase, C::Both>},
    {TDdeItem::TimeSeries, Series<false, C::Both>},
    {TDdeItem::ZoomedSpectrum, Spectral<R::SpectrumZoom, V::Display, C::Both>},
    {TDdeItem::ZoomedPhase, Spectral<R::PhaseZoom, V::Phase, C::Both>},
    {TDdeItem::MarkedSpectrum, Spectral<R::Marked, V::Display, C::Both>},
    {TDdeItem::MarkedPhase, Spectral<R::Marked, V::Phase, C::Both>},
    {TDdeItem::ZoomedTimeSeries, Series<true, C::Both>},
    {TDdeItem::SpectrumLeft, Spectral<R::Full, V::Display, C::Left>},
    {TDdeItem::SpectrumRight, Spectral<R::Full, V::Display, C::Right>},
    {TDdeItem::ZoomedSpectrumLeft, Spectral<R::SpectrumZoom, V::Display, C::Left>},
    {TDdeItem::ZoomedSpectrumRight, Spectral<R::SpectrumZoom, V::Display, C::Right>},
    {TDdeItem::MarkedSpectrumLeft, Spectral<R::Marked, V::Display, C::Left>},
    {TDdeItem::MarkedSpectrumRight, Spectral<R::Marked, V::Display, C::Right>},
    {TDdeItem::PhaseLeft, Spectral<R::Full, V::Phase, C::Left>},
    {TDdeItem::PhaseRight, Spectral<R::Full, V::Phase, C::Right>},
    {TDdeItem::ZoomedPhaseLeft, Spectral<R::PhaseZoom, V::Phase, C::Left>},
    {TDdeItem::ZoomedPhaseRight, Spectral<R::PhaseZoom, V::Phase, C::Right>},
    {TDdeItem::MarkedPhaseLeft, Spectral<R::Marked, V::Phase, C::Left>},
    {TDdeItem::MarkedPhaseRight, Spectral<R::Marked, V::Phase, C::Right>},
    {TDdeItem::TimeSeriesLeft, Series<false, C::Left>},
    {TDdeItem::TimeSeriesRight, Series<false, C::Right>},
    {TDdeItem::ZoomedTimeSeriesLeft, Series<true, C::Left>},
    {TDdeItem::ZoomedTimeSeriesRight, Series<true, C::Right>},
    {TDdeItem::WaveSegment, Wave<C::Both>},
    {TDdeItem::WaveSegmentLeft, Wave<C::Left>},
    {TDdeItem::WaveSegmentRight, Wave<C::Right>},
    {TDdeItem::PeakHoldSpectrum, Spectral<R::Full, V::PeakHold, C::Both>},
    {TDdeItem::PeakHoldSpectrumLeft, Spectral<R::Full, V::PeakHold, C::Left>},
    {TDdeItem::PeakHoldSpectrumRight, Spectral<R::Full, V::PeakHold, C::Right>},
    {TDdeItem::ZoomedPeakHoldSpectrum, Spectral<R::SpectrumZoom, V::PeakHold, C::Both>},
    {TDdeItem::ZoomedPeakHoldSpectrumLeft, Spectral<R::SpectrumZoom, V::PeakHold, C::Left>},
    {TDdeItem::ZoomedPeakHoldSpectrumRight, Spectral<R::SpectrumZoom, V::PeakHold, C::Right>},
    {TDdeItem::MarkedPeakHoldSpectrum, Spectral<R::Marked, V::PeakHold, C::Both>},
    {TDdeItem::MarkedPeakHoldSpectrumLeft, Spectral<R::Marked, V::PeakHold, C::Left>},
    {TDdeItem::MarkedPeakHoldSpectrumRight, Spectral<R::Marked, V::PeakHold, C::Right>},
};

}  // namespace

std::span<const TDdeItemRows::Row> TDdeItemRows::Listings()
{
    return ListingRows;
}

std::pair<float, float> TMainWin::ListedTimeSegment()
{
    if (!(TimeSegmentEnd > TimeSegmentStart)) {
        TimeSegmentStart = SeriesOptions.StartTime;
        TimeSegmentEnd = SeriesOptions.StopTime;
    }
    return {TimeSegmentStart, TimeSegmentEnd};
}
