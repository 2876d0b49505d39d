// Spectrogram views over a fake host: the resize debounce, the control
// bar's fields and intensity control, the cursor copy, annotations, labels
// of two views, the largest picture, the commands and menus, and the GDI
// objects it keeps.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <tuple>

#include "engine/TWaveData.h"
#include "framework/TClipboard.h"
#include "framework/TCommandEnabler.h"
#include "framework/TGdiObject.h"
#include "resources/CommandIds.h"
#include "tests/framework/Screenshot.h"
#include "tests/views/PaperPixels.h"
#include "tests/views/SpectrogramHost.h"

TEST_F(TSpectrogramOverFakeHost, TwoResizesWithinHalfASecondAskForOneRebuild)
{
    TSpectrogram& view = Open();
    Wait(700);
    Host.Rebuilt.clear();
    view.MoveWindow(0, 0, 800, 500, true);
    Wait(200);
    view.MoveWindow(0, 0, 850, 520, true);
    Wait(300);
    EXPECT_TRUE(Host.Rebuilt.empty()) << "500 ms after the first resize, 300 after the second";
    Wait(400);
    ASSERT_EQ(Host.Rebuilt.size(), 1u);
    EXPECT_EQ(Host.Rebuilt[0], &view);

    // Neither minimising nor a resize while running asks for one.
    Host.Rebuilt.clear();
    view.Show(SW_MINIMIZE);
    Wait(700);
    view.Show(SW_RESTORE);
    Wait(700);
    Host.Rebuilt.clear();
    Host.RunState = TViewHost::Running;
    view.MoveWindow(0, 0, 800, 500, true);
    Wait(700);
    EXPECT_TRUE(Host.Rebuilt.empty());
}

TEST_F(TSpectrogramOverFakeHost, RangeFieldKeepsAtLeastOneDecibel)
{
    TSpectrogram& view = Open();
    view.PlotRangeEdit->SetText("0.5");
    EXPECT_EQ(Opts[0].PlotRange, 1.0f);
    EXPECT_EQ(view.PlotRangeEdit->GetText(), "1.0");
    view.PlotRangeEdit->SetText("45");
    EXPECT_EQ(Opts[0].PlotRange, 45.0f);
    // Stopped: the picture is drawn again with the new scale.
    EXPECT_FALSE(Host.Rebuilt.empty());
    view.PlotTopEdit->SetText("-10");
    EXPECT_EQ(Opts[0].PlotTop, -10.0f);
    EXPECT_EQ(view.Scale.AmpTicks.front().Text, std::string("-10.0"));

    // On a linear scale the range has no meaning.
    view.SetViewSettings(Display(0, 0));
    Opts[0].PlotTop = 5.0f;
    view.UpdateLayout();
    EXPECT_EQ(view.PlotRangeEdit->GetText(), "N/A");
    EXPECT_FALSE(view.PlotRangeEdit->IsWindowEnabled());
    EXPECT_FALSE(view.PlotRangeSpin->IsWindowEnabled());
    view.PlotTopEdit->SetText("0.05");
    EXPECT_FLOAT_EQ(view.PlotTopSpin->GetStep(), 0.01f);
    EXPECT_STREQ(view.PlotTopSpin->GetFormat(), "%1.5f");
}

TEST_F(TSpectrogramOverFakeHost, IntensityNeedsAPaletteDisplay)
{
    TSpectrogram& view = Open();
    ASSERT_EQ(view.Palette, nullptr) << "Xvfb runs at 24 bits here";
    Opts[0].Intensity = 7;
    HWND bar = view.IntensityBar->GetHandle();
    view.SendMessage(WM_VSCROLL, SB_LINEUP, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 7);
    EXPECT_TRUE(Messages().empty());
    view.SendMessage(WM_VSCROLL, SB_ENDSCROLL, LPARAM(bar));
    EXPECT_EQ(Opts[0].Intensity, 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].Text,
              "Your video driver must be set to 256 color mode (8 bit) for the intensity control to function");
    EXPECT_EQ(Messages()[0].Caption, "");
}

TEST_F(TSpectrogramOverFakeHost, CursorCopyPutsFrequencyFirstWhenItRunsAlongX)
{
    TSpectrogram& view = Open();
    for (uint16_t direction = 0; direction < 4; ++direction) {
        SCOPED_TRACE(direction);
        Opts[0].Direction = direction;
        view.XValue = 1.5f;
        view.YValue = 3000.0f;
        view.ZValue = -20.25f;
        view.CopyCursorValues();
        TClipboard clipboard(view.GetHandle());
        ASSERT_TRUE(clipboard.IsOpen());
        const std::string text = clipboard.GetText();
        EXPECT_EQ(text.rfind(direction >= 2 ? "Freq=\t1.5000\r\n" : "Time=\t1.5000\r\n", 0), 0u) << text;
        EXPECT_NE(text.find("Amp=\t-20.2500\r\n"), std::string::npos);
    }
}

