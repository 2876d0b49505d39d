#include "dialogs/TOverlaySourceDialog.h"

#include "framework/TApplication.h"
#include "framework/UiHelpers.h"

TOverlaySourceDialog::TOverlaySourceDialog(TWindow* parent, const char* templateName, uint32_t* choice)
    : TDialog(parent, templateName), Choice(choice)
{
}

void TOverlaySourceDialog::SetupWindow()
{
    TDialog::SetupWindow();
    TWindow* main = GetApplication() ? GetApplication()->GetMainWindow() : nullptr;
    CenterWindow(main && main->GetHandle() ? main->GetHandle() : GetParentH(), HWindow);
    CheckRadioButton(PeakHoldId, SpectralId, Choice && *Choice == 1 ? PeakHoldId : SpectralId);
}

void TOverlaySourceDialog::CmOk()
{
    if (Choice)
        *Choice = IsItemChecked(PeakHoldId) == BST_CHECKED ? 1 : 0;
    TDialog::CmOk();
}
