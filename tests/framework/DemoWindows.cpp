#include "DemoWindows.h"

std::vector<std::string> DemoLog;

DEFINE_RESPONSE_TABLE1(TDemoFrame, TMDIFrame)
    EV_COMMAND(CM_FRAME_ONLY, CmFrameOnly)
    EV_COMMAND(CM_BOTH, CmBoth)
    EV_COMMAND(CM_NO_ENABLER, CmNoEnabler)
    EV_COMMAND(CM_DISABLED, CmDisabled)
    EV_COMMAND_ENABLE(CM_DISABLED, CeDisabled)
    EV_COMMAND(CM_CHECKED, CmChecked)
    EV_COMMAND_ENABLE(CM_CHECKED, CeChecked)
END_RESPONSE_TABLE;

bool TDemoFrame::IdleAction(long idleCount)
{
    IdleCounts.push_back(idleCount);
    if (IdlePassMs) ::Sleep(IdlePassMs);
    if (PostEachPass) PostMessage(WM_NULL);
    return IdleBudget-- > 0;
}

DEFINE_RESPONSE_TABLE1(TDemoChildA, TMDIChild)
    EV_COMMAND(CM_BOTH, CmBoth)
    EV_COMMAND(CM_CHILD_ONLY, CmChildOnly)
    EV_COMMAND_ENABLE(CM_CHILD_ONLY, CeChildOnly)
    EV_COMMAND(CM_CHILD_MENU, CmChildMenu)
    EV_CHILD_NOTIFY_ALL_CODES(IDC_SCROLL, ScrollNotify)
    EV_CBN_SELCHANGE(IDC_COMBO, ComboChanged)
    EV_EN_CHANGE(IDC_EDIT, EditChanged)
END_RESPONSE_TABLE;

TDemoChildA::TDemoChildA(TMDIClient& client) : TMDIChild(client, "Child A")
{
    Attr.X = 0; Attr.Y = 0; Attr.W = 400; Attr.H = 300;
    Attr.Menu = "MENU_CHILD";
    Button = new TButton(this, CM_BOTH, "Both", 2, 2, 60, 20);
    OwnerDraw = new TDemoOwnerDrawButton(this, IDC_OWNERDRAW, 70, 2, 40, 32);
    Bar = new TScrollBar(this, IDC_SCROLL, 2, 40, 200, 16, true);
    Combo = new TComboBox(this, IDC_COMBO, 2, 60, 120, 100);
    Edit = new TEdit(this, IDC_EDIT, "", 2, 90, 200, 60, 0, true);
}

void TDemoChildA::SetupWindow()
{
    TMDIChild::SetupWindow();
    Combo->AddString("alpha");
    Combo->AddString("beta");
    Combo->AddString("gamma");
    Combo->SetSelIndex(0);
}

DEFINE_RESPONSE_TABLE1(TDemoChildB, TMDIChild)
    EV_COMMAND(CM_CHILD_ONLY, CmChildOnly)
END_RESPONSE_TABLE;

void TDemoDialog::SetupWindow()
{
    TDialog::SetupWindow();
    Edit->SetText(Record.Text.c_str());
    Check->SetCheck(Record.Checked ? BST_CHECKED : BST_UNCHECKED);
    SeenText = Edit->GetText();
    // The user's part: change both fields, then press the button.
    Edit->SetText("edited");
    Check->Check();
    if (CloseWith) PostMessage(WM_COMMAND, MAKEWPARAM(CloseWith, BN_CLICKED), LPARAM(GetDlgItem(CloseWith)));
}

void TDemoDialog::CmOk()
{
    Record.Text = Edit->GetText();
    Record.Checked = Check->GetCheck() == BST_CHECKED;
    TDialog::CmOk();
}
