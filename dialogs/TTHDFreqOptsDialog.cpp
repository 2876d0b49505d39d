#include "dialogs/TTHDFreqOptsDialog.h"

#include "dialogs/TDialogHost.h"
#include "dialogs/TThdFreqOptsForm.h"
#include "framework/LimitScroll.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"

DEFINE_RESPONSE_TABLE1(TTHDFreqOptsDialog, TDialog)
    // Line, background and grid are 400, 402 and 403.
    EV_BN_CLICKED_RANGE(TTHDFreqOptsDialog::LineId, TTHDFreqOptsDialog::GridId, CmColour)
    EV_BN_CLICKED_RANGE(TTHDFreqOptsDialog::LimitColourId, TTHDFreqOptsDialog::LimitColourId, CmColour)
    EV_BN_CLICKED(TTHDFreqOptsDialog::LinearId, CmStepType)
    EV_BN_CLICKED(TTHDFreqOptsDialog::OctaveId, CmStepType)
    EV_BN_CLICKED(TTHDFreqOptsDialog::LimitLeftId, CmLimitCheck)
    EV_BN_CLICKED(TTHDFreqOptsDialog::LimitRightId, CmLimitCheck)
    EV_BN_CLICKED_RANGE(TTHDFreqOptsDialog::SelectLeftId, TTHDFreqOptsDialog::SelectRightId, CmSelectFile)
    EV_BN_CLICKED_RANGE(TTHDFreqOptsDialog::EditLeftId, TTHDFreqOptsDialog::EditRightId, CmEditFile)
    EV_BN_CLICKED(TTHDFreqOptsDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TTHDFreqOptsDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using D = TTHDFreqOptsDialog;
using Form = TThdFreqOptsForm;
using F = Form::TFields;

const TDialogBinding<F>& Binding()
{
    constexpr int length = Form::FieldLength;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Text(D::StartId, &F::StartFreq, length)
            .Text(D::StopId, &F::StopFreq, length)
            .Selection(D::ChannelsId, &F::Channels, 2)
            .Text(D::LevelLeftId, &F::SignalLevelL, length)
            .Text(D::LevelRightId, &F::SignalLevelR, length)
            .Radio({D::LinearId, D::OctaveId}, &F::StepType, {Form::LinearSteps, Form::OctaveSteps})
            .Text(D::StepId, &F::StepSize, length)
            .Selection(D::OctaveListId, &F::Octave, Form::OctaveCount)
            .Selection(D::WeightingId, &F::Weighting, 4)
            .Text(D::PlotTopId, &F::PlotTop, length)
            .Text(D::PlotBottomId, &F::PlotBottom, length)
            .Selection(D::AmpScaleId, &F::AmpScale, 2)
            .Selection(D::FreqScaleId, &F::FreqScale, 2)
            .Check(D::LimitLeftId, &F::LimitEnableL)
            .Text(D::FileLeftId, &F::LimitFileL, Form::FileNameLength)
            .Check(D::LimitRightId, &F::LimitEnableR)
            .Text(D::FileRightId, &F::LimitFileR, Form::FileNameLength)
            .Check(D::PromptToSaveId, &F::PromptToSave);
    return binding;
}

struct TList {
    int Id;
    std::vector<const char*> Entries;
};
const TList Lists[] = {
    {D::ChannelsId, {"Left only", "Both Left and Right"}},
    {D::OctaveListId,
     {"1/1 Octave", "1/3 Octave", "1/6 Octave", "1/9 Octave", "1/12 Octave", "1/24 Octave", "1/48 Octave",
      "1/96 Octave"}},
    {D::WeightingId, {"Flat", "A", "B", "C"}},
    {D::AmpScaleId, {"Linear", "Logarithmic"}},
    {D::FreqScaleId, {"Linear", "Logarithmic"}},
};

// A channel's controls: its check, name, Select and Edit buttons.
struct TLimitRow {
    int Check, File, Select, Edit;
    const char* Title;
};
const TLimitRow LimitRows[] = {
    {D::LimitLeftId, D::FileLeftId, D::SelectLeftId, D::EditLeftId, "Select Limit File - Left Channel"},
    {D::LimitRightId, D::FileRightId, D::SelectRightId, D::EditRightId, "Select Limit File - Right Channel"},
};

}

