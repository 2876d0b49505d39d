#pragma once
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/DisplaySettingsStruct.h"
#include "framework/TButton.h"
#include "framework/TCheckBox.h"
#include "framework/TEdit.h"
#include "framework/ToolBtn.h"
#include "views/MarkerSettings.h"
#include "views/SpectrumOpts.h"
#include "views/TBarFields.h"
#include "views/TFrequencyPlot.h"
#include "views/TPlotBase.h"
#include "views/TSpectrumScale.h"

class LimitScroll;
class TCommandEnabler;
class TOverlayData;
class TSpectralData;

// The spectrum view: the current spectrum of one display channel in one pane,
// or of two in two stacked panes, with its peak-hold curve, grid, axes, power
// meter and level readout under a bar of tool buttons and edit fields. Live
// data are drawn straight into the panes, erasing the previous curves.
class TSpectrumPlot : public TFrequencyPlot {
public:
    static constexpr int SlotCount = SpectrumOpts::SlotCount;
    // The composite slot, "C".
    static constexpr int CompositeSlot = SlotCount - 1;
    enum ControlId {
        OptionsId = 420, PlotTopId = 450,
        PlotTopSpinId = 451, PlotRangeId = 452, PlotRangeSpinId = 453, LineId = 471, BarId = 472, StepBarId = 473,
        AutoScaleId = 480, RpmId = 490, RpmSpinId = 491, SlotButtonId = 1201, SlotButton2Id = 1211,
        SlotCheckId = 1221, SlotCheck2Id = 1231, OverlayOptionsId = 1400, OverlayOptions2Id = 1401,
        PowerMeterToggleId = 1410, OverlayToggleId = 1411
    };
    enum MenuId {
        MenuCepstrum = 801, MenuCopyText = 802, MenuInverseFFT = 803, MenuViewData = 804, MenuSetMarker1 = 811,
        MenuSetMarker6 = 816, MenuClearSpectrum = 818, MenuClearPeakHold = 819, MenuAutoscale = 820,
        MenuBandwidth = 821, MenuSetMarker7 = 822, MenuSetMarker8 = 823, MenuSmoothFirst = 830, MenuSmoothLast = 837,
        MenuClearMarker1 = 851, MenuClearMarker8 = 858, MenuClearAllMarkers = 859, MenuMarkerOptions = 860,
        MenuProperties = 1500, MenuHelp = 1501, MenuCopyBitmap = 1502, MenuCopyCursor = 1503, MenuWriteText = 1520,
        MenuSaveBitmap = 1521
    };
    static constexpr DWORD HelpContext = 130;

    TSpectrumPlot(TMDIClient& parent, TViewHost* mainWin, const char* caption, const TRect& placement,
                  ScalingStruct scaling, SpectrumOpts* opts, TSpectralData* data, TSpectralData* data2, int channel);
    ~TSpectrumPlot() override;

    void SetSelection(const TRect& rect) override;
    void ResetVisibleRange() override;
    void UpdateBackgroundBrush() override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    uint16_t GetHarmonicCount(const TPoint& point) override;
    TPoint GetHarmonicOffset(int index, const TPoint& point) override;
    TPoint GetLowerSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    TPoint GetUpperSidebandOffset(int index, const TPoint& anchor, const TPoint& point) override;
    uint16_t GetCursorAxis() override { return 0; }
    void TrackCursor(const TPoint& point) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "SpectrumPlotClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;
    void EvRButtonUp(UINT keys, const TPoint& point) override;
    void UpdateLayout() override;
    void PreparePrintLayout(TDC& dc, TPrintOptions options) override;
    void NewData(float time) override;
    int CanCopy() override { return 1; }

    virtual void FillPaneBackground(TDC& dc, const TRect& pane, const TRect& update);
    virtual void EvSize(UINT sizeType, const TSize& size);
    virtual void EvLButtonDblClk(UINT keys, const TPoint& point);
    virtual void UpdateBandBars(TDC& dc);
    virtual void SetFrequencyRange(float start, float stop);
    virtual void SetScaling(ScalingStruct scaling);
    virtual void SetData(TSpectralData* data, TSpectralData* data2);
    // The visible values as text on the clipboard, with a DDE link to them.
    virtual void CopyAsText();
    // The visible values to a text file the user names.
    virtual void SaveAsText();
    // SaveAsText's file once named; a file it cannot write is reported and removed.
    bool WriteTextFile(const char* path);
    // The context menu's commands, the slot buttons and check boxes; 1 when handled.
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
    void EvCommandEnable(TCommandEnabler& ce) override;

