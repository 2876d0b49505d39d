// The reverberation window in a real main window under Xvfb: a segment of a
// decaying tone analysed from the time series' entry point, its plots and
// clipboard text, and its .rvb files.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "tests/utilities/DecayWave.h"
#include "utilities/TReverb.h"

namespace {

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

void Pump()
{
    MSG msg;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    }
}

struct TReverbWindow : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        State(Main).ViewStatus() = ViewStatusFlags{};
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        for (int f : {TMainWin::TmpFolder, TMainWin::RvbFolder}) {
            Main->SetConfiguredFolder(f, Folder.Path.c_str());
            Main->SetCurrentFolder(f, Folder.Path.c_str());
        }
        WriteDecay(Folder.File("decay.wav"), 1.0);
        Main->OpenWaveFile(Folder.File("decay.wav").c_str());
        ASSERT_NE(Main->Wave(), nullptr);
        Host().Messages.clear();
        Host().Reply = TEngineHost::AnswerOk;
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
    }
    TReverb& Analysed()
    {
        Main->AnalyzeReverbSegment(1, 0.0f, 1.7f);
        Pump();
        TReverb* reverb = Main->ReverbWindow();
        EXPECT_NE(reverb, nullptr);
        return *reverb;
    }
};

TEST_F(TReverbWindow, SegmentAnalysisShowsTheDecay)
{
    TReverb& reverb = Analysed();
    EXPECT_TRUE(Host().Messages.empty());
    EXPECT_EQ(reverb.GetDisplayMode(), TReverbLayout::DecayCurve);
    EXPECT_TRUE(reverb.IsFromSegment());
    EXPECT_TRUE(reverb.IsDataChanged());
    const TReverbData& d = reverb.Data();
    ASSERT_GT(d.BandCount, 10);
    // The default RT 20: the wideband T60 within three hops of 1 s.
    EXPECT_NEAR(d.Results[d.BandCount - 1].T[5], 1.0, 3 * d.HopTime);
    EXPECT_EQ(Main->GetReverbOptions().DisplayedDecayBand, d.BandCount - 1);
    // Closing after a segment analysis asks nothing.
    EXPECT_EQ(reverb.QuerySave(), 1);
    EXPECT_TRUE(Host().Messages.empty());
}

TEST_F(TReverbWindow, SegmentsOutsideTheLimitsAreRefused)
{
    struct Case {
        float Start, Stop;
        const char* Message;
    };
    const Case cases[] = {
        {0.0f, 0.19f, "The selected time segment is too short.  It must be at least 0.2 second in duration."},
        // A start beyond the end of the 1.7 s file leaves nothing, not a negative length.
        {5.0f, 6.0f, "The selected time segment is too short.  It must be at least 0.2 second in duration."},
        {0.0f, 31.0f, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Start);
        Host().Messages.clear();
        Main->AnalyzeReverbSegment(1, c.Start, c.Stop);
        TReverb* reverb = Main->ReverbWindow();
        ASSERT_NE(reverb, nullptr);
        if (c.Message) {
            ASSERT_EQ(Host().Messages.size(), 1u);
            EXPECT_EQ(Host().Messages[0].Text, c.Message);
            EXPECT_FALSE(reverb->IsFromSegment());
        } else {
            // Stopped at the file's end: 1.7 s, analysed.
            EXPECT_TRUE(Host().Messages.empty());
            EXPECT_EQ(reverb->GetDisplayMode(), TReverbLayout::DecayCurve);
        }
    }
    Host().Messages.clear();
    Main->AnalyzeReverbSegment(1, 0.5f, 0.5f);
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "You must first select a time segment.");
}

TEST_F(TReverbWindow, CopyAsTextPerModeAndAsBitmap)
{
    TReverb& reverb = Analysed();
    auto lines = [&]() {
        reverb.CopyAsText();
        std::string text;
        if (::OpenClipboard(nullptr)) {
            if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
                text = static_cast<const char*>(::GlobalLock(h));
                ::GlobalUnlock(h);
            }
            ::CloseClipboard();
        }
        return text;
    };
    const TReverbData& d = reverb.Data();
    std::string text = lines();
    EXPECT_EQ(size_t(std::count(text.begin(), text.end(), '\n')), size_t(d.RowCount));
    reverb.CmShowRtPlot();
    text = lines();
    EXPECT_EQ(size_t(std::count(text.begin(), text.end(), '\n')), size_t(d.BandCount));
    EXPECT_NE(text.find("\r\nWideband\t"), std::string::npos);
    reverb.CmShowSurfacePlot();
    text = lines();
    const size_t firstLine = text.find("\r\n");
    EXPECT_EQ(size_t(std::count(text.begin(), text.begin() + firstLine, '\t')), size_t(d.BandCount) + 1);

    // The picture: the client area under the button strip.
    reverb.CopyAsBitmap();
    RECT client;
    ::GetClientRect(reverb.GetHandle(), &client);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE dib = ::GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    EXPECT_EQ(header->biWidth, client.right);
    EXPECT_EQ(std::abs(header->biHeight), client.bottom - reverb.ButtonBarHeight);
    ::GlobalUnlock(dib);
    ::CloseClipboard();
}

