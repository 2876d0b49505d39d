#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/DisplaySettingsStruct.h"
#include "views/PhaseOpts.h"
#include "views/TBarFields.h"
#include "views/TFrequencyPlot.h"
#include "views/TPhaseScale.h"
#include "views/TPlotBase.h"

class LimitScroll;
class TCommandEnabler;
class TEdit;
class TSpectralData;
class ToolBtn;

// The phase view: the phase in degrees of a transfer function or cross
// spectrum (one pane, or two for the two results) against frequency, with
// zoom along frequency, a Plot Top field, and a copy of its values as text
// with a DDE link to them.
class TPhasePlot : public TFrequencyPlot {
public:
    enum ControlId {
        OptionsId = 420, PlotTopId = 450,
        PlotTopSpinId = 451
    };
    enum MenuId {
        MenuCopyText = 802, MenuViewData = 804, MenuProperties = 1500, MenuHelp = 1501, MenuCopyBitmap = 1502,
        MenuCopyCursor = 1503
    };
    static constexpr DWORD HelpContext = 100;

    TPhasePlot(TMDIClient& parent, TViewHost* mainWin, const char* title, const TRect& placement,
               ScalingStruct scaling, PhaseOpts* opts, TSpectralData* data, TSpectralData* data2);
    ~TPhasePlot() override;

    // The base's operations.
    void SetSelection(const TRect& rect) override;
    void ResetVisibleRange() override;
    void UpdateBackgroundBrush() override;
    void PaintGraph(TDC& dc, bool erase, TRect& update) override;
    float GetXValue(const TPoint& point) override;
    float GetYValue(const TPoint& point) override;
    uint16_t GetHarmonicCount(const TPoint& point) override;
    TPoint GetHarmonicOffset(int index, const TPoint& point) override;
    uint16_t GetCursorAxis() override { return 0; }
    void TrackCursor(const TPoint& point) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    const char* GetClassName() override { return "PhasePlotClass"; }
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void EvRButtonDown(UINT keys, const TPoint& point) override;
    void EvRButtonUp(UINT keys, const TPoint& point) override;
    void UpdateLayout() override;
    void NewData(float time) override;
    int CanCopy() override { return 1; }

    // The view's own operations.
    virtual void PaintBackground(TDC& dc, const TRect& pane, const TRect& update);
    virtual void EvSize(UINT sizeType, const TSize& size);
    virtual void EvLButtonDblClk(UINT keys, const TPoint& point);
    virtual void SetFrequencyRange(float start, float stop);
    virtual void SetViewSettings(ScalingStruct scaling);
    virtual void SetData(TSpectralData* data, TSpectralData* data2);
    // The visible bins' phases as text on the clipboard, with a DDE link to them.
    virtual void CopyAsText();

    void PlaceControls();
    void ShowButtons();
    void HideButtons();
    void BuildColumnMap();
    void BuildXTicks();
    void BuildYTicks();
    int FrequencyToColumn(float frequency) const { return Scale.ColumnOf(frequency); }
    float ColumnFrequency(int column) const { return Scale.ColumnFrequency(column); }

    void CmOptions();
    // The numeric listing of the view's data, opened or closed.
    void CmViewData();
    void CmHelp();
    void PlotTopChanged();
    void CeCopy(TCommandEnabler& ce);
    std::unique_ptr<TPopupMenu> BuildContextMenu() const override;

    ScalingStruct ViewSettings;
    PhaseOpts* Opts;
    TSpectralData* PhaseData;
    TSpectralData* PhaseData2;
    std::unique_ptr<ToolBtn> OptionsButton;
    std::unique_ptr<TEdit> PlotTopEdit;
    std::unique_ptr<LimitScroll> PlotTopSpin;
    TBarFields BarFields{*this};
    // Column map, ticks and the phase-to-height rule.
    TPhaseScale Scale;
    float LastDrawTime = 0.0f;
    // 1 while the view writes its own Plot Top field.
    int Updating = 0;

private:
    void SyncScale();
    void SetCaptionFromData();
    void ShowButtonBar(int show);
    TSpectralData* ZoomData() const override { return PhaseData; }
    int SmallestZoomSpan() const override { return TPhaseScale::SmallestZoomSpan; }
    void PaintPane(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data, bool xAxis);
    void PaintYAxis(TDC& dc, const TRect& pane, const TRect& update);
    void PaintXAxis(TDC& dc, const TRect& pane, const TRect& update);
    void PaintGrids(TDC& dc, const TRect& pane, const TRect& update);
    void PaintTitle(TDC& dc, const TRect& pane, const TRect& update, const char* label);
    void PaintCurve(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data);
    void PaintMarkers(TDC& dc, const TRect& pane, const TRect& update, TSpectralData* data);
    TSpectralData* PaneData(const TRect& pane) const;
    void CopyCursorValues() override;

    DECLARE_RESPONSE_TABLE(TPhasePlot);
};
