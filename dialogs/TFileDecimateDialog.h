#pragma once
#include <cstdint>
#include <memory>
#include "framework/TDialog.h"
#include "resources/FileDecimateDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Decimate Wave File": the decimation ratio, shown with the old and the new
// sampling rate, and whether to low-pass filter first.
class TFileDecimateDialog : public TDialog {
public:
    static constexpr int SpinId = IDC_DECIMATE_SPIN;
    static constexpr int RatioId = IDC_DECIMATE_RATIO;
    static constexpr int OldRateId = IDC_DECIMATE_OLD_RATE;
    static constexpr int NewRateId = IDC_DECIMATE_NEW_RATE;
    static constexpr int FilterId = IDC_DECIMATE_FILTER;
    static constexpr int HelpId = IDC_DECIMATE_HELP;
    static constexpr int HelpContext = 1210;

    TFileDecimateDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint32_t oldRate, uint32_t* ratio,
                        uint32_t* filter);
    ~TFileDecimateDialog() override;

    void SetupWindow() override;
    void EvRatioChange(UINT code);
    void CmOk() override;
    void CmHelp();

private:
    void ShowRates();

    TDialogHost& Host;
    uint32_t OldRate;
    uint32_t* Ratio;
    uint32_t* Filter;
    std::unique_ptr<TEdit> RatioEdit;
    std::unique_ptr<LimitScroll> Spin;

    DECLARE_RESPONSE_TABLE(TFileDecimateDialog);
};
