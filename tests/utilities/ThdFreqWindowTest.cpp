// The THD+N versus frequency window in a real main window under Xvfb: its
// .thd files in the "thd" folder, refused files, and the results as text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/framework/WindowImage.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "utilities/TTHDFreq.h"

namespace {

std::vector<THeadlessEngineHost::Message>& Messages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct TThdFreqWindow : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Packed = Contents(TONALYX_FIXTURES "/utilities/thdfreq_two.thd");
    std::unique_ptr<TMainWin> Main;
    TTHDFreq* Window = nullptr;

    void SetUp() override
    {
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).ViewStatus() = ViewStatusFlags{};
        ASSERT_TRUE(Main->Create());
        for (int f : {TMainWin::ThdFolder, TMainWin::TmpFolder}) Main->SetConfiguredFolder(f, Folder.Path.c_str());
        Main->CmTHDNvsFrequency();
        Window = Main->ThdFreqWindow();
        ASSERT_NE(Window, nullptr);
        Messages().clear();
    }
    void TearDown() override { Main.reset(); }
    void Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(Folder.File(name.c_str()), std::ios::binary) << bytes;
    }
};

}  // namespace

TEST_F(TThdFreqWindow, BareNamesRoundTripThroughTheThdFolder)
{
    Write("amp1.thd", Packed);
    ASSERT_TRUE(Window->LoadFile("amp1.thd"));
    EXPECT_EQ(Window->LeftPoints().size(), 3u);
    EXPECT_EQ(Window->RightPoints().size(), 3u);
    EXPECT_EQ(Main->GetThdFreqOptions().NumChannels, 2);
    EXPECT_EQ(Window->FileName(), Folder.File("amp1.thd"));
    EXPECT_NE(std::string(Window->GetTitle()).find("amp1.thd"), std::string::npos);
    ASSERT_TRUE(Window->SaveFile("copy.thd"));
    EXPECT_EQ(Contents(Folder.File("copy.thd")), Packed);

    // Without its right block: one channel, saved as such.
    Write("one.thd", Packed.substr(0, Packed.size() - 24));
    ASSERT_TRUE(Window->LoadFile(Folder.File("one.thd")));
    EXPECT_TRUE(Window->RightPoints().empty());
    EXPECT_EQ(Main->GetThdFreqOptions().NumChannels, 1);
    ASSERT_TRUE(Window->SaveFile("one_copy.thd"));
    EXPECT_EQ(Contents(Folder.File("one_copy.thd")), Packed.substr(0, Packed.size() - 24));
}

TEST_F(TThdFreqWindow, BadFilesAreRefusedAndTheResultsKept)
{
    Write("good.thd", Packed);
    ASSERT_TRUE(Window->LoadFile("good.thd"));
    std::string nan = Packed;
    const float bad = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(&nan[28], &bad, 4);
    std::string zero = Packed;
    zero[4] = 0;
    std::string huge = Packed;
    huge[7] = 0x40;
    const struct {
        const char* Name;
        std::string Bytes;
        const char* Message;
    } cases[] = {
        {"magic.thd", "\x89\x13" + Packed.substr(2), "Invalid thd file: "},
        {"zero.thd", zero, "File contains no thd data: "},
        {"huge.thd", huge, "Invalid thd file: "},
        {"short.thd", Packed.substr(0, Packed.size() - 3), "Invalid thd file: "},
        {"nan.thd", nan, "Invalid thd file: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Write(c.Name, c.Bytes);
        Messages().clear();
        EXPECT_FALSE(Window->LoadFile(c.Name));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].Text, c.Message + Folder.File(c.Name));
        EXPECT_EQ(Window->LeftPoints().size(), 3u);
        EXPECT_EQ(Window->FileName(), Folder.File("good.thd"));
    }
    Messages().clear();
    EXPECT_FALSE(Window->LoadFile("missing.thd"));
    EXPECT_EQ(Messages()[0].Text, "Failure opening thd file: " + Folder.File("missing.thd"));
}

TEST_F(TThdFreqWindow, TextCopyHoldsOneLinePerPoint)
{
    Write("two.thd", Packed);
    ASSERT_TRUE(Window->LoadFile("two.thd"));
    std::istringstream text(Window->ResultText());
    const double expected[3][3] = {{100, 0.01, 0.03}, {1000, 0.02, 0.04}, {10000, 0.5, 1.25}};
    std::string line;
    for (const auto& row : expected) {
        ASSERT_TRUE(std::getline(text, line));
        EXPECT_EQ(line.back(), '\r');
        double f, l, r;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf\t%lf\t%lf", &f, &l, &r), 3) << line;
        EXPECT_FLOAT_EQ(float(f), float(row[0]));
        EXPECT_FLOAT_EQ(float(l), float(row[1]));
        EXPECT_FLOAT_EQ(float(r), float(row[2]));
    }
    EXPECT_FALSE(std::getline(text, line));
    EXPECT_STREQ(Window->StatusText(), "");
}

