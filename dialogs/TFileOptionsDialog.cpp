#include "dialogs/TFileOptionsDialog.h"

#include "dialogs/TDialogHost.h"
#include "dialogs/TFileOptionsForm.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TFileOptionsDialog, TDialog)
    EV_BN_CLICKED(TFileOptionsDialog::RamId, CmMode)
    EV_BN_CLICKED(TFileOptionsDialog::HardDiskId, CmMode)
    EV_BN_CLICKED(TFileOptionsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

const TDialogBinding<TFileOptionsForm::TFields>& Binding()
{
    using D = TFileOptionsDialog;
    using Form = TFileOptionsForm;
    using F = Form::TFields;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Radio({D::RamId, D::HardDiskId}, &F::Mode)
                                                 .Check(D::MakeBackupId, &F::MakeBackup)
                                                 .Check(D::IncludeCalibrationId, &F::IncludeCalibration)
                                                 .Text(D::MaxRamSecsId, &F::MaxRamSecs, Form::FieldLength)
                                                 .Text(D::MaxDiskMBId, &F::MaxDiskMB, Form::SizeFieldLength)
                                                 .Check(D::BufferingId, &F::Buffering)
                                                 .Text(D::BufferSecsId, &F::BufferSecs, Form::FieldLength);
    return binding;
}

}

TFileOptionsDialog::TFileOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                       FileIOSettings* record)
    : TDialog(parent, templateName), Host(host), Record(record)
{
}

void TFileOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    Binding().Fill(*this, TFileOptionsForm::FieldsOf(*Record));
    EnableForMode();
}

void TFileOptionsDialog::EnableForMode()
{
    const bool ram = ControlChecked(RamId), disk = ControlChecked(HardDiskId);
    if (!ram && !disk) return;
    ::EnableWindow(GetDlgItem(MakeBackupId), disk);
    ::EnableWindow(GetDlgItem(MaxRamSecsId), ram);
    ::EnableWindow(GetDlgItem(MaxDiskMBId), disk);
}

void TFileOptionsDialog::CmMode() { EnableForMode(); }

void TFileOptionsDialog::CmOk()
{
    TFileOptionsForm::TFields fields;
    Binding().Collect(*this, fields);
    const TFileOptionsForm::TOutcome outcome = TFileOptionsForm::Store(fields, *Record);
    if (!outcome.Stored) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK | outcome.Style);
        return;
    }
    TDialog::CmOk();
}

void TFileOptionsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
