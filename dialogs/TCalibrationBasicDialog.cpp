#include "dialogs/TCalibrationBasicDialog.h"

#include <windows.h>
#include "dialogs/TCalibrationHost.h"
#include "dialogs/TDialogHost.h"
#include "engine/TWaveData.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TCalibrationBasicDialog, TDialog)
    EV_COMMAND(IDC_CALIBRATION_LOAD, CmLoad)
    EV_COMMAND(IDC_CALIBRATION_SAVE, CmSave)
    EV_COMMAND(IDC_CALIBRATION_MEASURE_INPUT, CmMeasureInput)
    EV_COMMAND(IDC_CALIBRATION_MEASURE_FILE, CmMeasureWaveFile)
    EV_COMMAND(IDC_CALIBRATION_DEFAULTS, CmDefaults)
    EV_COMMAND(IDC_CALIBRATION_HELP, CmHelp)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_UNITS, EvUnitsChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_CONVERSION, EvLabelChoiceChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_LABEL_TYPE, EvLabelChoiceChange)
END_RESPONSE_TABLE;

namespace {
TCalibrationControls::TIds BasicIds(int detected, int name)
{
    return {IDC_CALIBRATION_LEVEL, IDC_CALIBRATION_LEVEL_TYPE, IDC_CALIBRATION_UNITS, IDC_CALIBRATION_CONVERSION,
            IDC_CALIBRATION_LINEAR, IDC_CALIBRATION_LOG, IDC_CALIBRATION_LABEL_TYPE, detected,
            IDC_CALIBRATION_ENABLE, name};
}
}

TCalibrationBasicDialog::TCalibrationBasicDialog(TWindow* parent, TCalibrationHost& host, TResId templateName,
                                                 CalibrationStruct* record)
    : TDialog(parent, templateName), Host(host), Record(record),
      Channels{{*this, BasicIds(IDC_CALIBRATION_LEFT_DETECTED, IDC_CALIBRATION_LEFT_NAME)},
               {*this, BasicIds(IDC_CALIBRATION_RIGHT_DETECTED, IDC_CALIBRATION_RIGHT_NAME)}}
{
}

TCalibrationBasicDialog::~TCalibrationBasicDialog() = default;

void TCalibrationBasicDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (int id : {IDC_CALIBRATION_LEVEL, IDC_CALIBRATION_LEFT_DETECTED, IDC_CALIBRATION_RIGHT_DETECTED})
        SendDlgItemMessage(id, EM_LIMITTEXT, 20);
    for (int id : {IDC_CALIBRATION_LINEAR, IDC_CALIBRATION_LOG}) SendDlgItemMessage(id, EM_LIMITTEXT, 60);
    for (int id : {IDC_CALIBRATION_LEFT_NAME, IDC_CALIBRATION_RIGHT_NAME}) SendDlgItemMessage(id, EM_LIMITTEXT, 40);
    TransferToControls();
}

// The right block's own level and name beside the left block's common values.
void TCalibrationBasicDialog::TransferToControls()
{
    Channels[0].Show(Record->Left);
    SetControlText(IDC_CALIBRATION_RIGHT_DETECTED, TCalibrationForm::EntryOf(Record->Right).Detected);
    SetControlText(IDC_CALIBRATION_RIGHT_NAME, TCalibrationForm::EntryOf(Record->Right).Name);
    ::EnableWindow(GetDlgItem(IDC_CALIBRATION_RIGHT_DETECTED), TRUE);
}

// Both blocks read the one set of controls, each with its own level and name.
bool TCalibrationBasicDialog::TransferFromControls()
{
    CalibrationStruct edited = *Record;
    if (!Channels[0].Store(edited.Left)) return false;
    Channels[1].Store(edited.Right);
    *Record = edited;
    return true;
}

void TCalibrationBasicDialog::CmOk()
{
    if (!TransferFromControls()) return;
    Host.ComputeCalibrationRatio(*Record);
    TDialog::CmOk();
}

