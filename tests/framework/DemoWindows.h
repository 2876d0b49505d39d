#pragma once
// The demo application the framework's tests drive: an MDI frame with a menu
// and accelerators, two MDI children with tables of their own, controls that
// notify their parent, and a dialog with bound controls.
#include <string>
#include <vector>
#include "DemoIds.h"
#include "framework/TButton.h"
#include "framework/TCheckBox.h"
#include "framework/TComboBox.h"
#include "framework/TCommandEnabler.h"
#include "framework/TDialog.h"
#include "framework/TEdit.h"
#include "framework/TMDIChild.h"
#include "framework/TMDIClient.h"
#include "framework/TMDIFrame.h"
#include "framework/TScrollBar.h"

// Every demo handler appends "<window>.<handler>" here.
extern std::vector<std::string> DemoLog;

class TDemoFrame : public TMDIFrame {
public:
    explicit TDemoFrame(TMDIClient& client) : TMDIFrame("Demo", "MENU_DEMO", client) {}

    bool IdleAction(long idleCount) override;
    std::vector<long> IdleCounts;
    int IdleBudget = 0;   // calls that still ask for more idle time
    DWORD IdlePassMs = 0;      // how long each call works
    bool PostEachPass = false; // each call leaves a message in the queue

    void CmFrameOnly() { DemoLog.push_back("frame.FrameOnly"); }
    void CmBoth() { DemoLog.push_back("frame.Both"); }
    void CmNoEnabler() { DemoLog.push_back("frame.NoEnabler"); }
    void CmDisabled() { DemoLog.push_back("frame.Disabled"); }
    void CeDisabled(TCommandEnabler& ce) { ce.Enable(false); }
    void CmChecked() { DemoLog.push_back("frame.Checked"); }
    void CeChecked(TCommandEnabler& ce) { ce.SetCheck(TCommandEnabler::Checked); }

    DECLARE_RESPONSE_TABLE(TDemoFrame);
};

class TDemoOwnerDrawButton : public TButton {
public:
    TDemoOwnerDrawButton(TWindow* parent, int id, int x, int y, int w, int h)
        : TButton(parent, id, "", x, y, w, h)
    {
        Attr.Style |= BS_OWNERDRAW;
    }
    void ODADrawEntire(DRAWITEMSTRUCT&) override { Draws.push_back("DrawEntire"); }
    void ODASelect(DRAWITEMSTRUCT& dis) override
    {
        Draws.push_back(dis.itemState & ODS_SELECTED ? "Select(down)" : "Select(up)");
    }
    void ODAFocus(DRAWITEMSTRUCT&) override { Draws.push_back("Focus"); }

    std::vector<std::string> Draws;
};

// A view: a button bar of its own (a button with the frame's CM_BOTH id), an
// owner-draw button, a scroll bar, a combo box, an edit field and a menu that
// merges into the frame's.
class TDemoChildA : public TMDIChild {
public:
    explicit TDemoChildA(TMDIClient& client);

    TButton* Button;
    TDemoOwnerDrawButton* OwnerDraw;
    TScrollBar* Bar;
    TComboBox* Combo;
    TEdit* Edit;
    std::vector<UINT> ScrollCodes;

    void SetupWindow() override;
    void CmBoth() { DemoLog.push_back("childA.Both"); }
    void CmChildOnly() { DemoLog.push_back("childA.ChildOnly"); }
    void CeChildOnly(TCommandEnabler& ce) { ce.SetCheck(TCommandEnabler::Checked); }
    void CmChildMenu() { DemoLog.push_back("childA.ChildMenu"); }
    void ScrollNotify(UINT code) { ScrollCodes.push_back(code); }
    void ComboChanged() { DemoLog.push_back("childA.ComboChanged"); }
    void EditChanged() { DemoLog.push_back("childA.EditChanged"); }

    DECLARE_RESPONSE_TABLE(TDemoChildA);
};

class TDemoChildB : public TMDIChild {
public:
    explicit TDemoChildB(TMDIClient& client) : TMDIChild(client, "Child B") {}

    void CmChildOnly() { DemoLog.push_back("childB.ChildOnly"); }

    DECLARE_RESPONSE_TABLE(TDemoChildB);
};

// The record a dialog edits, and what the dialog does once it is set up.
struct TDemoRecord {
    std::string Text = "initial";
    bool Checked = false;
};

class TDemoDialog : public TDialog {
public:
    TDemoDialog(TWindow* parent, TDemoRecord& record, int closeWith)
        : TDialog(parent, "DIALOG_DEMO"), Record(record), CloseWith(closeWith)
    {
        Edit = new TEdit(this, IDC_DLG_EDIT, 20);
        Check = new TCheckBox(this, IDC_DLG_CHECK);
    }
    ~TDemoDialog() override
    {
        delete Edit;
        delete Check;
    }

    void SetupWindow() override;
    void CmOk() override;

    TEdit* Edit;
    TCheckBox* Check;
    std::string SeenText;   // the edit's text as set up

private:
    TDemoRecord& Record;
    int CloseWith;   // 0: stay open; else the command posted after set-up
};
