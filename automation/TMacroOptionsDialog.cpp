#include "automation/TMacroOptionsDialog.h"

#include <cstdio>
#include <string>
#include "automation/TMacro.h"
#include "automation/TMacroHost.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

namespace {

template <size_t N> void CopyText(char (&destination)[N], const std::string& text)
{
    std::snprintf(destination, N, "%s", text.c_str());
}

}  // namespace

DEFINE_RESPONSE_TABLE1(TMacroOptionsDialog, TDialog)
    EV_BN_CLICKED(TMacroOptionsDialog::DefaultsId, CmDefaults)
    EV_BN_CLICKED(TMacroOptionsDialog::HelpId, CmHelp)
    EV_BN_CLICKED(TMacroOptionsDialog::PickOutputId, CmPickOutput)
    EV_BN_CLICKED(TMacroOptionsDialog::PickViewerId, CmPickViewer)
    EV_BN_CLICKED_RANGE(TMacroOptionsDialog::FirstPickId,
                        TMacroOptionsDialog::FirstPickId + MacroSettings::ButtonCount - 1, CmPickMacroFile)
END_RESPONSE_TABLE;

TMacroOptionsDialog::TMacroOptionsDialog(TWindow* parent, TMacroHost& host)
    : TDialog(parent, "DIALOG_MACRO_OPTS"), Host(host)
{
}

void TMacroOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    CenterWindow(GetParentH(), HWindow);
    const MacroSettings& o = Host.MacroOptionsRecord();
    CheckRadioButton(AppendId, OverwriteId, o.OverwriteFlag == 1 ? OverwriteId : AppendId);
    SetItemText(OutputFileId, o.OutputFilename);
    SetItemText(ViewerId, o.OutputViewerProgram);
    CheckItem(ShowButtonsId, o.ShowUserBtnToolbar == 1 ? BST_CHECKED : BST_UNCHECKED);
    for (int i = 0; i < MacroSettings::ButtonCount; ++i) {
        char label[sizeof o.BtnLabel[i] + 1] = {};
        std::snprintf(label, sizeof label, "%.*s", int(sizeof o.BtnLabel[i]), o.BtnLabel[i]);
        SetItemText(FirstLabelId + i, label);
        SetItemText(FirstFileId + i, o.BtnFilename[i]);
    }
}

void TMacroOptionsDialog::CmDefaults()
{
    CheckRadioButton(AppendId, OverwriteId, OverwriteId);
    SetItemText(OutputFileId, (Host.LastFileFolder() + "\\macro_output.txt").c_str());
    SetItemText(ViewerId, "Notepad.exe");
    CheckItem(ShowButtonsId, BST_UNCHECKED);
    for (int i = 0; i < MacroSettings::ButtonCount; ++i)
        SetItemText(FirstLabelId + i, ("Test " + std::to_string(i + 1)).c_str());
}

void TMacroOptionsDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFile(), TMacro::SyntaxHelpContext);
}

void TMacroOptionsDialog::CmPickOutput()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Macro Output File (*.txt)|*.txt|";
    data.FileName = "*.txt";
    data.DefExt = "txt";
    data.InitialDir = Host.LastFileFolder();
    if (Host.RunMacroFileDialog(data, "Select Macro Output File", true) != IDOK) return;
    Host.StoreLastFileFolder(data.FileName);
    SetItemText(OutputFileId, data.FileName.c_str());
}

void TMacroOptionsDialog::CmPickViewer()
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Text Viewer (*.txt)|*.exe|";
    data.FileName = "*.exe";
    if (Host.RunMacroFileDialog(data, "Select Text Viewer Program", false) != IDOK) return;
    SetItemText(ViewerId, data.FileName.c_str());
}

void TMacroOptionsDialog::CmPickMacroFile(UINT id)
{
    const int index = int(id) - FirstPickId;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Macro File (*.mac)|*.mac|";
    data.FileName = "*.mac";
    data.DefExt = "mac";
    if (Host.RunMacroFileDialog(data, "Select Macro File", false) != IDOK) return;
    SetItemText(FirstFileId + index, data.FileName.c_str());
}

void TMacroOptionsDialog::CmOk()
{
    MacroSettings& o = Host.MacroOptionsRecord();
    CopyText(o.OutputFilename, GetItemText(OutputFileId));
    CopyText(o.OutputViewerProgram, GetItemText(ViewerId));
    o.OverwriteFlag = IsItemChecked(OverwriteId) == BST_CHECKED ? 1 : 0;
    o.ShowUserBtnToolbar = IsItemChecked(ShowButtonsId) == BST_CHECKED ? 1 : 0;
    for (int i = 0; i < MacroSettings::ButtonCount; ++i) {
        CopyText(o.BtnLabel[i], GetItemText(FirstLabelId + i));
        CopyText(o.BtnFilename[i], GetItemText(FirstFileId + i));
    }
    CloseWindow(IDOK);
}
