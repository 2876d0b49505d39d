#pragma once
#include <array>
#include <string>
#include "dialogs/TPathsForm.h"
#include "framework/TDialog.h"
#include "resources/PathsDialogRes.h"

// "Set Paths": the default folder of each kind of file, edited on the
// record it is given. Defaults shows the program's own folders in the
// edits; only OK stores what the edits hold.
class TPathsDialog : public TDialog {
public:
    static constexpr int DefaultsId = IDC_PATHS_DEFAULTS;
    // The edits in the order of the folders.
    static constexpr int FolderIds[TPathsForm::FolderCount] = {
        IDC_PATHS_WAVE,    IDC_PATHS_TEMP, IDC_PATHS_CONFIG, IDC_PATHS_CAL,   IDC_PATHS_MIC,   IDC_PATHS_OVERLAY,
        IDC_PATHS_LOG,     IDC_PATHS_REVERB, IDC_PATHS_THD,  IDC_PATHS_MACRO, IDC_PATHS_FILTER};
    using TDefaults = std::array<std::string, TPathsForm::FolderCount>;

    TPathsDialog(TWindow* parent, TResId templateName, TPathsForm::TFolders* record, TDefaults defaults);

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();

private:
    TPathsForm::TFolders* Record;
    TDefaults Defaults;

    DECLARE_RESPONSE_TABLE(TPathsDialog);
};
