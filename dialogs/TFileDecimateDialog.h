#pragma once
#include <cstdint>
#include <memory>
#include "framework/TDialog.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Decimate Wave File": the decimation ratio, shown with the old and the new
// sampling rate, and whether to low-pass filter first.
class TFileDecimateDialog : public TDialog {
public:
    static constexpr int SpinId = 105;
    static constexpr int RatioId = 106;
    static constexpr int OldRateId = 201;
    static constexpr int NewRateId = 202;
    static constexpr int FilterId = 147;
    static constexpr int HelpId = 183;
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
