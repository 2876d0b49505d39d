#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include "framework/TBitmap.h"
#include "framework/TButton.h"
#include "framework/TPoint.h"

// The bitmap push button of every toolbar and view button bar: up, down and
// grey pictures, a latched (highlighted) look, and a hover tip under it. A
// click notifies the parent like any push button with the button's id.
class ToolBtn : public TButton {
public:
    static constexpr UINT HoverTimer = 201;
    static constexpr UINT LeaveTimer = 202;
    static constexpr UINT TimerPeriod = 250;

    ToolBtn(TWindow* parent, int id, const char* upName, const char* downName, const char* greyName, int x, int y,
            int w, int h, const char* tipText);
    ~ToolBtn() override;

    void LoadBitmaps();
    void SetDown();
    void SetUp();
    void HighlightOn();
    void HighlightOff();
    void SetHighlight(int on);

    void ODADrawEntire(DRAWITEMSTRUCT& dis) override;
    void ODASelect(DRAWITEMSTRUCT& dis) override;
    void ODAFocus(DRAWITEMSTRUCT&) override {}
    virtual void EvMouseMove(UINT keys, const TPoint& point);
    virtual void EvTimer(UINT timerId);

    void ShowTip();
    void HideTip();
    // The tip's top-left corner in screen coordinates: 4 pixels below the
    // button, starting at its horizontal centre.
    TPoint TipCorner() const;

    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Grey = 0;
    int32_t Highlight = 0;
    char UpName[40] = {};
    char DownName[40] = {};
    char GreyName[40] = {};
    std::unique_ptr<TBitmap> UpBitmap;
    std::unique_ptr<TBitmap> DownBitmap;
    std::unique_ptr<TBitmap> GreyBitmap;
    // The tip is a small topmost popup that takes no activation: a picture
    // painted straight onto the screen does not show under every display
    // driver. TipBitmap is the picture it shows.
    HWND TipWindow = nullptr;
    std::unique_ptr<TBitmap> TipBitmap;
    char TipText[80] = {};
    TPoint HoverPos;
    int32_t TipShown = 0;

private:
    void Draw(DRAWITEMSTRUCT& dis);
    void RemapColors(HDC memory);
    void RepaintNow();
    static LRESULT CALLBACK TipProc(HWND window, UINT msg, WPARAM w, LPARAM l);

    DECLARE_RESPONSE_TABLE(ToolBtn);
};
