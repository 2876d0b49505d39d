#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/DisplaySettingsStruct.h"
#include "views/SurfaceOpts.h"
#include "views/TAmplitudeFields.h"
#include "views/TBarFields.h"
#include "views/TColourRamp.h"
#include "views/THistoryTable.h"
#include "views/TSegmentPlot.h"
#include "views/TSurfaceScale.h"

class LimitScroll;
class TCommandEnabler;
class TEdit;
class TPalette;
class TSpectralData;
class ToolBtn;

// The 3-D surface (waterfall) view: the latest spectra as a stack of lines,
// the newest in front at the bottom, each older one three rows higher and a
// column further right, coloured by height. Each pane keeps an image in
// which the lines accumulate and a history of the lines it shows (time,
// RPM tag, peak and minimum), which the cursor readouts, the selection of a
// time segment, autoscale and the rebuild from the wave file read. Levels
// are read back from the colours under the pointer.
class TSurfacePlot : public TSegmentPlot, public TAmplitudeFields {
public:
    enum ControlId {
        PlayId = PlaySelectionId, FilterId = FilterSelectionId, OptionsId = 420, PlotTopId = 450, PlotTopSpinId = 451,
        PlotRangeId = 452, PlotRangeSpinId = 453, IntensityId = 470, AutoScaleId = 480
    };
    enum MenuId {
        MenuCut = 801, MenuCopyWave = 802, MenuMute = 803, MenuFilter = 804, MenuPlay = 805, MenuTimeSeries = 806,
        MenuAverageSpectrum = 807, MenuSpectrogram = 808, MenuExpandSurface = 809, MenuLeq = 810, MenuDtmf = 811,
        MenuAutoscale = 820, MenuProperties = 1500, MenuHelp = 1501, MenuCopyBitmap = 1502, MenuCopyCursor = 1503
    };
    static constexpr DWORD HelpContext = 180;
    // Resizing waits this long after the last size change before the rebuild.
    static constexpr UINT ResizeTimer = 111;
    static constexpr UINT ResizeDelay = 500;
    // Panes larger than this get no image.
    static constexpr int LargestImageWidth = 3000;
    static constexpr int LargestImageHeight = 2999;
    // The colour bar beside the graph area.
    static constexpr int ColourBarGap = 10;
    static constexpr int ColourBarWidth = 8;

    TSurfacePlot(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
                 ScalingStruct scaling, SurfaceOpts* opts, TSpectralData* data, TSpectralData* data2);
    ~TSurfacePlot() override;

    // The base's operations (TSurfacePlot.cpp, TSurfacePlotDraw.cpp, TSurfacePlotMouse.cpp).
    void ResetVisibleRange() override;
    void ResetScrollRange() override;
    void ClearSelection() override;
    void SetSelection(const TRect& rect) override;
    void UpdateBackgroundBrush() override;
    void DrawXReadout(TDC& dc, const TRect& pane, const TPoint& point, float value) override;
    void EraseXReadout(TDC& dc, const TRect& pane, const TPoint& point) override;
    void DrawCrosshair(TDC& dc, const TRect& pane, const TPoint& point) override;
    void DrawHarmonicCursors(TDC& dc, const TRect& pane, const TPoint& point) override;
    void DrawSidebandCursors(TDC& dc, const TRect& pane, const TPoint& point) override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    uint16_t GetHarmonicCount(const TPoint& point) override;
    TPoint GetHarmonicOffset(int index, const TPoint& point) override;
    TPoint GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    TPoint GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    void BeginCursorDraw(TDC& dc) override;
    void EndCursorDraw(TDC& dc) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "SurfacePlotClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
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

    // The view's own operations.
    virtual void EvSize(UINT sizeType, const TSize& size);
    virtual void NewSpectrum(float time);

    // Lines from the main window's rebuilds: one line drawn in front, its
    // levels recorded; the history's times are set with SetHistoryRecord.
    void DrawSpectrumLine(TSpectralData* data, TSpectralData* data2);
    void ClearHistory();
    void SetHistoryRecord(uint32_t line, float time);
    void ShiftHistoryTimes(float offset);
    uint32_t GetHistoryLineCount() const;
    float GetHistoryMinTime() const;
    float GetHistoryMaxTime() const;
    int32_t FindHistoryIndex(float time) const;
    float GetHistoryTime(int32_t line) const;

    void SetViewSettings(ScalingStruct scaling);
    void SetSpectralData(TSpectralData* data, TSpectralData* data2);
    void UpdateReadout();
    void UpdateToolButton();
    void SelectAll();
    void HideButtons();
    void ShowButtons();

