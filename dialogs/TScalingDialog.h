#pragma once
#include "engine/DisplaySettingsStruct.h"
#include "framework/TDialog.h"

class TDialogHost;

// "Scaling Control" for both channels at once: amplitude and frequency axes,
// density normalisation, weightings and microphone compensation from the
// left record, a compensation file per channel. It works on copies and
// writes both records only when OK passes its check.
class TScalingDialog : public TDialog {
public:
    enum : int {
        DefaultsId = 116, HelpId = 183, SelectLeftId = 215, SelectRightId = 216, CompensationId = 217,
        LeftFileId = 219, RightFileId = 220, DensityId = 224, SqrtHzId = 225, SquaredId = 226,
        LinearAmplitudeId = 208, LogAmplitudeId = 207,
    };
    static constexpr int SpectrumWeightingIds[4] = {211, 212, 213, 214};
    static constexpr int PowerWeightingIds[4] = {227, 228, 229, 230};
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
