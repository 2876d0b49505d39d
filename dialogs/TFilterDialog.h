#pragma once
#include <cstdint>
#include <memory>
#include "engine/FilterSettings.h"
#include "engine/TWaveFormat.h"
#include "framework/TDialog.h"
#include "resources/FilterDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Digital Filtering": the filter type with its frequencies or response
// file, the number of taps, the overall gain and the channels. Start checks
// and stores into the settings block it was given.
class TFilterDialog : public TDialog {
public:
    static constexpr int HighPassId = IDC_FILTER_HIGH_PASS;
    static constexpr int LowPassId = IDC_FILTER_LOW_PASS;
    static constexpr int BandPassId = IDC_FILTER_BAND_PASS;
    static constexpr int NotchId = IDC_FILTER_NOTCH;
    static constexpr int CustomId = IDC_FILTER_CUSTOM;
    static constexpr int FileId = IDC_FILTER_FILE;
    static constexpr int SelectFileId = IDC_FILTER_SELECT_FILE;
    static constexpr int EditFileId = IDC_FILTER_EDIT_FILE;
    static constexpr int GainId = IDC_FILTER_GAIN;
    static constexpr int TapsId = IDC_FILTER_TAPS;
    static constexpr int LeftId = IDC_FILTER_LEFT;
    static constexpr int RightId = IDC_FILTER_RIGHT;
    static constexpr int DefaultsId = IDC_FILTER_DEFAULTS;
    static constexpr int HelpId = IDC_FILTER_HELP;
    static constexpr int HelpContext = 780;
    // Edit and spin bar of each frequency field, in the order of FieldIds.
    static constexpr int FieldCount = 6;
    static constexpr int FieldIds[FieldCount][2] = {
        {IDC_FILTER_LOW_PASS_CUTOFF, IDC_FILTER_LOW_PASS_CUTOFF_SPIN},
        {IDC_FILTER_HIGH_PASS_CUTOFF, IDC_FILTER_HIGH_PASS_CUTOFF_SPIN},
        {IDC_FILTER_BAND_PASS_CENTER, IDC_FILTER_BAND_PASS_CENTER_SPIN},
        {IDC_FILTER_BAND_PASS_WIDTH, IDC_FILTER_BAND_PASS_WIDTH_SPIN},
        {IDC_FILTER_NOTCH_CENTER, IDC_FILTER_NOTCH_CENTER_SPIN},
        {IDC_FILTER_NOTCH_WIDTH, IDC_FILTER_NOTCH_WIDTH_SPIN}};

    TFilterDialog(TWindow* parent, TDialogHost& host, TResId templateName, FilterSettings* settings,
                  TWaveFormat format);
    ~TFilterDialog() override;

    void SetupWindow() override;
    void EvTypeChange(UINT code);
    void CmOk() override;
    void CmDefaults();
    void CmSelectFile();
    void CmEditFile();
    void CmHelp();

private:
    uint32_t SelectedType() const;
    void SelectType(uint32_t type);
    void EnableFields(uint32_t type);

    TDialogHost& Host;
    FilterSettings* Settings;
    TWaveFormat Format;
    int32_t Nyquist;
    std::unique_ptr<TEdit> Edits[FieldCount];
    std::unique_ptr<LimitScroll> Spins[FieldCount];

    DECLARE_RESPONSE_TABLE(TFilterDialog);
};
