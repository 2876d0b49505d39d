// The Edit menu's commands on a wave open in the time series view, the
// segment chosen with the mouse as a user chooses it.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/ToolBtn.h"
#include "resources/CommandIds.h"
#include "tests/engine/Fixture.h"
#include "tests/views/SeriesScreen.h"

namespace {

struct TSeriesEdit : TSeriesScreen {
    // Frames first .. last - 1 of the mouse selection over columns 250 .. 600.
    uint32_t First = 0, Last = 0;

    void Select()
    {
        View->SelectButton->SendMessage(BM_CLICK);
        const int x1 = View->GraphRect.left + 250, x2 = View->GraphRect.left + 600, y = View->PaneRect1.top + 40;
        View->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y));
        View->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y + 30));
        View->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x2, y + 30));
        float start = 0.0f, end = 0.0f;
        ASSERT_TRUE(Main->GetSelectedSegment(start, end));
        First = Main->WaveFile->TimeToFrame(start);
        Last = Main->WaveFile->TimeToFrame(end);
        ASSERT_LT(First, Last);
    }
    std::vector<int16_t> Channel(uint16_t channel)
    {
        std::vector<int16_t> samples(Main->WaveFile->GetHighWaterMark());
        Main->WaveFile->ReadFrames(samples.data(), 0, uint32_t(samples.size()), channel);
        return samples;
    }
    void Command(int id) { Main->SendMessage(WM_COMMAND, id, 0); }
};

// Runs the clipboard's second process with arguments; its exit code.
DWORD RunClipboardProcess(const std::string& arguments)
{
    std::string command = std::string("\"") + CLIPBOARD_DUMP_EXE + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return DWORD(-1);
    ::WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return code;
}

// Where two channels part: empty when equal, else the sizes and first difference.
std::string Difference(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    const auto d = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (d.first == a.end() && d.second == b.end()) return "";
    return std::to_string(a.size()) + " / " + std::to_string(b.size()) + " frames, first difference at " +
           std::to_string(d.first - a.begin()) + " (" + std::to_string(*d.first) + " vs " + std::to_string(*d.second) + ")";
}

// Presses OK in the modal dialog a command opens.
void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ::GetActiveWindow();
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(TSeriesEdit, CutUndoPasteMuteAndGainChangeExactlyTheSelectedFrames)
{
    Open();
    LoadWave("series_48k_stereo.wav");
    Select();
    const std::vector<int16_t> left = Channel(0), right = Channel(1);

    Command(CM_EDITCUT);
    std::vector<int16_t> expected = left;
    expected.erase(expected.begin() + First, expected.begin() + Last);
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");
    EXPECT_EQ(Difference(Channel(1), right), "");

    // Copy, then paste at the position: the segment inserted whole, nothing lost.
    Select();
    Command(CM_EDITCOPY);
    Main->CurrentTime = 0.0f;
    Command(CM_EDITPASTEINSERT);
    expected = left;
    expected.insert(expected.begin(), left.begin() + First, left.begin() + Last);
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");

    Select();
    Command(CM_EDITMUTE);
    expected = left;
    std::fill(expected.begin() + First, expected.begin() + Last, int16_t(0));
    EXPECT_EQ(Difference(Channel(0), expected), "");
    Command(CM_EDITUNDO);
    EXPECT_EQ(Difference(Channel(0), left), "");

    // +6 dB: floor(x * 10^0.3 + 0.5), held at full scale (+-32767).
    Select();
    Main->GainAdjustLeftDb = 6.0f;
    Main->GainAdjustRightDb = 6.0f;
    ::SetTimer(nullptr, 0, 50, PressOk);
    Command(CM_EDITGAINADJUST);
    const float gain = float(std::pow(10.0, 0.3));
    expected = right;
    for (uint32_t i = First; i < Last; ++i)
        expected[i] = int16_t(std::clamp(std::floor(double(gain * float(right[i])) + 0.5), -32767.0, 32767.0));
    EXPECT_EQ(Difference(Channel(1), expected), "");
}

// A wave another process put on the clipboard, pasted with no wave open:
// an untitled, changed wave of its format and samples (as sox decodes them),
// in memory and on disk; with no wave on the clipboard nothing opens.
TEST_F(TSeriesEdit, PasteInsertWithNoWaveOpensTheClipboardsWaveUntitled)
{
    Open();
    const std::string wave = std::string(TONALYX_FIXTURES) + "/wav/sox_8_2_11025.wav";
    const auto want = ReadFixture("wav/sox_8_2_11025.txt");
    for (int32_t mode : {0, 1}) {
        SCOPED_TRACE(mode ? "disk" : "memory");
        Main->FileIO.WaveFileMode = mode;
        Main->FileIO.MakeBackup = 1;
        ASSERT_EQ(RunClipboardProcess("--wave \"" + wave + "\""), 0u);
        Command(CM_EDITPASTEINSERT);
        ASSERT_NE(Main->WaveFile, nullptr);
        TWaveFile& pasted = *Main->WaveFile;
        EXPECT_EQ(pasted.IsUntitled(), 1u);
        EXPECT_EQ(pasted.Changed, 1u);
        EXPECT_EQ(pasted.IsDiskBased(), uint16_t(mode));
        const TWaveFormat& format = Main->Settings.Format;
        EXPECT_EQ(format.SamplingRate, 11025u);
        EXPECT_EQ(format.NumChannels, 2u);
        EXPECT_EQ(format.BytesPerSample, 1u);
        ASSERT_EQ(pasted.GetHighWaterMark(), want.size());
        for (uint16_t c = 0; c < 2; ++c) {
            std::vector<uint8_t> got(want.size());
            ASSERT_EQ(pasted.ReadFrames(got.data(), 0, uint32_t(got.size()), c), 1);
            for (size_t i = 0; i < got.size(); ++i)
                ASSERT_EQ(got[i], want[i][c]) << "frame " << i << " channel " << c;
        }
        char caption[256];
        ::GetWindowTextA(Main->GetHandle(), caption, sizeof caption);
        EXPECT_TRUE(std::string(caption).ends_with(" [Untitled]")) << caption;
        pasted.Changed = 0;
        ASSERT_TRUE(Main->CloseWaveFile());
        ASSERT_EQ(Main->WaveFile, nullptr);
    }

    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    Command(CM_EDITPASTEINSERT);
    EXPECT_EQ(Main->WaveFile, nullptr);
    EXPECT_TRUE(Host().Messages.empty());
}