    // Layout and tables (TSurfacePlot.cpp).
    void LayoutControlBar();
    void BuildPalette();
    void BuildColumnTable();
    void BuildFrequencyTicks();
    void BuildAmplitudeTicks();
    void CreatePaneBitmaps();
    void ClearPaneBitmaps();
    void AllocHistory();
    float ColumnFrequency(int column) const { return Scale.ColumnFrequency(column); }
    int ColumnForFrequency(float frequency) const;

    // Drawing (TSurfacePlotDraw.cpp).
    void AddSpectrumLine(TBitmap* bitmap, TSpectralData* data, const TRect& pane);
    void DrawPaneTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label);
    void DrawDepthAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawMarkers(TDC& dc, const TRect& pane, const TRect& update);
    void DrawPaneImage(TDC& dc, const TRect& pane, TBitmap* bitmap);
    void DrawColourScale(TDC& dc, const TRect& update);
    void DrawSelectionBand(TDC& dc, const TRect& update);

    // Interaction (TSurfacePlotMouse.cpp).
    float LevelAtPixel(const TPoint& point);
    // The colour band drawn at a point; -1 where no pane or image answers.
    int BandAtPixel(const TPoint& point);
    int HeightOfLevel(float level);
    bool EvQueryNewPalette();
    void EvPaletteChanged(HWND changer);
    void EvIntensity(UINT code);
    virtual void EvLButtonDblClk(UINT keys, const TPoint& point);
    void EvTimer(UINT timerId);

    // Commands (TSurfacePlotCommands.cpp).
    void CmSelect();
    void CmOptions();
    void CmAutoscale();
    void EvTopChange();
    void EvRangeChange();
    void CmHelp();
    // The view filled again from its own selected segment.
    void CmExpandSurface();
    void CeFileSelection(TCommandEnabler& ce);
    void CeAlways(TCommandEnabler& ce);

    ScalingStruct Scaling;
    SurfaceOpts* Opts;
    TSpectralData* Data;
    TSpectralData* Data2;
    std::unique_ptr<TBitmap> PaneBitmap;
    std::unique_ptr<TBitmap> PaneBitmap2;
    uint16_t LinesPerStep = 3;
    TSize AmpReadoutSize{52, 17};
    std::unique_ptr<TBitmap> AmpReadoutBitmap;
    std::unique_ptr<TBitmap> AmpReadoutSaveBitmap;
    int32_t ColourCount = TColourRamp::Size;
    TColourRamp::Table Colours{};
    std::unique_ptr<TPalette> Palette;
    // The palette entry of the first colour (half the reserved entries).
    int FirstSlot = 0;
    char StartTimeText[20] = "00:00:00.00";
    char EndTimeText[20] = "00:00:00.00";
    // Each pane's selected band of rows, and the bands as last inverted.
    TRect SelRect[2];
    TRect DrawnSelRect[2];
    std::unique_ptr<ToolBtn> OptionsButton;
    std::unique_ptr<ToolBtn> AutoScaleButton;
    std::unique_ptr<TScrollBar> IntensityBar;
    TBarFields BarFields{*this};
    // 1 while the view writes its own controls: their handlers do nothing.
    int Updating = 1;
    // Column table, tick tables and the value-to-height rules.
    TSurfaceScale Scale;
    THistoryTable History{3};
    // 1: the readouts show the history's RPM tags instead of its times.
    uint32_t ShowTag = 0;
    float LastLineTime = 0.0f;
    // The level readout beside the colour bar while the left button is held.
    bool AmpReadoutShown = false;
    TRect AmpReadoutBox;
    // What the level readout says now.
    std::string ReadoutText;
    // Where the frequency readout was drawn, for erasing it.
    TRect XReadoutBoxDrawn;
    float ReferenceLevel = 0.0f;

private:
    bool HasSelection() const { return !SelRect[0].IsEmpty(); }
    // The surface's settings into its scale.
    void SyncScale();
    void SetCaptionFromData();
    void ShowButtonBar(int show);
    // Records the newest live line at time t.
    void PushHistoryLine(float t);
    // Peak and minimum of data over the band shown.
    void LineLevels(TSpectralData* data, float& peak, float& minimum);
    TBitmap* PaneImage(const TRect& pane) const;
    void CreatePaneBitmap(std::unique_ptr<TBitmap>& bitmap, const TRect& pane);
    void FillSolid(TDC& dc, const TRect& rect, COLORREF colour);
    void InvertBands(TDC& dc, const TRect* bands);
    // The depth line through a point: one column right per LinesPerStep rows up.
    void DrawDepthLine(TDC& dc, const TRect& pane, int x, int y);
    TRect ReadoutBoxForLevel(float level) const;
    void ShowLevelReadout(TDC& dc, const TPoint& point);
    void EraseLevelReadout(TDC& dc);
    void RealizePalette();
    void CopyCursorValues() override;
    void LayoutAndRecompute();
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;

    DECLARE_RESPONSE_TABLE(TSurfacePlot);
};
