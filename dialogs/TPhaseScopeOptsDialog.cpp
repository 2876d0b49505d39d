#include "dialogs/TPhaseScopeOptsDialog.h"

#include "dialogs/TDialogHost.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"

DEFINE_RESPONSE_TABLE1(TPhaseScopeOptsDialog, TDialog)
    EV_BN_CLICKED_RANGE(TPhaseScopeOptsDialog::LineId, TPhaseScopeOptsDialog::GridId, CmColour)
    EV_BN_CLICKED(TPhaseScopeOptsDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TPhaseScopeOptsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using P = PhaseScopeSettingsStruct;

// A format no button stands for shows none checked and stays while none is.
const TDialogBinding<P>& Binding()
{
    using D = TPhaseScopeOptsDialog;
    static const TDialogBinding<P> binding =
        TDialogBinding<P>().Radio({D::StereoImageId, D::LeftRightId, D::RightLeftId}, &P::DisplayFormat);
    return binding;
}

}

TPhaseScopeOptsDialog::TPhaseScopeOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                             PhaseScopeSettingsStruct* record)
    : TDialog(parent, templateName), Host(host), Record(record),
      Colours(this, {{LineId, IDC_UTILOPTS_SWATCH_LINE, &P::LineColor},
                     {BackgroundId, IDC_UTILOPTS_SWATCH_BACKGROUND, &P::BackgroundColor},
                     {GridId, IDC_UTILOPTS_SWATCH_GRID, &P::GridColor}})
{
}

void TPhaseScopeOptsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    Colours.Show(*Record);
    Binding().Fill(*this, *Record);
}

void TPhaseScopeOptsDialog::CmOk()
{
    Binding().Collect(*this, *Record);
    TDialog::CmOk();
}

void TPhaseScopeOptsDialog::CmColour(UINT id) { Colours.Choose(int(id), *Record); }

void TPhaseScopeOptsDialog::CmDefaults()
{
    const P defaults;
    Colours.Reset(*Record, defaults);
    Binding().Fill(*this, defaults);
}

void TPhaseScopeOptsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
