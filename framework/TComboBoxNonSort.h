#pragma once
#include "framework/TComboBox.h"

// A combo box that keeps its items in the order they were added: its style is
// exactly the one given, without the base's sorting and scrolling defaults.
class TComboBoxNonSort : public TComboBox {
public:
    TComboBoxNonSort(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, UINT textLimit);
};
