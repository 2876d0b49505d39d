#include "dialogs/TTriggerDialog.h"

#include <cstdio>
#include "dialogs/TDialogHost.h"
#include "dialogs/TTriggerForm.h"
#include "framework/LimitScroll.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TTriggerDialog, TDialog)
    EV_COMMAND(TTriggerDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TTriggerDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

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

// Each button group with exactly its value's button checked.
void TTriggerDialog::Show(const TriggerSettings& t)
{
    auto only = [this](std::initializer_list<int> group, int checked) {
        for (int id : group) CheckItem(id, id == checked ? BST_CHECKED : BST_UNCHECKED);
    };
    CheckItem(EnableId, t.Enable ? BST_CHECKED : BST_UNCHECKED);
    only({RearmId, StopId, RunOnId}, t.Mode <= TriggerSettings::RunOn ? RearmId + int(t.Mode) : 0);
    SetItemText(ThresholdId, std::to_string(int32_t(t.Threshold)).c_str());
    only({LeftId, RightId}, t.Channel == 0 ? LeftId : RightId);
    only({PreTriggerId, PostTriggerId}, t.DelayType == 0 ? PreTriggerId : PostTriggerId);
    char delay[32];
    std::snprintf(delay, sizeof delay, "%1.3f", double(t.DelayMsec));
    SetItemText(DelayId, delay);
    only({LevelId, EdgeId}, t.TriggerType == TriggerSettings::Level ? LevelId : EdgeId);
    only({PositiveId, NegativeId}, t.TriggerSlope == TriggerSettings::Positive ? PositiveId : NegativeId);
    CheckItem(GeneratorId, t.StartSigGenOnTrigger ? BST_CHECKED : BST_UNCHECKED);
}

std::string TTriggerDialog::FieldText(int id) const
{
    char text[TTriggerForm::FieldLength + 1] = {};
    GetItemText(id, text, sizeof text);
    return text;
}

void TTriggerDialog::CmOk()
{
    TTriggerForm::TFields f;
    f.Enable = IsItemChecked(EnableId) == BST_CHECKED;
    for (int action : {int(RearmId), int(StopId), int(RunOnId)})
        if (IsItemChecked(action) == BST_CHECKED) f.Action = action - RearmId;
    f.LeftChannel = IsItemChecked(LeftId) == BST_CHECKED;
    f.Threshold = FieldText(ThresholdId);
    f.PreTrigger = IsItemChecked(PreTriggerId) == BST_CHECKED;
    f.PostTrigger = IsItemChecked(PostTriggerId) == BST_CHECKED;
    f.Delay = FieldText(DelayId);
    f.Level = IsItemChecked(LevelId) == BST_CHECKED;
    f.Positive = IsItemChecked(PositiveId) == BST_CHECKED;
    f.StartGenerator = IsItemChecked(GeneratorId) == BST_CHECKED;
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
    Show(Host.TriggerDefaults());
}

void TTriggerDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
