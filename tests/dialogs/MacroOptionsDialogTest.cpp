// The macro options dialog on its template, over a host holding the record.
#include <cstring>
#include <string>
#include "automation/TMacroHost.h"
#include "automation/TMacroOptionsDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using D = TMacroOptionsDialog;

struct TRecordHost : TMacroHost {
    MacroSettings Record;
    uint32_t ExecuteCommand(std::string_view) override { return 0; }
    std::optional<std::string> DdeItemText(int) override { return std::nullopt; }
    void PostDdeAdvise(TDdeItem) override {}
    MacroSettings& MacroOptionsRecord() override { return Record; }
    std::string ResolveMacroPath(const std::string& name) override { return name; }
    std::string LastFileFolder() override { return "C:\\data"; }
    void StoreLastFileFolder(const std::string&) override {}
    void MacroOutputFileClosed(const std::string&) override {}
    const char* HelpFile() override { return "help.chm"; }
    HFONT ControlFont() override { return nullptr; }
    HBRUSH UtilityBrush() override { return nullptr; }
    int RunMacroFileDialog(TOpenSaveDialog::TData&, const char*, bool) override { return IDCANCEL; }
    void MacroWindowClosing() override {}
    void CloseMacroWindow() override {}
};

class MacroOptions : public DialogTest {
protected:
    TRecordHost Host;
};

}

TEST_F(MacroOptions, ShowsTheRecordAnyFlagButOneAppending)
{
    struct TCase {
        uint32_t Overwrite, ShowButtons;
        bool OverwriteChecked, ShowChecked;
    };
    for (const TCase& c : {TCase{1, 1, true, true}, TCase{0, 0, false, false}, TCase{7, 2, false, false}}) {
        SCOPED_TRACE(c.Overwrite);
        Host.Record.OverwriteFlag = c.Overwrite;
        Host.Record.ShowUserBtnToolbar = c.ShowButtons;
        // A label filling its field has no terminating zero.
        std::memcpy(Host.Record.BtnLabel[2], "Twelve chars", 12);
        std::strcpy(Host.Record.BtnFilename[5], "C:\\macros\\sweep.mac");
        std::strcpy(Host.Record.OutputFilename, "C:\\out\\macro_output.txt");
        D d(&Owner, Host);
        ASSERT_TRUE(d.Create());
        EXPECT_EQ(Control::Checked(d, D::OverwriteId), c.OverwriteChecked);
        EXPECT_EQ(Control::Checked(d, D::AppendId), !c.OverwriteChecked);
        EXPECT_EQ(Control::Checked(d, D::ShowButtonsId), c.ShowChecked);
        EXPECT_EQ(Control::Text(d, D::OutputFileId), "C:\\out\\macro_output.txt");
        EXPECT_EQ(Control::Text(d, D::ViewerId), "notepad.exe");
        EXPECT_EQ(Control::Text(d, D::FirstLabelId), "Test 1");
        EXPECT_EQ(Control::Text(d, D::FirstLabelId + 2), "Twelve chars");
        EXPECT_EQ(Control::Text(d, D::FirstFileId + 5), "C:\\macros\\sweep.mac");
        d.Destroy();
    }
}

TEST_F(MacroOptions, OkStoresEveryFieldCutToItsRecord)
{
    Host.Record.OverwriteFlag = 1;
    D d(&Owner, Host);
    ASSERT_TRUE(d.Create());
    Control::Click(d, D::AppendId);
    Control::Click(d, D::ShowButtonsId);
    Control::Type(d, D::ViewerId, "C:\\tools\\view.exe");
    Control::Type(d, D::FirstLabelId + 1, "A much longer label");
    Control::Type(d, D::FirstFileId + 3, "run.mac");
    ASSERT_TRUE(Control::Ok(d));
    const MacroSettings& r = Host.Record;
    EXPECT_EQ(r.OverwriteFlag, 0u);
    EXPECT_EQ(r.ShowUserBtnToolbar, 1u);
    EXPECT_STREQ(r.OutputViewerProgram, "C:\\tools\\view.exe");
    EXPECT_STREQ(r.BtnLabel[0], "Test 1");
    EXPECT_EQ(std::string(r.BtnLabel[1]), std::string("A much longer label").substr(0, sizeof r.BtnLabel[1] - 1));
    EXPECT_STREQ(r.BtnFilename[3], "run.mac");
    EXPECT_STREQ(r.BtnFilename[0], "");
}
