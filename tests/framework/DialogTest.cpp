#include "DemoWindows.h"
#include "GuiTest.h"

namespace {
class DialogTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Owner.Attr.Style = WS_OVERLAPPEDWINDOW;
        ASSERT_TRUE(Owner.Create());
    }
    TWindow Owner{nullptr, "owner"};
    TDemoRecord Record;
};
}

TEST_F(DialogTest, ModalDialogTransfersOnOkAndNotOnCancel)
{
    {
        TDemoDialog dialog(&Owner, Record, IDCANCEL);
        EXPECT_EQ(dialog.Execute(), IDCANCEL);
        EXPECT_EQ(dialog.SeenText, "initial");
        EXPECT_EQ(dialog.GetHandle(), nullptr);
    }
    EXPECT_EQ(Record.Text, "initial");
    EXPECT_FALSE(Record.Checked);

    TDemoDialog dialog(&Owner, Record, IDOK);
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_EQ(Record.Text, "edited");
    EXPECT_TRUE(Record.Checked);
    // The same object runs again, its controls bound afresh.
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_EQ(dialog.SeenText, "edited");
}

TEST_F(DialogTest, ModelessDialogTakesItsKeysThroughTheMessageLoop)
{
    TDemoDialog dialog(&Owner, Record, 0);
    ASSERT_TRUE(dialog.Create());
    dialog.Show(SW_SHOW);
    Pump();
    EXPECT_FALSE(dialog.IsModal());
    EXPECT_EQ(dialog.Edit->GetText(), "edited");
    EXPECT_TRUE(Owner.GetChildren().empty());   // owned, not a child
    // Esc in the edit field is the dialog manager's Cancel.
    dialog.Edit->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    Pump();
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_EQ(Record.Text, "initial");
}

TEST_F(DialogTest, ItemHelpersReadAndWriteTemplateItems)
{
    TDemoDialog dialog(&Owner, Record, 0);
    ASSERT_TRUE(dialog.Create());
    dialog.SetItemInt(IDC_DLG_EDIT, UINT(-42));
    bool ok = false;
    EXPECT_EQ(int(dialog.GetItemInt(IDC_DLG_EDIT, &ok)), -42);
    EXPECT_TRUE(ok);
    dialog.SetItemText(IDC_DLG_EDIT, "abc");
    dialog.GetItemInt(IDC_DLG_EDIT, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(dialog.GetItemText(IDC_DLG_EDIT), "abc");
    dialog.CheckItem(IDC_DLG_CHECK, BST_UNCHECKED);
    EXPECT_EQ(dialog.IsItemChecked(IDC_DLG_CHECK), UINT(BST_UNCHECKED));
    EXPECT_EQ(dialog.Check->GetCheck(), UINT(BST_UNCHECKED));
    dialog.Destroy();
}
