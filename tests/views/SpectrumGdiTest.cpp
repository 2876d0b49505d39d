// The GDI objects the program holds while two spectrum views redraw and
// while the View menu closes and opens them, as the framework's wrappers
// count them (Wine has no GetGuiResources).
#include <algorithm>
#include <cstdio>

#include "framework/TGdiObject.h"
#include "resources/CommandIds.h"
#include "tests/views/SpectrumScreen.h"

namespace {

// Draws what a live block draws in both views, then repaints them whole.
void Redraw(TMainWin& main, float time)
{
    for (TSpectrumPlot* view : main.SpectrumViews()) {
        view->NewData(time);
        view->Invalidate(true);
        view->UpdateWindow();
    }
}

}  // namespace

TEST_F(TSpectrumScreen, TwoViewsRedrawFiveHundredTimesOnTheSameObjects)
{
    Independent = true;
    Open(2, 2);
    LoadTone("sine_1k_stereo.wav");
    ASSERT_NE(Main->SpectrumView(1), nullptr);
    Main->CmRun();
    Pump();
    ASSERT_EQ(Main->GetBlocksProcessed(), 1);
    Redraw(*Main, 0.0f);
    const long before = TGdiObject::LiveObjects();
    long most = before;
    for (int frame = 1; frame <= 500; ++frame) {
        Redraw(*Main, frame * 0.1f);
        most = std::max(most, TGdiObject::LiveObjects());
    }
    EXPECT_EQ(TGdiObject::LiveObjects(), before);
    EXPECT_EQ(most, before);
    std::printf("GDI objects over 500 redraws of two spectrum views: %ld before, %ld at most, %ld after\n", before,
                most, TGdiObject::LiveObjects());
}

TEST_F(TSpectrumScreen, ViewMenuClosesAndOpensTheViewsTwentyTimesWithoutLeaking)
{
    Independent = true;
    Open(2, 2);
    LoadTone("sine_1k_stereo.wav");
    auto toggle = [&] {
        Main->SendMessage(WM_COMMAND, CM_VIEWSPECTRUM);
        Pump();
    };
    toggle();
    ASSERT_EQ(Main->SpectrumView(0), nullptr);
    const long closed = TGdiObject::LiveObjects();
    toggle();
    ASSERT_NE(Main->SpectrumView(1), nullptr);
    const long open = TGdiObject::LiveObjects();
    EXPECT_GT(open, closed);
    for (int cycle = 0; cycle < 20; ++cycle) {
        toggle();
        ASSERT_EQ(TGdiObject::LiveObjects(), closed) << "closed, cycle " << cycle;
        toggle();
        ASSERT_EQ(TGdiObject::LiveObjects(), open) << "open, cycle " << cycle;
    }
    std::printf("GDI objects over 20 View menu cycles: %ld with both spectrum views closed, %ld open\n", closed,
                open);
}
