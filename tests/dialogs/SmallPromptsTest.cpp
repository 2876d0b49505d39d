// The colour swatch, the text prompt and the results box on their real
// templates, driven by control messages.
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include "dialogs/TCalculatedResultsDialog.h"
#include "dialogs/TColorSwatch.h"
#include "dialogs/TGetInputDialog.h"
#include "tests/framework/GuiTest.h"
#include "tests/framework/Screenshot.h"

namespace {

class SmallPrompts : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Owner.Attr.Style = WS_OVERLAPPEDWINDOW;
        ASSERT_TRUE(Owner.Create());
    }
    TWindow Owner{nullptr, "owner"};
};

TRect ChildRect(HWND parent, HWND child)
{
    TRect r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) < 8 && std::abs(GetGValue(a) - GetGValue(b)) < 8
        && std::abs(GetBValue(a) - GetBValue(b)) < 8;
}

}

// The swatch of a button at client x = 100..160 covers 166..190 with the
// button's top and bottom, in the colour, and a second colour leaves no
// pixel of the first.
TEST_F(SmallPrompts, SwatchStandsBesideItsButtonInItsColour)
{
    char buffer[8] = "";
    TGetInputDialog dialog(&Owner, "Swatch", "", buffer, sizeof buffer);
    ASSERT_TRUE(dialog.Create());
    HWND button = dialog.GetDlgItem(IDOK);
    ::MoveWindow(button, 100, 20, 60, 30, TRUE);
    TColorSwatch swatch(&dialog, 900);
    ASSERT_TRUE(swatch.Create());

    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 0, 255)};
    for (COLORREF colour : colours) {
        SCOPED_TRACE(testing::Message() << std::hex << colour);
        ShowColorSwatch(&dialog, IDOK, &swatch, colour);
        Pump();
        const TRect place = ChildRect(dialog.GetHandle(), swatch.GetHandle());
        EXPECT_EQ(place.left, 166);
        EXPECT_EQ(place.right, 190);
        EXPECT_EQ(place.top, 20);
        EXPECT_EQ(place.bottom, 50);
        Screenshot shot(dialog.GetHandle());
        for (int y : {20, 35, 49})
            for (int x : {166, 178, 189}) EXPECT_TRUE(Near(shot.At(x, y), colour)) << x << "," << y;
        for (int x : {165, 190}) EXPECT_FALSE(Near(shot.At(x, 35), colour)) << x;
        for (COLORREF other : colours) {
            if (other == colour) continue;
            for (int x = 160; x < 200; ++x) EXPECT_FALSE(Near(shot.At(x, 35), other)) << x;
        }
    }
    dialog.Destroy();
}

TEST_F(SmallPrompts, InputPromptShowsTheBufferAndReturnsAtMostItsSizeLessOne)
{
    char buffer[20] = "48000";
    {
        TGetInputDialog dialog(&Owner, "Playback Rate", "Enter the sampling rate:", buffer, sizeof buffer);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetWindowText(), "Playback Rate");
        EXPECT_EQ(dialog.GetItemText(TGetInputDialog::PromptId), "Enter the sampling rate:");
        EXPECT_EQ(dialog.GetItemText(TGetInputDialog::EditId), "48000");
        dialog.SetItemText(TGetInputDialog::EditId, "12345");
        dialog.SendMessage(WM_COMMAND, IDCANCEL, LPARAM(dialog.GetDlgItem(IDCANCEL)));
        EXPECT_EQ(dialog.GetHandle(), nullptr);
    }
    EXPECT_STREQ(buffer, "48000");

    TGetInputDialog dialog(&Owner, "Rescale", "Multiplier:", buffer, sizeof buffer);
    ASSERT_TRUE(dialog.Create());
    dialog.SetItemText(TGetInputDialog::EditId, "0123456789abcdefghijKLMNOP");
    dialog.SendMessage(WM_COMMAND, IDOK, LPARAM(dialog.GetDlgItem(IDOK)));
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_STREQ(buffer, "0123456789abcdefghi");
}

// The results text, tabs and line breaks included, reaches another process
// exactly as the box shows it; the box stays open.
TEST_F(SmallPrompts, ResultsCopyPutsTheShownTextOnTheClipboard)
{
    const char* result = "RMS Level\t-20.01 dB\r-19.99 dB\rCrest Factor\t3.01 dB";
    TCalculatedResultsDialog dialog(&Owner, "Segment Results", result);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetWindowText(), "Segment Results");
    const std::string shown = dialog.GetItemText(TCalculatedResultsDialog::TextId);
    EXPECT_EQ(shown, result);
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    dialog.SendMessage(WM_COMMAND, TCalculatedResultsDialog::CopyId,
                       LPARAM(dialog.GetDlgItem(TCalculatedResultsDialog::CopyId)));
    EXPECT_NE(dialog.GetHandle(), nullptr);

    char self[MAX_PATH];
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "tonalyx_clipboard_" + std::to_string(::GetCurrentProcessId());
    std::string command = std::string("\"") + self + "\" --gtest_filter=SmallPromptsReader.ClipboardText";
    ::SetEnvironmentVariableA("TONALYX_CLIPBOARD_OUT", out.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::SetEnvironmentVariableA("TONALYX_CLIPBOARD_OUT", nullptr);
    std::ifstream in(out, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    in.close();
    ::DeleteFileA(out.c_str());
    EXPECT_EQ(read.str(), shown);
    dialog.Destroy();
}

// Run only as the second process of the test above: writes the clipboard's
// text, byte for byte, to the file it is given.
TEST(SmallPromptsReader, ClipboardText)
{
    const char* out = std::getenv("TONALYX_CLIPBOARD_OUT");
    if (!out) GTEST_SKIP() << "started by ResultsCopyPutsTheShownTextOnTheClipboard";
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE block = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(block, nullptr);
    const char* text = static_cast<const char*>(::GlobalLock(block));
    std::ofstream(out, std::ios::binary) << std::string(text, strnlen(text, ::GlobalSize(block)));
    ::GlobalUnlock(block);
    ::CloseClipboard();
}
