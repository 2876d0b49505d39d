#include "dialogs/TCalibrationControls.h"

#include <windows.h>
#include "dialogs/TCalibrationHost.h"
#include "dialogs/TDialogHost.h"
#include "engine/CalibrationStruct.h"
#include "engine/TWaveFile.h"
#include "framework/TDialog.h"

namespace {
constexpr const char* Caption = "Tonalyx";

void FillTexts(TDialog& dialog, int id, const char* const* texts, int count)
{
    dialog.SendDlgItemMessage(id, CB_RESETCONTENT);
    for (int i = 0; i < count; ++i) dialog.SendDlgItemMessage(id, CB_ADDSTRING, 0, LPARAM(texts[i]));
}

void EnableItem(TDialog& dialog, int id, bool enable) { ::EnableWindow(dialog.GetDlgItem(id), enable); }

std::string ChooseFile(TCalibrationHost& host, TOpenSaveDialog::TData& data, const char* title, bool save)
{
    TDialogHost& files = host.DialogHost();
    data.InitialDir = files.CurrentFolder("cal");
    if (files.RunFileDialog(data, title, save) != IDOK || !files.FitsFileBuffer(data.FileName)) return {};
    files.KeepFolder("cal", data.FileName.c_str());
    return data.FileName;
}
}

void TCalibrationControls::Show(const CalibrationChannel& block) { Show(TCalibrationForm::EntryOf(block)); }

void TCalibrationControls::Show(const TCalibrationForm::TEntry& e)
{
    FillTexts(Dialog, Ids.LevelType, TCalibrationForm::LevelTypes, TCalibrationForm::LevelTypeCount);
    Dialog.SelectControl(Ids.LevelType, e.LevelType);
    Dialog.SendDlgItemMessage(Ids.Units, CB_RESETCONTENT);
    for (const TCalibrationForm::TChoice& unit : TCalibrationForm::Units)
        Dialog.SendDlgItemMessage(Ids.Units, CB_ADDSTRING, 0, LPARAM(unit.Text));
    Dialog.SelectControl(Ids.Units, e.Unit);
    FillConversionList(TCalibrationForm::ConversionCodeAt(SelectedUnit(), e.Conversion));
    Dialog.SetControlText(Ids.Level, e.Level);
    Dialog.SetControlText(Ids.Linear, e.LabelLinear);
    Dialog.SetControlText(Ids.Log, e.LabelLog);
    Dialog.SetControlText(Ids.Name, e.Name);
    FillTexts(Dialog, Ids.LabelType, TCalibrationForm::LevelTypes, TCalibrationForm::LevelTypeCount);
    Dialog.SelectControl(Ids.LabelType, e.LabelType);
    Dialog.SetControlText(Ids.Detected, e.Detected);
    EnableItem(Dialog, Ids.Detected, true);
    Dialog.CheckControl(Ids.Enable, e.Enabled);
}

uint32_t TCalibrationControls::SelectedUnit() const
{
    const int unit = Dialog.ControlSelection(Ids.Units);
    return unit >= 0 && unit < TCalibrationForm::UnitCount ? TCalibrationForm::Units[unit].Code : UnitVolts;
}

void TCalibrationControls::FillConversionList(uint32_t conversion)
{
    Dialog.SendDlgItemMessage(Ids.Conversion, CB_RESETCONTENT);
    const bool converts = TCalibrationForm::HasConversions(SelectedUnit());
    if (converts) {
        for (const TCalibrationForm::TChoice& c : TCalibrationForm::Conversions)
            Dialog.SendDlgItemMessage(Ids.Conversion, CB_ADDSTRING, 0, LPARAM(c.Text));
        Dialog.SelectControl(Ids.Conversion, TCalibrationForm::IndexOfCode(TCalibrationForm::Conversions,
                                                                          TCalibrationForm::ConversionCount, conversion));
    } else {
        Dialog.SendDlgItemMessage(Ids.Conversion, CB_ADDSTRING, 0, LPARAM(TCalibrationForm::NoConversion.Text));
        Dialog.SelectControl(Ids.Conversion, 0);
    }
    EnableItem(Dialog, Ids.Conversion, converts);
}

