#pragma once
#include <memory>
#include "engine/TriggerSettings.h"
#include "framework/TDialog.h"
#include "resources/TriggerDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Trigger Setup": level or edge detection, slope, channel, threshold, pre-
// or post-trigger delay, the action after an event and the generator start,
// on the record it is given (the main window's working copy).
class TTriggerDialog : public TDialog {
public:
    enum : int {
        DefaultsId = IDC_TRIGGER_DEFAULTS, ThresholdId = IDC_TRIGGER_THRESHOLD,
        ThresholdSpinId = IDC_TRIGGER_THRESHOLD_SPIN, EnableId = IDC_TRIGGER_ENABLE,
        PreTriggerId = IDC_TRIGGER_PRE_TRIGGER,
        PostTriggerId = IDC_TRIGGER_POST_TRIGGER, DelayId = IDC_TRIGGER_DELAY, DelaySpinId = IDC_TRIGGER_DELAY_SPIN,
        RightId = IDC_TRIGGER_RIGHT, LeftId = IDC_TRIGGER_LEFT, PositiveId = IDC_TRIGGER_POSITIVE,
        NegativeId = IDC_TRIGGER_NEGATIVE, LevelId = IDC_TRIGGER_LEVEL, EdgeId = IDC_TRIGGER_EDGE,
        GeneratorId = IDC_TRIGGER_GENERATOR, RearmId = IDC_TRIGGER_REARM, StopId = IDC_TRIGGER_STOP,
        RunOnId = IDC_TRIGGER_RUN_ON, HelpId = IDC_TRIGGER_HELP,
    };
    static constexpr int HelpContext = 400;

    TTriggerDialog(TWindow* parent, TDialogHost& host, TResId templateName, TriggerSettings* trigger);
    ~TTriggerDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();

private:
    void Show(const TriggerSettings& trigger);

    TDialogHost& Host;
    TriggerSettings* Trigger;
    std::unique_ptr<TEdit> Threshold, Delay;
    std::unique_ptr<LimitScroll> ThresholdSpin, DelaySpin;

    DECLARE_RESPONSE_TABLE(TTriggerDialog);
};
