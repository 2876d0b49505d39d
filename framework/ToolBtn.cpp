#include "framework/ToolBtn.h"

#include <cstdio>
#include <cstring>

#include "framework/TClientDC.h"
#include "framework/TFont.h"
#include "framework/TMemoryDC.h"
#include "framework/TModule.h"
#include "framework/TPaintDC.h"
#include "framework/TScreenDC.h"

DEFINE_RESPONSE_TABLE1(ToolBtn, TButton)
    EV_WM_MOUSEMOVE
    EV_WM_TIMER
END_RESPONSE_TABLE;

namespace {

const char TipClassName[] = "ToolBtnTip";

void CopyName(char (&to)[40], const char* from)
{
    to[0] = '\0';
    if (from)
        std::snprintf(to, sizeof to, "%s", from);
}

}  // namespace

ToolBtn::ToolBtn(TWindow* parent, int id, const char* upName, const char* downName, const char* greyName, int x,
                 int y, int w, int h, const char* tipText)
    : TButton(parent, id, "", x, y, w, h)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    CopyName(UpName, upName);
    CopyName(DownName, downName);
    CopyName(GreyName, greyName);
    if (tipText && std::strlen(tipText) < sizeof TipText)
        std::strcpy(TipText, tipText);
    LoadBitmaps();
}

ToolBtn::~ToolBtn()
{
    if (HWindow) {
        ::KillTimer(HWindow, HoverTimer);
        ::KillTimer(HWindow, LeaveTimer);
    }
    if (TipWindow)
        ::DestroyWindow(TipWindow);
}

void ToolBtn::LoadBitmaps()
{
    HINSTANCE instance = GetModule() ? GetModule()->GetInstance() : ::GetModuleHandleA(nullptr);
    auto load = [&](const char* name) -> std::unique_ptr<TBitmap> {
        if (!name[0])
            return nullptr;
        auto bitmap = std::make_unique<TBitmap>(instance, name);
        return bitmap->IsValid() ? std::move(bitmap) : nullptr;
    };
    UpBitmap = load(UpName);
    DownBitmap = load(DownName);
    GreyBitmap = load(GreyName);
    Width = UpBitmap ? UpBitmap->Width() : 0;
    Height = UpBitmap ? UpBitmap->Height() : 0;
    TClientDC screen(HWindow);
    TMemoryDC memory(screen);
    for (const TBitmap* b : {DownBitmap.get(), UpBitmap.get(), GreyBitmap.get()}) {
        if (!b)
            continue;
        memory.SelectObject(*b);
        RemapColors(memory);
    }
}

void ToolBtn::RemapColors(HDC memory)
{
    if (Width >= 101)
        return;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    // How the device holds the four colours of the drawn faces.
    const COLORREF first = ::GetPixel(memory, 0, 0);
    auto deviceColour = [&](COLORREF c) {
        ::SetPixel(memory, 0, 0, c);
        return ::GetPixel(memory, 0, 0);
    };
    const COLORREF lightGrey = deviceColour(RGB(192, 192, 192));
    const COLORREF white = deviceColour(RGB(255, 255, 255));
    const COLORREF darkGrey = deviceColour(RGB(128, 128, 128));
    const COLORREF black = deviceColour(RGB(0, 0, 0));
    ::SetPixel(memory, 0, 0, first);
    for (int x = 0; x < Width; ++x) {
        for (int y = 0; y < Height; ++y) {
            const COLORREF p = ::GetPixel(memory, x, y);
            if (p == lightGrey)
                ::SetPixel(memory, x, y, face);
            else if (p == white)
                ::SetPixel(memory, x, y, highlight);
            else if (p == darkGrey)
                ::SetPixel(memory, x, y, shadow);
            else if (p == black)
                ::SetPixel(memory, x, y, text);
        }
    }
}

void ToolBtn::RepaintNow()
{
    if (!HWindow)
        return;
    Invalidate(true);
    UpdateWindow();
}

void ToolBtn::SetDown()
{
    if (!GreyBitmap)
        return;
    Grey = 1;
    RepaintNow();
}

void ToolBtn::SetUp()
{
    Grey = 0;
    RepaintNow();
}

void ToolBtn::HighlightOn()
{
    Highlight = 1;
    RepaintNow();
}

void ToolBtn::HighlightOff()
{
    Highlight = 0;
    RepaintNow();
}

void ToolBtn::SetHighlight(int on)
{
    if (on == 1)
        HighlightOn();
    else
        HighlightOff();
}

void ToolBtn::ODADrawEntire(DRAWITEMSTRUCT& dis)
{
    Draw(dis);
}

