#pragma once
#include <memory>
#include <string>
#include "engine/CalibrationStruct.h"
#include "framework/TDialog.h"
#include "resources/DCOffsetDialogRes.h"

class LimitScroll;
class TDialogHost;
class TEdit;

// "Apply DC Offset": an offset per channel for the selected segment, in
// percent of full scale or in the left channel's calibrated unit. OK
// stores both only when both lie within the range.
class TDCOffsetDialog : public TDialog {
public:
    static constexpr int LeftId = IDC_DC_OFFSET_LEFT;
    static constexpr int LeftSpinId = IDC_DC_OFFSET_LEFT_SPIN;
    static constexpr int RightId = IDC_DC_OFFSET_RIGHT;
    static constexpr int RightSpinId = IDC_DC_OFFSET_RIGHT_SPIN;
    static constexpr int UnitId = IDC_DC_OFFSET_UNIT;
    static constexpr int HelpId = IDC_DC_OFFSET_HELP;
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
