#include "GuiTest.h"
#include "framework/TClipboard.h"
#include "framework/TComboBox.h"
#include "framework/TEdit.h"
#include "framework/TListBox.h"
#include "framework/TScroller.h"
#include "framework/TStatic.h"
#include "framework/TWindow.h"

namespace {
class ControlsTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Parent.Attr.Style = WS_OVERLAPPEDWINDOW;
        Parent.Attr.W = 300;
        Parent.Attr.H = 200;
    }
    TWindow Parent{nullptr, "parent"};
};
}

TEST_F(ControlsTest, MultiLineEditGivesTheLineOperationsTheMacroEditorUses)
{
    TEdit edit(&Parent, 104, "", 0, 0, 200, 100, 0, true);
    ASSERT_TRUE(Parent.Create());
    ASSERT_TRUE(edit.GetHandle());   // created by the parent's set-up
    edit.SetText("[Run]\r\n\r\n[Stop] now");
    EXPECT_EQ(edit.GetNumLines(), 3);
    struct Line {
        int line;
        const char* text;
        int index;
    };
    const Line lines[] = {{0, "[Run]", 0}, {1, "", 7}, {2, "[Stop] now", 9}};
    for (const Line& l : lines) {
        EXPECT_EQ(edit.GetLine(l.line), l.text) << l.line;
        EXPECT_EQ(edit.GetLineLength(l.line), int(strlen(l.text))) << l.line;
        EXPECT_EQ(edit.GetLineIndex(l.line), l.index) << l.line;
        EXPECT_EQ(edit.GetLineFromPos(l.index), l.line) << l.line;
    }
    char small[6];
    EXPECT_TRUE(edit.GetLine(small, sizeof small, 0));
    EXPECT_STREQ(small, "[Run]");
    EXPECT_FALSE(edit.GetLine(small, sizeof small, 2));   // does not fit
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(edit.GetLine(small, sizeof small, 3));   // no such line
    EXPECT_EQ(edit.GetLine(-1), "");

    edit.ClearModify();
    edit.SetSelection(0, 5);
    edit.Insert("[Go]");
    EXPECT_TRUE(edit.IsModified());
    EXPECT_EQ(edit.GetLine(0), "[Go]");
    int start, end;
    edit.GetSelection(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
}

TEST_F(ControlsTest, SingleLineEditKeepsItsTextLimit)
{
    TEdit edit(&Parent, 1, "", 0, 0, 100, 20, 5);
    ASSERT_TRUE(Parent.Create());
    edit.SendMessage(WM_CHAR, 'a');
    for (char c : std::string("bcdefg")) edit.SendMessage(WM_CHAR, WPARAM(c));
    EXPECT_EQ(edit.GetText(), "abcde");
}

TEST_F(ControlsTest, ListAndComboBoxesHoldStrings)
{
    TListBox list(&Parent, 1, 0, 0, 100, 100);
    TComboBox sorted(&Parent, 2, 0, 0, 100, 100, CBS_DROPDOWNLIST, 0);
    TComboBox plain(&Parent, 3, 0, 0, 100, 100, CBS_DROPDOWN, 20);
    plain.Attr.Style &= ~DWORD(CBS_SORT);
    ASSERT_TRUE(Parent.Create());
    for (const char* s : {"gamma", "alpha", "beta"}) {
        list.AddString(s);
        sorted.AddString(s);
        plain.AddString(s);
    }
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetString(0), "gamma");
    EXPECT_EQ(list.FindExactString("beta"), 2);
    EXPECT_EQ(list.GetSelIndex(), LB_ERR);
    list.SetSelString("al");
    EXPECT_EQ(list.GetSelIndex(), 1);
    list.DeleteString(0);
    EXPECT_EQ(list.GetString(0), "alpha");
    EXPECT_EQ(list.GetString(9), "");

    EXPECT_EQ(sorted.GetString(0), "alpha");
    EXPECT_EQ(plain.GetString(0), "gamma");
    plain.SetSelIndex(2);
    EXPECT_EQ(plain.GetText(), "beta");
    plain.ClearList();
    EXPECT_EQ(plain.GetCount(), 0);
}

TEST_F(ControlsTest, StaticShowsItsText)
{
    TStatic label(&Parent, 1, "Left", 0, 0, 100, 20);
    ASSERT_TRUE(Parent.Create());
    EXPECT_EQ(label.GetText(), "Left");
    label.SetText("Right");
    EXPECT_EQ(label.GetText(), "Right");
}

TEST_F(ControlsTest, ScrollerScrollsRangesBeyondSixteenBits)
{
    Parent.Attr.Style |= WS_VSCROLL | WS_HSCROLL;
    Parent.Scroller = new TScroller(&Parent, 80, 18, 0, 100000);
    ASSERT_TRUE(Parent.Create());
    TScroller& s = *Parent.Scroller;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE;
    ::GetScrollInfo(Parent, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 100000 + int(Parent.Scroller->YPage) - 1);
    Parent.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(s.YPos, 1);
    Parent.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(s.YPos, 1 + s.YPage);
    Parent.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(s.YPos, 100000);
    EXPECT_EQ(::GetScrollPos(Parent, SB_VERT), 100000);
    s.ScrollTo(0, 70000);
    EXPECT_EQ(s.YPos, 70000);
    Parent.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(s.YPos, 0);
    s.ScrollBy(0, -5);
    EXPECT_EQ(s.YPos, 0);
}

TEST_F(ControlsTest, ClipboardCarriesTextAndRegisteredFormats)
{
    ASSERT_TRUE(Parent.Create());
    UINT link = TClipboard::RegisterClipboardFormat("Link");
    ASSERT_NE(link, 0u);
    EXPECT_EQ(TClipboard::GetClipboardFormatName(link), "Link");
    {
        TClipboard clip(Parent);
        ASSERT_TRUE(clip.IsOpen());
        clip.EmptyClipboard();
        ASSERT_TRUE(clip.SetText("one\ttwo"));
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4);
        ASSERT_NE(clip.SetClipboardData(link, block), nullptr);
    }
    EXPECT_TRUE(TClipboard::IsClipboardFormatAvailable(link));
    TClipboard clip(Parent);
    EXPECT_EQ(clip.GetText(), "one\ttwo");
    std::vector<UINT> formats;
    for (UINT f = clip.EnumClipboardFormats(0); f; f = clip.EnumClipboardFormats(f)) formats.push_back(f);
    EXPECT_NE(std::find(formats.begin(), formats.end(), UINT(CF_TEXT)), formats.end());
    EXPECT_NE(std::find(formats.begin(), formats.end(), link), formats.end());
}