TTHDFreqOptsDialog::TTHDFreqOptsDialog(TWindow* parent, TDialogHost& host, TResId templateName,
                                       THDFreqSettings* record, int halfRate)
    : TDialog(parent, templateName), Host(host), Record(record), HalfRate(halfRate),
      Colours(this, {{BackgroundId, IDC_UTILOPTS_SWATCH_BACKGROUND, &THDFreqSettings::BackgroundColor},
                     {LineId, IDC_UTILOPTS_SWATCH_LINE, &THDFreqSettings::LineColor},
                     {GridId, IDC_UTILOPTS_SWATCH_GRID, &THDFreqSettings::GridColor},
                     {LimitColourId, IDC_UTILOPTS_SWATCH_4, &THDFreqSettings::LimitColor}}),
      Start(std::make_unique<TEdit>(this, StartId)), Stop(std::make_unique<TEdit>(this, StopId)),
      StartSpin(std::make_unique<LimitScroll>(this, StartSpinId, nullptr, Start.get(), float(halfRate), 0.0f,
                                              SpinStep)),
      StopSpin(std::make_unique<LimitScroll>(this, StopSpinId, nullptr, Stop.get(), float(halfRate), 0.0f,
                                             SpinStep))
{
}

TTHDFreqOptsDialog::~TTHDFreqOptsDialog() = default;

void TTHDFreqOptsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    StartSpin->SetPrecision(2);
    StopSpin->SetPrecision(2);
    for (const TList& list : Lists)
        for (const char* entry : list.Entries) SendDlgItemMessage(list.Id, CB_ADDSTRING, 0, LPARAM(entry));
    for (const TLimitRow& row : LimitRows) SendDlgItemMessage(row.File, EM_LIMITTEXT, Form::FileNameLength);
    Colours.Show(*Record);
    Binding().Fill(*this, Form::FieldsOf(*Record));
    EnableDependents();
}

void TTHDFreqOptsDialog::EnableDependents()
{
    const bool linear = ControlChecked(LinearId), octave = ControlChecked(OctaveId);
    if (linear || octave) {
        ::EnableWindow(GetDlgItem(StepId), linear);
        ::EnableWindow(GetDlgItem(OctaveListId), octave);
    }
    for (const TLimitRow& row : LimitRows) ::EnableWindow(GetDlgItem(row.Edit), ControlChecked(row.Check));
}

void TTHDFreqOptsDialog::CmStepType() { EnableDependents(); }

void TTHDFreqOptsDialog::CmLimitCheck() { EnableDependents(); }

void TTHDFreqOptsDialog::CmOk()
{
    F fields;
    Binding().Collect(*this, fields);
    const Form::TOutcome outcome = Form::Store(fields, *Record, HalfRate);
    if (!outcome.Stored) {
        MessageBox(outcome.Message.c_str(), outcome.Caption, MB_OK);
        return;
    }
    TDialog::CmOk();
}

void TTHDFreqOptsDialog::CmColour(UINT id) { Colours.Choose(int(id), *Record); }

void TTHDFreqOptsDialog::CmSelectFile(UINT id)
{
    const TLimitRow& row = LimitRows[id == SelectRightId ? 1 : 0];
    TOpenSaveDialog::TData data;
    data.Filter = "Overlay *.ovl|*.ovl|";
    data.DefExt = "ovl";
    data.InitialDir = Host.CurrentFolder(LimitFileKind);
    data.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (Host.RunFileDialog(data, row.Title, false) != IDOK || !Host.FitsFileBuffer(data.FileName)) return;
    Host.KeepFolder(LimitFileKind, data.FileName.c_str());
    SetItemText(row.File, data.FileName.c_str());
    CheckControl(row.Check, true);
    EnableDependents();
}

void TTHDFreqOptsDialog::CmEditFile(UINT id)
{
    const TLimitRow& row = LimitRows[id == EditRightId ? 1 : 0];
    // Quoted, so that a name with blanks reaches the editor whole.
    Launch("Notepad.exe \"" + GetItemText(row.File) + "\"");
}

void TTHDFreqOptsDialog::Launch(const std::string& commandLine) { ::WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

void TTHDFreqOptsDialog::CmDefaults()
{
    Colours.Reset(*Record, THDFreqSettings());
    Binding().Fill(*this, Form::Defaults());
    EnableDependents();
}

void TTHDFreqOptsDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
