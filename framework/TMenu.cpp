#include "framework/TMenu.h"

TMenu::~TMenu()
{
    if (Handle && ShouldDelete) ::DestroyMenu(Handle);
}

std::string TMenu::GetMenuString(UINT item, UINT flags) const
{
    char text[256];
    int n = ::GetMenuStringA(Handle, item, text, sizeof text, flags);
    return std::string(text, n > 0 ? n : 0);
}
