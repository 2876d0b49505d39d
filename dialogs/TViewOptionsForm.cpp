#include "dialogs/TViewOptionsForm.h"

#include <cstdio>
#include "base/TEngineHost.h"
#include "dialogs/TFieldText.h"

namespace {

using TOutcome = TViewOptionsForm::TOutcome;
using TFields = TViewOptionsForm::TFields;
using TLimits = TViewOptionsForm::TLimits;

constexpr const char* TopText = "Top of Plot must be between %6.3f and %6.3f";
constexpr const char* RangeText = "Plot Range must be between %6.3f and %6.3f";
constexpr const char* StopAfterStartText = "Stop Frequency must be greater than Start Frequency";
constexpr const char* StartFreqText = "Start Frequency must be between %6.1f and %6.1f Hz";
constexpr const char* StopFreqText = "Stop Frequency must be between %6.1f and %6.1f Hz";
constexpr const char* IntervalText = "Update Interval must be between 1 and %d seconds";
constexpr const char* StartTimeText = "Start Time must be greater than zero";
constexpr const char* StopTimeText = "Stop Time must be greater than zero";
constexpr const char* TimeOrderText = "Stop Time must be greater than Start Time";
constexpr const char* ZoomOutText = "Max Zoom Out Time must be at least 0.1 seconds";

// Bounds the checks compare with, as typed decimals (a float's 0.1 lies above 0.1).
constexpr double MaxInterval = 3600.0;
constexpr double MinZoomOut = 0.1;
constexpr double RpmToStored = 0.001;

TOutcome Refuse(const char* format, double a = 0.0, double b = 0.0)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return {true, text, TEngineHost::MsgIconStop};
}

double Read(const std::string& text) { return TFieldText::ToFloat(text); }

bool TopWithin(const TLimits& l, double v)
{
    return v >= double(l.TopMin) && v <= double(l.TopMax);
}

bool StoreTop(const TFields& f, const TLimits& l, float& top, TOutcome& o)
{
    const double v = Read(f.PlotTop);
    if (!TopWithin(l, v)) {
        o = Refuse(TopText, double(l.TopMin), double(l.TopMax));
        return false;
    }
    top = float(v);
    return true;
}

bool StoreRange(const TFields& f, double bound, float& range, TOutcome& o)
{
    const double v = Read(f.PlotRange);
    if (v <= 0.0 || v > bound) {
        o = Refuse(RangeText, 0.0, bound);
        return false;
    }
    range = float(v);
    return true;
}

// Both edges are stored only when all three checks pass.
bool StoreSpan(const TFields& f, const TViewOptionsForm::TContext& c, float& start, float& stop, TOutcome& o)
{
    const double a = Read(f.Start), b = Read(f.Stop);
    const double low = double(c.Low), high = double(c.High);
    if (!(a < b)) o = Refuse(StopAfterStartText);
    else if (a < low - 1.0 || a > high + 1.0) o = Refuse(StartFreqText, low, high);
    else if (b < low - 1.0 || b > high + 1.0) o = Refuse(StopFreqText, low, high);
    else {
        start = float(a);
        stop = float(b);
        return true;
    }
    return false;
}

// As often as possible leaves the stored interval as it was.
TOutcome StoreInterval(const TFields& f, uint32_t& flag, float& secs)
{
    flag = f.AtIntervals ? 1 : 0;
    if (!flag) return {};
    const double v = Read(f.Interval);
    if (v > MaxInterval) {
        char text[96];
        std::snprintf(text, sizeof text, IntervalText, int(MaxInterval));
        return {true, text, TEngineHost::MsgIconStop};
    }
    secs = float(v);
    return {};
}

std::string Span(float value, const char* format) { return TViewOptionsForm::Format(format, double(value)); }

void ShowInterval(TFields& f, uint32_t flag, float secs)
{
    f.AtIntervals = flag ? 1 : 0;
    f.Interval = TViewOptionsForm::Format("%6.3f", double(secs));
}

}  // namespace

std::string TViewOptionsForm::Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

TViewOptionsForm::TLimits TViewOptionsForm::LimitsOf(TKind kind, uint16_t scale)
{
    const bool log = scale != 0;
    switch (kind) {
    case TKind::Spectrum:
        return log ? TLimits{200.0f, -200.0f, 5.0f, 200.0f, -200.0f} : TLimits{1e7f, 1e-9f, 1.0f, 1e7f, 1e-9f};
    case TKind::Phase:
        return {180.0f, -180.0f, 5.0f, 360.0f, 10.0f};
    case TKind::Spectrogram:
    case TKind::Surface:
        return log ? TLimits{200.0f, -200.0f, 5.0f, 400.0f, 10.0f} : TLimits{1e5f, 1e-7f, 1.0f, 400.0f, 10.0f};
    case TKind::Series:
        break;
    }
    return log ? TLimits{400.0f, -400.0f, 5.0f, 400.0f, -400.0f} : TLimits{1e7f, 1e-7f, 1.0f, 1e7f, 1e-7f};
}