// Sets the controls only; the conversion list keeps its entries.
void TCalibrationBasicDialog::CmDefaults()
{
    const TCalibrationForm::TEntry d = TCalibrationForm::Defaults("Left");
    SelectControl(IDC_CALIBRATION_LEVEL_TYPE, d.LevelType);
    SelectControl(IDC_CALIBRATION_UNITS, d.Unit);
    SelectControl(IDC_CALIBRATION_LABEL_TYPE, d.LabelType);
    SelectControl(IDC_CALIBRATION_CONVERSION, 0);
    Channels[0].UpdateLabels();
    SetControlText(IDC_CALIBRATION_LEVEL, d.Level);
    CheckControl(IDC_CALIBRATION_ENABLE, true);
    SetControlText(IDC_CALIBRATION_LEFT_DETECTED, d.Detected);
    SetControlText(IDC_CALIBRATION_RIGHT_DETECTED, d.Detected);
    SetControlText(IDC_CALIBRATION_LEFT_NAME, "Left");
    SetControlText(IDC_CALIBRATION_RIGHT_NAME, "Right");
}

void TCalibrationBasicDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.DialogHost().HelpFilePath(), TCalibrationForm::HelpContext);
}

// The Enable box shows what the read left: a failed read disables calibration.
void TCalibrationBasicDialog::CmLoad()
{
    const std::string path = TCalibrationControls::ChooseLoadFile(Host);
    if (path.empty()) return;
    Host.ReadCalibrationFile(path.c_str(), *Record);
    TransferToControls();
}

void TCalibrationBasicDialog::CmSave()
{
    if (!TransferFromControls()) return;
    Host.ComputeCalibrationRatio(*Record);
    const std::string path = TCalibrationControls::ChooseSaveFile(Host, *Record);
    if (path.empty()) return;
    TDialogBindingBase::CopyText(path, Record->Filename, sizeof Record->Filename);
    Host.WriteCalibrationFile(path.c_str(), *Record);
}

void TCalibrationBasicDialog::EnableMeasureButtons(bool enable)
{
    for (int id : {IDC_CALIBRATION_MEASURE_INPUT, IDC_CALIBRATION_MEASURE_FILE}) ::EnableWindow(GetDlgItem(id), enable);
}

void TCalibrationBasicDialog::TakeMeasurement()
{
    const bool overloaded = TCalibrationForm::Overloads(Record->Left.PctFullScale)
        || TCalibrationForm::Overloads(Record->Right.PctFullScale);
    if (TCalibrationControls::ReportMeasured(*this, overloaded, TCalibrationForm::IsTooLow(Record->Left.PctFullScale)))
        Channels[0].SetEnabled(true);
}

void TCalibrationBasicDialog::CmMeasureInput()
{
    if (!TransferFromControls()) return;
    const HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    EnableMeasureButtons(false);
    TWaveData capture;
    const bool recorded = Host.AcquireCalibrationSignal(2, &capture) != 0;
    if (recorded) Host.MeasureCalibrationLevel(2, &capture, *Record);
    ::SetCursor(previous);
    if (recorded) TakeMeasurement();
    EnableMeasureButtons(true);
    Channels[0].ShowDetected(Record->Left.PctFullScale);
    Channels[1].ShowDetected(Record->Right.PctFullScale);
    Host.ComputeCalibrationRatio(*Record);
}

void TCalibrationBasicDialog::CmMeasureWaveFile()
{
    if (!TransferFromControls()) return;
    EnableMeasureButtons(false);
    if (std::unique_ptr<TWaveData> wave = TCalibrationControls::OpenWaveFile(*this, Host)) {
        Host.MeasureCalibrationLevel(2, wave.get(), *Record);
        wave.reset();
        TakeMeasurement();
    }
    EnableMeasureButtons(true);
    Channels[0].ShowDetected(Record->Left.PctFullScale);
    Channels[1].ShowDetected(Record->Right.PctFullScale);
    Host.ComputeCalibrationRatio(*Record);
}

void TCalibrationBasicDialog::EvUnitsChange()
{
    Channels[0].FillConversionList(Record->Left.ConversionType);
    Channels[0].UpdateLabels();
}

void TCalibrationBasicDialog::EvLabelChoiceChange() { Channels[0].UpdateLabels(); }
