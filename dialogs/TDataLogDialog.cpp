#include "dialogs/TDataLogDialog.h"

#include <cstdio>
#include "dialogs/TDataLogForm.h"
#include "dialogs/TFieldText.h"
#include "dialogs/TDialogHost.h"
#include "framework/LimitScroll.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TDataLogDialog, TDialog)
    EV_CBN_SELCHANGE(TDataLogDialog::TypeId, CmDataType)
    EV_COMMAND(TDataLogDialog::FullSpanId, CmSpan)
    EV_COMMAND(TDataLogDialog::CustomId, CmSpan)
    EV_COMMAND(TDataLogDialog::EveryBlockId, CmIntervalMode)
    EV_COMMAND(TDataLogDialog::AtIntervalsId, CmIntervalMode)
    EV_COMMAND(TDataLogDialog::PickFileId, CmPickFile)
    EV_COMMAND(TDataLogDialog::PickViewerId, CmPickViewer)
    EV_COMMAND(TDataLogDialog::ViewId, CmView)
    EV_COMMAND(TDataLogDialog::DefaultsId, CmDefaults)
    EV_COMMAND(TDataLogDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

using Form = TDataLogForm;
using F = Form::TFields;

// The controls over the form's fields; the data type's list is read by item data.
const TDialogBinding<F>& Binding()
{
    using D = TDataLogDialog;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Radio({D::EveryBlockId, D::AtIntervalsId}, &F::EveryBlock, {1, 0})
                                                 .Text(D::IntervalId, &F::Interval, Form::FieldLength)
                                                 .Radio({D::FullSpanId, D::CustomId}, &F::FullSpan, {1, 0})
                                                 .Text(D::StartId, &F::Start, Form::FieldLength)
                                                 .Text(D::StopId, &F::Stop, Form::FieldLength)
                                                 .Text(D::ThresholdId, &F::Threshold, Form::FieldLength)
                                                 .Radio({D::OverwriteId, D::AppendId}, &F::Overwrite, {1, 0})
                                                 .Check(D::HeaderId, &F::Header)
                                                 .Check(D::TimeStampId, &F::TimeStamp);
    return binding;
}

constexpr std::initializer_list<int> SpanControls = {TDataLogDialog::StartId, TDataLogDialog::StartSpinId,
                                                     TDataLogDialog::StopId, TDataLogDialog::StopSpinId};

}  // namespace

TDataLogDialog::TDataLogDialog(TWindow* parent, TDialogHost& host, TResId templateName, LoggingSettings* logging,
                               float limit, bool enable)
    : TDialog(parent, templateName), Host(host), Logging(logging), Edited(*logging), Limit(limit), Enable(enable),
      Interval(std::make_unique<TEdit>(this, IntervalId)), Start(std::make_unique<TEdit>(this, StartId)),
      Stop(std::make_unique<TEdit>(this, StopId)),
      IntervalSpin(std::make_unique<LimitScroll>(this, IntervalSpinId, nullptr, Interval.get(),
                                                 float(Form::MaxInterval), float(Form::MinInterval), 1.0f)),
      StartSpin(std::make_unique<LimitScroll>(this, StartSpinId, nullptr, Start.get(), limit, 0.0f,
                                              Form::FrequencyStep)),
      StopSpin(std::make_unique<LimitScroll>(this, StopSpinId, nullptr, Stop.get(), limit, 0.0f, Form::FrequencyStep))
{
}

TDataLogDialog::~TDataLogDialog() = default;

void TDataLogDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (const Form::TDataType& type : Form::DataTypes()) {
        const LRESULT index = ::SendDlgItemMessageA(HWindow, TypeId, CB_ADDSTRING, 0, LPARAM(type.Text));
        ::SendDlgItemMessageA(HWindow, TypeId, CB_SETITEMDATA, WPARAM(index), LPARAM(type.Code));
        if (type.Code == Logging->DataType) ::SendDlgItemMessageA(HWindow, TypeId, CB_SETCURSEL, WPARAM(index), 0);
    }
    Binding().Fill(*this, Form::FieldsOf(*Logging));
    SetItemText(FileId, Logging->LogFileName);
    SetItemText(ViewerId, Logging->LogViewerProgram);
    CheckControl(EnableId, Enable);
    CmIntervalMode();
    EnableControls(SpanControls, !ControlChecked(FullSpanId));
    CmDataType();
}

