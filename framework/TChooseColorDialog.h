#pragma once
#include <windows.h>
#include <commdlg.h>
#include "framework/TColor.h"
#include "framework/TResId.h"

class TWindow;

// The common colour dialog, with the caller's table of 16 custom colours and
// optionally a dialog template of the program's own.
class TChooseColorDialog {
public:
    struct TData {
        DWORD Flags = CC_RGBINIT;
        DWORD Error = 0;
        TColor Color;
        COLORREF* CustColors = nullptr;   // 16 entries, kept by the caller
        TResId TemplateName;              // empty for the system's template
    };

    TChooseColorDialog(TWindow* parent, TData& data) : Parent(parent), Data(data) {}

    // IDOK with the colour in the data, or IDCANCEL.
    int Execute();

private:
    TWindow* Parent;
    TData& Data;
};
