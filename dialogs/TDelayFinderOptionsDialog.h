#pragma once
#include "engine/DelayFinderSettings.h"
#include "framework/TDialog.h"
#include "resources/DelayFinderOptionsDialogRes.h"

class TDialogHost;

// "Delay Finder Options": the unit the delay is shown in, the speed of sound
// for feet and metres, and the largest delay the block size must reach.
class TDelayFinderOptionsDialog : public TDialog {
public:
    enum : int {
        MsecId = IDC_DELAYOPT_MSEC, FeetId = IDC_DELAYOPT_FEET, MetersId = IDC_DELAYOPT_METERS,
        SpeedId = IDC_DELAYOPT_SPEED, MaxDelayId = IDC_DELAYOPT_MAX_DELAY, DefaultsId = IDC_DELAYOPT_DEFAULTS,
        HelpId = IDC_DELAYOPT_HELP,
    };
    static constexpr int HelpContext = 660;

    TDelayFinderOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName, DelayFinderSettings* options);

    void SetupWindow() override;
    void CmOk() override;
    // Any notification of the two buttons acts.
    void CmDefaults(UINT = BN_CLICKED);
    void CmHelp(UINT = BN_CLICKED);

private:
    TDialogHost& Host;
    DelayFinderSettings* Options;

    DECLARE_RESPONSE_TABLE(TDelayFinderOptionsDialog);
};
