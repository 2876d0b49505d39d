#include "framework/TMenuItemEnabler.h"

void TMenuItemEnabler::Enable(bool enable)
{
    TCommandEnabler::Enable(enable);
    ::EnableMenuItem(Menu, Position, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void TMenuItemEnabler::SetCheck(int state)
{
    TCommandEnabler::SetCheck(state);
    ::CheckMenuItem(Menu, Position, MF_BYPOSITION | (state == Checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMenuItemEnabler::SetText(const char* text)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text);
    ::SetMenuItemInfoA(Menu, Position, TRUE, &info);
}
