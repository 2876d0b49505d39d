#include "dialogs/TFileExportDialog.h"

#include "dialogs/TDataFileForm.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "framework/LimitScroll.h"
#include "framework/TComboBox.h"
#include "framework/TDialogBinding.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"

DEFINE_RESPONSE_TABLE1(TFileExportDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TFileExportDialog::FormatId, CmFormatChanged)
    EV_COMMAND(TFileExportDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

const char* const FormatNames[] = {IDS_DATA_ASCII_INTEGER_TEXT, IDS_DATA_ASCII_FLOAT_TEXT,
                                   IDS_DATA_BINARY_8BIT_TEXT,   IDS_DATA_BINARY_16BIT_TEXT,
                                   IDS_DATA_BINARY_32BIT_TEXT,  IDS_DATA_BINARY_FLOAT_TEXT};

const TDialogBinding<TDataFileForm::TExportFields>& Binding()
{
    using T = TFileExportDialog;
    using F = TDataFileForm::TExportFields;
    static const TDialogBinding<F> binding = TDialogBinding<F>()
                                                 .Selection(T::FormatId, &F::Format, 6)
                                                 .Check(T::LeftId, &F::Left)
                                                 .Check(T::RightId, &F::Right)
                                                 .Text(T::RatioId, &F::Ratio, TFieldText::NumberLength + 1);
    return binding;
}

}

TFileExportDialog::TFileExportDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint16_t channels,
                                     ExportOptions* options)
    : TDialog(parent, templateName), Host(host), Channels(channels), Options(options),
      Formats(std::make_unique<TComboBox>(this, FormatId)), Ratio(std::make_unique<TEdit>(this, RatioId)),
      RatioSpin(std::make_unique<LimitScroll>(this, RatioSpinId, nullptr, Ratio.get(),
                                              float(TDataExport::MaxDecimationRatio), 1.0f, 1.0f))
{
}

TFileExportDialog::~TFileExportDialog() = default;

void TFileExportDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (const char* name : FormatNames) Formats->AddString(name);
    TDataFileForm::TExportFields fields = TDataFileForm::FieldsOf(*Options);
    if (Channels != 2) {
        fields.Left = 1;
        fields.Right = 0;
    }
    Binding().Fill(*this, fields);
    ::EnableWindow(::GetDlgItem(HWindow, LeftId), TRUE);
    ::EnableWindow(::GetDlgItem(HWindow, RightId), Channels == 2);
}

void TFileExportDialog::CmFormatChanged(UINT)
{
    for (int id : {LeftId, RatioId, RatioSpinId})
        ::EnableWindow(::GetDlgItem(HWindow, id), TRUE);
    ::EnableWindow(::GetDlgItem(HWindow, RightId), Channels == 2);
}

void TFileExportDialog::CmOk()
{
    TDataFileForm::TExportFields fields;
    Binding().Collect(*this, fields);
    const std::string refusal = TDataFileForm::Store(fields, Channels, *Options);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return;
    }
    TDialog::CmOk();
}

void TFileExportDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
