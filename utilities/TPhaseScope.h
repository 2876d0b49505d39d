#pragma once
#include <memory>
#include <vector>
#include "utilities/TPhaseScopeTrace.h"
#include "views/TPlotBase.h"

class TMDIClient;
class TUtilityHost;

// The stereo phase scope: the left channel against the right as an X-Y
// trace, a sound-stage image or a Lissajous figure, from blocks of its own
// taken after every processed block. Each new trace replaces the last by
// drawing the last again in the background colour, so the pane is never
// repainted whole while the analyser runs.
class TPhaseScope : public TPlotBase {
public:
    enum : UINT { MenuOptions = 1500, MenuHelp = 1501 };
    static constexpr DWORD HelpContext = 947;
    // Points per polyline: some drivers refuse longer ones.
    static constexpr int PolylinePiece = 8192;

    TPhaseScope(TMDIClient& parent, TUtilityHost& host, const char* caption);
    ~TPhaseScope() override;

    const char* GetClassName() override { return "PhaseScopePlotClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& update) override;
    void PaintGraph(TDC&, bool, TRect&) override {}
    void UpdateLayout() override;
    void EvLButtonDown(UINT, const TPoint&) override {}
    void EvLButtonUp(UINT, const TPoint&) override {}
    void EvMouseMove(UINT, const TPoint&) override {}
    void EvRButtonUp(UINT, const TPoint&) override {}
    void EvRButtonDown(UINT keys, const TPoint& point) override;

    void AllocateBuffers();
    // Both blocks from the current source; false when it does not hold them yet.
    bool AcquireBlock();
    void UpdateTrace();
    void DrawTrace(TDC& dc, const TRect& rect, const TRect& clip, const std::vector<TPhaseScopeTrace::Point>& points,
                   COLORREF colour);
    void DrawGrid(TDC& dc, const TRect& rect, const TRect& clip);
    void FillBackground(TDC& dc);
    // The points on screen now, for those who read the trace back.
    const std::vector<TPhaseScopeTrace::Point>& Trace() const { return Shown; }
    int GetCapacity() const { return Capacity; }

    void EvSysCommand(UINT cmdType, const TPoint& point);
    void EvLButtonDblClk(UINT keys, const TPoint& point);
    void CmOptions();
    void CmHelp();

private:
    void ComputeTrace();

    TUtilityHost& Host;
    std::unique_ptr<TSeriesData> LeftBlock, RightBlock;
    bool SettingUp = false;
    // Set once a mono format has asked for the window to close.
    bool Closing = false;
    int Capacity = 0;
    std::vector<TPhaseScopeTrace::Point> Computed, Shown;

    DECLARE_RESPONSE_TABLE(TPhaseScope);
};
