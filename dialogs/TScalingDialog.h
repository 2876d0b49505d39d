#pragma once
#include "engine/DisplaySettingsStruct.h"
#include "framework/TDialog.h"
#include "resources/ScalingDialogRes.h"

class TDialogHost;

// "Scaling Control" for both channels at once: amplitude and frequency axes,
// density normalisation, weightings and microphone compensation from the
// left record, a compensation file per channel. It works on copies and
// writes both records only when OK passes its check.
class TScalingDialog : public TDialog {
public:
    enum : int {
        DefaultsId = IDC_SCALING_DEFAULTS, HelpId = IDC_SCALING_HELP, SelectLeftId = IDC_SCALING_SELECT_LEFT,
        SelectRightId = IDC_SCALING_SELECT_RIGHT, CompensationId = IDC_SCALING_COMPENSATION,
        LeftFileId = IDC_SCALING_LEFT_FILE, RightFileId = IDC_SCALING_RIGHT_FILE, DensityId = IDC_SCALING_DENSITY,
        SqrtHzId = IDC_SCALING_SQRT_HZ, SquaredId = IDC_SCALING_SQUARED,
        LinearAmplitudeId = IDC_SCALING_LINEAR_AMPLITUDE, LogAmplitudeId = IDC_SCALING_LOG_AMPLITUDE,
    };
    static constexpr int SpectrumWeightingIds[4] = {IDC_SCALING_SPECTRUM_FLAT, IDC_SCALING_SPECTRUM_A,
                                                    IDC_SCALING_SPECTRUM_B, IDC_SCALING_SPECTRUM_C};
    static constexpr int PowerWeightingIds[4] = {IDC_SCALING_POWER_FLAT, IDC_SCALING_POWER_A, IDC_SCALING_POWER_B,
                                                 IDC_SCALING_POWER_C};
    static constexpr int HelpContext = 360;
    // Characters of a compensation file name.
    static constexpr int FileNameLength = 256;

    TScalingDialog(TWindow* parent, TDialogHost& host, TResId templateName, DisplaySettingsStruct* left,
                   DisplaySettingsStruct* right);

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmSelectLeft();
    void CmSelectRight();
    void EvDensityToggle();
    void CmHelp();

private:
    void CheckOnly(const int* ids, int count, int checked);
    void CheckFrequencyChoice(int choice);
    void EnableDensityUnits(bool enable);
    void SelectFile(int editId);

    TDialogHost& Host;
    DisplaySettingsStruct* LeftRecord;
    DisplaySettingsStruct* RightRecord;
    DisplaySettingsStruct Left;
    DisplaySettingsStruct Right;

    DECLARE_RESPONSE_TABLE(TScalingDialog);
};
