#include "dialogs/TLeqOptionsDialog.h"

#include <iterator>
#include "dialogs/TDialogHost.h"
#include "dialogs/TUtilityOptionsForm.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TLeqOptionsDialog, TDialog)
    EV_COMMAND(TLeqOptionsDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TLeqOptionsDialog::HelpId, CmHelp)
    EV_COMMAND(TLeqOptionsDialog::AtIntervalsId, CmIntervalMode)
    EV_COMMAND(TLeqOptionsDialog::AtStopId, CmIntervalMode)
END_RESPONSE_TABLE;

namespace {

using Form = TUtilityOptionsForm;
using F = Form::TLeqFields;

const char* const Weightings[] = {"Flat", "A", "B", "C"};
const char* const Averagings[] = {"Off", "Fast", "Medium", "Slow", "Forever"};

// One group's list field, for the binding's rows.
template <int (F::*Column)[Form::GroupCount]> struct TGroupField {
    int Group;
    int& operator()(F& f) const { return (f.*Column)[Group]; }
    const int& operator()(const F& f) const { return (f.*Column)[Group]; }
};

const TDialogBinding<F>& Binding()
{
    using D = TLeqOptionsDialog;
    static const TDialogBinding<F> binding = [] {
        TDialogBinding<F> b;
        for (int g = 0; g < Form::GroupCount; ++g) {
            b.Selection(D::FirstWeightingId + g, TGroupField<&F::Weighting>{g}, int(std::size(Weightings)));
            // The peak is never averaged: its list stays empty.
            if (g != Form::PeakGroup)
                b.Selection(D::FirstAveragingId + g, TGroupField<&F::Averaging>{g}, int(std::size(Averagings)));
        }
        b.Text(D::ReferenceId, &F::ReferenceTime, Form::LeqFieldLength)
            .Text(D::IntervalId, &F::Interval, Form::LeqFieldLength)
            .Radio({D::AtIntervalsId, D::AtStopId}, &F::AtIntervals, {1, 0});
        return b;
    }();
    return binding;
}

}  // namespace

TLeqOptionsDialog::TLeqOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName, LeqSettings* options)
    : TDialog(parent, templateName), Host(host), Options(options)
{
}

void TLeqOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (int g = 0; g < Form::GroupCount; ++g) {
        for (const char* text : Weightings)
            ::SendDlgItemMessageA(HWindow, FirstWeightingId + g, CB_ADDSTRING, 0, LPARAM(text));
        if (g == Form::PeakGroup) continue;
        for (const char* text : Averagings)
            ::SendDlgItemMessageA(HWindow, FirstAveragingId + g, CB_ADDSTRING, 0, LPARAM(text));
    }
    ::EnableWindow(GetDlgItem(PeakAveragingId), FALSE);
    Binding().Fill(*this, Form::FieldsOf(*Options));
    CmIntervalMode();
}

void TLeqOptionsDialog::CmIntervalMode()
{
    ::EnableWindow(GetDlgItem(IntervalId), ControlChecked(AtIntervalsId));
}

void TLeqOptionsDialog::CmOk()
{
    F fields;
    Binding().Collect(*this, fields);
    const Form::TOutcome outcome = Form::Store(fields, *Options);
    if (!outcome.Stored) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK);
        return;
    }
    TDialog::CmOk();
}

// The controls only; the record changes at OK.
void TLeqOptionsDialog::CmDefaults()
{
    Binding().Fill(*this, Form::LeqDefaults());
    CmIntervalMode();
}

void TLeqOptionsDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext);
}
