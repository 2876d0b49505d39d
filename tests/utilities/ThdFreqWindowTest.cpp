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
#include <sstream>
#include <string>

#include "base/THeadlessEngineHost.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
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
