#include "framework/TListBox.h"

TListBox::TListBox(TWindow* parent, int id, int x, int y, int w, int h, TModule* module)
    : TControl(parent, id, nullptr, x, y, w, h, module)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
}

std::string TListBox::GetString(int index) const
{
    int length = GetStringLen(index);
    if (length < 0) return std::string();
    std::string text(size_t(length) + 1, '\0');
    int n = int(::SendMessageA(HWindow, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data())));
    text.resize(n > 0 ? size_t(n) : 0);
    return text;
}
