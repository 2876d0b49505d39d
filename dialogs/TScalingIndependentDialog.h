#pragma once
#include <memory>
#include "engine/DisplaySettingsStruct.h"
#include "framework/TDialog.h"

class TComboBox;
class TDialogHost;

// "Scaling Control" with a choice per channel: a list per setting and
// channel, a compensation file per channel. It works on copies and writes
// both records only when OK passes its check.
class TScalingIndependentDialog : public TDialog {
public:
    enum : int {
        DefaultsId = 116, HelpId = 183, SelectLeftId = 215, SelectRightId = 216, LeftFileId = 219,
        RightFileId = 220, LeftEnableId = 238, RightEnableId = 239,
    };
    // List ids per channel, left then right.
    static constexpr int AmplitudeIds[2] = {230, 231};
    static constexpr int FrequencyIds[2] = {232, 233};
    static constexpr int SpectrumWeightingIds[2] = {234, 235};
    static constexpr int DensityIds[2] = {236, 237};
    static constexpr int PowerWeightingIds[2] = {240, 241};
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
