#include "framework/TGauge.h"
#include <cstdio>
#include "framework/TBrush.h"
#include "framework/TDC.h"

TGauge::TGauge(TWindow* parent, const char* title, int id, int x, int y, int w, int h, bool isHorizontal, int margin,
               TModule* module)
    : TControl(parent, id, title, x, y, w, h, module), Horizontal(isHorizontal), Margin(margin)
{
    Attr.Style = WS_CHILD | WS_VISIBLE;
}

void TGauge::GetWindowClass(WNDCLASSA& wc)
{
    TControl::GetWindowClass(wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

void TGauge::SetRange(int min, int max)
{
    if (max <= min) return;
    Min = min;
    Max = max;
    SetValue(Value);
}

void TGauge::SetValue(int value)
{
    if (value < Min) value = Min;
    if (value > Max) value = Max;
    if (value == Value) return;
    Value = value;
    if (HWindow) Invalidate(false);
}

void TGauge::SetColor(TColor color)
{
    BarColor = color;
    if (HWindow) Invalidate(false);
}

TRect TGauge::GetBarRect() const
{
    TRect r = GetClientRect().InflatedBy(-Margin, -Margin);
    long span = Max - Min;
    if (Horizontal)
        r.right = r.left + int(long(r.Width()) * (Value - Min) / span);
    else
        r.top = r.bottom - int(long(r.Height()) * (Value - Min) / span);
    return r;
}

void TGauge::Paint(TDC& dc, bool, TRect&)
{
    TRect client = GetClientRect();
    TRect bar = GetBarRect();
    TBrush face(TColor::Sys(COLOR_BTNFACE));
    TBrush fill(BarColor);
    dc.FillRect(client, face);
    if (!bar.IsEmpty()) dc.FillRect(bar, fill);
    if (!Title.empty()) {
        char text[64];
        std::snprintf(text, sizeof text, Title.c_str(), Value);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(TColor::Sys(COLOR_BTNTEXT));
        dc.DrawText(text, -1, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