    void UpdateCurves(TDC& dc);
    void DrawCurve(TDC& dc, const TRect& pane, const TRect& update, const TCurvePoint* points, int count,
                   COLORREF colour, int penIndex);
    void PaintTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label);
    void PaintLevelReadout(TDC& dc, TSpectralData* data, const TRect& pane, const TRect& update);
    void InvalidateLevelReadout(const TRect& pane);
    void PaintPowerMeterFrame(TDC& dc, const TRect& pane, const TRect& update);
    void PaintPowerMeterBar(TDC& dc, const TRect& pane, TSpectralData* data, int height, int peakHeight);
    void UpdatePowerMeter(TDC& dc, const TRect& pane, TSpectralData* data, int& height, int& peakHeight);
    void PaintAmplitudeAxis(TDC& dc, const TRect& pane, const TRect& update);
    void PaintFrequencyAxis(TDC& dc, const TRect& pane, const TRect& update);
    void PaintHorizontalGrid(TDC& dc, const TRect& pane, const TRect& update);
    void PaintVerticalGrid(TDC& dc, const TRect& pane, const TRect& update);
    void PaintOverlayLegend(TDC& dc, bool erase, const TRect& pane, const TRect& update);
    // Draws the enabled markers of data into the pane, recording each tip and
    // label frame; EraseMarkers overdraws what was recorded, InvalidateMarkers
    // invalidates it.
    void DrawMarkers(TDC& dc, TSpectralData* data, TPoint* tips, TRect* frames, const TRect& pane,
                     const TRect& update);
    void EraseMarkers(TDC& dc, TPoint* tips, TRect* frames, const TRect& pane);
    void InvalidateMarkers(TPoint* tips, TRect* frames);
    bool IsCoherencePane(const TRect& pane) const;
    void AllocTraceBuffers();
    void BuildColumnMap();
    void BuildXLabels();
    void BuildYLabels();
    void BuildCoherenceLabels();
    void SetCepstrumAxis(int flag);
    void PlaceToolbar();
    void PlaceOverlayControls();
    void ShowButtons();
    void HideButtons();
    // The context menu shown while no cursor is held.
    void FillContextMenu(HMENU menu);
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;

    // Control bar.
    void CmOptions();
    // The numeric listing of the view's data, opened or closed.
    void CmViewData();
    void CmLineGraph();
    void CmBarGraph();
    void CmStepBarGraph();
    void PlotTopChanged();
    void PlotRangeChanged();
    void RpmChanged();
    void Autoscale();

    // Overlays: slot files, capture, composite and the panel toggles.
    void LoadOverlays();
    // The traces of the curves held, again for a new amplitude scale; the
    // slot files are not read.
    void RetraceOverlays();
    int BuildOverlayTrace(TOverlayData* overlay, const TRect& pane, TCurvePoint* points, int capacity);
    void OverlaySourceDialog(int pane, int slot, int ask, int source);
    void CompositeDialog(int pane, int ask);
    void BuildCompositeOverlay(int pane);
    void UpdateOverlay(int pane, int slot);
    // The slot's check box clicked.
    void TickSlot(int pane, int slot);
    void ShowOverlay(int pane, int slot);
    void HideOverlay(int pane, int slot);
    void CmOverlayOptions();
    void CmOverlayOptions2();
    void CmTogglePowerMeter();
    void CmToggleOverlayControls();
    // The slot file of a pane (1 or 2) and slot (0-6).
    std::string SlotPath(int pane, int slot) const;

    ScalingStruct Scaling;
    SpectrumOpts* Opts;
    TSpectralData* Data;
    TSpectralData* Data2;
    int Channel;
    std::unique_ptr<ToolBtn> LineButton;
    std::unique_ptr<ToolBtn> BarButton;
    std::unique_ptr<ToolBtn> StepBarButton;
    std::unique_ptr<ToolBtn> OptionsButton;
    std::unique_ptr<TEdit> PlotTopEdit;
    std::unique_ptr<TEdit> PlotRangeEdit;
    std::unique_ptr<ToolBtn> AutoScaleButton;
    std::unique_ptr<TButton> PowerMeterToggle;
    std::unique_ptr<TButton> OverlayToggle;
    std::unique_ptr<TEdit> RpmEdit;
    std::unique_ptr<LimitScroll> PlotTopSpin;
    std::unique_ptr<LimitScroll> PlotRangeSpin;
    std::unique_ptr<LimitScroll> RpmSpin;
    // Where the last context menu was asked for.
    TPoint MenuPoint;
    int Updating = 0;
    int LayoutBusy = 0;
    int CepstrumAxis = 0;
    // Column map, label tables and the value-to-height rule.
    TSpectrumScale Scale;
    int CurveCount[2] = {};
    int CurveCapacity = 0;
    std::vector<TCurvePoint> CurvePoints[2];
    std::vector<TCurvePoint> PrevCurvePoints[2];
    int PrevCurveCount[2] = {};
    int PeakCount[2] = {};
    std::vector<TCurvePoint> PeakPoints[2];
    std::vector<TCurvePoint> PrevPeakPoints[2];
    int PrevPeakCount[2] = {};
    int MeterHeight[2] = {};
    int MeterPeakHeight[2] = {};
    int DrawnMeterHeight[2] = {};
    int DrawnMeterPeakHeight[2] = {};
    std::unique_ptr<TButton> SlotButton[SlotCount];
    std::unique_ptr<TCheckBox> SlotCheck[SlotCount];
    std::unique_ptr<TButton> SlotButton2[SlotCount];
    std::unique_ptr<TCheckBox> SlotCheck2[SlotCount];
    std::unique_ptr<TButton> OverlayOptionsButton;
    std::unique_ptr<TButton> OverlayOptionsButton2;
    std::unique_ptr<TOverlayData> Overlay[SlotCount];
    std::unique_ptr<TOverlayData> Overlay2[SlotCount];
    std::vector<TCurvePoint> OverlayPoints[SlotCount];
    std::vector<TCurvePoint> OverlayPoints2[SlotCount];
    int OverlayCount[SlotCount] = {};
    int OverlayCount2[SlotCount] = {};
    // Marker tips and label frames of the upper, lower and single pane.
    TPoint MarkerPoints[3][MarkerSettings::Count];
    TRect MarkerRects[3][MarkerSettings::Count];
    // The amplitude fields and their painted labels in the button bar.
    TBarFields BarFields{*this};
    // When the curves were last drawn during a run (GetTickCount), 0 for not yet.
    DWORD DrawnTick = 0;

