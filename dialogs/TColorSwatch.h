#pragma once
#include "framework/TColor.h"
#include "framework/TGauge.h"

class TDialog;

// A solid block of one colour beside a colour button of an options dialog: a
// full gauge without text or margin, created by the dialog at run time.
// ShowColorSwatch places it and gives it its colour.
class TColorSwatch : public TGauge {
public:
    static constexpr int Gap = 6;
    static constexpr int Width = 24;

    TColorSwatch(TWindow* parent, int id);
};

// Moves the swatch to the right of the dialog's button buttonId (Gap pixels
// after it, Width pixels wide, the button's height), shows colour in it and
// repaints that place at once, so an earlier colour leaves no trace.
void ShowColorSwatch(TDialog* dialog, int buttonId, TGauge* swatch, TColor colour);
