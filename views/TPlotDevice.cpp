#include "views/TPlotDevice.h"

#include <algorithm>

#include "framework/TDC.h"
#include "framework/UiHelpers.h"
#include "views/TPrintOptions.h"
#include "views/TSeriesTrace.h"

namespace {

// Far enough out that every part of a page lies inside.
constexpr int Far = 1 << 28;
// Inches left of the pane to the rotated unit title on paper.
constexpr double UnitTitleInches = 0.65;
// Printer pixels between the axis labels and the axis title on paper.
constexpr int AxisTitleDrop = 50;

}  // namespace

const TPlotDevice TPlotDevice::Screen{
    .PaintsAll = false,
    .WindowParts = true,
    .FillsPanes = true,
    .FillsBars = true,
    .TitleOnSwitch = false,
    .ClipsToPanes = true,
    .Erasable = true,
    .CopiesImages = true,
    .HalvesCurves = false,
    .ColourByCaps = false,
    .ViewColours = true,
    .WindowTitles = true,
    .CurveWidth = 1,
    .FrameWidth = 2,
    .PolylinePiece = TSeriesTrace::ScreenPiece,
    .LabelGap = 6,
    .LabelDrop = 3,
    .FrequencyLabelSpacing = 30,
    .TimeLabelSpacing = 36,
    .AmplitudeLabelSpacing = 10,
    .MeasuresLabels = true,
};

const TPlotDevice TPlotDevice::Page{
    .PaintsAll = true,
    .WindowParts = false,
    .FillsPanes = false,
    .FillsBars = false,
    .TitleOnSwitch = true,
    .ClipsToPanes = false,
    .Erasable = false,
    .CopiesImages = false,
    .HalvesCurves = true,
    .ColourByCaps = true,
    .ViewColours = false,
    .WindowTitles = false,
    .CurveWidth = 4,
    .FrameWidth = 0,
    .PolylinePiece = TSeriesTrace::PrinterPiece,
    .LabelGap = 80,
    .LabelDrop = 20,
    .FrequencyLabelSpacing = 300,
    .TimeLabelSpacing = 300,
    .AmplitudeLabelSpacing = 100,
    .MeasuresLabels = false,
};

TRect TPlotDevice::PageArea(TDC& dc, const TPrintOptions& options)
{
    const int px = dc.GetDeviceCaps(LOGPIXELSX);
    const int py = dc.GetDeviceCaps(LOGPIXELSY);
    auto pixels = [](int perInch, float inches) { return int(perInch * double(inches)); };
    return TRect(pixels(px, options.MarginLeft), pixels(py, options.MarginTop),
                 dc.GetDeviceCaps(HORZRES) - pixels(px, options.MarginRight),
                 dc.GetDeviceCaps(VERTRES) - pixels(py, options.MarginBottom));
}

TRect TPlotDevice::Clip(const TRect& update) const
{
    return PaintsAll ? TRect(-Far, -Far, Far, Far) : update;
}

bool TPlotDevice::Mono(TDC& dc) const
{
    return ColourByCaps && !IsColorDevice(dc);
}

TColor TPlotDevice::Ink(TDC& dc, COLORREF colour) const
{
    return Mono(dc) ? TColor::Black : TColor(colour);
}

int TPlotDevice::CurveStyle(TDC& dc, int penIndex) const
{
    static const int Styles[] = {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_SOLID, PS_SOLID, PS_SOLID};
    if (penIndex < 0 || !Mono(dc))
        return PS_SOLID;
    return Styles[std::min(penIndex, 6)];
}

COLORREF TPlotDevice::Visible(COLORREF colour) const
{
    return ViewColours || colour != RGB(255, 255, 255) ? colour : COLORREF(TColor::LtGray);
}

TColor TPlotDevice::Grid(COLORREF own) const
{
    return ViewColours ? TColor(own) : TColor::Gray;
}

COLORREF TPlotDevice::FrameLight() const
{
    return ViewColours ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : RGB(0, 0, 0);
}

COLORREF TPlotDevice::FrameDark() const
{
    return ViewColours ? ::GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
}

int TPlotDevice::UnitTitleX(TDC& dc, const TRect& pane) const
{
    return WindowTitles ? 4 : pane.left - int(UnitTitleInches * dc.GetDeviceCaps(LOGPIXELSX));
}

TPoint TPlotDevice::AxisTitleAt(const TRect& pane, int axisLine, int textHeight, const TPoint& windowPlace) const
{
    if (WindowTitles)
        return windowPlace;
    return TPoint((pane.left + pane.right) / 2, axisLine + textHeight + AxisTitleDrop);
}
