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
#include "tests/shell/TMainWinState.h"

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
        First = Main->Wave()->TimeToFrame(start);
        Last = Main->Wave()->TimeToFrame(end);
        ASSERT_LT(First, Last);
    }
    std::vector<int16_t> Channel(uint16_t channel)
    {
        std::vector<int16_t> samples(Main->Wave()->GetHighWaterMark());
        Main->Wave()->ReadFrames(samples.data(), 0, uint32_t(samples.size()), channel);
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
// The modal dialog this thread shows: found among the thread's own windows,
// since the active window belongs to whichever program another test runs.
BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND ThreadDialog()
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, LPARAM(&dialog));
    return dialog;
}

void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = ThreadDialog();
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
    Main->SetTimePosition(0.0f);
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
    State(Main).GainAdjustLeftDb() = 6.0f;
    State(Main).GainAdjustRightDb() = 6.0f;
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
        State(Main).FileIO().WaveFileMode = mode;
        State(Main).FileIO().MakeBackup = 1;
        ASSERT_EQ(RunClipboardProcess("--wave \"" + wave + "\""), 0u);
        Command(CM_EDITPASTEINSERT);
        ASSERT_NE(Main->Wave(), nullptr);
        TWaveFile& pasted = *Main->Wave();
        EXPECT_EQ(pasted.IsUntitled(), 1u);
        EXPECT_EQ(pasted.Changed, 1u);
        EXPECT_EQ(pasted.IsDiskBased(), uint16_t(mode));
        const TWaveFormat& format = Main->GetAnalysisSettings().Format;
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
        ASSERT_EQ(Main->Wave(), nullptr);
    }

    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    Command(CM_EDITPASTEINSERT);
    EXPECT_EQ(Main->Wave(), nullptr);
    EXPECT_TRUE(Host().Messages.empty());
}

// Cut, paste insert, paste over and mute, each undone, then +6 dB, on a sox
// wave in memory and on disk, with and without a backup copy: each edit
// changes exactly the expected frames, the backup question comes before
// Cut, the pastes and Mute of a disk wave without backup and never before
// Copy, Undo or Gain Adjust, and the saved file goes to Python's wave module
// (check_edited_wavs.py) to be compared with numpy's rendering of the gain.
TEST_F(TSeriesEdit, EditSequencesInMemoryAndOnDiskWithAndWithoutBackup)
{
    const auto want = ReadFixture("wav/sox_16_2_44100.txt");
    std::vector<int16_t> left;
    for (const auto& frame : want)
        left.push_back(int16_t(frame[0]));
    const std::string question = "You are about to modify the disk file and have not selected the \"Make Backup\" "
                                 "file option.\r\rDo you want to continue?";
    Open();
    for (int32_t mode : {0, 1}) {
        for (int32_t backup : {0, 1}) {
            const std::string stem = "edited_" + std::to_string(mode) + "_" + std::to_string(backup);
            SCOPED_TRACE(stem);
            const bool asks = mode == 1 && backup == 0;
            const std::string path = std::string(TONALYX_EDIT_OUT) + "/" + stem + ".wav";
            ASSERT_TRUE(::CopyFileA((std::string(TONALYX_FIXTURES) + "/wav/sox_16_2_44100.wav").c_str(), path.c_str(),
                                    FALSE));
            State(Main).FileIO().WaveFileMode = mode;
            State(Main).FileIO().MakeBackup = backup;
            Main->OpenWaveFile(path.c_str());
            ASSERT_NE(Main->Wave(), nullptr);
            ASSERT_EQ(Main->Wave()->IsDiskBased(), uint16_t(mode));
            Host().Reply = THeadlessEngineHost::AnswerYes;
            // The commands in order, and whether each asked the backup question.
            std::vector<std::pair<int, bool>> asked;
            auto run = [&](int id) {
                Host().Messages.clear();
                Command(id);
                bool question_asked = false;
                for (const auto& m : Host().Messages)
                    question_asked = question_asked || m.Text == question;
                asked.emplace_back(id, question_asked);
            };

            Select();
            run(CM_EDITCUT);
            std::vector<int16_t> expected = left;
            expected.erase(expected.begin() + First, expected.begin() + Last);
            EXPECT_EQ(Difference(Channel(0), expected), "");
            run(CM_EDITUNDO);
            EXPECT_EQ(Difference(Channel(0), left), "");

            Select();
            run(CM_EDITCOPY);
            Main->SetTimePosition(0.0f);
            run(CM_EDITPASTEINSERT);
            expected = left;
            expected.insert(expected.begin(), left.begin() + First, left.begin() + Last);
            EXPECT_EQ(Difference(Channel(0), expected), "");
            run(CM_EDITUNDO);
            EXPECT_EQ(Difference(Channel(0), left), "");

            Main->SetTimePosition(float(5.0 / 44100));
            run(CM_EDITPASTEOVER);
            const uint32_t at = Main->Wave()->TimeToFrame(Main->TimePosition());
            expected = left;
            std::copy(left.begin() + First, left.begin() + Last, expected.begin() + at);
            EXPECT_EQ(Difference(Channel(0), expected), "");
            run(CM_EDITUNDO);
            EXPECT_EQ(Difference(Channel(0), left), "");

            Select();
            run(CM_EDITMUTE);
            expected = left;
            // A working file is silenced between even frames: from the first
            // even frame of the segment up to its last even end.
            const uint32_t from = mode ? First + (First & 1) : First, to = mode ? Last - (Last & 1) : Last;
            std::fill(expected.begin() + from, expected.begin() + to, int16_t(0));
            EXPECT_EQ(Difference(Channel(0), expected), "");
            run(CM_EDITUNDO);
            EXPECT_EQ(Difference(Channel(0), left), "");

            Select();
            State(Main).GainAdjustLeftDb() = State(Main).GainAdjustRightDb() = 6.0f;
            ::SetTimer(nullptr, 0, 50, PressOk);
            run(CM_EDITGAINADJUST);

            const std::vector<std::pair<int, bool>> questions = {
                {CM_EDITCUT, asks},        {CM_EDITUNDO, false},     {CM_EDITCOPY, false},
                {CM_EDITPASTEINSERT, asks}, {CM_EDITUNDO, false},     {CM_EDITPASTEOVER, asks},
                {CM_EDITUNDO, false},      {CM_EDITMUTE, asks},      {CM_EDITUNDO, false},
                {CM_EDITGAINADJUST, false}};
            EXPECT_EQ(asked, questions);

            Host().Messages.clear();
            Command(CM_FILESAVE);
            EXPECT_TRUE(Host().Messages.empty()) << Host().Messages[0].Text;
            EXPECT_EQ(Main->Wave()->Changed, 0u);
            std::ofstream(std::string(TONALYX_EDIT_OUT) + "/" + stem + ".txt") << First << " " << Last << "\n";
            ASSERT_TRUE(Main->CloseWaveFile());
        }
    }
    Host().Reply = THeadlessEngineHost::AnswerOk;
}