bool TViewOptionsForm::AcceptsTop(TKind kind, uint16_t scale, double top)
{
    return TopWithin(LimitsOf(kind, scale), top);
}

// The series' range reaches its top limit; the others' the span of their tops.
bool TViewOptionsForm::AcceptsRange(TKind kind, uint16_t scale, double range)
{
    const TLimits l = LimitsOf(kind, scale);
    const double bound = kind == TKind::Series ? double(l.TopMax) : double(l.TopMax) - double(l.TopMin);
    return range > 0.0 && range <= bound;
}

TViewOptionsForm::TLimits TViewOptionsForm::SeriesLimitsAfterRadio(uint16_t scale)
{
    return scale != 0 ? TLimits{400.0f, -400.0f, 5.0f, 400.0f, -400.0f} : TLimits{1e5f, 1e-7f, 1.0f, 1e5f, 1e-7f};
}

// Spectrum

TViewOptionsForm::TFields TViewOptionsForm::FieldsOf(const SpectrumOpts& r, const TContext& c)
{
    TFields f;
    f.PlotType = r.PlotType;
    f.GridX = r.GridXEnabled != 0;
    f.GridY = r.GridYEnabled != 0;
    f.Toolbar = r.ShowToolbar != 0;
    f.PowerMeter = r.ShowPowerMeter != 0;
    f.RmsLevel = r.ShowRMSLevel != 0;
    f.OverlayControls = r.ShowOverlayControls != 0;
    f.GrabCursor = r.GrabCursorFlag != 0;
    f.PlotTop = Format("%3.1f", double(r.PlotTop));
    f.PlotRange = c.Scale ? Format("%3.1f", double(r.PlotRange)) : NotApplicable;
    f.Start = Span(r.StartFreq, "%3.0f");
    f.Stop = Span(r.StopFreq, "%3.0f");
    ShowInterval(f, r.IntervalFlag, r.IntervalSecs);
    return f;
}

TViewOptionsForm::TOutcome TViewOptionsForm::Store(const TFields& f, SpectrumOpts& r, const TContext& c)
{
    const TLimits l = LimitsOf(TKind::Spectrum, c.Scale);
    r.PlotType = uint16_t(f.PlotType);
    r.GridXEnabled = f.GridX ? 1 : 0;
    r.GridYEnabled = f.GridY ? 1 : 0;
    r.ShowToolbar = f.Toolbar ? 1 : 0;
    r.ShowPowerMeter = f.PowerMeter ? 1 : 0;
    r.ShowRMSLevel = f.RmsLevel ? 1 : 0;
    r.ShowOverlayControls = f.OverlayControls ? 1 : 0;
    TOutcome o;
    if (!StoreTop(f, l, r.PlotTop, o)) return o;
    if (c.Scale && !StoreRange(f, double(l.TopMax) - double(l.TopMin), r.PlotRange, o)) return o;
    if (!StoreSpan(f, c, r.StartFreq, r.StopFreq, o)) return o;
    r.GrabCursorFlag = f.GrabCursor ? 1 : 0;
    return StoreInterval(f, r.IntervalFlag, r.IntervalSecs);
}

void TViewOptionsForm::Defaults(TFields& f, SpectrumOpts& r, uint16_t scale)
{
    f.PlotType = 0;
    f.GridX = f.GridY = f.Toolbar = 1;
    f.PowerMeter = 1;
    f.RmsLevel = 0;
    f.OverlayControls = 1;
    r.LineColor = Rgb(0, 0, 255);
    r.PeakColor = Rgb(255, 0, 0);
    r.BackgroundColor = Rgb(255, 255, 220);
    r.MarkerColor = Rgb(0, 0, 0);
    r.GridColor = Rgb(128, 128, 128);
    f.PlotTop = scale ? "0.0" : "1.0";
    f.PlotRange = scale ? "120.0" : NotApplicable;
    f.GrabCursor = 1;
    f.AtIntervals = 1;
    f.Interval = "0.02";
}

// Phase

TViewOptionsForm::TFields TViewOptionsForm::FieldsOf(const PhaseOpts& r)
{
    TFields f;
    f.GridX = r.GridXEnabled != 0;
    f.GridY = r.GridYEnabled != 0;
    f.Toolbar = r.ShowToolbar != 0;
    f.GrabCursor = r.GrabCursorFlag != 0;
    f.PlotTop = Format("%3.1f", double(r.PlotTop));
    f.PlotRange = Format("%3.1f", double(r.PlotRange));
    f.Start = Span(r.StartFreq, "%3.0f");
    f.Stop = Span(r.StopFreq, "%3.0f");
    ShowInterval(f, r.IntervalFlag, r.IntervalSecs);
    return f;
}

