// Views' menus from rows.
#include "views/TViewMenu.h"

#include "framework/TPopupMenu.h"

const TMenuRow TViewMenu::CursorRows[2] = {{CopyCursorId, "Copy measurement cursor Values to clipboard"},
                                           {CopyBitmapId, "Copy to clipboard as Bitmap"}};

void TViewMenu::Fill(HMENU menu, TRows rows, const TKeep& keep)
{
    for (const TMenuRow& row : rows) {
        if (!row.Text) {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!row.Popup.empty()) {
            HMENU popup = ::CreatePopupMenu();
            Fill(popup, row.Popup, keep);
            ::AppendMenuA(menu, MF_POPUP, UINT_PTR(popup), row.Text);
        } else if (!keep || keep(row.Id)) {
            ::AppendMenuA(menu, MF_STRING, row.Id, row.Text);
        }
    }
}

std::unique_ptr<TPopupMenu> TViewMenu::Build(TRows rows, const TKeep& keep)
{
    auto menu = std::make_unique<TPopupMenu>();
    Fill(*menu, rows, keep);
    return menu;
}
