#pragma once
#include <memory>
#include "engine/TDataImport.h"
#include "framework/TDialog.h"
#include "resources/FileImportDialogRes.h"

class TComboBox;
class TDialogHost;

// "File Import": the data file's number format and header, the new wave's
// rate, channels and precision, and how numbers become samples, on the
// import's options record (edited in place, field by field at OK).
class TFileImportDialog : public TDialog {
public:
    enum : int {
        SourceTypeId = IDC_IMPORT_SOURCE_TYPE, RateId = IDC_IMPORT_RATE, ChannelsId = IDC_IMPORT_CHANNELS,
        PrecisionId = IDC_IMPORT_PRECISION, NoHeaderId = IDC_IMPORT_NO_HEADER, HeaderId = IDC_IMPORT_HEADER,
        HeaderSizeId = IDC_IMPORT_HEADER_SIZE, HeaderUnitId = IDC_IMPORT_HEADER_UNIT, RescaleId = IDC_IMPORT_RESCALE,
        TruncateId = IDC_IMPORT_TRUNCATE, DefinedId = IDC_IMPORT_DEFINED, DataValueId = IDC_IMPORT_DATA_VALUE,
        EqualsValueId = IDC_IMPORT_EQUALS_VALUE, UnitsId = IDC_IMPORT_UNITS, LinearLabelId = IDC_IMPORT_LINEAR_LABEL,
        LogLabelId = IDC_IMPORT_LOG_LABEL, HelpId = IDC_IMPORT_HELP,
    };
    static constexpr int HelpContext = 840;

    TFileImportDialog(TWindow* parent, TDialogHost& host, TResId templateName, ImportOptions* options);
    ~TFileImportDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmSourceTypeChanged(UINT code);
    void EnHeaderSizeChanged();
    void UpdateScalingControls(UINT id = 0);
    void CmUnitsChanged(UINT code);
    void CmHelp();

private:
    TDialogHost& Host;
    ImportOptions* Options;
    // While the record is shown, a header size written is not one typed.
    bool Filling = false;
    std::unique_ptr<TComboBox> SourceTypes, Channels, Precisions, Units;

    DECLARE_RESPONSE_TABLE(TFileImportDialog);
};
