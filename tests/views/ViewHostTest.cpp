// A spectrum view over a fake host, in an MDI frame of the framework's own:
// nothing of the shell is linked into this test.
#include <cmath>
#include <cstdio>
#include <memory>

#include "engine/TSpectralData.h"
#include "framework/TGdiObject.h"
#include "framework/TMDIClient.h"
#include "framework/TMDIFrame.h"
#include "tests/engine/SpectralTestSupport.h"
#include "tests/framework/GuiTest.h"
#include "tests/framework/Screenshot.h"
#include "tests/views/PaperPixels.h"
#include "tests/views/TFakeViewHost.h"
#include "views/TSpectrumPlot.h"

namespace {

constexpr uint32_t Rate = 44100;
constexpr uint32_t FftSize = 16384;

class TViewOverFakeHost : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        Host.IniPath = std::string(temp) + "tonalyx_view_host_absent.ini";
        Host.Settings = Analysis(Rate, FftSize);
        Opts.StartFreq = 20.0f;
        Opts.StopFreq = 20000.0f;
        Opts.PlotTop = 0.0f;
        Opts.PlotRange = 120.0f;
        Data = std::make_unique<TSpectralData>(Host.Settings, Display(1, 1), 0);
        Analyse(*Data, Tone(FftSize, ToneBin, 0.5), TSmoothing::Hanning);

        Client = new TMDIClient;
        Frame = new TMDIFrame("Views", TResId(), *Client);
        Frame->Attr.X = 0;
        Frame->Attr.Y = 0;
        Frame->Attr.W = 1200;
        Frame->Attr.H = 900;
        App.SetMainWindow(Frame);
        ASSERT_TRUE(Frame->Create());
        Frame->Show(SW_SHOW);
    }

    void TearDown() override
    {
        View.reset();
        delete App.SetMainWindow(nullptr);
        Pump();
        GuiTest::TearDown();
    }

    void Open()
    {
        View = std::make_unique<TSpectrumPlot>(*Client, &Host, "Spectrum", TRect(0, 0, 1100, 760), Display(1, 1),
                                               &Opts, Data.get(), nullptr, 1);
        ASSERT_TRUE(View->Create());
        Pump();
    }

    // Pixels of the logo's rectangle that are neither pane background nor grid.
    int LogoPixels()
    {
        // The logo stands in the button strip, on the button face.
        Screenshot shot(View->GetHandle());
        int count = 0;
        const TRect& r = View->LogoRect;
        const COLORREF face = RGB(192, 192, 192);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (shot.At(x, y) != face)
                    ++count;
        return count;
    }

    // 1 kHz, between two bins.
    static constexpr double ToneBin = 371.5;
    TFakeViewHost Host;
    SpectrumOpts Opts;
    std::unique_ptr<TSpectralData> Data;
    TMDIClient* Client = nullptr;
    TMDIFrame* Frame = nullptr;
    std::unique_ptr<TSpectrumPlot> View;
};

}  // namespace

TEST_F(TViewOverFakeHost, DrawsTheToneWhereTheAxisPutsIt)
{
    Open();
    ASSERT_EQ(View->PaneMode, 1);
    const TRect pane = View->GraphRect;
    Screenshot shot(View->GetHandle());
    POINT peak{-1, 1 << 30};
    for (int y = pane.top; y <= pane.bottom; ++y)
        for (int x = pane.left; x < pane.right; ++x)
            if (shot.At(x, y) == Opts.LineColor && y < peak.y && !View->LogoRect.Contains(TPoint(x, y)))
                peak = {x, y};
    ASSERT_GE(peak.x, 0) << "no curve in the pane";

    const double toneHz = ToneBin * Rate / FftSize;
    auto column = [&](double f) { return pane.left + pane.Width() * std::log10(f / 20.0) / std::log10(1000.0); };
    const double halfBin = column(toneHz + Data->GetBinWidth() / 2) - column(toneHz);
    EXPECT_NEAR(peak.x, column(toneHz), 1.0 + halfBin);
    const int bin = int(Data->GetPeakIndex());
    const double value = std::max({Data->GetDisplayValue(bin - 1), Data->GetDisplayValue(bin),
                                   Data->GetDisplayValue(bin + 1)});
    EXPECT_NEAR(peak.y, pane.bottom - std::trunc(pane.Height() * (value + 120.0) / 120.0), 2.0) << value;
}

