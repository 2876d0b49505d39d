#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "views/SeriesOpts.h"
#include "views/TBarFields.h"
#include "views/TSegmentPlot.h"
#include "views/TSeriesRange.h"
#include "views/TSeriesScale.h"
#include "views/TSeriesTrace.h"

class LimitScroll;
class TCommandEnabler;
class TComboBoxNonSort;
class TEdit;
class TFont;
class TPopupMenu;
class ToolBtn;
class TSeriesReader;

// The time series view: the open wave, the analysis blocks of the running
// analyser or the real-time buffer as a strip chart, in one pane or two,
// against time (or one channel against the other). Its bar zooms, selects a
// segment for the Edit commands and sets the amplitude axis; the traces are
// redrawn in place on each new block.
class TSeriesPlot : public TSegmentPlot {
public:
    // The bar's controls.
    enum ControlId {
        ZoomInId = 401, ZoomFullId = 402, ZoomIn2xId = 403, ZoomOut2xId = 404, SelectId = 410,
        PlaySelectionId = 411, FilterSelectionId = 412, OptionsId = 420, PlotTopId = 450, PlotTopSpinId = 451,
        ChannelId = 460, AutoscaleId = 480, OrderId = 490, OrderSpinId = 491
    };
    // The context menus' commands.
    enum MenuId {
        MenuCut = 801, MenuMute = 803, MenuFilter = 804, MenuPlay = 805, MenuRmsLevel = 806, MenuAverageSpectrum = 807,
        MenuSpectrogram = 808, MenuSurface = 809, MenuLeq = 810, MenuDtmf = 811, MenuRt60 = 812, MenuAutoscale = 820,
        MenuCrestFactor = 821, MenuPsiTime = 822, MenuCopyWave = 902, MenuCopyText = 903, MenuViewData = 904,
        MenuEnvelope = 905, MenuSchroeder = 906, MenuProperties = 1500, MenuHelp = 1501, MenuCopyBitmap = 1502,
        MenuCopyCursor = 1503
    };
    // The view's topic in the help file.
    static constexpr DWORD HelpContext = 80;
    // A drawn position of none.
    static constexpr float NoPosition = -999.9f;

    TSeriesPlot(TMDIClient& parent, TViewHost* host, const char* caption, const TRect& placement, SeriesOpts* opts);
    ~TSeriesPlot() override;

