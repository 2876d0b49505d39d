#pragma once
#include "framework/TScrollBar.h"

// A spin control: a scroll bar whose arrows step the number held in a paired
// edit field by a fixed step, clamped on the side stepped towards, and write
// it back in a chosen precision. The bar's own position plays no part; the
// value lives in the edit field, which the user may also type into. Page,
// thumb, top and bottom notifications keep the scroll bar's behaviour.
class LimitScroll : public TScrollBar {
public:
    // Binds to the scroll bar with this id of the parent dialog's template.
    LimitScroll(TWindow* parent, int resourceId, TModule* module, TWindow* edit, float maximum, float minimum,
                float step);
    // Creates a vertical scroll bar at the given place.
    LimitScroll(TWindow* parent, int id, int x, int y, int w, int h, TModule* module, TWindow* edit, float maximum,
                float minimum, float step);

    // 0 to 9 decimals in fixed notation; 10 or more one decimal in exponent
    // notation; a negative count none.
    void SetPrecision(int decimals);
    // Ignored for a step of 0; a negative step is kept (the arrows then swap).
    void SetStep(float step);
    // Ignored unless maximum > minimum.
    void SetRange(float maximum, float minimum);

    void StepUp();
    void StepDown();

    void SBLineUp() override { StepUp(); }
    void SBLineDown() override { StepDown(); }

    float GetMaximum() const { return Maximum; }
    float GetMinimum() const { return Minimum; }
    float GetStep() const { return Step; }
    const char* GetFormat() const { return Format; }

private:
    double ReadValue() const;
    void WriteValue(double value);

    TWindow* Edit;
    float Maximum;
    float Minimum;
    float Step;
    const char* Format = "%1.0f";
};
