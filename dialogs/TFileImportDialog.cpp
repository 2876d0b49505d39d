#include "dialogs/TFileImportDialog.h"

#include "dialogs/TDataFileForm.h"
#include "dialogs/TDialogHost.h"
#include "dialogs/TFieldText.h"
#include "framework/TComboBox.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"
#include "resources/StringIds.h"

DEFINE_RESPONSE_TABLE1(TFileImportDialog, TDialog)
    EV_CHILD_NOTIFY_ALL_CODES(TFileImportDialog::SourceTypeId, CmSourceTypeChanged)
    EV_EN_CHANGE(TFileImportDialog::HeaderSizeId, EnHeaderSizeChanged)
    EV_BN_CLICKED_RANGE(TFileImportDialog::RescaleId, TFileImportDialog::DefinedId, UpdateScalingControls)
    EV_CHILD_NOTIFY_ALL_CODES(TFileImportDialog::UnitsId, CmUnitsChanged)
    EV_COMMAND(TFileImportDialog::HelpId, CmHelp)
END_RESPONSE_TABLE;

namespace {

const char* const SourceTypeNames[] = {IDS_DATA_ASCII_INTEGER_TEXT, IDS_DATA_ASCII_FLOAT_TEXT,
                                       IDS_DATA_BINARY_8BIT_TEXT,   IDS_DATA_BINARY_16BIT_TEXT,
                                       IDS_DATA_BINARY_32BIT_TEXT,  IDS_DATA_BINARY_FLOAT_TEXT};

const TDialogBinding<TDataFileForm::TImportFields>& Binding()
{
    using T = TFileImportDialog;
    using F = TDataFileForm::TImportFields;
    const int length = TFieldText::NumberLength + 1;
    static const TDialogBinding<F> binding =
        TDialogBinding<F>()
            .Selection(T::SourceTypeId, &F::SourceType, 6)
            .Text(T::RateId, &F::Rate, length)
            .Selection(T::ChannelsId, &F::ChannelIndex, 2)
            .Selection(T::PrecisionId, &F::PrecisionIndex, 3)
            .Radio({T::NoHeaderId, T::HeaderId}, &F::Header)
            .Text(T::HeaderSizeId, &F::HeaderSize, length)
            .Radio({T::RescaleId, T::TruncateId, T::DefinedId}, &F::Scaling, {1, 0, 2})
            .Text(T::DataValueId, &F::DataValue, length)
            .Text(T::EqualsValueId, &F::EqualsValue, length)
            .Selection(T::UnitsId, &F::UnitsIndex, int(TDataFileForm::UnitsList().size()))
            .Text(T::LinearLabelId, &F::LinearLabel)
            .Text(T::LogLabelId, &F::LogLabel);
    return binding;
}

}

TFileImportDialog::TFileImportDialog(TWindow* parent, TDialogHost& host, TResId templateName, ImportOptions* options)
    : TDialog(parent, templateName), Host(host), Options(options),
      SourceTypes(std::make_unique<TComboBox>(this, SourceTypeId)),
      Channels(std::make_unique<TComboBox>(this, ChannelsId)),
      Precisions(std::make_unique<TComboBox>(this, PrecisionId)), Units(std::make_unique<TComboBox>(this, UnitsId))
{
}

TFileImportDialog::~TFileImportDialog() = default;

void TFileImportDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    for (const char* name : SourceTypeNames) SourceTypes->AddString(name);
    for (const char* name : {"1", "2"}) Channels->AddString(name);
    for (const char* name : {"8 bits", "16 bits", "24 bits"}) Precisions->AddString(name);
    for (const auto& units : TDataFileForm::UnitsList()) Units->AddString(units.Name);
    Filling = true;
    Binding().Fill(*this, TDataFileForm::FieldsOf(*Options));
    Filling = false;
    ::EnableWindow(::GetDlgItem(HWindow, HeaderSizeId), Options->HeaderPresent != 0);
    SetItemText(HeaderUnitId, TDataFileForm::HeaderUnit(Options->SourceType));
    UpdateScalingControls();
}

void TFileImportDialog::CmSourceTypeChanged(UINT)
{
    for (int id : {RateId, ChannelsId, PrecisionId, NoHeaderId, HeaderId, HeaderSizeId, RescaleId, TruncateId})
        ::EnableWindow(::GetDlgItem(HWindow, id), TRUE);
    const int type = ControlSelection(SourceTypeId);
    SetItemText(HeaderUnitId, TDataFileForm::HeaderUnit(uint16_t(type < 0 ? 0 : type)));
}

void TFileImportDialog::EnHeaderSizeChanged()
{
    if (Filling)
        return;
    CheckControl(HeaderId, true);
    CheckControl(NoHeaderId, false);
}

void TFileImportDialog::UpdateScalingControls(UINT)
{
    const BOOL defined = ControlChecked(DefinedId) ? TRUE : FALSE;
    for (int id : {DataValueId, EqualsValueId, UnitsId, LinearLabelId, LogLabelId})
        ::EnableWindow(::GetDlgItem(HWindow, id), defined);
}

void TFileImportDialog::CmUnitsChanged(UINT)
{
    const int index = ControlSelection(UnitsId);
    const auto& list = TDataFileForm::UnitsList();
    if (index < 0 || size_t(index) >= list.size())
        return;
    SetItemText(LinearLabelId, list[size_t(index)].LinearLabel);
    SetItemText(LogLabelId, list[size_t(index)].LogLabel);
}

void TFileImportDialog::CmOk()
{
    TDataFileForm::TImportFields fields;
    Binding().Collect(*this, fields);
    const std::string refusal = TDataFileForm::Store(fields, *Options);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Tonalyx", MB_OK | MB_ICONSTOP);
        return;
    }
    TDialog::CmOk();
}

void TFileImportDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, Host.HelpFilePath(), HelpContext); }
