#pragma once
#include "framework/TDialog.h"

class TMacroHost;

// "Macro Command Processor Options": the output file and its mode, the
// output viewer, and the six quick-run buttons. OK writes the macro options.
class TMacroOptionsDialog : public TDialog {
public:
    enum ControlId {
        OutputFileId = 416, PickOutputId = 417, ViewerId = 418, PickViewerId = 419, AppendId = 420,
        OverwriteId = 421, ShowButtonsId = 430, FirstLabelId = 431, FirstFileId = 441, FirstPickId = 451,
        DefaultsId = 116, HelpId = 183,
    };

    TMacroOptionsDialog(TWindow* parent, TMacroHost& host);

    void SetupWindow() override;
    void CmOk() override;
    void CmDefaults();
    void CmHelp();
    void CmPickOutput();
    void CmPickViewer();
    void CmPick1() { PickMacroFile(0); }
    void CmPick2() { PickMacroFile(1); }
    void CmPick3() { PickMacroFile(2); }
    void CmPick4() { PickMacroFile(3); }
    void CmPick5() { PickMacroFile(4); }
    void CmPick6() { PickMacroFile(5); }

private:
    void PickMacroFile(int index);

    TMacroHost& Host;

    DECLARE_RESPONSE_TABLE(TMacroOptionsDialog);
};
