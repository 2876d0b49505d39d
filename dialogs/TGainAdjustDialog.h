#pragma once
#include <memory>
#include "framework/TDialog.h"
#include "resources/GainAdjustDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Gain Adjust": a gain in dB per channel for the selected segment. OK
// stores both only when both lie within the range.
class TGainAdjustDialog : public TDialog {
public:
    static constexpr int LeftId = IDC_GAIN_ADJUST_LEFT;
    static constexpr int LeftSpinId = IDC_GAIN_ADJUST_LEFT_SPIN;
    static constexpr int RightId = IDC_GAIN_ADJUST_RIGHT;
    static constexpr int RightSpinId = IDC_GAIN_ADJUST_RIGHT_SPIN;
    static constexpr int HelpId = IDC_GAIN_ADJUST_HELP;
    static constexpr int HelpContext = 1190;

    TGainAdjustDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint16_t channels, float* left,
                      float* right);
    ~TGainAdjustDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmHelp();

private:
    TDialogHost& Host;
    uint16_t Channels;
    float* Left;
    float* Right;
    std::unique_ptr<TEdit> Edits[2];
    std::unique_ptr<LimitScroll> Spins[2];

    DECLARE_RESPONSE_TABLE(TGainAdjustDialog);
};