TEST_F(TReverbWindow, FilesSaveLoadAndRecompute)
{
    TReverb& reverb = Analysed();
    const TReverbData& d = reverb.Data();
    const int32_t rows = d.RowCount, bands = d.BandCount;
    // A bare name goes to the reverberation folder.
    ASSERT_TRUE(reverb.WriteReverbFile("room.rvb"));
    const std::string path = Folder.File("room.rvb");
    EXPECT_EQ(reverb.GetFileName(), path);
    EXPECT_FALSE(reverb.IsDataChanged());
    std::ifstream in(path, std::ios::binary);
    const std::string image{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(image.size(), 12u + size_t(rows) * 376u);
    int32_t header[3];
    std::memcpy(header, image.data(), sizeof header);
    EXPECT_EQ(header[0], 13211);
    EXPECT_EQ(header[1], bands);
    EXPECT_EQ(header[2], rows);

    // Saved with RT 20, loaded with RT 30: the times follow the setting.
    State(*Main).ReverbOptions().ExtrapolationMethod = TReverbData::Rt30;
    ASSERT_TRUE(reverb.ReadReverbFile("room.rvb"));
    const ReverbResult& wide = reverb.Data().Results[bands - 1];
    EXPECT_FLOAT_EQ(wide.T[5], 2.0f * wide.T[2]);
    EXPECT_FALSE(reverb.IsFromSegment());

    // A bad file keeps what the window holds.
    std::ofstream(Folder.File("bad.rvb"), std::ios::binary) << std::string(image, 0, image.size() - 1);
    Host().Messages.clear();
    EXPECT_FALSE(reverb.ReadReverbFile("bad.rvb"));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Invalid reverb file: " + Folder.File("bad.rvb"));
    EXPECT_EQ(reverb.Data().RowCount, rows);
    EXPECT_EQ(reverb.GetFileName(), path);
    // A folder that is not there: the write fails and leaves no file.
    Host().Messages.clear();
    EXPECT_FALSE(reverb.WriteReverbFile((Folder.Path + "\\none\\x.rvb").c_str()));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "Failure creating reverb file");
}

}  // namespace

// The bar chart on screen: the wideband bar's height by the chart's rule (the
// time over the seconds per pixel of the graph's height), counted in
// bar-coloured pixels; the three plots as pictures for docs/.
TEST_F(TReverbWindow, BarHeightFollowsTheShownTimeOnScreen)
{
    TReverb& reverb = Analysed();
    reverb.CmShowRtPlot();
    reverb.MoveWindow(0, 0, 900, 600, true);
    Pump();
    reverb.UpdateWindow();
    const TReverbData& d = reverb.Data();
    const ReverbSettings& o = Main->GetReverbOptions();
    ASSERT_EQ(o.DisplayedRTTime, 5);
    const TRect g = reverb.GraphRect;
    const int entry = d.BandCount - 1;
    const int barWidth = g.Width() / d.BandCount - 2;
    const double secondsPerPixel = double(o.DisplayedDecayTime) / g.Height();
    const int expected = std::clamp(int(d.Results[entry].T[5] / secondsPerPixel), 1, g.Height() - 1);
    ASSERT_GT(expected, 20);
    const int x = g.left + 2 + entry * (2 + barWidth) + barWidth / 2;
    HDC screen = ::GetDC(reverb.GetHandle());
    int height = 0;
    while (height < g.Height() && ::GetPixel(screen, x, g.bottom - 1 - height) == COLORREF(o.BarColor)) ++height;
    ::ReleaseDC(reverb.GetHandle(), screen);
    EXPECT_EQ(height, expected);
#ifdef TONALYX_SHOTS
    const auto shot = [&](const char* name) {
        Pump();
        reverb.UpdateWindow();
        EXPECT_TRUE(SaveWindowImage(reverb.GetHandle(), std::string(TONALYX_SHOTS) + "/" + name));
    };
    shot("reverb-bars.bmp");
    reverb.CmShowDecayPlot();
    shot("reverb-decay.bmp");
    reverb.CmShowSurfacePlot();
    shot("reverb-surface.bmp");
#endif
}
