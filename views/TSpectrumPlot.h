#pragma once
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "engine/DisplaySettingsStruct.h"
#include "framework/TButton.h"
#include "framework/TCheckBox.h"
#include "framework/TEdit.h"
#include "framework/ToolBtn.h"
#include "views/MarkerSettings.h"
#include "views/SpectrumOpts.h"
#include "views/TControlRow.h"
#include "views/TPlotBase.h"
#include "views/TSpectrumScale.h"

class TSpectralData;

// The spectrum view: the current spectrum of one display channel in one pane,
// or of two in two stacked panes, with its peak-hold curve, grid, axes, power
// meter and level readout under a bar of tool buttons and edit fields. Live
// data are drawn straight into the panes, erasing the previous curves.
class TSpectrumPlot : public TPlotBase {
public:
    static constexpr int SlotCount = SpectrumOpts::SlotCount;

    TSpectrumPlot(TMDIClient& parent, TViewHost* mainWin, const char* caption, const TRect& placement,
                  ScalingStruct scaling, SpectrumOpts* opts, TSpectralData* data, TSpectralData* data2, int channel);

    void SetSelection(const TRect& rect) override;
    void ResetVisibleRange() override;
    void ResetScrollRange() override;
    void UpdateBackgroundBrush() override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "SpectrumPlotClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void UpdateLayout() override;
    void NewData(float time) override;
    int CanCopy() override { return 1; }

    virtual void FillPaneBackground(TDC& dc, const TRect& pane, const TRect& update);
    virtual void EvSize(UINT sizeType, const TSize& size);
    virtual void EvSysCommand(UINT cmdType, const TPoint& point);
    virtual void UpdateBandBars(TDC& dc);
    virtual void SetFrequencyRange(float start, float stop);
    virtual void SetScaling(ScalingStruct scaling);
    virtual void SetData(TSpectralData* data, TSpectralData* data2);

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
    void DrawMarkers(TDC& dc, const TRect& pane, TSpectralData* data);
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

    ScalingStruct Scaling;
    SpectrumOpts* Opts;
    TSpectralData* Data;
    TSpectralData* Data2;
    int Channel;
    std::unique_ptr<ToolBtn> ZoomInButton;
    std::unique_ptr<ToolBtn> ZoomFullButton;
    std::unique_ptr<ToolBtn> Zoom2XInButton;
    std::unique_ptr<ToolBtn> Zoom2XOutButton;
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
    TPoint MarkerPoints[3][MarkerSettings::Count];
    TRect MarkerRects[3][MarkerSettings::Count];
    // The amplitude fields and their painted labels in the button bar.
    enum BarText { PlotTopLabel = 1, PlotRangeLabel };
    std::vector<TControlRow::Box> BarBoxes;
    // When the curves were last drawn during a run (GetTickCount), 0 for not yet.
    DWORD DrawnTick = 0;

private:
    static constexpr int EditLeastWidth = 44, EditHeight = 20;
    // The width an amplitude field needs to show the widest of texts whole.
    int EditWidth(const TEdit& edit, std::initializer_list<const char*> texts) const;
    void UpdatePanes(TDC& dc, bool bandBars);
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
    void DrawText(TDC& dc, int x, int y, const char* text, UINT align, const TFont* font = nullptr);
    // The readout font turned to run up the amplitude axis, or underlined.
    const TFont& RotatedFont();
    const TFont& UnderlinedFont();
    void FillBand(TDC& dc, int left, int right, int y1, int y2, COLORREF colour);

    DECLARE_RESPONSE_TABLE(TSpectrumPlot);
};