    // Window.
    const char* GetClassName() override { return "TimeSeriesPlotClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    virtual void EvSize(UINT sizeType, const TSize& size);
    void UpdateBackgroundBrush() override;

    // Layout, range and scroll bar.
    void UpdateLayout() override;
    void PlaceButtons();
    void ResetVisibleRange() override;
    void ResetScrollRange() override;
    void PlaceScrollBar() override;
    void ScrollNotify(UINT code) override;
    void NewData(float time) override;
    // Index of the last frame of what the view shows; 0 without data.
    uint32_t GetDataLength() const;
    float FrameToTime(uint32_t frame) const;
    uint32_t TimeToFrame(float seconds) const;

    // Time range operations of the main window and the macro interpreter.
    void SetTimeRange(float start, float end);
    void SaveTimeRange();
    void RestoreTimeRange();
    void SelectAll();
    void UpdateSelectButton();
    void HideButtons();
    void ShowButtons();

    // Painting.
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    virtual void FillPane(TDC& dc, const TRect& pane, const TRect& update);
    void DrawTitle(TDC& dc, const TRect& pane, const TRect& update, const std::string& title);
    void DrawAmplitudeAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawTimeAxis(TDC& dc, const TRect& pane, const TRect& update);
    void DrawAmplitudeGrid(TDC& dc, const TRect& pane, const TRect& update);
    void DrawTimeGrid(TDC& dc, const TRect& pane, const TRect& update);
    void DrawPositionMark(TDC& dc, const TRect& pane, const TRect& update);
    void DrawSelection(TDC& dc, const TRect& update);
    void ClearSelection() override;
    void UpdatePositionMark();
    void BuildTimeTicks();
    void BuildAmplitudeTicks();
    void BuildColumnTable();
    void PreparePrintLayout(TDC& dc, TPrintOptions options) override;

    // Traces.
    void AllocTraceBuffers();
    void UpdateTraces(TDC& dc);
    // Builds every pane's trace for a drawing of the whole view, which then
    // shows them: they become the previous traces too.
    void BuildTraces();
    void DrawTrace(TDC& dc, const TRect& pane, const TRect& update, const std::vector<TCurvePoint>& points,
                   COLORREF colour);

    // Mouse and selection.
    void SetSelection(const TRect& rect) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    void TrackCursor(const TPoint& point) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;
    virtual void EvLButtonDblClk(UINT keys, const TPoint& point);
    float PixelToTime(int x) const;
    int TimeToColumn(float t) const;

    // Edit queries of the main window's Edit menu.
    int CanCut() override { return HasSelection(); }
    int CanCopy() override { return HasSelection(); }
    int CanPaste() override { return 1; }
    int CanFilter() override { return HasSelection(); }
    int CanPlay() override { return HasSelection(); }
    void GetSelectedSegment(float& start, float& end) override;
    int HasSelection() const { return !SelectionRect.IsEmpty(); }

    // The context menu of a right click in a pane, before it is shown.
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;
    // The measuring cursor's values as text on the clipboard.
    void CopyCursorValues() override;

    // Commands; the edits, the play and the options go to the main window.
    void CmSelect();
    void CmZoomIn();
    void CmZoomIn2x();
    void CmZoomOut2x();
    void CmZoomFull();
    void CmCopyText();
    void CmOptions();
    // The numeric listing of the view's data, opened or closed.
    void CmViewData();
    void CmHelp();
    void CmAutoscale();
    void CmReverbSegment();
    // The readouts and transforms of the selection, run by the host.
    void CmRmsLevel();
    void CmCrestFactor();
    void CmPsiTime();
    void CmEnvelope();
    void CmSchroeder();
    void EvPlotTopChange();
    void EvChannelChange();
    void EvOrderChange();
    void CeFileSelection(TCommandEnabler& ce);
    void CeCopyText(TCommandEnabler& ce);
    void CeAlways(TCommandEnabler& ce);

    SeriesOpts* Opts;
    std::unique_ptr<ToolBtn> ZoomInButton;
    std::unique_ptr<ToolBtn> ZoomFullButton;
    std::unique_ptr<ToolBtn> ZoomIn2xButton;
    std::unique_ptr<ToolBtn> ZoomOut2xButton;
    std::unique_ptr<ToolBtn> OptionsButton;
    std::unique_ptr<TEdit> PlotTopEdit;
    std::unique_ptr<LimitScroll> PlotTopSpin;
    std::unique_ptr<ToolBtn> AutoscaleButton;
    std::unique_ptr<TComboBoxNonSort> ChannelCombo;
    TBarFields BarFields{*this};
    std::unique_ptr<TEdit> OrderEdit;
    std::unique_ptr<LimitScroll> OrderSpin;

    // Visible and saved frame ranges.
    TSeriesRange Range;
    TSeriesRange SavedRange;
    // 1 while the view writes its own fields; their change handlers wait.
    int ControlGuard = 0;
    // What is inverted on screen: the selection and the position line.
    TRect DrawnSelection;
    float DrawnPosition = NoPosition;
    TSeriesScale Scale;
    // Current and previous trace of each pane; the previous ones hold what
    // is on screen, so an update erases exactly that.
    size_t PointCapacity = 0;
    std::vector<TCurvePoint> Trace[2];
    std::vector<TCurvePoint> PreviousTrace[2];
    TSeriesTrace::TStripState Strip;

private:
    uint32_t Source() const;
    uint16_t Channel() const { return Opts->PlotChannel; }
    bool IsXY() const { return IsXYChannel(Opts->PlotChannel); }
    bool IsStereo() const;
    bool HasWave() const;
    const CalibrationChannel* CalibrationOf(uint16_t channel) const;
    // The channel of the wave or of its analysis block, as the source shows it.
    TSeriesReader Reader(uint16_t channel) const;
    // The conversions of the source: the wave's, or the left block's.
    TSeriesReader Clock() const;
    // The visible frames and their times.
    float StartOfRange() const;
    float EndOfRange() const;
    void SyncScale();
    void WritePlotTop();
    void PlaceOrderField();
    // The range check without the scroll bar and buttons (also for a printed page).
    void FitRange();
    void EndSelectMode();
    std::vector<TRect> PanesInUse() const;
    // Builds the trace of pane 0 (upper or only) or 1; false when nothing was built.
    bool BuildPane(int pane);
    void InvertColumns(TDC& dc, int left, int right);
    // Inverts the position line at a time in each pane; false when the time has no column.
    bool InvertPosition(TDC& dc, float time);
    // Takes the drawn position line and selection off the screen, or puts them back.
    void ToggleMarks(TDC& dc);
    std::vector<ToolBtn*> Buttons() const;
    // A button's look set only when it changes: up (usable) or grey.
    static void SetButtonUp(ToolBtn& button, bool up);
    static void ClearHighlight(ToolBtn& button);

    DECLARE_RESPONSE_TABLE(TSeriesPlot);
};
