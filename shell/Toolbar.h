#pragma once
#include <windows.h>
#include <cstdint>
#include "framework/TRect.h"
#include "framework/TWindow.h"

class TMainWin;
class TScrollBar;
class TComboBoxNonSort;
class ToolBtn;

// The transport bar of the main window for one operating mode: run and
// transport buttons, averaging and peak-hold choices, the configuration
// list, and in the file modes the position bar with the current time and
// data length. The main window builds a new bar whenever the mode changes.
class Toolbar : public TWindow {
public:
    enum ControlId {
        RunId = 162, StopId = 163, RecordId = 164, RewindId = 165, PlayId = 166, PositionId = 167,
        ForwardId = 170, AveragingId = 171, PeakHoldId = 173, ConfigId = 605
    };

    Toolbar(TWindow* parent, TMainWin* mainWin, int mode);
    ~Toolbar() override;

    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    const char* GetClassName() override { return "ToolbarClass"; }

    void SetMode();
    void FillConfigList();
    void FillAveragingList();
    void FillPeakHoldList();
    void UpdateDisplay(int times, int length);
    void UpdateButtons();
    void EvSysColorChange();

    void CmRun();
    void CmStop();
    void CmRewind();
    void CmForward();
    void CmRecord();
    void CmPlay();
    void AveragingChosen(UINT code);
    void PeakHoldChosen(UINT code);
    void PositionScrolled(UINT code);
    void ConfigChosen(UINT code);
    void EvLButtonDblClk(UINT keys, const TPoint& point);
    void EvLButtonDown(UINT keys, const TPoint& point);
    void EvRButtonDown(UINT keys, const TPoint& point);

    // The read-out rectangles of the current time and the data length for
    // the main window's mode (empty in Real Time).
    TRect TimeRect() const;
    TRect LengthRect() const;

    int32_t Mode;
    TComboBoxNonSort* AvgCombo = nullptr;
    TScrollBar* PosScroll = nullptr;
    ToolBtn* RunBtn = nullptr;
    ToolBtn* StopBtn = nullptr;
    ToolBtn* RewindBtn = nullptr;
    ToolBtn* ForwardBtn = nullptr;
    ToolBtn* RecordBtn = nullptr;
    ToolBtn* PlayBtn = nullptr;
    TComboBoxNonSort* PeakCombo = nullptr;
    TComboBoxNonSort* ConfigCombo = nullptr;
    TMainWin* MainWin;
    int32_t Ready = 0;

private:
    void AfterPositionChange();

    DECLARE_RESPONSE_TABLE(Toolbar);
};
