// Macro files run by the program itself: from the command line, and from the
// macro window with its buttons, file commands and close question.
#include <algorithm>
#include <cmath>
#include <regex>
#include "tests/automation/ProgramRun.h"

namespace {

std::string Fixture(const char* path)
{
    return std::string(TONALYX_FIXTURES) + "/" + path;
}

class TMacroRun : public TProgramRun {
protected:
    void SetUp() override
    {
        TProgramRun::SetUp();
        Set("Settings", "SamplingRate", "48000");
        Set("Settings", "AverageBlocks", "8");
    }
    // Runs a macro file from the command line until the macro window's
    // running flag is gone (the Run button is enabled again).
    HWND RunMacro(const std::string& text)
    {
        WriteFile("test.mac", text);
        Start("\"" + Folder.File("test.mac") + "\"");
        return Window("MacroProcessorClass");
    }
    bool Idle(HWND macro) { return ::IsWindowEnabled(::GetDlgItem(macro, 101)) != FALSE; }
};

}  // namespace

TEST_F(TMacroRun, StatementsLoopsJumpsAndOutputFiles)
{
    HWND macro = RunMacro("; loops, calls and output files\n"
                          "OutputComment start AutoDateTime\n"
                          "Loop 3\n"
                          "Send [Set FFT Size 2048]\n"
                          "Output FFT Size\n"
                          "LoopEnd\n"
                          "GoTo Sub\n"
                          "Output Sampling Rate\n"
                          "SetOutputFile second_AutoDateTime.txt\n"
                          "OutputComment done\n"
                          "MacroEnd\n"
                          "Label Sub\n"
                          "Output Average Size\n"
                          "Return\n");
    ASSERT_TRUE(macro);
    ASSERT_TRUE(WaitUntil([&] { return Idle(macro); }, 15000));
    const std::string out = ReadText(Folder.File("out.txt"));
    EXPECT_TRUE(std::regex_match(out, std::regex("start \\d{4}_\\d\\d_\\d\\d_\\d{6}\n2048\n2048\n2048\n8\n48000\n")))
        << out;
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA(Folder.File("second_*.txt").c_str(), &found);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::FindClose(h);
    EXPECT_TRUE(std::regex_match(std::string(found.cFileName), std::regex("second_\\d{4}_\\d\\d_\\d\\d_\\d{6}\\.txt")));
    EXPECT_EQ(ReadText(Folder.File(found.cFileName)), "done\n");
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(TMacroRun, WaitSecondsHoldsTheMacroForItsTime)
{
    HWND macro = RunMacro("SetOutputFile a.txt\nOutputComment a\nSetOutputFile b.txt\n"
                          "WaitSeconds 2.5\nOutputComment b\n");
    ASSERT_TRUE(macro);
    ASSERT_TRUE(WaitUntil([&] { return !ReadText(Folder.File("a.txt")).empty(); }, 15000));
    const auto first = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] { return !ReadText(Folder.File("b.txt")).empty(); }, 10000));
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - first).count();
    // The first file is seen at most one poll late.
    EXPECT_GE(ms, 2490.0);
    EXPECT_LT(ms, 4000.0);
    // A macro still running at exit would be asked about.
    EXPECT_TRUE(WaitUntil([&] { return Idle(macro); }, 5000));
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(TMacroRun, ErrorsShowTheirMessageAndStopTheMacro)
{
    const struct { const char* Line; const char* Message; } cases[] = {
        {"Hello there", "Macro Command Processor: Unrecognized command \"Hello there\" at line 2"},
        {"Send [Set FFT Size 1000]",
         "Macro Command Processor: DDE Execute command \"Send [Set FFT Size 1000]\" at line 2 cannot be processed"},
        {"Output No Such Item", "Macro Command Processor: DDE Request item \"Output No Such Item\" at line 2 is unrecognized"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        ::DeleteFileA(Folder.File("out.txt").c_str());
        HWND macro = RunMacro(std::string("OutputComment before\n") + c.Line + "\nOutputComment after\n");
        ASSERT_TRUE(macro);
        EXPECT_EQ(MessageText(), c.Message);
        CloseMessage();
        ASSERT_TRUE(WaitUntil([&] { return Idle(macro); }, 5000));
        EXPECT_EQ(ReadText(Folder.File("out.txt")), "before\n");
        EXPECT_EQ(Exit(), 0u);
        TearDown();
    }
}

// An output file in a folder that is missing gets its folder; one below a
// plain file cannot be had, and the macro stops at its line, naming it.
TEST_F(TMacroRun, OutputFilesInMissingFoldersAppearAndImpossibleOnesStopTheMacro)
{
    WriteFile("plain", "x");
    HWND macro = RunMacro("SetOutputFile made\\deeper\\a.txt\nOutputComment a\nSetOutputFile plain\\b.txt\n"
                          "OutputComment b\n");
    ASSERT_TRUE(macro);
    const std::string prefix =
        "Macro Command Processor: Output file \"" + Folder.File("plain\\b.txt") + "\" at line 3 cannot be opened: ";
    const std::string message = MessageText();
    EXPECT_EQ(message.substr(0, prefix.size()), prefix) << message;
    CloseMessage();
    ASSERT_TRUE(WaitUntil([&] { return Idle(macro); }, 5000));
    EXPECT_EQ(ReadText(Folder.File("made\\deeper\\a.txt")), "a\n");
    EXPECT_EQ(Exit(), 0u);
    ::DeleteFileA(Folder.File("made\\deeper\\a.txt").c_str());
    ::RemoveDirectoryA(Folder.File("made\\deeper").c_str());
    ::RemoveDirectoryA(Folder.File("made").c_str());
}

TEST_F(TMacroRun, MacroWindowRunsStopsSavesAndAsksBeforeClosing)
{
    const std::string file = Folder.File("window.mac");
    WriteFile("window.mac", "WaitSeconds 30\n");
    Set("ViewStatus", "Macro", "1");
    Set("MacroOpts", "MacroFilename", file.c_str());
    Start();
    HWND macro = Window("MacroProcessorClass");
    ASSERT_TRUE(macro);
    char caption[512] = {};
    ::GetWindowTextA(macro, caption, sizeof caption);
    EXPECT_EQ(std::string(caption), "Macro - [" + file + "]");
    HWND run = ::GetDlgItem(macro, 101), stop = ::GetDlgItem(macro, 102), editor = ::GetDlgItem(macro, 104);

    ::SendMessageA(run, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(run) && ::IsWindowEnabled(stop); }, 5000));
    ::SendMessageA(stop, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(run) && !::IsWindowEnabled(stop); }, 5000));

    // File/Save writes the edited text.
    ::SendMessageA(editor, EM_SETSEL, 0, 0);
    ::SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("; saved\r\n"));
    ::PostMessageA(macro, WM_COMMAND, CM_MACRO_SAVE, 0);
    EXPECT_TRUE(WaitUntil([&] { return ReadText(file) == "; saved\nWaitSeconds 30\n"; }, 5000)) << ReadText(file);

    // A changed text is asked about: Cancel keeps the window, No closes it unsaved.
    ::SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    ::PostMessageA(macro, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(MessageText(), "Macro file \"" + file + "\" has changed. Save file before closing?");
    ::PostMessageA(Window("#32770"), WM_COMMAND, IDCANCEL, 0);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(macro));
    ::PostMessageA(macro, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(MessageText().empty());
    ::PostMessageA(Window("#32770"), WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(macro); }, 5000));
    EXPECT_EQ(ReadText(file), "; saved\nWaitSeconds 30\n");
    EXPECT_EQ(Exit(), 0u);
}