TEST_F(TSpectrogramOverFakeHost, AnnotationsAreNumberedAcrossViewsAndStayInThePicture)
{
    TSpectrogram& first = Open(0, TRect(0, 0, 600, 400));
    TSpectrogram& second = Open(1, TRect(0, 400, 600, 400));
    Opts[1].MaxCustomColor = RGB(255, 0, 255);
    TSpectrogram::AnnotationCount = 0;
    const TPoint a(first.GraphRect.left + 100, first.GraphRect.top + 100);
    first.Annotate(first.GraphRect, a, 1000.0f, 2.0f, -30.0f);
    EXPECT_EQ(TSpectrogram::AnnotationCount, 1);
    const TPoint b(second.GraphRect.left + 150, second.GraphRect.top + 80);
    second.Annotate(second.GraphRect, b, 2000.0f, 3.0f, -40.0f);
    EXPECT_EQ(TSpectrogram::AnnotationCount, 2);
    // Each view's circle in its own colour, drawn into its picture: a repaint keeps it.
    for (auto [view, point, colour] : {std::tuple{&first, a, COLORREF(Opts[0].MaxCustomColor)},
                                       std::tuple{&second, b, COLORREF(RGB(255, 0, 255))}}) {
        view->Invalidate(true);
        view->UpdateWindow();
        Screenshot shot(view->GetHandle());
        EXPECT_EQ(shot.At(point.x + 10, point.y), colour);
        EXPECT_EQ(shot.At(point.x, point.y - 10), colour);
    }
}

TEST_F(TSpectrogramOverFakeHost, TwoViewsBothRefreshTheirTimeLabels)
{
    TSpectrogram& first = Open(0, TRect(0, 0, 600, 400));
    TSpectrogram& second = Open(1, TRect(0, 400, 600, 400));
    for (float t : {4.0f, 5.0f}) {
        first.NewSpectrum(t);
        second.NewSpectrum(t);
    }
    // Within one second each view refreshes once, at its first line; a
    // second view in the same second refreshes all the same.
    EXPECT_STREQ(first.StartTimeText, second.StartTimeText);
    EXPECT_TRUE(std::strcmp(first.StartTimeText, "4.000") == 0 || std::strcmp(first.StartTimeText, "5.000") == 0)
        << first.StartTimeText;
    first.UpdateReadout();
    EXPECT_STREQ(first.StartTimeText, "5.000");
    // Two lines fill only the newest part of the image: the oldest edge is
    // labelled with the first line's time, not with the empty rows' zero.
    EXPECT_STREQ(first.EndTimeText, "4.000");
}

TEST_F(TSpectrogramOverFakeHost, PanesOfThreeThousandPixelsGetNoPicture)
{
    struct Case {
        int Width, Height;
        bool Picture;
    };
    TSpectrogram& view = Open();
    for (const Case c : {Case{3000, 400, true}, Case{3001, 400, false}, Case{800, 2999, true},
                         Case{800, 3000, false}, Case{0, 400, false}}) {
        SCOPED_TRACE(::testing::Message() << c.Width << " x " << c.Height);
        EXPECT_EQ(view.CreatePaneBitmap(nullptr, TRect(10, 10, 10 + c.Width, 10 + c.Height)) != nullptr, c.Picture);
    }
    // A pane without a picture takes lines and paints without one.
    view.PaneBitmap = view.CreatePaneBitmap(std::move(view.PaneBitmap), TRect(0, 0, 3001, 400));
    ASSERT_EQ(view.PaneBitmap, nullptr);
    view.NewSpectrum(1.0f);
    view.Invalidate(true);
    view.UpdateWindow();
    Screenshot shot(view.GetHandle());
    const COLORREF newest = shot.At(view.GraphRect.right - 1, view.GraphRect.top + 10);
    EXPECT_EQ(std::find(view.Colours.begin(), view.Colours.begin() + view.ColourCount, newest),
              view.Colours.begin() + view.ColourCount);
}