TEST_F(TViewOverFakeHost, OnPaperTheCurveIsBoldOnWhiteWithGreyGridsAndNoButtonStrip)
{
    Opts.GridColor = RGB(0, 160, 0);
    Open();
    std::map<COLORREF, int> paper = PaperPixels(*View);
    EXPECT_EQ(paper[Opts.BackgroundColor], 0);
    EXPECT_EQ(paper[Opts.GridColor], 0);
    EXPECT_EQ(paper[RGB(192, 192, 192)], 0);
    EXPECT_GT(paper[RGB(128, 128, 128)], View->GraphRect.Height());
    // The curve keeps its colour on a colour device, four pixels wide.
    EXPECT_GT(paper[Opts.LineColor], 4 * View->GraphRect.Width());
    EXPECT_GT(paper[RGB(0, 0, 0)], 2 * View->GraphRect.Width());
    // The window itself still paints as before.
    Pump();
    Screenshot shot(View->GetHandle());
    EXPECT_EQ(shot.At(View->GraphRect.left + 2, View->GraphRect.top + 2), Opts.BackgroundColor);
}

TEST_F(TViewOverFakeHost, TheHostsRunStateShowsOrHidesTheLogo)
{
    Open();
    ASSERT_FALSE(View->LogoRect.IsEmpty());
    EXPECT_GT(LogoPixels(), 100);
    Host.RunState = TViewHost::Running;
    View->Invalidate(true);
    View->UpdateWindow();
    EXPECT_EQ(LogoPixels(), 0);
}

TEST_F(TViewOverFakeHost, PanesFollowTheHostsChannelSetUp)
{
    struct Case {
        uint16_t Channels;
        uint16_t Processing;
        int32_t Independent;
        int Panes;
    };
    const Case cases[] = {
        {1, 0, 0, 1}, {2, 0, 0, 1}, {2, 2, 0, 2}, {2, 11, 0, 2}, {2, 12, 0, 2}, {2, 2, 1, 1}, {2, 10, 0, 1},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Channels << " channels, processing " << c.Processing
                                          << ", independent " << c.Independent);
        Host.Settings.Format = TWaveFormat(Rate, c.Channels, 2);
        Host.Settings.ChannelProcessing = c.Processing;
        Host.Settings.IndependentScalingAndCalibration = c.Independent;
        View->UpdateLayout();
        EXPECT_EQ(View->PaneMode, c.Panes);
    }
}

TEST_F(TViewOverFakeHost, CloseBoxAsksTheHost)
{
    Open();
    View->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    ASSERT_EQ(Host.Closed.size(), 1u);
    EXPECT_EQ(Host.Closed[0], View.get());
    // The host decides: this one keeps the window open.
    EXPECT_TRUE(View->IsWindow());
}

TEST_F(TViewOverFakeHost, TwentyOpenAndCloseCyclesLeaveNoObjectsBehind)
{
    const long before = TGdiObject::LiveObjects();
    long heldOpen = 0;
    for (int cycle = 0; cycle < 20; ++cycle) {
        Open();
        // A full paint, a live curve and a readout under the mouse.
        View->Invalidate(true);
        View->UpdateWindow();
        View->NewData(0.0f);
        const TRect& pane = View->GraphRect;
        const LPARAM at = MAKELPARAM(pane.left + pane.Width() / 2, pane.top + pane.Height() / 2);
        View->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        View->SendMessage(WM_LBUTTONUP, 0, at);
        Pump();
        heldOpen = TGdiObject::LiveObjects() - before;
        View->Destroy();
        View.reset();
        ASSERT_EQ(TGdiObject::LiveObjects(), before) << "after cycle " << cycle;
    }
    // Its button faces, readout boxes, font, logo and drawing objects.
    EXPECT_GT(heldOpen, 30);
    std::printf("GDI objects: %ld before, %ld while a view is open, %ld after 20 cycles\n", before,
                before + heldOpen, TGdiObject::LiveObjects());
}
