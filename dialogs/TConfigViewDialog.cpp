#include "dialogs/TConfigViewDialog.h"

#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"
#include "resources/ConfigViewDialogRes.h"

DEFINE_RESPONSE_TABLE1(TConfigViewDialog, TDialog)
    EV_COMMAND(IDC_CONFIG_HELP, CmHelp)
END_RESPONSE_TABLE;

TConfigViewDialog::TConfigViewDialog(TWindow* parent, const char* resourceName, std::vector<std::string> lines,
                                     std::string helpFile, std::function<void()> print)
    : TDialog(parent, resourceName),
      List(std::make_unique<TListBox>(this, IDC_CONFIG_LIST)),
      Lines(std::move(lines)),
      HelpFile(std::move(helpFile)),
      Print(std::move(print))
{
}

void TConfigViewDialog::SetupWindow()
{
    TDialog::SetupWindow();
    if (GetParent())
        CenterWindow(GetParent()->GetHandle(), HWindow);
    int stops[2] = {10, 120};
    List->SendMessage(LB_SETTABSTOPS, 2, LPARAM(stops));
    for (const std::string& line : Lines)
        List->AddString(line.c_str());
}

void TConfigViewDialog::CmOk()
{
    if (Print)
        Print();
}

void TConfigViewDialog::CmHelp() { THtmlHelp::ShowContext(HWindow, HelpFile.c_str(), HelpContext); }
