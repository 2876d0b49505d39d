#include "GuiTest.h"
#include <dlgs.h>
#include "framework/TChooseColorDialog.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TFileSaveDialog.h"
#include "framework/TWindow.h"

namespace {
// What the timer does to the system dialog titled Title once it is up.
std::string Title;
std::string TypeName;   // empty: press Cancel
int TimerTicks = 0;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = ::FindWindowA("#32770", Title.c_str());
    if (!dlg && ++TimerTicks < 50) return;
    ::KillTimer(nullptr, id);
    if (!dlg) return;
    if (TypeName.empty()) {
        ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND name = ::GetDlgItem(dlg, edt1) ? ::GetDlgItem(dlg, edt1) : ::GetDlgItem(dlg, cmb13);
    ::SetWindowTextA(name, TypeName.c_str());
    ::PostMessageA(dlg, WM_COMMAND, IDOK, 0);
}

class CommonDialogTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Owner.Attr.Style = WS_OVERLAPPEDWINDOW;
        ASSERT_TRUE(Owner.Create());
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        Folder = dir;
    }
    void Drive(const char* title, const std::string& name)
    {
        Title = title;
        TypeName = name;
        TimerTicks = 0;
        ::SetTimer(nullptr, 0, 100, &DriveDialog);
    }
    TWindow Owner{nullptr, "owner"};
    std::string Folder;
};
}

TEST_F(CommonDialogTest, OpenDialogReturnsTheChosenFileAndCancelLeavesTheData)
{
    std::string file = Folder + "tonalyx_demo.mac";
    std::FILE* f = std::fopen(file.c_str(), "w");
    std::fclose(f);

    TOpenSaveDialog::TData data;
    data.Filter = "Macro Command Files (*.mac)|*.mac|";
    data.InitialDir = Folder;
    data.Flags |= OFN_FILEMUSTEXIST;
    data.FileName = "untouched";
    Drive("Open Macro Command File", "");
    EXPECT_EQ(TFileOpenDialog(&Owner, data, "Open Macro Command File").Execute(), IDCANCEL);
    EXPECT_EQ(data.Error, 0u);
    EXPECT_EQ(data.FileName, "untouched");

    data.FileName.clear();
    Drive("Open Macro Command File", "tonalyx_demo.mac");
    ASSERT_EQ(TFileOpenDialog(&Owner, data, "Open Macro Command File").Execute(), IDOK);
    EXPECT_EQ(::lstrcmpiA(data.FileName.c_str(), file.c_str()), 0) << data.FileName;
    ::DeleteFileA(file.c_str());
}

TEST_F(CommonDialogTest, SaveDialogAddsTheDefaultExtension)
{
    TOpenSaveDialog::TData data;
    data.Filter = "Macro Command Files (*.mac)|*.mac|";
    data.InitialDir = Folder;
    data.DefExt = "mac";
    Drive("Save Macro File", "fresh");
    ASSERT_EQ(TFileSaveDialog(&Owner, data, "Save Macro File").Execute(), IDOK);
    EXPECT_EQ(::lstrcmpiA(data.FileName.c_str(), (Folder + "fresh.mac").c_str()), 0) << data.FileName;
}

TEST_F(CommonDialogTest, ColourDialogKeepsTheCustomTable)
{
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) custom[i] = RGB(i, 2 * i, 3 * i);
    TChooseColorDialog::TData data;
    data.Color = TColor(10, 20, 30);
    data.CustColors = custom;
    Drive("Color", "");
    EXPECT_EQ(TChooseColorDialog(&Owner, data).Execute(), IDCANCEL);
    EXPECT_EQ(COLORREF(data.Color), RGB(10, 20, 30));
    EXPECT_EQ(custom[15], RGB(15, 30, 45));
}
