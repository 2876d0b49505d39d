#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/DisplaySettingsStruct.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/TPalette.h"
#include "framework/TScrollBar.h"
#include "framework/ToolBtn.h"
#include "views/SpectrogramOpts.h"
#include "views/TAmplitudeFields.h"
#include "views/TBarFields.h"
#include "views/TColourRamp.h"
#include "views/THistoryTable.h"
#include "views/TPaneImage.h"
#include "views/TSegmentPlot.h"
#include "views/TSpectrogramControls.h"
#include "views/TSpectrogramGeometry.h"
#include "views/TSpectrogramScale.h"

class TSpectralData;

// The spectrogram: spectra against time as a colour image, one line of
// pixels per spectrum, scrolling (or wrapping) in one of four directions.
// Each pane keeps its image off screen; a history of the lines shown gives
// the time axis, the cursor readouts and the rebuild from the wave file.
// Topic files: TSpectrogram.cpp (window, layout, live lines, history),
// TSpectrogramPalette.cpp (colour map, palette, intensity, colour bar),
// TSpectrogramImage.cpp (pane images, lines, tables), TSpectrogramPaint.cpp
// (titles, axes, markers, selection), TSpectrogramCursor.cpp (cursor
// queries, selection, scale controls) and TSpectrogramMouse.cpp (mouse,
// amplitude box, context menus, annotations, commands).
class TSpectrogram : public TSegmentPlot, public TAmplitudeFields {
public:
    static constexpr UINT ResizeTimer = 111;
    static constexpr UINT ResizeDelay = 500;
    // Pixels per spectrum line along the time axis.
    static constexpr int LinesPerStep = 2;
    // Neither side of a pane image may reach this many pixels.
    static constexpr int MaxImageSide = 3000;
    // The smallest line time of a history without a line that has one.
    static constexpr float NoLineTime = 1215752192.0f;
    enum ScrollKind : uint16_t { ScrollImage = 0, WrapImage = 1 };
    // Control-bar children.
    enum ControlId : int {
        PlayId = PlaySelectionId, FilterId = FilterSelectionId, OptionsId = 420, PlotTopId = 450, PlotTopSpinId = 451,
        PlotRangeId = 452, PlotRangeSpinId = 453, IntensityId = 470, AutoScaleId = 480
    };
    // Context menu items.
    enum MenuId : int {
        CutSegmentId = 801, CopySegmentId = 802, MuteSegmentId = 803, FilterSegmentId = 804, PlaySegmentId = 805,
        ShowSegmentSeriesId = 806, AverageSegmentId = 807, ExpandSegmentId = 808, SegmentSurfaceId = 809,
        SegmentLeqId = 810, SegmentDtmfId = 811, AutoScaleMenuId = 820, PropertiesId = 1500, HelpId = 1501,
        CopyBitmapId = 1502, CopyCursorId = 1503, AnnotateId = 1504
    };
    static constexpr int HelpContext = 160;

    TSpectrogram(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
                 ScalingStruct scaling, SpectrogramOpts* opts, TSpectralData* data, TSpectralData* data2,
                 int channel);
    ~TSpectrogram() override;

    // Overrides of the view base.
    void SetSelection(const TRect& rect) override;
    void ResetVisibleRange() override;
    void ResetScrollRange() override;
    void ClearSelection() override;
    void UpdateBackgroundBrush() override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    uint16_t GetHarmonicCount(const TPoint& point) override;
    TPoint GetHarmonicOffset(int index, const TPoint& point) override;
    TPoint GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    TPoint GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    uint16_t GetCursorAxis() override;
    void BeginCursorDraw(TDC& dc) override;
    void EndCursorDraw(TDC& dc) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "SpectrogramPlotClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    void EvLButtonDown(UINT keys, const TPoint& point) override;
    void EvLButtonUp(UINT keys, const TPoint& point) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;
    void EvRButtonUp(UINT keys, const TPoint& point) override;
    void EvMouseMove(UINT keys, const TPoint& point) override;
    void UpdateLayout() override;
    int CanCut() override { return HasSelection(); }
    int CanCopy() override { return HasSelection(); }
    int CanPaste() override { return 1; }
    int CanFilter() override { return HasSelection(); }
    int CanPlay() override { return HasSelection(); }
    void GetSelectedSegment(float& start, float& end) override;

