#include "framework/TComboBox.h"

TComboBox::TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style, UINT textLimit,
                     TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module), TextLimit(textLimit)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_SORT | CBS_AUTOHSCROLL | style;
}

void TComboBox::SetupWindow()
{
    TControl::SetupWindow();
    if (TextLimit) SendMessage(CB_LIMITTEXT, TextLimit);
}

std::string TComboBox::GetString(int index) const
{
    int length = GetStringLen(index);
    if (length < 0) return std::string();
    std::string text(size_t(length) + 1, '\0');
    int n = int(::SendMessageA(HWindow, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data())));
    text.resize(n > 0 ? size_t(n) : 0);
    return text;
}
