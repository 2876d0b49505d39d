#include "dialogs/TDelayFinderOptionsDialog.h"

#include "dialogs/TDialogHost.h"
#include "dialogs/TUtilityOptionsForm.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

// Buttons answer any notification of theirs.
DEFINE_RESPONSE_TABLE1(TDelayFinderOptionsDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TDelayFinderOptionsDialog::DefaultsId, CmDefaults)
    EV_CHILD_NOTIFY_ALL_CODES(TDelayFinderOptionsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using Form = TUtilityOptionsForm;

const TDialogBinding<Form::TDelayFields>& Binding()
{
    using D = TDelayFinderOptionsDialog;
    using F = Form::TDelayFields;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Radio({D::MsecId, D::FeetId, D::MetersId}, &F::Unit)
                                                 .Text(D::SpeedId, &F::SpeedOfSound, Form::DelayFieldLength)
                                                 .Text(D::MaxDelayId, &F::MaxDelay, Form::DelayFieldLength);
    return binding;
}

}  // namespace

TDelayFinderOptionsDialog::TDelayFinderOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                                     DelayFinderSettings* options)
    : TDialog(parent, templateName), Host(host), Options(options)
{
}

void TDelayFinderOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    ::SendDlgItemMessageA(HWindow, SpeedId, EM_LIMITTEXT, Form::DelayFieldLength, 0);
    ::SendDlgItemMessageA(HWindow, MaxDelayId, EM_LIMITTEXT, Form::DelayFieldLength, 0);
    Binding().Fill(*this, Form::FieldsOf(*Options));
}

void TDelayFinderOptionsDialog::CmOk()
{
    Form::TDelayFields fields;
    Binding().Collect(*this, fields);
    const Form::TOutcome outcome = Form::Store(fields, *Options);
    if (!outcome.Stored) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    TDialog::CmOk();
}

// The controls only; the record changes at OK.
void TDelayFinderOptionsDialog::CmDefaults(UINT)
{
    Binding().Fill(*this, Form::FieldsOf(DelayFinderSettings{}));
}

void TDelayFinderOptionsDialog::CmHelp(UINT)
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext);
}
