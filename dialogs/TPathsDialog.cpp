#include "dialogs/TPathsDialog.h"

#include "framework/TDialogBinding.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TPathsDialog, TDialog)
    EV_BN_CLICKED(TPathsDialog::DefaultsId, CmDefaults)
END_RESPONSE_TABLE;

namespace {

using R = TPathsForm::TFolders;

const TDialogBinding<R>& Binding()
{
    static const TDialogBinding<R> binding = [] {
        TDialogBinding<R> rows;
        for (int i = 0; i < TPathsForm::FolderCount; ++i)
            rows.Text(TPathsDialog::FolderIds[i], [i](auto& r) -> auto& { return r.Folder[i]; },
                      TPathsForm::FieldLength);
        return rows;
    }();
    return binding;
}

}

TPathsDialog::TPathsDialog(TWindow* parent, TResId templateName, TPathsForm::TFolders* record, TDefaults defaults)
    : TDialog(parent, templateName), Record(record), Defaults(std::move(defaults))
{
}

void TPathsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (int id : FolderIds) SendDlgItemMessage(id, EM_LIMITTEXT, TPathsForm::FieldLength);
    Binding().Fill(*this, *Record);
}

void TPathsDialog::CmOk()
{
    Binding().Collect(*this, *Record);
    TDialog::CmOk();
}

void TPathsDialog::CmDefaults()
{
    for (int i = 0; i < TPathsForm::FolderCount; ++i) SetItemText(FolderIds[i], Defaults[size_t(i)].c_str());
}
