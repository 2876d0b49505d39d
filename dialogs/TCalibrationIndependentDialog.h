#pragma once
#include "dialogs/TCalibrationControls.h"
#include "engine/CalibrationStruct.h"
#include "framework/TDialog.h"
#include "resources/CalibrationDialogRes.h"

class TCalibrationHost;

// "Amplitude Calibration" of each channel on its own: a column of controls
// and measure buttons per channel over the caller's working copy.
class TCalibrationIndependentDialog : public TDialog {
public:
    TCalibrationIndependentDialog(TWindow* parent, TCalibrationHost& host, TResId templateName,
                                  CalibrationStruct* record);
    ~TCalibrationIndependentDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();
    void CmLoad();
    void CmSave();
    void CmMeasureLeftInput() { MeasureInput(0); }
    void CmMeasureRightInput();
    void CmMeasureLeftFile() { MeasureWaveFile(0); }
    void CmMeasureRightFile() { MeasureWaveFile(1); }
    void EvLeftUnitsChange() { UnitsChanged(0); }
    void EvRightUnitsChange() { UnitsChanged(1); }
    void EvLeftLabelChoiceChange() { Channels[0].UpdateLabels(); }
    void EvRightLabelChoiceChange() { Channels[1].UpdateLabels(); }

private:
    CalibrationChannel& Block(int channel) { return channel == 0 ? Record->Left : Record->Right; }
    void TransferToControls(int channel) { Channels[channel].Show(Block(channel)); }
    // False, with nothing stored, when the channel's level is refused.
    bool TransferFromControls(int channel);
    void MeasureInput(int channel);
    void MeasureWaveFile(int channel);
    // That channel's level, Enable box and the ratios after a measurement.
    void TakeMeasurement(int channel, bool measured);
    void UnitsChanged(int channel);

    TCalibrationHost& Host;
    CalibrationStruct* Record;
    TCalibrationControls Channels[2];

    DECLARE_RESPONSE_TABLE(TCalibrationIndependentDialog);
};
