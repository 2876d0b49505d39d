#include "dialogs/TLeqResultsDialog.h"

#include <utility>
#include "framework/TClipboard.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TLeqResultsDialog, TDialog)
    EV_COMMAND(TLeqResultsDialog::CopyId, CmCopy)
END_RESPONSE_TABLE;

TLeqResultsDialog::TLeqResultsDialog(TWindow* parent, TResId templateName, const LeqSettings& options,
                                     std::string left, std::string right)
    : TDialog(parent, templateName), Options(options), Left(std::move(left)), Right(std::move(right))
{
}

void TLeqResultsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    SetItemText(LeftId, Left.c_str());
    SetItemText(RightId, Right.c_str());
}

void TLeqResultsDialog::CmCopy()
{
    TClipboard clipboard(HWindow);
    if (!clipboard.IsOpen()) return;
    clipboard.EmptyClipboard();
    if (!clipboard.SetText(CopyText()))
        MessageBox("Insufficient Memory to continue.  Please close some applications to free up memory.", "", MB_OK);
}