TEST_F(TMacroRun, OutputValuesOfAToneAgainstNumpy)
{
    std::ifstream reference(Fixture("automation/reference.txt"));
    std::string comment;
    std::getline(reference, comment);
    double peak = 0, bin = 0, thd = 0;
    reference >> peak >> bin >> thd;

    const std::string macro = Folder.File("tone.mac");
    // A counted run: the analyser stops by itself before the values are read.
    WriteFile("tone.mac", "Send [Window Flat Top]\nSend [Run 8]\nWaitSeconds 2\nOutput Peak Frequency\nOutput THD\n");
    Set("Mode", "OpMode", "2");
    Set("ViewStatus", "Macro", "1");
    Set("MacroOpts", "MacroFilename", macro.c_str());
    std::string tone = Fixture("automation/tone_1k_h3.wav");
    std::replace(tone.begin(), tone.end(), '/', '\\');
    Start("\"" + tone + "\"");
    HWND window = Window("MacroProcessorClass");
    ASSERT_TRUE(window);
    ::SendMessageA(::GetDlgItem(window, 101), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ReadText(Folder.File("out.txt")).size() > 4; }, 15000));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(window, 101)) != FALSE; }, 5000));
    // Both channels carry the tone: each line has the left and the right value.
    std::istringstream out(ReadText(Folder.File("out.txt")));
    double frequency[2] = {}, distortion[2] = {};
    out >> frequency[0] >> frequency[1] >> distortion[0] >> distortion[1];
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_NEAR(frequency[channel], peak, bin);
        EXPECT_NEAR(distortion[channel], thd, 0.02);
    }
    EXPECT_EQ(Exit(), 0u);
}

// Benchmark: macro lines per second on a loop of Send and comment lines while
// the analyser runs through a 60 s wave in Post Process. Run on demand with
// --gtest_also_run_disabled_tests.
TEST_F(TMacroRun, DISABLED_MacroLinesPerSecondWhileTheAnalyserRuns)
{
    const uint32_t rate = 48000, frames = rate * 60;
    WriteMonoWave(Folder.File("long.wav"), frames, rate);
    const int loops = 2000;
    WriteFile("bench.mac", "Send [Run]\nSetOutputFile start.txt\nOutputComment start\nSetOutputFile end.txt\n"
                           "Loop " + std::to_string(loops) + "\nSend [Reset Overload]\n; a comment\nLoopEnd\n"
                           "OutputComment end\nSend [Stop]\n");
    Set("Mode", "OpMode", "2");
    Set("ViewStatus", "Macro", "1");
    Set("MacroOpts", "MacroFilename", Folder.File("bench.mac").c_str());
    Start("\"" + Folder.File("long.wav") + "\"");
    HWND window = Window("MacroProcessorClass");
    ASSERT_TRUE(window);
    ::SendMessageA(::GetDlgItem(window, 101), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !ReadText(Folder.File("start.txt")).empty(); }, 15000));
    const auto first = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([&] { return !ReadText(Folder.File("end.txt")).empty(); }, 120000));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - first).count();
    // The loop's lines, its start line and the comment after it.
    const int lines = 3 * loops + 2;
    std::printf("Macro lines per second while the analyser runs: %.0f (%d lines in %.2f s)\n", lines / seconds,
                lines, seconds);
    EXPECT_GT(lines / seconds, 100.0);
    EXPECT_TRUE(WaitUntil([&] { return Idle(window); }, 5000));
    EXPECT_EQ(Exit(), 0u);
}
