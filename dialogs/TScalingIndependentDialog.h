#pragma once
#include <memory>
#include "engine/DisplaySettingsStruct.h"
#include "framework/TDialog.h"
#include "resources/ScalingIndependentDialogRes.h"

class TComboBox;
class TDialogHost;

// "Scaling Control" with a choice per channel: a list per setting and
// channel, a compensation file per channel. It works on copies and writes
// both records only when OK passes its check.
class TScalingIndependentDialog : public TDialog {
public:
    enum : int {
        DefaultsId = IDC_SCALING_CHANNELS_DEFAULTS, HelpId = IDC_SCALING_CHANNELS_HELP,
        SelectLeftId = IDC_SCALING_CHANNELS_SELECT_LEFT, SelectRightId = IDC_SCALING_CHANNELS_SELECT_RIGHT,
        LeftFileId = IDC_SCALING_CHANNELS_LEFT_FILE,
        RightFileId = IDC_SCALING_CHANNELS_RIGHT_FILE, LeftEnableId = IDC_SCALING_CHANNELS_LEFT_ENABLE,
        RightEnableId = IDC_SCALING_CHANNELS_RIGHT_ENABLE,
    };
    // List ids per channel, left then right.
    static constexpr int AmplitudeIds[2] = {IDC_SCALING_CHANNELS_LEFT_AMPLITUDE, IDC_SCALING_CHANNELS_RIGHT_AMPLITUDE};
    static constexpr int FrequencyIds[2] = {IDC_SCALING_CHANNELS_LEFT_FREQUENCY, IDC_SCALING_CHANNELS_RIGHT_FREQUENCY};
    static constexpr int SpectrumWeightingIds[2] = {IDC_SCALING_CHANNELS_LEFT_SPECTRUM_WEIGHTING,
                                                    IDC_SCALING_CHANNELS_RIGHT_SPECTRUM_WEIGHTING};
    static constexpr int DensityIds[2] = {IDC_SCALING_CHANNELS_LEFT_DENSITY, IDC_SCALING_CHANNELS_RIGHT_DENSITY};
    static constexpr int PowerWeightingIds[2] = {IDC_SCALING_CHANNELS_LEFT_POWER_WEIGHTING,
                                                 IDC_SCALING_CHANNELS_RIGHT_POWER_WEIGHTING};
    static constexpr int HelpContext = 360;
    static constexpr int FileNameLength = 256;

    TScalingIndependentDialog(TWindow* parent, TDialogHost& host, TResId templateName, DisplaySettingsStruct* left,
                              DisplaySettingsStruct* right);
    ~TScalingIndependentDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmSelectLeft();
    void CmSelectRight();
    void CmHelp();

private:
    struct TChannelLists {
        std::unique_ptr<TComboBox> Amplitude, Frequency, SpectrumWeighting, Density, PowerWeighting;
    };
    void ShowChannel(int channel);
    void SelectFile(int channel);
    int ChosenText(TComboBox& list, const char* const* texts, int count) const;

    TDialogHost& Host;
    DisplaySettingsStruct* Records[2];
    DisplaySettingsStruct Channels[2];
    TChannelLists Lists[2];

    DECLARE_RESPONSE_TABLE(TScalingIndependentDialog);
};
