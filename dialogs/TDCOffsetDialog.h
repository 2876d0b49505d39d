#pragma once
#include <memory>
#include <string>
#include "engine/CalibrationStruct.h"
#include "framework/TDialog.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Apply DC Offset": an offset per channel for the selected segment, in
// percent of full scale or in the left channel's calibrated unit. OK
// stores both only when both lie within the range.
class TDCOffsetDialog : public TDialog {
public:
    static constexpr int LeftId = 101;
    static constexpr int LeftSpinId = 102;
    static constexpr int RightId = 103;
    static constexpr int RightSpinId = 104;
    static constexpr int UnitId = 105;
    static constexpr int HelpId = 183;
    static constexpr int HelpContext = 1190;

    TDCOffsetDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint16_t channels,
                    const CalibrationChannel& leftCalibration, float* left,
                      float* right);
    ~TDCOffsetDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmHelp();

private:
    TDialogHost& Host;
    uint16_t Channels;
    std::string UnitText;
    float* Left;
    float* Right;
    std::unique_ptr<TEdit> Edits[2];
    std::unique_ptr<LimitScroll> Spins[2];

    DECLARE_RESPONSE_TABLE(TDCOffsetDialog);
};
