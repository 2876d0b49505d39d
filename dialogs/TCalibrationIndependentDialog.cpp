#include "dialogs/TCalibrationIndependentDialog.h"

#include <windows.h>
#include "dialogs/TCalibrationHost.h"
#include "dialogs/TDialogHost.h"
#include "engine/TWaveData.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TCalibrationIndependentDialog, TDialog)
    EV_COMMAND(IDC_CALIBRATION_LOAD, CmLoad)
    EV_COMMAND(IDC_CALIBRATION_SAVE, CmSave)
    EV_COMMAND(IDC_CALIBRATION_LEFT_MEASURE_INPUT, CmMeasureLeftInput)
    EV_COMMAND(IDC_CALIBRATION_RIGHT_MEASURE_INPUT, CmMeasureRightInput)
    EV_COMMAND(IDC_CALIBRATION_LEFT_MEASURE_FILE, CmMeasureLeftFile)
    EV_COMMAND(IDC_CALIBRATION_RIGHT_MEASURE_FILE, CmMeasureRightFile)
    EV_COMMAND(IDC_CALIBRATION_DEFAULTS, CmDefaults)
    EV_COMMAND(IDC_CALIBRATION_HELP, CmHelp)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_LEFT_UNITS, EvLeftUnitsChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_RIGHT_UNITS, EvRightUnitsChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_LEFT_CONVERSION, EvLeftLabelChoiceChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_RIGHT_CONVERSION, EvRightLabelChoiceChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_LEFT_LABEL_TYPE, EvLeftLabelChoiceChange)
    EV_CBN_SELCHANGE(IDC_CALIBRATION_RIGHT_LABEL_TYPE, EvRightLabelChoiceChange)
END_RESPONSE_TABLE;

namespace {
constexpr TCalibrationControls::TIds ChannelIds[2] = {
    {IDC_CALIBRATION_LEFT_LEVEL, IDC_CALIBRATION_LEFT_LEVEL_TYPE, IDC_CALIBRATION_LEFT_UNITS,
     IDC_CALIBRATION_LEFT_CONVERSION, IDC_CALIBRATION_LEFT_LINEAR, IDC_CALIBRATION_LEFT_LOG,
     IDC_CALIBRATION_LEFT_LABEL_TYPE, IDC_CALIBRATION_LEFT_DETECTED, IDC_CALIBRATION_LEFT_ENABLE,
     IDC_CALIBRATION_LEFT_NAME},
    {IDC_CALIBRATION_RIGHT_LEVEL, IDC_CALIBRATION_RIGHT_LEVEL_TYPE, IDC_CALIBRATION_RIGHT_UNITS,
     IDC_CALIBRATION_RIGHT_CONVERSION, IDC_CALIBRATION_RIGHT_LINEAR, IDC_CALIBRATION_RIGHT_LOG,
     IDC_CALIBRATION_RIGHT_LABEL_TYPE, IDC_CALIBRATION_RIGHT_DETECTED, IDC_CALIBRATION_RIGHT_ENABLE,
     IDC_CALIBRATION_RIGHT_NAME},
};
constexpr const char* Names[2] = {"Left", "Right"};
}

TCalibrationIndependentDialog::TCalibrationIndependentDialog(TWindow* parent, TCalibrationHost& host,
                                                             TResId templateName, CalibrationStruct* record)
    : TDialog(parent, templateName), Host(host), Record(record),
      Channels{{*this, ChannelIds[0]}, {*this, ChannelIds[1]}}
{
}

TCalibrationIndependentDialog::~TCalibrationIndependentDialog() = default;

void TCalibrationIndependentDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (const TCalibrationControls::TIds& ids : ChannelIds) {
        for (int id : {ids.Level, ids.Detected}) SendDlgItemMessage(id, EM_LIMITTEXT, 20);
        for (int id : {ids.Linear, ids.Log}) SendDlgItemMessage(id, EM_LIMITTEXT, 60);
        SendDlgItemMessage(ids.Name, EM_LIMITTEXT, 40);
    }
    TransferToControls(0);
    TransferToControls(1);
}