TViewOptionsForm::TOutcome TViewOptionsForm::Store(const TFields& f, PhaseOpts& r, const TContext& c)
{
    const TLimits l = LimitsOf(TKind::Phase, 0);
    r.GridXEnabled = f.GridX ? 1 : 0;
    r.GridYEnabled = f.GridY ? 1 : 0;
    r.ShowToolbar = f.Toolbar ? 1 : 0;
    TOutcome o;
    if (!StoreTop(f, l, r.PlotTop, o)) return o;
    if (!StoreRange(f, double(l.TopMax) - double(l.TopMin), r.PlotRange, o)) return o;
    if (!StoreSpan(f, c, r.StartFreq, r.StopFreq, o)) return o;
    r.GrabCursorFlag = f.GrabCursor ? 1 : 0;
    return StoreInterval(f, r.IntervalFlag, r.IntervalSecs);
}

void TViewOptionsForm::Defaults(TFields& f, PhaseOpts& r)
{
    f.GridX = f.GridY = f.Toolbar = 1;
    r.LineColor = Rgb(0, 0, 0);
    r.BackgroundColor = Rgb(0, 255, 255);
    r.GridColor = Rgb(192, 192, 192);
    r.MarkerColor = Rgb(255, 0, 0);
    f.PlotTop = "180.0";
    f.PlotRange = "360.0";
    f.GrabCursor = 1;
    f.AtIntervals = 0;
}

// Spectrogram

TViewOptionsForm::TFields TViewOptionsForm::FieldsOf(const SpectrogramOpts& r)
{
    TFields f;
    f.Toolbar = r.ShowToolbar != 0;
    f.PlotTop = Format("%3.1f", double(r.PlotTop));
    f.PlotRange = Format("%3.1f", double(r.PlotRange));
    f.FullSpan = r.UseFullSpan != 0;
    f.Start = Span(r.StartFreq, "%3.0f");
    f.Stop = Span(r.StopFreq, "%3.0f");
    f.ColorMode = int(r.ColorMode);
    f.Direction = r.Direction;
    f.ScrollType = r.ScrollType;
    ShowInterval(f, r.IntervalFlag, r.IntervalSecs);
    return f;
}

TViewOptionsForm::TOutcome TViewOptionsForm::Store(const TFields& f, SpectrogramOpts& r, const TContext& c)
{
    const TLimits l = LimitsOf(TKind::Spectrogram, c.Scale);
    r.ShowToolbar = f.Toolbar ? 1 : 0;
    TOutcome o;
    if (!StoreTop(f, l, r.PlotTop, o)) return o;
    if (!StoreRange(f, double(l.TopMax) - double(l.TopMin), r.PlotRange, o)) return o;
    r.UseFullSpan = f.FullSpan ? 1 : 0;
    if (!f.FullSpan && !StoreSpan(f, c, r.StartFreq, r.StopFreq, o)) return o;
    r.ColorMode = uint32_t(f.ColorMode);
    r.Direction = uint16_t(f.Direction);
    r.ScrollType = uint16_t(f.ScrollType);
    return StoreInterval(f, r.IntervalFlag, r.IntervalSecs);
}

void TViewOptionsForm::Defaults(TFields& f, SpectrogramOpts& r)
{
    f.PlotTop = "0.0";
    f.PlotRange = "60.0";
    f.Toolbar = 1;
    f.Direction = 0;
    f.ScrollType = 0;
    f.ColorMode = 0;
    r.MinCustomColor = Rgb(255, 255, 0);
    r.MaxCustomColor = Rgb(255, 0, 0);
    f.AtIntervals = 0;
    f.FullSpan = 1;
    r.Intensity = 0;
}

// 3-D surface

TViewOptionsForm::TFields TViewOptionsForm::FieldsOf(const SurfaceOpts& r, const TContext& c)
{
    TFields f;
    f.Toolbar = r.ShowToolbar != 0;
    f.PlotTop = Format("%3.3f", double(r.PlotTop));
    f.PlotRange = c.Scale ? Format("%3.3f", double(r.PlotRange)) : NotApplicable;
    f.FullSpan = r.UseFullSpan != 0;
    f.Start = Span(r.StartFreq, "%3.1f");
    f.Stop = Span(r.StopFreq, "%3.1f");
    f.ColorMode = r.ColorMode == 1 ? 1 : 0;
    ShowInterval(f, r.IntervalFlag, r.IntervalSecs);
    return f;
}

