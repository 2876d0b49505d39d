#pragma once
#include <windows.h>

// The keys an edit control or a combo box edits its text with: select all,
// copy, cut, paste and undo with Ctrl, Delete and Backspace, and Insert with
// Ctrl or Shift. While such a control has the focus they belong to it, not to
// the frame's accelerators.
class TEditingKeys {
public:
    // Whether a key message goes to an edit or combo box and is one of its
    // editing keys, with the modifiers held as the message is taken.
    static bool BelongToControl(const MSG& msg);
    static bool IsEditingKey(WPARAM key, bool control, bool shift, bool alt);
    // An edit control, a combo box, or the edit inside a combo box.
    static bool IsTextControl(HWND window);
};
