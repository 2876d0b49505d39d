// The printed page's geometry and header texts, without a printer.
#include <gtest/gtest.h>

#include <cstring>

#include "views/TPrintPage.h"

namespace {

TPrintOptions Margins(float left, float right, float top, float bottom)
{
    TPrintOptions options{};
    options.MarginLeft = left;
    options.MarginRight = right;
    options.MarginTop = top;
    options.MarginBottom = bottom;
    return options;
}

// A 600-dpi landscape letter page inside a printer's unprintable edge.
constexpr TPageMetrics Letter600{600, 600, 6360, 4900};

}  // namespace

TEST(TPrintPage, HalfInchMarginsAt600DpiLeaveTheHeaderRoomAboveThePlot)
{
    const TPrintPage page(Letter600, Margins(0.5f, 0.5f, 0.5f, 0.5f));
    EXPECT_EQ(page.PlotFrame(), (TPaneRect{300, 750, 6360 - 300, 4900 - 300}));
    EXPECT_EQ(page.HeaderHeight(), 450);
    EXPECT_EQ(page.HeaderBox(), (TPaneRect{300, 300, 6060, 750}));
    EXPECT_EQ(page.TextHeight(), 75);
    EXPECT_EQ(page.LineStep(), 82);
}

TEST(TPrintPage, TheCommentBlockRaisesTheBottomMarginOverItself)
{
    const TPrintPage page(Letter600, Margins(0.5f, 0.5f, 0.5f, 0.5f));
    EXPECT_EQ(page.CommentBlockHeight(), 840 + 300);
    EXPECT_FLOAT_EQ(page.MarginBottomAboveComments(), 1.9f);
    EXPECT_EQ(page.CommentBox(), (TPaneRect{300, 4900 - 1140, 6060, 4600}));
    EXPECT_EQ(page.CommentAt(0), (TCurvePoint{310, 4900 - 1140 + 10}));
    EXPECT_EQ(page.CommentAt(9), (TCurvePoint{310, 4900 - 1140 + 10 + 9 * 82}));
    // A plot laid out with the raised margin ends on the block's top edge,
    // give or take the pixel that truncating 1.9 inches can lose.
    TPrintOptions raised = Margins(0.5f, 0.5f, 0.5f, page.MarginBottomAboveComments());
    EXPECT_NEAR(TPrintPage(Letter600, raised).PlotFrame().bottom, page.CommentBox().top, 1);
}

TEST(TPrintPage, BlockLinesStandAtTheirAnchors)
{
    // Uneven margins, so that each anchor shows which margin it takes.
    const TPrintPage page(Letter600, Margins(0.25f, 1.0f, 0.75f, 0.5f));
    EXPECT_EQ(page.UserInfoAt(0), (TCurvePoint{6360 - 600 - 10, 450 + 6}));
    EXPECT_EQ(page.UserInfoAt(1), (TCurvePoint{6360 - 600 - 10, 450 + 6 + 82}));
    EXPECT_EQ(page.SettingsAt(3), (TCurvePoint{150 + 10, 450 + 6 + 3 * 82}));
    EXPECT_EQ(page.TitleAt(1), (TCurvePoint{150 + (6360 - 150 - 600) / 2, 450 + 6 + 82}));
}

TEST(TPrintPage, ThePlotFontIsAnEighthOfAnInchOnPaper)
{
    // 4000 printable pixels over a 400-pixel window: 600 x 0.125 / 10 + 0.5.
    const TPageMetrics page{600, 600, 6000, 4000 + 750 + 300};
    const TPrintPage print(page, Margins(0.5f, 0.5f, 0.5f, 0.5f));
    ASSERT_EQ(print.PlotFrame().Height(), 4000);
    EXPECT_EQ(print.PlotFontHeight(false, 400), 8);
    EXPECT_EQ(print.PlotFontHeight(true, 400), 75);
    // 300 dpi: 37.5 truncated.
    EXPECT_EQ(TPrintPage({300, 300, 3300, 2500}, Margins(0.5f, 0.5f, 0.5f, 0.5f)).PlotFontHeight(true, 0), 37);
}

TEST(TPrintPage, SettingsLinesNameTheWindowAndInfiniteAveraging)
{
    const auto lines = TPrintPage::SettingsLines(48000, 4096, 20, 4);
    EXPECT_EQ(lines[0], "Sampling:\t48000 Hz");
    EXPECT_EQ(lines[1], "FFT size:\t4096");
    EXPECT_EQ(lines[2], "Averaging:\t20");
    EXPECT_EQ(lines[3], "Window:\tHanning");
    const struct {
        uint32_t Blocks;
        uint16_t Window;
        const char* Averaging;
        const char* WindowLine;
    } cases[] = {{21, 0, "Averaging:\t21", "Window:\tBartlett"},
                 {1000, 2, "Averaging:\t1000", "Window:\tFlat top"},
                 {1000000, 8, "Averaging:\tInfinite", "Window:\tUniform"},
                 {1, 9, "Averaging:\t1", "Window:\tGaussian"},
                 {4, 10, "Averaging:\t4", "Window:\tNone"},
                 {4, 65535, "Averaging:\t4", "Window:\tNone"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Blocks);
        const auto got = TPrintPage::SettingsLines(44100, 1024, c.Blocks, c.Window);
        EXPECT_EQ(got[2], c.Averaging);
        EXPECT_EQ(got[3], c.WindowLine);
    }
}

TEST(TPrintPage, SwitchesMatchWithoutCaseOverTwentyCharacters)
{
    EXPECT_TRUE(TPrintPage::SwitchIs("false", "FALSE"));
    EXPECT_TRUE(TPrintPage::SwitchIs("FaLsE", "FALSE"));
    EXPECT_FALSE(TPrintPage::SwitchIs("no", "FALSE"));
    EXPECT_FALSE(TPrintPage::SwitchIs("FALSEHOOD", "FALSE"));
    EXPECT_FALSE(TPrintPage::SwitchIs("", "TRUE"));
    // Only the first 20 characters count.
    EXPECT_TRUE(TPrintPage::SwitchIs("abcdefghijklmnopqrstXYZ", "ABCDEFGHIJKLMNOPQRST"));
}