    // Messages.
    void EvPaletteChanged(HWND changer);
    bool EvQueryNewPalette();
    void EvSize(UINT sizeType, const TSize& size);
    void EvLButtonDblClk(UINT keys, const TPoint& point);
    void EvTimer(UINT timerId);

    // What the main window asks of the view.
    void NewSpectrum(float time);
    void SetData(TSpectralData* data, TSpectralData* data2);
    void SetViewSettings(ScalingStruct scaling);
    uint16_t GetDisplayMode() const { return Opts->ScrollType; }
    void HideButtons();
    void ShowButtons();
    void UpdateReadout();
    void UpdateToolButton();
    void SelectAll();

    // Line history (the main window's rebuild and segment fill use it).
    void AllocHistory();
    void ClearHistory() { History.Clear(); }
    void PushHistoryLine(float time);
    void SetHistoryRecord(int line, float time);
    void ShiftHistoryTimes(float offset) { History.ShiftTimes(offset); }
    int GetHistoryLineCount() const { return History.LineCount(); }
    float GetHistoryMinTime() const { return History.MinTime(NoLineTime); }
    float GetHistoryMaxTime() const { return History.MaxTime(); }
    int FindHistoryIndex(float time) const { return History.FindLine(time); }
    float GetHistoryTime(int line) const;
    float GetRecordTime(int row) const { return History.RowValue(row, ShowTag != 0); }
    // Draws a line into the pictures at its place; ShowPaneBitmaps puts
    // them on the window (a rebuild shows its progress now and then).
    void DrawSpectrumLine(int line, TSpectralData* data, TSpectralData* data2);
    void ShowPaneBitmaps();

    // Colour map and palette.
    void BuildPalette();
    void EvIntensityScroll(UINT code);
    void DrawColourBar(TDC& dc, const TRect& update);

    // Pane images and tables.
    void CreatePaneBitmaps();
    std::unique_ptr<TPaneImage> CreatePaneBitmap(std::unique_ptr<TPaneImage> old, const TRect& pane);
    void ClearPaneBitmap(TPaneImage* image);
    void ClearPaneBitmaps();
    void BuildColumnTable();
    int FindColumn(float frequency) const { return Scale.FindColumn(frequency); }
    float GetColumnFrequency(int column) const { return Scale.ColumnFrequency(column); }
    void BuildFrequencyTicks();
    void BuildAmplitudeTicks();
    void AddSpectrumLine(TPaneImage* image, TSpectralData* data, const TRect& pane);
    void DrawLineAt(int offset, TPaneImage* image, TSpectralData* data);

    // Cursor queries, scale controls and annotations.
    float GetPixelAmplitude(const TPoint& point);
    void CmSelect();
    void CmAutoScale();
    void EvPlotTopChange();
    void EvPlotRangeChange();
    void CmHelp();
    // The view filled again from its own selected segment.
    void CmExpandSpectrogram();
    // Its Options button and Properties entry: its own record's dialog.
    void CmOptions();
    void CeEditSegment(TCommandEnabler& ce);
    void CeAlways(TCommandEnabler& ce);
    void Annotate(const TRect& pane, const TPoint& point, float frequency, float time, float amplitude);
    void CopyCursorValues() override;

