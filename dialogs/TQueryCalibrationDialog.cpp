#include "dialogs/TQueryCalibrationDialog.h"

#include <cstdio>
#include "engine/CalibrationStruct.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TQueryCalibrationDialog, TDialog)
    EV_COMMAND(TQueryCalibrationDialog::KeepCalibration, CmKeep)
    EV_COMMAND(TQueryCalibrationDialog::ChooseCalibration, CmChoose)
    EV_COMMAND(TQueryCalibrationDialog::DisableCalibration, CmDisable)
END_RESPONSE_TABLE;

TQueryCalibrationDialog::TQueryCalibrationDialog(TWindow* parent, TResId templateName, uint32_t* result,
                                                 const CalibrationStruct& calibration)
    : TDialog(parent, templateName), Result(result), Calibration(calibration)
{
}

void TQueryCalibrationDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    char text[512];
    std::snprintf(text, sizeof text,
                  "WARNING: You are currently using calibration file \"%s\".  This may not be correct for this "
                  ".WAV file.  Do you wish to select a different calibration file at this time?",
                  Calibration.Filename);
    SetItemText(QuestionId, text);
}

void TQueryCalibrationDialog::Choose(uint32_t choice)
{
    if (Result) *Result = choice;
    CloseWindow(IDOK);
}
