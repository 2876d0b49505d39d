#pragma once
#include <string>
#include "framework/TColor.h"
#include "framework/TControl.h"

// A progress bar drawn by the framework: a bar of Value between Min and Max
// in the bar colour, inset by Margin pixels, with the value written over it
// through the title as printf format ("%d%%"); an empty title writes nothing.
class TGauge : public TControl {
public:
    TGauge(TWindow* parent, const char* title, int id, int x, int y, int w, int h, bool isHorizontal = true,
           int margin = 1, TModule* module = nullptr);

    const char* GetClassName() override { return "TonalyxGauge"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    void SetRange(int min, int max);
    void GetRange(int& min, int& max) const { min = Min; max = Max; }
    void SetValue(int value);
    int GetValue() const { return Value; }
    void SetColor(TColor color);
    void SetMargin(int margin) { Margin = margin; if (HWindow) Invalidate(); }
    TColor GetColor() const { return BarColor; }
    // The bar's rectangle for the current value, in client coordinates.
    TRect GetBarRect() const;

private:
    bool Horizontal;
    int Margin;
    int Min = 0, Max = 100, Value = 0;
    TColor BarColor = TColor(0, 0, 128);
};