TViewOptionsForm::TOutcome TViewOptionsForm::Store(const TFields& f, SurfaceOpts& r, const TContext& c)
{
    const TLimits l = LimitsOf(TKind::Surface, c.Scale);
    r.ShowToolbar = f.Toolbar ? 1 : 0;
    TOutcome o;
    if (!StoreTop(f, l, r.PlotTop, o)) return o;
    if (c.Scale && !StoreRange(f, double(l.TopMax) - double(l.TopMin), r.PlotRange, o)) return o;
    r.UseFullSpan = f.FullSpan ? 1 : 0;
    if (!f.FullSpan && !StoreSpan(f, c, r.StartFreq, r.StopFreq, o)) return o;
    o = StoreInterval(f, r.IntervalFlag, r.IntervalSecs);
    if (o.Refused) return o;
    r.ColorMode = f.ColorMode == 1 ? 1 : 0;
    return {};
}

void TViewOptionsForm::Defaults(TFields& f, SurfaceOpts& r)
{
    f.PlotTop = "0.0";
    f.PlotRange = "60.0";
    f.Toolbar = 1;
    f.AtIntervals = 0;
    f.FullSpan = 1;
    r.LineColor = Rgb(0, 0, 255);
    r.BackgroundColor = Rgb(0, 0, 0);
    f.ColorMode = 1;
    r.Intensity = 0;
}

// Time series

TViewOptionsForm::TFields TViewOptionsForm::FieldsOf(const SeriesOpts& r, int channels, bool orderTracking)
{
    TFields f;
    f.AmpScale = r.AmpScaleType != 0;
    f.GridX = r.GridXEnabled != 0;
    f.GridY = r.GridYEnabled != 0;
    f.Toolbar = r.ShowToolbar != 0;
    f.GrabCursor = r.GrabCursorFlag != 0;
    f.PlotTop = Format("%3.3f", double(r.PlotTop));
    f.PlotRange = r.AmpScaleType ? Format("%3.1f", double(r.PlotRange)) : NotApplicable;
    f.Channel = channels != 1 && r.PlotChannel < ChannelCount ? r.PlotChannel : 0;
    const double unit = orderTracking ? double(RpmPerStoredUnit) : 1.0;
    f.Start = Format("%3.4f", double(r.StartTime) * unit);
    f.Stop = Format("%3.4f", double(r.StopTime) * unit);
    f.MaxZoomOut = Format(orderTracking ? "%3.4f" : "%3.1f", double(r.MaxZoomOutTime) * unit);
    ShowInterval(f, r.IntervalFlag, r.IntervalSecs);
    return f;
}

TViewOptionsForm::TOutcome TViewOptionsForm::Store(const TFields& f, SeriesOpts& r, const TLimits& l,
                                                   bool orderTracking)
{
    r.AmpScaleType = f.AmpScale ? 1 : 0;
    r.GridXEnabled = f.GridX ? 1 : 0;
    r.GridYEnabled = f.GridY ? 1 : 0;
    r.ShowToolbar = f.Toolbar ? 1 : 0;
    r.GrabCursorFlag = f.GrabCursor ? 1 : 0;
    TOutcome o;
    if (!StoreTop(f, l, r.PlotTop, o)) return o;
    if (r.AmpScaleType && !StoreRange(f, double(l.TopMax), r.PlotRange, o)) return o;
    r.PlotChannel = uint16_t(f.Channel);
    const double unit = orderTracking ? RpmToStored : 1.0;
    const double start = Read(f.Start) * unit;
    if (start < 0.0) return Refuse(StartTimeText);
    r.StartTime = float(start);
    const double stop = Read(f.Stop) * unit;
    if (stop < 0.0) return Refuse(StopTimeText);
    r.StopTime = float(stop);
    if (!(stop > start)) return Refuse(TimeOrderText);
    const double zoom = Read(f.MaxZoomOut) * unit;
    if (zoom < MinZoomOut) return Refuse(ZoomOutText);
    r.MaxZoomOutTime = float(zoom);
    return StoreInterval(f, r.IntervalFlag, r.IntervalSecs);
}

void TViewOptionsForm::Defaults(TFields& f, SeriesOpts& r, int channels)
{
    f.AmpScale = 0;
    f.GridX = f.GridY = f.Toolbar = 1;
    f.GrabCursor = 0;
    r.LineColor = Rgb(255, 0, 0);
    r.BackgroundColor = Rgb(255, 255, 255);
    r.GridColor = Rgb(192, 192, 192);
    f.PlotTop = r.AmpScaleType ? "0.0" : "100.0";
    f.PlotRange = r.AmpScaleType ? "100.0" : NotApplicable;
    f.Channel = channels != 1 ? 2 : 0;
    f.Start = "0.0";
    f.Stop = "1.0";
    f.MaxZoomOut = "10000.0";
    f.AtIntervals = 0;
}
