#pragma once
#include <cstdint>
#include <memory>
#include "engine/FilterSettings.h"
#include "engine/TWaveFormat.h"
#include "framework/TDialog.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Digital Filtering": the filter type with its frequencies or response
// file, the number of taps, the overall gain and the channels. Start checks
// and stores into the settings block it was given.
class TFilterDialog : public TDialog {
public:
    static constexpr int HighPassId = 601;
    static constexpr int LowPassId = 602;
    static constexpr int BandPassId = 603;
    static constexpr int NotchId = 604;
    static constexpr int CustomId = 633;
    static constexpr int FileId = 634;
    static constexpr int SelectFileId = 635;
    static constexpr int EditFileId = 636;
    static constexpr int GainId = 637;
    static constexpr int TapsId = 638;
    static constexpr int LeftId = 622;
    static constexpr int RightId = 623;
    static constexpr int DefaultsId = 116;
    static constexpr int HelpId = 183;
    static constexpr int HelpContext = 780;
    // Edit and spin bar of each frequency field, in the order of FieldIds.
    static constexpr int FieldCount = 6;
    static constexpr int FieldIds[FieldCount][2] = {{607, 608}, {605, 606}, {609, 610}, {611, 612}, {613, 614},
                                                     {615, 616}};

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