void TCalibrationControls::UpdateLabels()
{
    const int type = Dialog.ControlSelection(Ids.LabelType);
    if (type < 0) return;
    const uint32_t unit = SelectedUnit();
    const uint32_t conversion = TCalibrationForm::ConversionCodeAt(unit, Dialog.ControlSelection(Ids.Conversion));
    const TCalibrationForm::TLabels labels = TCalibrationForm::LabelsOf(unit, conversion, type);
    Dialog.SetControlText(Ids.Linear, labels.Linear);
    Dialog.SetControlText(Ids.Log, labels.Log);
}

TCalibrationForm::TEntry TCalibrationControls::Read() const
{
    TCalibrationForm::TEntry e;
    e.Unit = Dialog.ControlSelection(Ids.Units);
    e.Level = Dialog.ControlText(Ids.Level, 19);
    e.LevelType = Dialog.ControlSelection(Ids.LevelType);
    e.Conversion = Dialog.ControlSelection(Ids.Conversion);
    e.LabelLinear = Dialog.ControlText(Ids.Linear, 59);
    e.LabelLog = Dialog.ControlText(Ids.Log, 59);
    e.LabelType = Dialog.ControlSelection(Ids.LabelType);
    e.Detected = Dialog.ControlText(Ids.Detected, 79);
    e.Enabled = Dialog.ControlChecked(Ids.Enable);
    e.Name = Dialog.ControlText(Ids.Name, 39);
    return e;
}

bool TCalibrationControls::Store(CalibrationChannel& block) const
{
    if (TCalibrationForm::Store(Read(), block)) return true;
    Dialog.MessageBox(TCalibrationForm::NegativeLevelMessage, Caption, MB_OK | MB_ICONSTOP);
    return false;
}

void TCalibrationControls::ShowDetected(float level)
{
    CalibrationChannel block{};
    block.PctFullScale = level;
    Dialog.SetControlText(Ids.Detected, TCalibrationForm::EntryOf(block).Detected);
}

void TCalibrationControls::SetEnabled(bool enabled) { Dialog.CheckControl(Ids.Enable, enabled); }

bool TCalibrationControls::ReportMeasured(TDialog& dialog, bool overloaded, bool tooLow)
{
    if (overloaded) dialog.MessageBox(TCalibrationForm::OverloadMessage, Caption, MB_OK | MB_ICONSTOP);
    if (tooLow) dialog.MessageBox(TCalibrationForm::TooLowMessage, Caption, MB_OK | MB_ICONSTOP);
    return !overloaded && !tooLow;
}

std::unique_ptr<TWaveData> TCalibrationControls::OpenWaveFile(TDialog& dialog, TCalibrationHost& host)
{
    TDialogHost& files = host.DialogHost();
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Wave Files (*.wav)|*.wav|";
    data.FileName = "*.wav";
    data.InitialDir = files.CurrentFolder("Wav");
    data.DefExt = "wav";
    if (files.RunFileDialog(data, "Open Wave File", false) != IDOK || !files.FitsFileBuffer(data.FileName))
        return nullptr;
    const HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    const std::string tmp = files.CurrentFolder("Tmp");
    auto wave = std::make_unique<TWaveFile>(data.FileName.c_str(), TWaveFile::Memory, 0, tmp.c_str());
    ::SetCursor(previous);
    const char* refusal = wave->Error ? TCalibrationForm::OpenFailureMessage
        : wave->GetDuration() < TCalibrationForm::ShortestFile ? TCalibrationForm::ShortFileMessage : nullptr;
    if (!refusal) return wave;
    dialog.MessageBox(refusal, Caption, MB_OK | MB_ICONSTOP);
    return nullptr;
}

std::string TCalibrationControls::ChooseLoadFile(TCalibrationHost& host)
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Calibration Files (*.cal)|*.cal|";
    data.FileName = "*.cal";
    data.DefExt = "cal";
    return ChooseFile(host, data, "Open Calibration File", false);
}

// A new file name is accepted: the save dialog does not ask for an existing file.
std::string TCalibrationControls::ChooseSaveFile(TCalibrationHost& host, const CalibrationStruct& record)
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    data.Filter = "Calibration Files (*.cal)|*.cal|";
    data.FileName = std::string(record.Filename, strnlen(record.Filename, sizeof record.Filename));
    data.DefExt = "cal";
    return ChooseFile(host, data, "Save Calibration File", true);
}
