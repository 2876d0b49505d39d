#pragma once
// A host that records what the dialogs ask of the main window, and the
// control messages a user's clicks and keys send.
#include <windows.h>
#include <string>
#include <vector>
#include "dialogs/TDialogHost.h"
#include "framework/TDialog.h"
#include "framework/THtmlHelp.h"
#include "tests/framework/GuiTest.h"

struct TTestDialogHost : TDialogHost {
    bool PostProcess = false;
    bool InputPort = true;
    bool AllowMemory = true;
    std::vector<AnalysisSettingsStruct> MemoryAsked;
    // The file dialog: what it was given, and the path it answers (none: Cancel).
    std::vector<TOpenSaveDialog::TData> FileDialogs;
    std::vector<std::string> FileDialogTitles;
    std::string ChosenFile;
    std::string Folder = "C:\\mic";
    std::vector<std::string> KeptFolders;

    bool IsPostProcessing() const override { return PostProcess; }
    bool HasInputPort() const override { return InputPort; }
    bool MemoryAllows(const AnalysisSettingsStruct& next) override
    {
        MemoryAsked.push_back(next);
        return AllowMemory;
    }
    int RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool) override
    {
        FileDialogs.push_back(data);
        FileDialogTitles.push_back(title);
        if (ChosenFile.empty()) return IDCANCEL;
        data.FileName = ChosenFile;
        return IDOK;
    }
    bool FitsFileBuffer(const std::string& path) override { return path.size() < 256; }
    std::string CurrentFolder(const char* kind) const override { return std::string(kind) == "mic" ? Folder : ""; }
    void KeepFolder(const char* kind, const char* chosenPath) override
    {
        KeptFolders.push_back(std::string(kind) + ":" + chosenPath);
    }
    const char* HelpFilePath() const override { return "C:\\Tonalyx\\Tonalyx.chm"; }
};

// The help viewer's calls, recorded instead of made.
struct THelpCall {
    HWND Owner;
    std::string File;
    UINT Command;
    DWORD_PTR Data;
};
inline std::vector<THelpCall>& HelpCalls()
{
    static std::vector<THelpCall> calls;
    return calls;
}
inline HWND WINAPI RecordHelpCall(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)
{
    HelpCalls().push_back({owner, file ? file : "", command, data});
    return nullptr;
}

// What a user's actions send to a dialog's controls.
namespace Control {

inline HWND Item(TDialog& d, int id) { return ::GetDlgItem(d.GetHandle(), id); }

inline void Notify(TDialog& d, int id, UINT code)
{
    d.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), LPARAM(Item(d, id)));
}
// A button pressed, as a click does (radio buttons check themselves first).
inline void Click(TDialog& d, int id) { ::SendMessageA(Item(d, id), BM_CLICK, 0, 0); }
inline void Press(TDialog& d, int id) { Notify(d, id, BN_CLICKED); }
inline void Type(TDialog& d, int id, const char* text) { ::SetDlgItemTextA(d.GetHandle(), id, text); }
// A list entry chosen.
inline void Choose(TDialog& d, int id, int index)
{
    ::SendDlgItemMessageA(d.GetHandle(), id, CB_SETCURSEL, WPARAM(index), 0);
    Notify(d, id, CBN_SELCHANGE);
}
// Text typed into the edit field of a drop-down combo box.
inline void TypeInCombo(TDialog& d, int id, const char* text)
{
    ::SetDlgItemTextA(d.GetHandle(), id, text);
    Notify(d, id, CBN_EDITCHANGE);
}
inline std::string Text(TDialog& d, int id) { return d.GetItemText(id); }
// A spin bar's up (SB_LINEUP) or down (SB_LINEDOWN) arrow pressed.
inline void Spin(TDialog& d, int id, UINT code)
{
    d.SendMessage(WM_VSCROLL, MAKEWPARAM(code, 0), LPARAM(Item(d, id)));
}
inline bool Checked(TDialog& d, int id) { return ::IsDlgButtonChecked(d.GetHandle(), id) == BST_CHECKED; }
inline bool Enabled(TDialog& d, int id) { return ::IsWindowEnabled(Item(d, id)) != FALSE; }
inline int Selection(TDialog& d, int id) { return int(::SendDlgItemMessageA(d.GetHandle(), id, CB_GETCURSEL, 0, 0)); }
inline int Count(TDialog& d, int id) { return int(::SendDlgItemMessageA(d.GetHandle(), id, CB_GETCOUNT, 0, 0)); }
inline std::string Entry(TDialog& d, int id, int index)
{
    char text[256] = {};
    ::SendDlgItemMessageA(d.GetHandle(), id, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
    return text;
}
inline std::vector<std::string> Entries(TDialog& d, int id)
{
    std::vector<std::string> entries;
    for (int i = 0; i < Count(d, id); ++i) entries.push_back(Entry(d, id, i));
    return entries;
}
// OK as the button sends it; true when the dialog closed.
inline bool Ok(TDialog& d)
{
    Press(d, IDOK);
    return d.GetHandle() == nullptr;
}

}

// A modeless run of a dialog on its template, the message-box hook emptied
// and answering preset.
class DialogTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Owner.Attr.Style = WS_OVERLAPPEDWINDOW;
        ASSERT_TRUE(Owner.Create());
        Boxes().Reply = TEngineHost::AnswerOk;
        HelpCalls().clear();
        THtmlHelp::SetEntry(&RecordHelpCall);
    }
    void TearDown() override
    {
        THtmlHelp::SetEntry(nullptr);
        GuiTest::TearDown();
    }
    // Help pressed: one call that opens the help file at the context, owned by the dialog.
    void ExpectHelp(TDialog& d, int helpId, DWORD_PTR context)
    {
        HelpCalls().clear();
        Control::Press(d, helpId);
        ASSERT_EQ(HelpCalls().size(), 1u);
        EXPECT_EQ(HelpCalls()[0].Owner, d.GetHandle());
        EXPECT_EQ(HelpCalls()[0].File, Main.HelpFilePath());
        EXPECT_EQ(HelpCalls()[0].Command, THtmlHelp::HelpContext);
        EXPECT_EQ(HelpCalls()[0].Data, context);
    }
    static THeadlessEngineHost& Boxes() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }
    TWindow Owner{nullptr, "owner"};
    TTestDialogHost Main;
};
