#include "framework/TEditingKeys.h"

#include <strings.h>

namespace {

bool Down(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

bool HasClass(HWND window, const char* name)
{
    char text[32] = {};
    return window && ::GetClassNameA(window, text, sizeof text) && strcasecmp(text, name) == 0;
}

}  // namespace

bool TEditingKeys::IsEditingKey(WPARAM key, bool control, bool shift, bool alt)
{
    if (alt) return false;
    switch (key) {
    case 'A': case 'C': case 'V': case 'X': case 'Z': case 'Y':
        return control;
    case VK_INSERT:
        return control || shift;
    case VK_DELETE:
    case VK_BACK:
        return true;
    default:
        return false;
    }
}

bool TEditingKeys::IsTextControl(HWND window)
{
    return HasClass(window, "Edit") || HasClass(window, "ComboBox");
}

bool TEditingKeys::BelongToControl(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return IsEditingKey(msg.wParam, Down(VK_CONTROL), Down(VK_SHIFT), Down(VK_MENU)) && IsTextControl(msg.hwnd);
}