void ToolBtn::ODASelect(DRAWITEMSTRUCT& dis)
{
    Draw(dis);
}

void ToolBtn::Draw(DRAWITEMSTRUCT& dis)
{
    const TBitmap* picture = UpBitmap.get();
    if (Grey && GreyBitmap)
        picture = GreyBitmap.get();
    else if (Highlight || (dis.itemState & ODS_SELECTED))
        picture = DownBitmap.get();
    if (picture) {
        TDC target(dis.hDC);
        TMemoryDC memory(target);
        memory.SelectObject(*picture);
        target.BitBlt(dis.rcItem.left, dis.rcItem.top, Width, Height, memory, 0, 0);
    }
    HideTip();
}

void ToolBtn::EvMouseMove(UINT, const TPoint& point)
{
    RECT client;
    ::GetClientRect(HWindow, &client);
    if (::PtInRect(&client, point)) {
        if (!TipShown) {
            ::GetCursorPos(&HoverPos);
            ::KillTimer(HWindow, HoverTimer);
            SetTimer(HoverTimer, TimerPeriod);
        }
    } else {
        HideTip();
    }
    DefaultProcessing();
}

void ToolBtn::EvTimer(UINT timerId)
{
    TPoint now;
    ::GetCursorPos(&now);
    if (timerId == HoverTimer) {
        if (now.x == HoverPos.x && now.y == HoverPos.y) {
            ::KillTimer(HWindow, HoverTimer);
            HideTip();
            ShowTip();
            TipShown = 1;
            SetTimer(LeaveTimer, TimerPeriod);
        }
    } else if (timerId == LeaveTimer) {
        ScreenToClient(now);
        RECT client;
        ::GetClientRect(HWindow, &client);
        if (!::PtInRect(&client, now)) {
            ::KillTimer(HWindow, LeaveTimer);
            HideTip();
            TipShown = 0;
        }
    }
}

TPoint ToolBtn::TipCorner() const
{
    RECT client;
    ::GetClientRect(HWindow, &client);
    TPoint corner(client.left + (client.right - client.left) / 2, client.bottom + 4);
    ClientToScreen(corner);
    return corner;
}

LRESULT CALLBACK ToolBtn::TipProc(HWND window, UINT msg, WPARAM w, LPARAM l)
{
    if (msg == WM_PAINT) {
        TPaintDC dc(window);
        if (const auto* picture = reinterpret_cast<const TBitmap*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
            TMemoryDC memory(dc);
            memory.SelectObject(*picture);
            dc.BitBlt(0, 0, picture->Width(), picture->Height(), memory, 0, 0);
        }
        return 0;
    }
    if (msg == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return ::DefWindowProcA(window, msg, w, l);
}

void ToolBtn::ShowTip()
{
    if (TipShown || !TipText[0] || !HWindow)
        return;
    int w = 0, h = 0;
    {
        // The picture leaves this context before the tip paints it.
        const TFont font("MS Sans Serif", 14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, DEFAULT_CHARSET);
        TScreenDC screen;
        TMemoryDC memory(screen);
        memory.SelectObject(font);
        const TSize text = memory.GetTextExtent(TipText);
        w = text.cx + 8;
        h = text.cy + 2;
        TipBitmap = std::make_unique<TBitmap>(screen, w, h);
        memory.SelectObject(*TipBitmap);
        memory.Rectangle(0, 0, w, h);
        memory.TextOut(4, 1, TipText);
    }

    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!::GetClassInfoA(instance, TipClassName, &wc)) {
        wc.lpfnWndProc = TipProc;
        wc.hInstance = instance;
        wc.lpszClassName = TipClassName;
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        ::RegisterClassA(&wc);
    }
    const TPoint corner = TipCorner();
    if (!TipWindow)
        TipWindow = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, TipClassName, "", WS_POPUP,
                                      corner.x, corner.y, w, h, HWindow, nullptr, instance, nullptr);
    if (TipWindow) {
        ::SetWindowLongPtrA(TipWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(TipBitmap.get()));
        ::SetWindowPos(TipWindow, HWND_TOPMOST, corner.x, corner.y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::InvalidateRect(TipWindow, nullptr, FALSE);
        ::UpdateWindow(TipWindow);
    }
    TipShown = 1;
    ::KillTimer(HWindow, HoverTimer);
}

void ToolBtn::HideTip()
{
    if (HWindow) {
        ::KillTimer(HWindow, HoverTimer);
        ::KillTimer(HWindow, LeaveTimer);
    }
    if (TipShown && TipWindow)
        ::ShowWindow(TipWindow, SW_HIDE);
    TipShown = 0;
}
