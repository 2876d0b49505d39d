#pragma once
#include <windows.h>

#include "framework/TColor.h"
#include "framework/TPoint.h"
#include "framework/TRect.h"

class TDC;
struct TPrintOptions;

// What a view's painting differs by between its window and a printed page.
// A view paints through one of the two devices and asks it, so a new kind of
// output is a new device rather than a branch in every drawing routine. The
// spacings and offsets in pixels are those of a self-laid-out page (printer
// pixels) against those of the window.
class TPlotDevice {
public:
    // The view's window.
    static const TPlotDevice Screen;
    // A printer's page, or a metafile standing in for one.
    static const TPlotDevice Page;

    // The window repaints what the update rectangle asks for; a page is
    // drawn whole.
    bool PaintsAll;
    // The window's own furniture: button strip, logo, room for the scroll
    // bar, overlay check boxes and their heading.
    bool WindowParts;
    // Pane and meter backgrounds in the view's colour; paper stays white.
    bool FillsPanes;
    // Octave-band bars filled; on paper they are outlined.
    bool FillsBars;
    // Plot titles follow the "PrintPlotTitle" switch; the window always
    // shows them.
    bool TitleOnSwitch;
    // Curves and markers cut at their pane's edge.
    bool ClipsToPanes;
    // What is drawn is remembered and erased by the next live drawing; a
    // page is drawn once.
    bool Erasable;
    // Pane images copied as they are; a printer takes device-independent
    // pixels, framed.
    bool CopiesImages;
    // Curves drawn as two polylines, for printer drivers that refuse long ones.
    bool HalvesCurves;
    // Colour only where the device shows it; the window always does.
    bool ColourByCaps;
    // Grids and frames in the view's and the system's colours; on paper
    // grey grids, black frames, and white curves turned light grey.
    bool ViewColours;
    // Axis titles placed by the window's edges; on paper by the pane.
    bool WindowTitles;
    // Width of curve and trace pens; of the sunken pane frames (0 is one pixel).
    int CurveWidth;
    int FrameWidth;
    // The most points the time series hands to one polyline.
    int PolylinePiece;
    // From the pane's left edge to the right end of an amplitude label.
    int LabelGap;
    // From the axis line to the top of a frequency or time label.
    int LabelDrop;
    // The least distance between two labels along an axis.
    int FrequencyLabelSpacing;
    int TimeLabelSpacing;
    int AmplitudeLabelSpacing;
    // Frequency labels thinned by their measured width in the view's font;
    // otherwise by FrequencyLabelSpacing.
    bool MeasuresLabels;

    // A printer's page inside the margins of options, in its pixels.
    static TRect PageArea(TDC& dc, const TPrintOptions& options);

    // The part of the view to paint for an update rectangle.
    TRect Clip(const TRect& update) const;
    // Black on white: a printer without colour.
    bool Mono(TDC& dc) const;
    // A curve's or marker's colour as the device shows it: black when mono.
    TColor Ink(TDC& dc, COLORREF colour) const;
    // The pen style that tells curve penIndex apart when mono; solid for the
    // main curve (penIndex below 0) and wherever colour shows.
    int CurveStyle(TDC& dc, int penIndex) const;
    // A colour that shows against the background: white curves turn light
    // grey on paper.
    COLORREF Visible(COLORREF colour) const;
    // Grid lines: the view's own colour in the window, mid grey on paper.
    TColor Grid(COLORREF own) const;
    // The lit and shaded edges of a sunken frame; both black on paper.
    COLORREF FrameLight() const;
    COLORREF FrameDark() const;
    // Where a rotated amplitude-unit title stands: near the window's left
    // edge, or a fixed distance left of the pane on paper.
    int UnitTitleX(TDC& dc, const TRect& pane) const;
    // Where the title under a frequency or time axis starts (centred, top):
    // windowPlace in the window; on paper a fixed distance under the axis
    // line at axisLine, centred under the pane.
    TPoint AxisTitleAt(const TRect& pane, int axisLine, int textHeight, const TPoint& windowPlace) const;
};
