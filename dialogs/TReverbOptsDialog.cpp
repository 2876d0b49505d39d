#include "dialogs/TReverbOptsDialog.h"

#include "dialogs/TDialogHost.h"
#include "dialogs/TReverbOptsForm.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"

DEFINE_RESPONSE_TABLE1(TReverbOptsDialog, TDialog)
    EV_BN_CLICKED_RANGE(TReverbOptsDialog::BarId, TReverbOptsDialog::SurfaceId, CmColour)
    EV_BN_CLICKED_RANGE(TReverbOptsDialog::BackgroundId, TReverbOptsDialog::GridId, CmColour)
    EV_BN_CLICKED(TReverbOptsDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TReverbOptsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using R = ReverbSettings;

// In OK's order: the three numbers, each stored once it passes, then the radios.
const TDialogBinding<R>& Binding()
{
    using D = TReverbOptsDialog;
    using F = TReverbOptsForm;
    static const TDialogBinding<R> binding =
        TDialogBinding<R>()
            .Number(D::MaxDecayId, &R::MaxDecayTime, "%6.1f", F::FieldLength, F::ReadMaxDecayTime)
            .Number(D::PlotTopId, &R::PlotTop, "%6.1f", F::FieldLength, F::ReadPlotTop)
            .Number(D::PlotRangeId, &R::PlotRange, "%6.1f", F::FieldLength, F::ReadPlotRange)
            .Radio({D::SmoothNoneId, D::SmoothAverageId, D::SmoothSchroederId}, &R::SmoothingMethod)
            .Radio({D::Rt10Id, D::Rt20Id, D::Rt30Id}, &R::ExtrapolationMethod);
    return binding;
}

}

TReverbOptsDialog::TReverbOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, ReverbSettings* record)
    : TDialog(parent, templateName), Host(host), Record(record),
      Colours(this, {{BackgroundId, IDC_UTILOPTS_SWATCH_BACKGROUND, &R::BackgroundColor},
                     {BarId, IDC_UTILOPTS_SWATCH_LINE, &R::BarColor},
                     {DecayId, IDC_UTILOPTS_SWATCH_4, &R::DecayColor},
                     {GridId, IDC_UTILOPTS_SWATCH_GRID, &R::GridColor},
                     {SurfaceId, IDC_UTILOPTS_SWATCH_5, &R::SurfaceColor}})
{
}

void TReverbOptsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    Colours.Show(*Record);
    Binding().Fill(*this, *Record);
}

void TReverbOptsDialog::CmOk()
{
    const TDialogBindingBase::TRefusal refusal = Binding().Collect(*this, *Record);
    if (refusal.Refused()) {
        MessageBox(refusal.Message.c_str(), "", MB_OK | refusal.Style);
        return;
    }
    TDialog::CmOk();
}

void TReverbOptsDialog::CmColour(UINT id) { Colours.Choose(int(id), *Record); }

void TReverbOptsDialog::CmDefaults()
{
    const R defaults;
    Colours.Reset(*Record, defaults);
    Binding().Fill(*this, defaults);
}

void TReverbOptsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
