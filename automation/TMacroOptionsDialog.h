#pragma once
#include "framework/TDialog.h"
#include "resources/MacroOptionsDialogRes.h"

class TMacroHost;

// "Macro Command Processor Options": the output file and its mode, the
// output viewer, and the six quick-run buttons. OK writes the macro options.
class TMacroOptionsDialog : public TDialog {
public:
    enum ControlId {
        OutputFileId = IDC_MACRO_OPTIONS_OUTPUT_FILE, PickOutputId = IDC_MACRO_OPTIONS_PICK_OUTPUT,
        ViewerId = IDC_MACRO_OPTIONS_VIEWER, PickViewerId = IDC_MACRO_OPTIONS_PICK_VIEWER,
        AppendId = IDC_MACRO_OPTIONS_APPEND,
        OverwriteId = IDC_MACRO_OPTIONS_OVERWRITE, ShowButtonsId = IDC_MACRO_OPTIONS_SHOW_BUTTONS,
        FirstLabelId = IDC_MACRO_OPTIONS_FIRST_LABEL, FirstFileId = IDC_MACRO_OPTIONS_FIRST_FILE,
        FirstPickId = IDC_MACRO_OPTIONS_FIRST_PICK,
        DefaultsId = IDC_MACRO_OPTIONS_DEFAULTS, HelpId = IDC_MACRO_OPTIONS_HELP,
    };

    TMacroOptionsDialog(TWindow* parent, TMacroHost& host);

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();
    void CmPickOutput();
    void CmPickViewer();
    void CmPickMacroFile(UINT id);

private:

    TMacroHost& Host;

    DECLARE_RESPONSE_TABLE(TMacroOptionsDialog);
};