private:
    void UpdatePanes(TDC& dc, bool bandBars);
    // The marker arrays of a pane: 0 upper, 1 lower, 2 single.
    int MarkerRow(const TRect& pane) const { return PaneMode != 2 ? 2 : (pane == PaneRect2 ? 1 : 0); }
    TSpectralData* ZoomData() const override { return Data; }
    int SmallestZoomSpan() const override;
    void SetPlotType(uint16_t type);
    // The largest value of the bins under columns x-1..x of the pane's data.
    float CurveValueAt(const TPoint& point, const TRect& pane) const;
    // The markers set at the menu's point or cleared, by their menu ids.
    void CmSetMarker(UINT id);
    void CmClearMarker(UINT id);
    void CeClearMarker(TCommandEnabler& ce);
    void CmCopyText();
    void CmClearSpectrum();
    void CmMarkerOptions();
    void CmHelp();
    // The readouts and transforms of the displayed spectra, run by the host;
    // the bandwidth over the visible range, the smoothing by its item's width.
    void CmInverseFFT();
    void CmCepstrum();
    void CmBandwidth();
    void CmSmooth(UINT id);
    // A slot's button (its source, or the composite for the last one) and
    // its check box, in either pane's run.
    void CmSlotButton(UINT id);
    void CmSlotCheck(UINT id);
    void CopyCursorValues() override;
    void ClearPeakHold();
    void DrawOverlays(TDC& dc, const TRect& pane, const TRect& update);
    void RepaintOverlays();
    // Reads one slot file into the pane's curve and builds its trace.
    void LoadSlot(int pane, int slot);
    float SlotOffset(int pane, int slot) const;
    uint32_t* ShowFlags(int pane) const { return pane == 2 ? Opts->Show2 : Opts->Show1; }
    TCheckBox& SlotCheckOf(int pane, int slot) const { return pane == 2 ? *SlotCheck2[slot] : *SlotCheck[slot]; }
    bool PaneUsable(int pane, int slot) const;
    // Shows or hides the tool buttons and amplitude fields of the bar.
    void ShowButtonBar(int show);
    int PaneIndex(const TRect& pane) const { return PaneMode == 2 && pane == PaneRect2 ? 1 : 0; }
    TSpectralData* PaneData(int index) const { return index == 1 ? Data2 : Data; }
    bool PeakHoldOn() const;
    void SyncScale();
    void SetCaptionFromData();
    void WriteAmplitudeFields();
    void HighlightPlotType();
    TRect MeterColumn(const TRect& pane) const;
    // The width of a text in the view font, in pixels.
    int TextWidth(const char* text) const;
    // Room right of the overlay check boxes for the slots' names.
    int LegendTextRoom() const;
    // Room under the panes and their scroll bar for the frequency axis.
    int AxisRoom() const;
    // Room right of the panes for the power meter and its labels.
    int MeterRoom() const;
    // The readout font underlined.
    const TFont& UnderlinedFont();
    void FillBand(TDC& dc, int left, int right, int y1, int y2, COLORREF colour);

    DECLARE_RESPONSE_TABLE(TSpectrumPlot);
};