TEST_F(TSpectrogramOverFakeHost, ContextCommandsGoToTheHostAndWaitForASelection)
{
    TSpectrogram& view = Open();
    auto enabled = [&](UINT id) {
        TCommandEnabler ce(id);
        view.DispatchCommandEnable(ce);
        return ce.Enabled;
    };
    EXPECT_FALSE(enabled(TSpectrogram::CutSegmentId));
    EXPECT_TRUE(enabled(TSpectrogram::AutoScaleMenuId));
    EXPECT_TRUE(enabled(TSpectrogram::HelpId));
    TWaveData wave(1000, Host.Settings.Format);
    Host.Wave = &wave;
    EXPECT_FALSE(enabled(TSpectrogram::SegmentDtmfId)) << "no selection yet";
    view.SelectAll();
    EXPECT_TRUE(enabled(TSpectrogram::SegmentDtmfId));
    EXPECT_EQ(view.CanCut(), 1);
    EXPECT_EQ(view.CanPaste(), 1);

    for (UINT id : {801u, 802u, 803u, 804u, 805u})
        view.SendMessage(WM_COMMAND, id);
    EXPECT_EQ(Host.Commands, (std::vector<int>{CM_EDITCUT, CM_EDITCOPY, CM_EDITMUTE, CM_EDITFILTER, CM_PLAY}));
    // The whole picture selected: the time series shows the oldest to the newest line.
    view.NewSpectrum(1.0f);
    view.NewSpectrum(2.0f);
    view.SelectAll();
    view.SendMessage(WM_COMMAND, TSpectrogram::ShowSegmentSeriesId);
    ASSERT_EQ(Host.Zoomed.size(), 1u);
    EXPECT_EQ(Host.Zoomed[0], (std::pair{0.0f, 2.0f}));
    // The segment analyses: Expand fills this view, the others go to every view of their kind.
    for (UINT id : {807u, 808u, 809u, 810u})
        view.SendMessage(WM_COMMAND, id);
    EXPECT_EQ(Host.SegmentRequests,
              (std::vector<std::string>{"average", "expand spectrogram", "surface", "leq"}));
    view.ClearSelection();
    EXPECT_EQ(view.CanPlay(), 0);
    Host.Wave = nullptr;

    // A double click asks for the spectrum at the time under the pointer;
    // in Real Time with the DDE link the link's hooks get time and frequency.
    view.NewSpectrum(2.5f);
    const TPoint newest(view.GraphRect.right - 1, view.GraphRect.top + 50);
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(newest.x, newest.y));
    ASSERT_EQ(Host.Reprocessed.size(), 1u);
    EXPECT_EQ(Host.Reprocessed[0], 2.5f);
    EXPECT_EQ(Host.Zoomed.back(), (std::pair{2.5f, 0.0f}));
    Host.OpMode = TViewHost::RealTime;
    Host.DdeClientLink = 1;
    view.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(newest.x, newest.y));
    ASSERT_EQ(Host.Hooked.size(), 2u);
    EXPECT_EQ(Host.Hooked[0], 2.5f);
    EXPECT_EQ(Host.Hooked[1], view.GetYValue(newest));
}

TEST_F(TSpectrogramOverFakeHost, OpenDrawAndCloseTwentyTimesLeavesNoObjectsBehind)
{
    const long before = TGdiObject::LiveObjects();
    for (int cycle = 0; cycle < 20; ++cycle) {
        TSpectrogram& view = Open();
        for (int line = 1; line <= 20; ++line)
            view.NewSpectrum(float(line));
        view.Invalidate(true);
        view.UpdateWindow();
        const LPARAM at = MAKELPARAM(view.GraphRect.left + 200, view.GraphRect.top + 100);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        view.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at + 3);
        view.SendMessage(WM_LBUTTONUP, 0, at + 3);
        view.Annotate(view.GraphRect, TPoint(view.GraphRect.left + 50, view.GraphRect.top + 50), 1.0f, 1.0f, 1.0f);
        view.MoveWindow(0, 0, 700 + cycle, 500, true);
        Pump();
        view.Destroy();
        Views[0].reset();
        ASSERT_EQ(TGdiObject::LiveObjects(), before) << "after cycle " << cycle;
    }
}

TEST_F(TSpectrogramOverFakeHost, OnPaperThePictureIsFramedInBlackWithoutTheButtonStrip)
{
    TSpectrogram& view = Open();
    const TRect pane = view.GraphRect;
    std::map<COLORREF, int> paper = PaperPixels(view);
    EXPECT_EQ(paper[RGB(192, 192, 192)], 0);
    // Two black frames: the panes' and the picture's own.
    EXPECT_GT(paper[RGB(0, 0, 0)], 2 * (pane.Width() + pane.Height()));
}
