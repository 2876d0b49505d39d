#include "dialogs/TTriggerDialog.h"

#include "dialogs/TDialogHost.h"
#include "dialogs/TTriggerForm.h"
#include "framework/LimitScroll.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TTriggerDialog, TDialog)
    EV_COMMAND(TTriggerDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TTriggerDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

// The controls over the form's fields; the form checks and stores them.
const TDialogBinding<TTriggerForm::TFields>& Binding()
{
    using T = TTriggerDialog;
    using F = TTriggerForm::TFields;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Check(T::EnableId, &F::Enable)
            .Radio({T::RearmId, T::StopId, T::RunOnId}, &F::Action)
            .Text(T::ThresholdId, &F::Threshold, TTriggerForm::FieldLength)
            .Radio({T::LeftId, T::RightId}, &F::LeftChannel, {1, 0})
            .Check(T::PreTriggerId, &F::PreTrigger)
            .Check(T::PostTriggerId, &F::PostTrigger)
            .Text(T::DelayId, &F::Delay, TTriggerForm::FieldLength)
            .Radio({T::LevelId, T::EdgeId}, &F::Level, {1, 0})
            .Radio({T::PositiveId, T::NegativeId}, &F::Positive, {1, 0})
            .Check(T::GeneratorId, &F::StartGenerator);
    return binding;
}

}

TTriggerDialog::TTriggerDialog(TWindow* parent, TDialogHost& host, TResId templateName, TriggerSettings* trigger)
    : TDialog(parent, templateName), Host(host), Trigger(trigger),
      Threshold(std::make_unique<TEdit>(this, ThresholdId)), Delay(std::make_unique<TEdit>(this, DelayId)),
      ThresholdSpin(std::make_unique<LimitScroll>(this, ThresholdSpinId, nullptr, Threshold.get(),
                                                  float(TTriggerForm::MaxThreshold), 0.0f, 1.0f)),
      DelaySpin(std::make_unique<LimitScroll>(this, DelaySpinId, nullptr, Delay.get(),
                                              float(TTriggerForm::MaxDelayMsec), 0.0f, 1.0f))
{
}

TTriggerDialog::~TTriggerDialog() = default;

void TTriggerDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    Show(*Trigger);
}

void TTriggerDialog::Show(const TriggerSettings& t) { Binding().Fill(*this, TTriggerForm::FieldsOf(t)); }

void TTriggerDialog::CmOk()
{
    TTriggerForm::TFields f;
    Binding().Collect(*this, f);
    const TTriggerForm::TOutcome outcome = TTriggerForm::Store(f, *Trigger);
    if (outcome.Failed != TTriggerForm::TField::None) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK | outcome.Style);
        return;
    }
    TDialog::CmOk();
}

// Sets the controls only; the record changes at OK.
void TTriggerDialog::CmDefaults()
{
    TriggerSettings defaults;
    defaults.Enable = 1;
    defaults.Threshold = 50;
    Show(defaults);
    SetItemText(DelayId, "0.0");
}

void TTriggerDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
