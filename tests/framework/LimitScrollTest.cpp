#include "DemoIds.h"
#include "GuiTest.h"
#include "framework/LimitScroll.h"
#include "framework/TDialog.h"
#include "framework/TEdit.h"

namespace {
class LimitScrollTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Parent.Attr.Style = WS_OVERLAPPEDWINDOW;
        Parent.Attr.W = 200;
        Parent.Attr.H = 100;
    }
    // The arrow click as the system reports it: the parent's WM_VSCROLL with the bar's handle.
    static void Click(TWindow& parent, LimitScroll& spin, UINT code)
    {
        parent.SendMessage(WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(spin.GetHandle()));
    }
    TWindow Parent{nullptr, "parent"};
};
}

TEST_F(LimitScrollTest, ArrowsStepTheEditValueAndClampOnTheSideSteppedTowards)
{
    TEdit edit(&Parent, 1, "", 0, 0, 80, 20, 20);
    LimitScroll spin(&Parent, 2, 82, 0, 12, 20, nullptr, &edit, 10.0f, 0.0f, 1.0f);
    ASSERT_TRUE(Parent.Create());
    EXPECT_STREQ(spin.GetFormat(), "%1.0f");
    EXPECT_TRUE(spin.GetStyle() & SBS_VERT);

    struct Case {
        const char* text;
        int precision;
        float step;
        UINT code;
        const char* expected;
    };
    const Case cases[] = {
        {"9.5", 0, 1.0f, SB_LINEUP, "10"},      // clamped to the maximum
        {"10", 0, 1.0f, SB_LINEUP, "10"},       // and stays there
        {"0.2", 1, 0.5f, SB_LINEDOWN, "0.0"},   // clamped to the minimum
        {"", 0, 1.0f, SB_LINEUP, "1"},          // empty text counts as 0
        {"volts", 2, 1.0f, SB_LINEUP, "1.00"},  // so does text that is no number
        {"2.5x", 1, 1.0f, SB_LINEDOWN, "1.5"},  // the leading number counts
        {"15", 0, 1.0f, SB_LINEDOWN, "14"},     // above the maximum: stepping down is not clamped
        {"-3", 0, 1.0f, SB_LINEUP, "-2"},       // below the minimum: stepping up is not clamped
        {"3", 12, 1.0f, SB_LINEUP, "4.0e+00"},  // precision 10 and more: exponent notation
        {"3", -1, 1.0f, SB_LINEUP, "4"},
        {"5", 9, 0.25f, SB_LINEUP, "5.250000000"},
        {"5", 0, -2.0f, SB_LINEUP, "3"},        // a negative step turns the arrows round
        {"4", 0, 1.0f, SB_PAGEUP, "4"},         // page steps keep the bar's own behaviour
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        spin.SetPrecision(c.precision);
        spin.SetStep(c.step);
        edit.SetText(c.text);
        Click(Parent, spin, c.code);
        EXPECT_EQ(edit.GetText(), c.expected);
    }
}

TEST_F(LimitScrollTest, RangeAndStepIgnoreValuesThatCannotWork)
{
    TEdit edit(&Parent, 1, "", 0, 0, 80, 20);
    LimitScroll spin(&Parent, 2, 82, 0, 12, 20, nullptr, &edit, 10.0f, 0.0f, 1.0f);
    spin.SetRange(5.0f, 5.0f);
    spin.SetRange(1.0f, 2.0f);
    spin.SetStep(0.0f);
    EXPECT_EQ(spin.GetMaximum(), 10.0f);
    EXPECT_EQ(spin.GetMinimum(), 0.0f);
    EXPECT_EQ(spin.GetStep(), 1.0f);
    spin.SetRange(400.0f, -400.0f);
    spin.SetStep(-0.5f);
    EXPECT_EQ(spin.GetMaximum(), 400.0f);
    EXPECT_EQ(spin.GetMinimum(), -400.0f);
    EXPECT_EQ(spin.GetStep(), -0.5f);
}

TEST_F(LimitScrollTest, LargeValuesAreWrittenWhole)
{
    TEdit edit(&Parent, 1, "", 0, 0, 80, 20);
    LimitScroll spin(&Parent, 2, 82, 0, 12, 20, nullptr, &edit, 1e30f, 0.0f, 1.0f);
    ASSERT_TRUE(Parent.Create());
    spin.SetPrecision(9);
    edit.SetText("1e29");
    spin.StepUp();
    char expected[64];
    std::snprintf(expected, sizeof expected, "%1.9f", 1e29 + 1.0);
    EXPECT_EQ(edit.GetText(), expected);
}

TEST_F(LimitScrollTest, BindsToTheScrollBarOfADialogTemplate)
{
    TDialog dialog(&Parent, "DIALOG_SPIN");
    TEdit edit(&dialog, IDC_SPIN_EDIT, 20);
    LimitScroll spin(&dialog, IDC_SPIN_BAR, nullptr, &edit, 400.0f, -400.0f, 5.0f);
    ASSERT_TRUE(Parent.Create());
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(spin.GetHandle());
    edit.SetText("398");
    Click(dialog, spin, SB_LINEUP);
    EXPECT_EQ(edit.GetText(), "400");
    Click(dialog, spin, SB_LINEDOWN);
    EXPECT_EQ(edit.GetText(), "395");
    dialog.Destroy();
}
