#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include "framework/TBitmap.h"
#include "framework/TGauge.h"
#include "framework/TGdiCache.h"
#include "framework/TRect.h"
#include "framework/TWindow.h"

class TMainWin;

// The one-line bar along the bottom of the main window: run status, mode,
// sample format, FFT size and window, and the input level meter. A click on
// a pane pops up the choices for that setting; the progress gauge of long
// operations lies over the status pane while shown. Everything it shows is
// read from the main window at paint time.
class StatusBar : public TWindow {
public:
    static constexpr int GaugeId = 510;
    // What RefreshPanes repaints.
    enum Refresh : int { StatusPaneOnly = 1, WholeBar = 2, StatusAndMeter = 3, MeterOnly = 4 };
    // Item ids of the pop-ups: the first of each pane's run of choices.
    enum PopupId : UINT {
        RealTimeItem = 10, RecorderItem = 11, PostProcessItem = 12,
        FirstFftItem = 101, FirstRateItem = 200, FirstWindowItem = 301,
        FirstWidthItem = 400, MonoItem = 450, StereoItem = 451,
    };
    // The FFT pop-up offers every size from the smallest up.
    static constexpr UINT FftItemCount = 16;

    StatusBar(TWindow* parent, TMainWin* mainWin);

    void ShowGauge();
    void SetGaugeValue(int value);
    void HideGauge();
    // which is a Refresh.
    void RefreshPanes(int which);

    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    const char* GetClassName() override { return "StatusBarClass"; }
    void SetupWindow() override;
    virtual void EvSize(UINT sizeType, const TSize& size);
    void EvLButtonDown(UINT keys, const TPoint& point);
    void EvLButtonDblClk(UINT keys, const TPoint& point);

    // The text the bar shows in a pane (empty for the meter and for none).
    std::string TextOf(const TRect& pane) const;

    // The pop-up of the pane at a point: its item ids and texts, the current
    // one checked; false when the point is on no pane with choices.
    bool BuildPopup(const TPoint& point, HMENU menu, TRect& pane);

    TMainWin* MainWin;
    TRect StatusPane;
    TRect MeterPane;
    TRect FftPane;
    TRect RatePane;
    TRect BitsPane;
    TRect ChannelsPane;
    TRect WindowPane;
    TRect ModePane;
    std::unique_ptr<TGauge> Gauge;

private:
    // The pens and brush of the pane frames and the overload mark.
    TGdiCache Gdi;
    std::unique_ptr<TBitmap> MeterRowBitmap;
    int MeterRowWidth = 0;

    bool GaugeLocked() const;
    void DrawPaneFrame(TDC& dc, const TRect& pane);
    void PaintStatus(TDC& dc);
    void PaintMeter(TDC& dc);
    // The meter shows while a run, a recording or a playback goes on.
    bool MeterShows() const;
    void PaintMeterNow();
    const TBitmap& MeterRow(const TDC& dc, int width);
    void ChangeMode(UINT id);
    int MenuItemHeight() const;

    DECLARE_RESPONSE_TABLE(StatusBar);
};
