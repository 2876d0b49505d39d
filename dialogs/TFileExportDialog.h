#pragma once
#include <cstdint>
#include <memory>
#include "engine/TDataExport.h"
#include "framework/TDialog.h"
#include "resources/FileExportDialogRes.h"

class LimitScroll;
class TComboBox;
class TDialogHost;
class TEdit;

// "File Export Options": the data format, the channels exported and the
// decimation ratio, on the export's options record.
class TFileExportDialog : public TDialog {
public:
    enum : int {
        FormatId = IDC_EXPORT_FORMAT, LeftId = IDC_EXPORT_LEFT, RightId = IDC_EXPORT_RIGHT, RatioId = IDC_EXPORT_RATIO,
        RatioSpinId = IDC_EXPORT_RATIO_SPIN, HelpId = IDC_EXPORT_HELP,
    };
    static constexpr int HelpContext = 830;

    TFileExportDialog(TWindow* parent, TDialogHost& host, TResId templateName, uint16_t channels,
                      ExportOptions* options);
    ~TFileExportDialog() override;

    void SetupWindow() override;
    void CmOk() override;
    void CmFormatChanged(UINT code);
    void CmHelp();

private:
    TDialogHost& Host;
    uint16_t Channels;
    ExportOptions* Options;
    std::unique_ptr<TComboBox> Formats;
    std::unique_ptr<TEdit> Ratio;
    std::unique_ptr<LimitScroll> RatioSpin;

    DECLARE_RESPONSE_TABLE(TFileExportDialog);
};
