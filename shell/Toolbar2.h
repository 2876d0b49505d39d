#pragma once
#include <windows.h>
#include <array>
#include <cstdint>
#include <memory>
#include "framework/TWindow.h"
#include "framework/ToolBtn.h"
#include "shell/ViewStatusFlags.h"
#include "shell/ViewType.h"

class TMainWin;

// The button toolbar under the transport bar: one row of 30 bitmap buttons
// for the file, print, view, options, generator and utility commands. Its
// faces show which views and utility windows are open; the main window asks
// it to recompute them whenever that may have changed.
class Toolbar2 : public TWindow {
public:
    static constexpr int ButtonCount = 30;
    static constexpr int ButtonTop = 2;
    static constexpr int ButtonSize = 28;

    // What latches a button's face.
    enum class Latch { Never, ViewFlag, Window, DataLog };
    struct TButtonRow {
        int Id;
        // The faces are this name with "Up", "Dn" and (when HasGrey) "Gr" added.
        const char* Face;
        bool HasGrey;
        const char* Tip;
        int Left;
        // The main window's command the button runs.
        UINT Command;
        Latch LatchedBy;
        int32_t ViewStatusFlags::*Flag;
        ViewType Window;
    };
    static const std::array<TButtonRow, ButtonCount>& Rows();

    explicit Toolbar2(TMainWin* mainWin);

    void SetupWindow() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void GetWindowClass(WNDCLASSA& wc) override;
    const char* GetClassName() override { return "Toolbar2Class"; }

    void LayoutButtons();
    void Refresh();
    void UpdateButtons();
    // on == 1 latches, any other value releases; an id not in the table does nothing.
    void SetButtonLatched(int id, int on);
    void EvSysColorChange();
    void EvLButtonDblClk(UINT keys, const TPoint& point);
    void ButtonClicked(UINT id);

    // The button of an id, null for an id not in the table.
    ToolBtn* Button(int id) const;
    bool IsSetUp() const { return SetUp != 0; }

private:
    void SetGrey(int id, bool grey);

    TMainWin* MainWin;
    std::array<std::unique_ptr<ToolBtn>, ButtonCount> Buttons;
    int32_t SetUp = 0;

    DECLARE_RESPONSE_TABLE(Toolbar2);
};
