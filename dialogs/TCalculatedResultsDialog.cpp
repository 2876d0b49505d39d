#include "dialogs/TCalculatedResultsDialog.h"

#include "framework/TApplication.h"
#include "framework/TClipboard.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TCalculatedResultsDialog, TDialog)
    EV_COMMAND(TCalculatedResultsDialog::CopyId, CmCopy)
END_RESPONSE_TABLE;

TCalculatedResultsDialog::TCalculatedResultsDialog(TWindow* parent, const char* caption, const char* text)
    : TDialog(parent, "DIALOG_CALCULATED_RESULTS"), Caption(caption ? caption : ""), Text(text ? text : "")
{
}

void TCalculatedResultsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    TWindow* main = GetApplication() ? GetApplication()->GetMainWindow() : nullptr;
    CenterWindow(main && main->GetHandle() ? main->GetHandle() : GetParentH(), HWindow);
    SetCaption(Caption.c_str());
    SetItemText(TextId, Text.c_str());
}

// The whole text, however long: the block is sized from it.
void TCalculatedResultsDialog::CmCopy()
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    clipboard.SetText(Text);
}
