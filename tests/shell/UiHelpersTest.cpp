#include <gtest/gtest.h>
#include <cstring>
#include "framework/UiHelpers.h"
#include "shell/FileTypes.h"

TEST(FormatTime, Forms)
{
    struct Case { float Seconds; bool Ms; bool Full; const char* Text; };
    const Case cases[] = {
        {0.5f, true, false, "0.500"},
        {-75.25f, true, false, "-1:15.250"},
        {3725.0f, false, false, "01:02:05"},
        {90000.0f, false, false, "01:00:00"},      // wraps at one day
        {86400.0f, false, false, "24:00:00"},      // exactly one day does not wrap
        {0.0f, false, false, "0"},
        {59.0f, false, false, "59"},
        {60.0f, false, false, "1:00"},
        {-5.0f, false, false, "-5"},
        {-3600.0f, false, false, "-01:00:00"},
        {0.5f, true, true, "00:00:00.500"},         // the full form always shows hours
        {61.0f, false, true, "00:01:01"},
        {-0.25f, true, true, "-00:00:00.250"},
        {3599.75f, true, false, "59:59.750"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FormatTime(c.Seconds, c.Ms, c.Full), c.Text) << c.Seconds << " " << c.Ms << c.Full;
}

TEST(FormatTime, HugeValuesStayInTheirBuffer)
{
    EXPECT_STREQ(FormatTime(3.0e9f, false, false), "05:20:00");
    EXPECT_LE(std::strlen(FormatTime(-86399.999f, true, true)), 13u);
}

TEST(CopyPathFolder, CutsAtTheLastBackslash)
{
    struct Case { const char* Source; const char* Folder; };
    const Case cases[] = {
        {"D:\\data\\a.wav", "D:\\data"},
        {"a.wav", "a.wav"},
        {"\\a.wav", "\\a.wav"},          // a backslash at position 0 is not a folder end
        {"D:\\data\\", "D:\\data"},
        {"", ""},
    };
    for (const Case& c : cases) {
        char out[260];
        CopyPathFolder(c.Source, out);
        EXPECT_STREQ(out, c.Folder) << c.Source;
    }
    char untouched[8] = "keep";
    CopyPathFolder(nullptr, untouched);
    EXPECT_STREQ(untouched, "keep");
    CopyPathFolder("x", nullptr);
}

TEST(FloatHelpers, CompareSortAndDigits)
{
    EXPECT_TRUE(FloatsEqualToDigits(1.239f, 1.231f, 2));
    EXPECT_FALSE(FloatsEqualToDigits(1.239f, 1.241f, 2));
    EXPECT_TRUE(FloatsEqualToDigits(7.9f, 7.1f, 0));
    float a = 1, b = 2;
    EXPECT_EQ(CompareFloats(&a, &b), -1);
    EXPECT_EQ(CompareFloats(&b, &a), 1);
    EXPECT_EQ(CompareFloats(&a, &a), 0);
    float values[] = {3.5f, -1.0f, 2.0f, -7.25f, 2.0f};
    SortFloats(values, 5);
    const float sorted[] = {-7.25f, -1.0f, 2.0f, 2.0f, 3.5f};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(values[i], sorted[i]);
    float one[] = {9.0f, 1.0f};
    SortFloats(one, 1);
    EXPECT_EQ(one[0], 9.0f);
    SortFloats(nullptr, 4);
}

TEST(VersionTests, Table)
{
    struct Case { DWORD Platform, Major, Minor; bool W32s, W95, Me, NT3, XP, NT6; };
    const Case cases[] = {
        {0, 3, 10, true, false, false, false, false, false},
        {1, 4, 0, false, true, false, false, false, false},
        {1, 4, 10, false, true, false, false, false, false},
        {1, 4, 90, false, false, true, false, false, false},
        {2, 3, 51, false, false, false, true, false, false},
        {2, 4, 0, false, false, false, false, false, false},
        {2, 5, 0, false, false, false, false, false, false},
        {2, 5, 1, false, false, false, false, true, false},
        {2, 6, 1, false, false, false, false, false, true},
        {2, 10, 0, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Platform << "." << c.Major << "." << c.Minor);
        EXPECT_EQ(IsWin32s(c.Platform, c.Major, c.Minor), c.W32s);
        EXPECT_EQ(IsWin95(c.Platform, c.Major, c.Minor), c.W95);
        EXPECT_EQ(IsWinMe(c.Platform, c.Major, c.Minor), c.Me);
        EXPECT_EQ(IsWinNT3(c.Platform, c.Major, c.Minor), c.NT3);
        EXPECT_EQ(IsWinXP(c.Platform, c.Major, c.Minor), c.XP);
        EXPECT_EQ(IsWinNT6(c.Platform, c.Major, c.Minor), c.NT6);
    }
    EXPECT_FALSE(IsWin32s());
}

TEST(ColorChooser, CustomTableStartsWithTheInitialColour)
{
    COLORREF table[16];
    DefaultCustomColors(RGB(1, 2, 3), table);
    EXPECT_EQ(table[0], RGB(1, 2, 3));
    EXPECT_EQ(table[1], RGB(0, 0, 128));
    EXPECT_EQ(table[7], RGB(128, 128, 128));
    EXPECT_EQ(table[14], RGB(255, 255, 255));
    EXPECT_EQ(table[15], RGB(192, 192, 192));
}

TEST(FileTypes, ExtensionOfTheFileName)
{
    struct Case { const char* Name; int Mac, Wav, Cfg; };
    const Case cases[] = {
        {"C:\\M\\run.mac", 1, 0, 0},
        {"C:\\M\\take.wav", 0, 1, 0},
        {"C:\\M\\take.WAVE", 0, 1, 0},
        {"C:\\M\\setup.CFG", 0, 0, 1},
        {"C:\\My.Data\\take.wav", 0, 1, 0},   // a point in a folder name is no extension
        {"C:\\My.wav\\take", 0, 0, 0},
        {"take.wa", 0, 0, 0},
        {"TAKE", 0, 0, 0},
        {"", 0, 0, 0},
        {nullptr, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name ? c.Name : "(null)");
        EXPECT_EQ(IsMacroFileName(c.Name), c.Mac);
        EXPECT_EQ(IsWaveFileName(c.Name), c.Wav);
        EXPECT_EQ(IsConfigFileName(c.Name), c.Cfg);
    }
}
