#include "automation/TMacroOptionsDialog.h"

#include <string>
#include "automation/TMacro.h"
#include "automation/TMacroHost.h"
#include "framework/TDialogBinding.h"
#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

namespace {

const TDialogBinding<MacroSettings>& Binding()
{
    static const TDialogBinding<MacroSettings> binding = [] {
        using D = TMacroOptionsDialog;
        TDialogBinding<MacroSettings> b;
        // Any flag but 1 appends.
        b.Radio({D::OverwriteId, D::AppendId}, &MacroSettings::OverwriteFlag, {1, 0}, 1)
            .Text(D::OutputFileId, &MacroSettings::OutputFilename)
            .Text(D::ViewerId, &MacroSettings::OutputViewerProgram)
            .Check(D::ShowButtonsId, &MacroSettings::ShowUserBtnToolbar, true);
        for (int i = 0; i < MacroSettings::ButtonCount; ++i)
            b.Text(D::FirstLabelId + i, [i](auto& o) -> auto& { return o.BtnLabel[i]; })
                .Text(D::FirstFileId + i, [i](auto& o) -> auto& { return o.BtnFilename[i]; });
        return b;
    }();
    return binding;
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
    Binding().Fill(*this, Host.MacroOptionsRecord());
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
    Binding().Collect(*this, Host.MacroOptionsRecord());
    CloseWindow(IDOK);
}
