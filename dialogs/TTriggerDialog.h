#pragma once
#include <memory>
#include "engine/TriggerSettings.h"
#include "framework/TDialog.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Trigger Setup": level or edge detection, slope, channel, threshold, pre-
// or post-trigger delay, the action after an event and the generator start,
// on the record it is given (the main window's working copy).
class TTriggerDialog : public TDialog {
public:
    enum : int {
        DefaultsId = 116, ThresholdId = 121, ThresholdSpinId = 122, EnableId = 123, PreTriggerId = 126,
        PostTriggerId = 127, DelayId = 128, DelaySpinId = 129, RightId = 130, LeftId = 131, PositiveId = 132,
        NegativeId = 133, LevelId = 134, EdgeId = 135, GeneratorId = 136, RearmId = 140, StopId = 141,
        RunOnId = 142, HelpId = 183,
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
    std::string FieldText(int id) const;

    TDialogHost& Host;
    TriggerSettings* Trigger;
    std::unique_ptr<TEdit> Threshold, Delay;
    std::unique_ptr<LimitScroll> ThresholdSpin, DelaySpin;

    DECLARE_RESPONSE_TABLE(TTriggerDialog);
};
