#pragma once
#include "dialogs/TCalibrationControls.h"
#include "engine/CalibrationStruct.h"
#include "framework/TDialog.h"
#include "resources/CalibrationDialogRes.h"

class TCalibrationHost;

// "Amplitude Calibration" of both channels with one set of parameters: one
// level, unit, conversion, labels and enable switch, a detected level and a
// name per channel. Load, Save and the measurements change the record (the
// caller's working copy) at once; OK stores the controls into it.
class TCalibrationBasicDialog : public TDialog {
public:
    TCalibrationBasicDialog(TWindow* parent, TCalibrationHost& host, TResId templateName, CalibrationStruct* record);
    ~TCalibrationBasicDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();
    void CmLoad();
    void CmSave();
    void CmMeasureInput();
    void CmMeasureWaveFile();
    void EvUnitsChange();
    void EvLabelChoiceChange();

private:
    void TransferToControls();
    // False, with nothing stored, when the level is refused.
    bool TransferFromControls();
    void EnableMeasureButtons(bool enable);
    // The messages of a measurement, the Enable box, the levels and ratios.
    void TakeMeasurement();

    TCalibrationHost& Host;
    CalibrationStruct* Record;
    // The shared controls with each channel's detected level and name.
    TCalibrationControls Channels[2];

    DECLARE_RESPONSE_TABLE(TCalibrationBasicDialog);
};
