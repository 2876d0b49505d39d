#include "dialogs/TColorSwatch.h"

#include "framework/TDialog.h"

TColorSwatch::TColorSwatch(TWindow* parent, int id) : TGauge(parent, "", id, 0, 0, Width, 10, true, 0)
{
    SetRange(0, 100);
    SetValue(100);
}

void ShowColorSwatch(TDialog* dialog, int buttonId, TGauge* swatch, TColor colour)
{
    HWND button = dialog ? dialog->GetDlgItem(buttonId) : nullptr;
    if (!button || !swatch) return;
    RECT place;
    ::GetWindowRect(button, &place);
    ::MapWindowPoints(nullptr, dialog->GetHandle(), reinterpret_cast<POINT*>(&place), 2);
    place.left = place.right + TColorSwatch::Gap;
    place.right = place.left + TColorSwatch::Width;
    swatch->MoveWindow(place.left, place.top, place.right - place.left, place.bottom - place.top, true);
    swatch->SetColor(colour);
    swatch->SetValue(100);
    ::InvalidateRect(dialog->GetHandle(), &place, TRUE);
    dialog->UpdateWindow();
    // The dialog's background may have covered the swatch; it draws last.
    swatch->UpdateWindow();
}
