#include "framework/TComboBoxNonSort.h"

TComboBoxNonSort::TComboBoxNonSort(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, UINT textLimit)
    : TComboBox(parent, id, x, y, w, h, style, textLimit)
{
    Attr.Style = style;
}
