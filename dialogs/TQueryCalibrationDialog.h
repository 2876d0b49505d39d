#pragma once
#include <cstdint>
#include "framework/TDialog.h"
#include "resources/QueryCalibrationDialogRes.h"

struct CalibrationStruct;

// "Warning!": asked when a wave without calibration data opens while
// calibration is on. Each button stores its id through the result pointer;
// Esc leaves the result as the caller set it.
class TQueryCalibrationDialog : public TDialog {
public:
    enum TChoice : uint32_t {
        KeepCalibration = IDC_QUERY_CALIBRATION_KEEP,
        ChooseCalibration = IDC_QUERY_CALIBRATION_CHOOSE,
        DisableCalibration = IDC_QUERY_CALIBRATION_DISABLE,
    };
    static constexpr int QuestionId = IDC_QUERY_CALIBRATION_QUESTION;

    TQueryCalibrationDialog(TWindow* parent, TResId templateName, uint32_t* result,
                            const CalibrationStruct& calibration);

    void SetupWindow() override;
    void CmKeep() { Choose(KeepCalibration); }
    void CmChoose() { Choose(ChooseCalibration); }
    void CmDisable() { Choose(DisableCalibration); }

private:
    void Choose(uint32_t choice);

    uint32_t* Result;
    const CalibrationStruct& Calibration;

    DECLARE_RESPONSE_TABLE(TQueryCalibrationDialog);
};