namespace {

// The offset of the tick labelled label (labels come padded to a width),
// counted from the pane's left or bottom edge.
std::optional<int> TickOffset(const std::vector<TThdFreqScale::TTick>& ticks, const std::string& label)
{
    for (const auto& tick : ticks)
        if (tick.Label.size() >= label.size() && tick.Label.ends_with(label) &&
            tick.Label.find_first_not_of(' ') == tick.Label.size() - label.size())
            return tick.Offset;
    return std::nullopt;
}

}  // namespace

// Both channels' curves with a limit line each, on screen: the limit on the
// grid line of its value, each curve's 1 kHz point between the 0.01 % and
// 0.1 % grid lines; the picture for docs/.
TEST_F(TThdFreqWindow, CurvesAndLimitLinesLieOnTheirGridRows)
{
    Write("two.thd", Packed);
    Write("one.ovl", ";1 % limit\r\n20\t1\r\n1000\t1\r\n20000\t1\r\n");
    Write("tenth.ovl", ";0.1 % limit\r\n20\t0.1\r\n1000\t0.1\r\n20000\t0.1\r\n");
    THDFreqSettings o = Main->GetThdFreqOptions();
    o.LimitEnableL = o.LimitEnableR = 1;
    std::strcpy(o.LimitFilenameL, Folder.File("one.ovl").c_str());
    std::strcpy(o.LimitFilenameR, Folder.File("tenth.ovl").c_str());
    // As the options command does after OK.
    Main->SetThdFreqOptions(o);
    Window->UpdateLayout();
    ASSERT_TRUE(Window->LoadFile("two.thd"));
    Main->Show(SW_SHOW);
    Main->MoveWindow(0, 0, 1000, 750, true);
    Window->MoveWindow(0, 0, 820, 560, true);
    Window->UpdateWindow();
    const auto frequency = TickOffset(Window->FrequencyTicks(), "1.0k");
    const auto twoThousand = TickOffset(Window->FrequencyTicks(), "2.0k");
    ASSERT_TRUE(frequency && twoThousand);
    const struct {
        TRect Pane;
        const char* Limit;
        int Channel, Over;
    } panes[] = {{Window->PaneRect1, "1", 0, 0}, {Window->PaneRect2, "0.1", 1, 1}};
    HDC screen = ::GetDC(Window->GetHandle());
    for (const auto& p : panes) {
        SCOPED_TRACE(p.Limit);
        const auto limit = TickOffset(Window->AmplitudeTicks(), p.Limit);
        const auto low = TickOffset(Window->AmplitudeTicks(), "0.01");
        const auto high = TickOffset(Window->AmplitudeTicks(), "0.1");
        ASSERT_TRUE(limit && low && high);
        // Between the grid's 1 kHz and 2 kHz columns.
        const int x = p.Pane.left + (*frequency + *twoThousand) / 2;
        int limitRows = 0;
        for (int dy = -1; dy <= 1; ++dy)
            limitRows += ::GetPixel(screen, x, p.Pane.bottom - *limit + dy) == COLORREF(o.LimitColor);
        EXPECT_GE(limitRows, 1);
        // The right channel's 1.25 % at 10 kHz lies over its limit.
        EXPECT_EQ(Window->CompareToLimits(p.Channel), p.Over);
        std::vector<int> curve;
        for (int y = p.Pane.top; y < p.Pane.bottom; ++y)
            if (::GetPixel(screen, p.Pane.left + *frequency, y) == COLORREF(o.LineColor)) curve.push_back(y);
        ASSERT_FALSE(curve.empty());
        EXPECT_GT(curve.front(), p.Pane.bottom - *high);
        EXPECT_LT(curve.back(), p.Pane.bottom - *low);
    }
    ::ReleaseDC(Window->GetHandle(), screen);
#ifdef TONALYX_SHOTS
    EXPECT_TRUE(SaveWindowImage(Window->GetHandle(), std::string(TONALYX_SHOTS) + "/thdfreq.bmp"));
#endif
}
