#pragma once
#include <windows.h>
#include "framework/TCommandEnabler.h"

// The enabler of one menu item, applied to the item at once.
class TMenuItemEnabler : public TCommandEnabler {
public:
    TMenuItemEnabler(HMENU menu, UINT id, int position) : TCommandEnabler(id), Menu(menu), Position(position) {}

    void Enable(bool enable = true) override;
    void SetCheck(int state) override;
    void SetText(const char* text) override;

private:
    HMENU Menu;
    int Position;
};
