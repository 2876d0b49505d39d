#pragma once
#include "dialogs/TColorButtons.h"
#include "engine/PhaseScopeSettingsStruct.h"
#include "framework/TDialog.h"
#include "resources/UtilityOptionsDialogRes.h"

class TDialogHost;

// "Phase Scope Display Options": the scope's display format and colours,
// on the record it is given (the main window's working copy).
class TPhaseScopeOptsDialog : public TDialog {
public:
    enum : int {
        LineId = IDC_UTILOPTS_LINE, BackgroundId = IDC_UTILOPTS_BACKGROUND, GridId = IDC_UTILOPTS_GRID,
        StereoImageId = IDC_PHASESCOPE_STEREO_IMAGE, LeftRightId = IDC_PHASESCOPE_LEFT_RIGHT,
        RightLeftId = IDC_PHASESCOPE_RIGHT_LEFT, DefaultsId = IDC_UTILOPTS_DEFAULTS, HelpId = IDC_UTILOPTS_HELP,
    };
    static constexpr int HelpContext = 947;

    TPhaseScopeOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName, PhaseScopeSettingsStruct* record);

    void SetupWindow() override;
    void CmOk() override;
    void CmColour(UINT id);
    void CmDefaults();
    void CmHelp();

private:
    TDialogHost& Host;
    PhaseScopeSettingsStruct* Record;
    TColorButtons<PhaseScopeSettingsStruct> Colours;

    DECLARE_RESPONSE_TABLE(TPhaseScopeOptsDialog);
};
