#pragma once
#include <memory>
#include <string>
#include "framework/TFont.h"
#include "framework/TWindow.h"
#include "utilities/TReadoutFormat.h"

class TDC;
class TMDIClient;
class TViewHost;

// A single-value readout: one number (two with both channels shown) of one
// measure kind, recomputed from the host's displayed results at every paint.
class TAnalysisView : public TWindow {
public:
    TAnalysisView(TMDIClient& parent, TViewHost& host, const char* caption, TReadoutFormat::TMeasureKind kind);

    const char* GetClassName() override { return "AnalysisViewClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    int GetRowCount() const;
    // The text of row 0 or 1 as the next paint draws it.
    std::string RowText(int row) const;
    // The widest text the rows can show, and the client width it needs in
    // the font a client of that height draws with (margins included).
    std::string WidestText() const;
    int MinimumClientWidth(int clientHeight);
    TReadoutFormat::TMeasureKind Kind() const { return MeasureKind; }

    void EvSize(UINT sizeType, const TSize& size);
    void EvSysCommand(UINT cmdType, const TPoint& point);
    void EvDestroy();

private:
    TReadoutFormat::TChannel Channel(int index) const;
    // Arial of the height, at its own width or narrower so that text fits width.
    static std::unique_ptr<TFont> FittedFont(TDC& dc, int height, const std::string& text, int width);

    TViewHost& Host;
    TReadoutFormat::TMeasureKind MeasureKind;
    // "Special" DisplayTimeInsteadOfSINAD and DisplayTimeOffset.
    int32_t TimeSwitch = 0;
    float TimeOffset = 0.0f;

    DECLARE_RESPONSE_TABLE(TAnalysisView);
};
