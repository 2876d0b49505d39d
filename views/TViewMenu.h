#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <span>

class TPopupMenu;

// One row of a view's menu: a command (its id and text), a separator (no
// text) or a popup of rows.
struct TMenuRow {
    UINT Id = 0;
    const char* Text = nullptr;
    std::span<const TMenuRow> Popup = {};
};

// The views' right-button menus built from rows: the context menu of each
// view and the menu shown while a measurement cursor is held.
class TViewMenu {
public:
    using TRows = std::span<const TMenuRow>;
    // Whether a row's command goes into the menu.
    using TKeep = std::function<bool(UINT id)>;

    enum CommandId : UINT { CopyBitmapId = 1502, CopyCursorId = 1503 };
    // The cursor menu: copy the cursor's values, copy the view as a bitmap.
    static const TMenuRow CursorRows[2];

    // Appends the rows to a menu, leaving out the commands keep refuses.
    static void Fill(HMENU menu, TRows rows, const TKeep& keep = nullptr);
    static std::unique_ptr<TPopupMenu> Build(TRows rows, const TKeep& keep = nullptr);
};
