#pragma once
#include <memory>
#include "framework/TDialog.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Gain Adjust": a gain in dB per channel for the selected segment. OK
// stores both only when both lie within the range.
class TGainAdjustDialog : public TDialog {
public:
    static constexpr int LeftId = 101;
    static constexpr int LeftSpinId = 102;
    static constexpr int RightId = 103;
    static constexpr int RightSpinId = 104;
    static constexpr int HelpId = 183;
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