    ScalingStruct Scaling;
    SpectrogramOpts* Opts;
    TSpectralData* Data;
    TSpectralData* Data2;
    // 1 for the first channel's view, 2 for the second's.
    int Channel;
    std::unique_ptr<TPaneImage> PaneBitmap;
    std::unique_ptr<TPaneImage> PaneBitmap2;
    int WrapPos = 0;
    TSize AmpReadoutSize{52, 17};
    std::unique_ptr<TBitmap> AmpReadoutBitmap;
    std::unique_ptr<TBitmap> AmpReadoutSaveBitmap;
    TPoint AmpReadoutPos;
    bool AmpReadoutShown = false;
    float AmpReference = 0.0f;
    int ColourCount = TColourRamp::Size;
    TColourRamp::Table Colours{};
    std::unique_ptr<TPalette> Palette;
    // The slot of colour 0 in the palette.
    int PaletteFirstSlot = 0;
    char StartTimeText[20] = "00:00:00.00";
    char EndTimeText[20] = "00:00:00.00";
    std::unique_ptr<ToolBtn> OptionsButton;
    std::unique_ptr<ToolBtn> AutoScaleButton;
    std::unique_ptr<TScrollBar> IntensityBar;
    TBarFields BarFields{*this};
    TRect SelRect[2];
    TRect DrawnSelRect[2];
    int Updating = 1;
    TSpectrogramScale Scale;
    THistoryTable History{LinesPerStep};
    int ShowTag = 0;
    TLineInterval LineInterval;
    TOncePerSecond ReadoutClock;
    // Annotations are numbered across every spectrogram of the program.
    static int AnnotationCount;

private:
    static TPaneRect AsPane(const TRect& r) { return {r.left, r.top, r.right, r.bottom}; }
    TSpectrogramGeometry Geometry() const { return TSpectrogramGeometry(Opts->Direction); }
    TFrequencyBand Band() const;
    int HasSelection() const { return SelectionRect.left < SelectionRect.right && SelectionRect.top < SelectionRect.bottom; }
    bool TwoPanes() const { return PaneMode == 2; }
    TRect ImageRect(int pane) const { return TwoPanes() ? (pane == 0 ? PaneRect1 : PaneRect2) : GraphRect; }
    TPaneImage* Image(int pane) const { return pane == 0 ? PaneBitmap.get() : PaneBitmap2.get(); }
    TSpectralData* PaneData(int pane) const { return pane == 0 ? Data : Data2; }
    int PaneOf(const TPoint& point) const { return TwoPanes() && PaneRect2.Contains(point) ? 1 : 0; }
    bool RpmTags() const;
    void SetCaptionFromData();
    void LayoutControlBar();
    void ShowControlBar(int show);
    void ApplyAxisFormats();
    void InvalidateColourBar();
    void RebuildAfterScaleChange();
    void SetLevelsFrom(int line, TSpectralData* data);
    // The scale of the colours as the options hold it now.
    void SyncScale();
    void WriteLine(int offset, TPaneImage& image, TSpectralData& data);
    // Colours of the current values of data along the columns.
    const std::vector<int>& LineColours(TSpectralData& data);
    std::vector<int> ColumnColours;
    // Set while a resize lays the view out: the picture stays.
    bool KeepImage = false;

    // Painting.
    void DrawPaneTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label);
    void DrawTimeAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawMarkers(TDC& dc, const TRect& pane, const TRect& update);
    void BlitPaneBitmap(TDC& dc, TPaneImage* image, const TRect& pane, const TRect& update);
    void DrawSelection(TDC& dc, const TRect& update);
    void InvertBands(TDC& dc, const TRect* bands);
    const TFont& AnnotationFont();

    // The amplitude box beside the colour bar.
    void DrawAmpReadout(TDC& dc, float value);
    void EraseAmpReadout(TDC& dc);
    TRect AmpReadoutBox(const TPoint& centre) const;
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;
    // The cursor menu with the annotation, acted on at once.
    void RunCursorMenu(const TPoint& point);
    void UsePalette(TDC& dc);

    DECLARE_RESPONSE_TABLE(TSpectrogram);
};