uint16_t TDataLogDialog::SelectedType() const
{
    const LRESULT index = ::SendDlgItemMessageA(HWindow, TypeId, CB_GETCURSEL, 0, 0);
    if (index < 0) return Logging->DataType;
    return uint16_t(::SendDlgItemMessageA(HWindow, TypeId, CB_GETITEMDATA, WPARAM(index), 0));
}

void TDataLogDialog::EnableControls(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids) ::EnableWindow(GetDlgItem(id), enable);
}

// Measures of the whole spectrum have no band to choose.
void TDataLogDialog::CmDataType()
{
    const bool band = !Form::UsesWholeSpan(SelectedType());
    EnableControls({FullSpanId, CustomId}, band);
    EnableControls(SpanControls, band);
}

void TDataLogDialog::CmSpan()
{
    const bool custom = ControlChecked(CustomId);
    EnableControls(SpanControls, custom);
    const auto inRange = [this](int id) {
        const double value = TFieldText::ToFloat(GetItemText(id));
        return value >= 0.0 && value <= Limit;
    };
    if (!custom) {
        SetItemText(StartId, Form::FrequencyText(0.0f).c_str());
        SetItemText(StopId, Form::FrequencyText(Limit).c_str());
        return;
    }
    if (!inRange(StartId)) SetItemText(StartId, "0");
    if (!inRange(StopId)) SetItemText(StopId, Form::FrequencyText(Limit).c_str());
}

void TDataLogDialog::CmIntervalMode()
{
    EnableControls({IntervalId, IntervalSpinId}, ControlChecked(AtIntervalsId));
}

void TDataLogDialog::CmPickFile()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    data.Filter = "Data Log Files (*.txt)|*.txt|";
    data.FileName = "*.txt";
    data.InitialDir = Host.CurrentFolder(FolderKind);
    data.DefExt = "txt";
    if (Host.RunFileDialog(data, "Select Data Logging File", true) != IDOK || !Host.FitsFileBuffer(data.FileName))
        return;
    std::snprintf(Edited.LogFileName, sizeof Edited.LogFileName, "%s", data.FileName.c_str());
    SetItemText(FileId, Edited.LogFileName);
    Host.KeepFolder(FolderKind, Edited.LogFileName);
}

void TDataLogDialog::CmPickViewer()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_HIDEREADONLY;
    data.Filter = "Text Viewer (*.txt)|*.exe|";
    data.FileName = "*.exe";
    data.DefExt = "exe";
    if (Host.RunFileDialog(data, "Select Text Viewer Program", true) != IDOK || !Host.FitsFileBuffer(data.FileName))
        return;
    std::snprintf(Edited.LogViewerProgram, sizeof Edited.LogViewerProgram, "%s", data.FileName.c_str());
    SetItemText(ViewerId, Edited.LogViewerProgram);
}

// The file as it stands; logging goes on. Both paths quoted, as either may hold blanks.
void TDataLogDialog::CmView()
{
    char command[2 * sizeof Edited.LogFileName + 8];
    std::snprintf(command, sizeof command, "\"%s\" \"%s\"", Edited.LogViewerProgram, Edited.LogFileName);
    ::WinExec(command, SW_SHOWNORMAL);
}

// The controls only, the names shown as well as stored: OK keeps what the dialog shows.
void TDataLogDialog::CmDefaults()
{
    Binding().Fill(*this, Form::Defaults(Limit));
    ::SendDlgItemMessageA(HWindow, TypeId, CB_SETCURSEL, 0, 0);
    const LoggingSettings defaults;
    std::snprintf(Edited.LogFileName, sizeof Edited.LogFileName, "%s", defaults.LogFileName);
    std::snprintf(Edited.LogViewerProgram, sizeof Edited.LogViewerProgram, "%s", defaults.LogViewerProgram);
    SetItemText(FileId, Edited.LogFileName);
    SetItemText(ViewerId, Edited.LogViewerProgram);
    CmIntervalMode();
    CmDataType();
}

void TDataLogDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext);
}

void TDataLogDialog::CmOk()
{
    F fields;
    Binding().Collect(*this, fields);
    fields.DataType = SelectedType();
    const Form::TOutcome outcome = Form::Store(fields, Limit, Edited);
    if (!outcome.Stored) {
        MessageBox(outcome.Message.c_str(), "Tonalyx", MB_OK | MB_ICONSTOP);
        return;
    }
    *Logging = Edited;
    Enable = ControlChecked(EnableId);
    TDialog::CmOk();
}
