#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include <vector>
#include "framework/TComboBoxNonSort.h"
#include "framework/TRect.h"
#include "framework/TScrollBar.h"
#include "framework/TWindow.h"
#include "framework/ToolBtn.h"
#include "views/TControlRow.h"

class TMainWin;

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
    // The texts the bar paints itself, placed in the row with the controls.
    enum TextId { AveragingLabel = 1, PeakHoldLabel, TimeText, LengthText };

    Toolbar(TWindow* parent, TMainWin* mainWin, int mode);

    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    const char* GetClassName() override { return "ToolbarClass"; }

    void SetMode();
    void FillConfigList();
    void FillAveragingList();
    void FillPeakHoldList();
    // Sets the position control and redraws the read-outs the flags name.
    // While the analyser runs the control moves at most once a
    // PositionIntervalMs, the first time that long after the run began;
    // stopped, it always follows.
    void UpdateDisplay(int times, int length);
    static constexpr uint32_t PositionIntervalMs = 1000;
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
    // The boxes of the controls and painted texts, as SetupWindow placed them.
    const std::vector<TControlRow::Box>& GetBoxes() const { return Boxes; }

    int32_t Mode;
    std::unique_ptr<TComboBoxNonSort> AvgCombo;
    std::unique_ptr<TScrollBar> PosScroll;
    std::unique_ptr<ToolBtn> RunBtn;
    std::unique_ptr<ToolBtn> StopBtn;
    std::unique_ptr<ToolBtn> RewindBtn;
    std::unique_ptr<ToolBtn> ForwardBtn;
    std::unique_ptr<ToolBtn> RecordBtn;
    std::unique_ptr<ToolBtn> PlayBtn;
    std::unique_ptr<TComboBoxNonSort> PeakCombo;
    std::unique_ptr<TComboBoxNonSort> ConfigCombo;
    TMainWin* MainWin;
    int32_t Ready = 0;

private:
    // When the position control last moved, or the run began.
    uint32_t PositionTick = 0;
    bool PositionRunning = false;
    static constexpr int FirstLeft = 2, ButtonTop = 1, ButtonWidth = 40, ButtonHeight = 32, ButtonGap = 2;
    static constexpr int ComboTop = 6, ScrollTop = 8, ScrollHeight = 18, TextTop = 9;
    static constexpr int LabelGap = 4, GroupGap = 12, ReadoutMargin = 6, ComboTextInset = 6;
    static constexpr int AveragingWidth = 66, PeakHoldWidth = 70, ConfigWidth = 240;

    void AfterPositionChange();
    std::vector<TControlRow::Item> RowItems(int comboChrome) const;
    void PlaceControls();
    TRect TextBox(int id) const;

    std::vector<TControlRow::Box> Boxes;
    int TextHeight = 15;

    DECLARE_RESPONSE_TABLE(Toolbar);
};