bool TCalibrationIndependentDialog::TransferFromControls(int channel) { return Channels[channel].Store(Block(channel)); }

void TCalibrationIndependentDialog::CmOk()
{
    if (!TransferFromControls(0) || !TransferFromControls(1)) return;
    Host.ComputeCalibrationRatio(*Record);
    TDialog::CmOk();
}

void TCalibrationIndependentDialog::CmDefaults()
{
    for (int c = 0; c < 2; ++c) {
        const TCalibrationForm::TEntry d = TCalibrationForm::Defaults(Names[c]);
        const TCalibrationControls::TIds& ids = ChannelIds[c];
        SelectControl(ids.LevelType, d.LevelType);
        SelectControl(ids.Units, d.Unit);
        SelectControl(ids.LabelType, d.LabelType);
        SetControlText(ids.Level, d.Level);
        CheckControl(ids.Enable, true);
        SetControlText(ids.Detected, d.Detected);
        SelectControl(ids.Conversion, 0);
        SetControlText(ids.Name, d.Name);
        Channels[c].UpdateLabels();
    }
}

void TCalibrationIndependentDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.DialogHost().HelpFilePath(), TCalibrationForm::HelpContext);
}

// Each Enable box shows what the read left: a failed read disables calibration.
void TCalibrationIndependentDialog::CmLoad()
{
    const std::string path = TCalibrationControls::ChooseLoadFile(Host);
    if (path.empty()) return;
    Host.ReadCalibrationFile(path.c_str(), *Record);
    TransferToControls(0);
    TransferToControls(1);
}

void TCalibrationIndependentDialog::CmSave()
{
    if (!TransferFromControls(0) || !TransferFromControls(1)) return;
    Host.ComputeCalibrationRatio(*Record);
    const std::string path = TCalibrationControls::ChooseSaveFile(Host, *Record);
    if (path.empty()) return;
    TDialogBindingBase::CopyText(path, Record->Filename, sizeof Record->Filename);
    Host.WriteCalibrationFile(path.c_str(), *Record);
}

void TCalibrationIndependentDialog::CmMeasureRightInput()
{
    if (Host.AnalysisChannels() == 1) {
        MessageBox(TCalibrationForm::StereoMessage, nullptr, MB_OK);
        return;
    }
    MeasureInput(1);
}

void TCalibrationIndependentDialog::TakeMeasurement(int channel, bool measured)
{
    const float level = Block(channel).PctFullScale;
    if (measured
        && TCalibrationControls::ReportMeasured(*this, TCalibrationForm::Overloads(level),
                                                TCalibrationForm::IsTooLow(level)))
        Channels[channel].SetEnabled(true);
    Channels[channel].ShowDetected(level);
    Host.ComputeCalibrationRatio(*Record);
}

void TCalibrationIndependentDialog::MeasureInput(int channel)
{
    const HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (!TransferFromControls(channel)) {
        ::SetCursor(previous);
        return;
    }
    EnableWindow(false);
    TWaveData capture;
    const bool recorded = Host.AcquireCalibrationSignal(uint16_t(channel), &capture) != 0;
    if (recorded) Host.MeasureCalibrationLevel(uint16_t(channel), &capture, *Record);
    ::SetCursor(previous);
    EnableWindow(true);
    TakeMeasurement(channel, recorded);
}

// A mono file gives its one channel to either side.
void TCalibrationIndependentDialog::MeasureWaveFile(int channel)
{
    if (!TransferFromControls(channel)) return;
    EnableWindow(false);
    std::unique_ptr<TWaveData> wave = TCalibrationControls::OpenWaveFile(*this, Host);
    const bool measured = wave != nullptr;
    if (measured) Host.MeasureCalibrationLevel(uint16_t(channel), wave.get(), *Record);
    wave.reset();
    EnableWindow(true);
    TakeMeasurement(channel, measured);
}

void TCalibrationIndependentDialog::UnitsChanged(int channel)
{
    Channels[channel].FillConversionList(Block(channel).ConversionType);
    Channels[channel].UpdateLabels();
}
