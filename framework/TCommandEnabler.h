#pragma once
#include <windows.h>

// Asks a command's handler whether the command is available now: menu items
// are enabled, checked or renamed through it before their popup opens.
class TCommandEnabler {
public:
    enum { Unchecked = 0, Checked = 1, Indeterminate = 2 };

    explicit TCommandEnabler(UINT id) : Id(id) {}
    virtual ~TCommandEnabler() = default;

    UINT GetId() const { return Id; }
    virtual void Enable(bool enable = true) { Enabled = enable; }
    virtual void SetCheck(int state) { Check = state; }
    virtual void SetText(const char*) {}

    bool Enabled = true;
    int Check = Unchecked;

private:
    UINT Id;
};
