#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include "resources/CommandIds.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
         std::chrono::steady_clock::now() < end; ::Sleep(20))
        if (done()) return true;
    return done();
}

HWND FindWindowOf(DWORD pid, const char* className)
{
    struct Search { DWORD Pid; const char* Class; HWND Found; } search{pid, className, nullptr};
    ::EnumWindows([](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        char cls[64] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        if (owner == s->Pid && std::string(cls) == s->Class) {
            s->Found = h;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A copy of the program in a folder of its own, started and watched.
class TProgramRun : public ::testing::Test {
protected:
    TTempFolder Folder;
    std::string Exe = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    PROCESS_INFORMATION Process{};
    bool SplashSeen = false;
    double SplashSeconds = 0;
    // From the process start to a frame shown with nothing left to paint.
    double PaintedSeconds = 0;
    std::chrono::steady_clock::time_point Started;

    void SetUp() override { ASSERT_TRUE(::CopyFileA(TONALYX_EXE, Exe.c_str(), FALSE)); }
    void TearDown() override
    {
        if (Process.hProcess) {
            if (::WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(Process.hProcess, 9);
            ::CloseHandle(Process.hProcess);
            ::CloseHandle(Process.hThread);
        }
    }

    void Start(std::string commandLine = "", const char* folder = nullptr)
    {
        if (commandLine.empty()) commandLine = "\"" + Exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        Started = std::chrono::steady_clock::now();
        ASSERT_TRUE(::CreateProcessA(Exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     folder ? folder : Folder.Path.c_str(), &si, &Process));
    }
    // Waits for the frame to exist (and to show, unless hidden is expected),
    // noting whether a splash came and went before.
    HWND WaitForFrame(bool visible = true)
    {
        HWND frame = nullptr;
        auto splashStart = std::chrono::steady_clock::now();
        bool splashOpen = false;
        WaitUntil([&] {
            HWND dialog = FindWindowOf(Process.dwProcessId, "#32770");
            bool open = dialog && ::IsWindowVisible(dialog);
            if (open && !splashOpen) splashStart = std::chrono::steady_clock::now();
            if (!open && splashOpen)
                SplashSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - splashStart).count();
            splashOpen = open;
            SplashSeen = SplashSeen || open;
            frame = FindWindowOf(Process.dwProcessId, "Tonalyx");
            if (frame && PaintedSeconds == 0 && ::IsWindowVisible(frame) && !::GetUpdateRect(frame, nullptr, FALSE))
                PaintedSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Started).count();
            return frame && !open && (!visible || ::IsWindowVisible(frame));
        }, 20000);
        return frame;
    }
    DWORD Exit(HWND frame)
    {
        ::PostMessageA(frame, WM_COMMAND, CM_EXIT, 0);
        EXPECT_EQ(::WaitForSingleObject(Process.hProcess, 15000), WAIT_OBJECT_0);
        DWORD code = 1;
        ::GetExitCodeProcess(Process.hProcess, &code);
        return code;
    }
};

}

TEST_F(TProgramRun, FreshStartShowsSplashFrameAndMenuAndExitWritesEverySetting)
{
    Start();
    HWND frame = WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(SplashSeen);
    // The splash goes when its timers say (0.1 s, then 3 s; a loaded machine
    // delivers them late by some tenths, a splash held by the start-up work
    // stayed five seconds), and the frame paints behind it long before.
    EXPECT_GT(SplashSeconds, 2.5);
    EXPECT_LT(SplashSeconds, 4.5);
    EXPECT_GT(PaintedSeconds, 0.0);
    EXPECT_LT(PaintedSeconds, SplashSeconds);
    std::printf("frame painted %.2f s after start; splash shown %.2f s\n", PaintedSeconds, SplashSeconds);
    char title[64] = {};
    ::GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Tonalyx");
    EXPECT_TRUE(::GetMenu(frame));

    EXPECT_EQ(Exit(frame), 0u);
    ExpectDefaultFile(Ini);
    char last[16] = "x";
    ::GetPrivateProfileStringA("FileHistory", "OpenFileName", "<missing>", last, sizeof last, Ini.c_str());
    EXPECT_STREQ(last, "");
}

TEST_F(TProgramRun, SplashSetting)
{
    struct Case { const char* Value; bool Splash; };
    for (const Case& c : {Case{"0", false}, Case{"7", true}, Case{"-1", true}}) {
        SCOPED_TRACE(c.Value);
        ::WritePrivateProfileStringA("Main", "ShowSplashScreen", c.Value, Ini.c_str());
        SplashSeen = false;
        Start();
        HWND frame = WaitForFrame();
        ASSERT_TRUE(frame);
        EXPECT_EQ(SplashSeen, c.Splash);
        EXPECT_EQ(Exit(frame), 0u);
        ::CloseHandle(Process.hProcess);
        ::CloseHandle(Process.hThread);
        Process = {};
    }
}

// A correction factor that would leave the spectrum view no frequency axis
// to label once kept start-up from ever finishing.
TEST_F(TProgramRun, AnyCorrectionFactorStartsAndIsWrittenBackInRange)
{
    for (const char* value : {"nan", "inf", "0", "-1", "1e39"}) {
        SCOPED_TRACE(value);
        WriteIni(Ini, "[Main]\nShowSplashScreen=0\n");
        ::WritePrivateProfileStringA("Settings", "SamplingRateCorrectionFactor", value, Ini.c_str());
        const auto begin = std::chrono::steady_clock::now();
        Start();
        HWND frame = WaitForFrame();
        ASSERT_TRUE(frame);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 15.0);
        EXPECT_EQ(Exit(frame), 0u);
        char text[32] = {};
        ::GetPrivateProfileStringA("Settings", "SamplingRateCorrectionFactor", "", text, sizeof text, Ini.c_str());
        EXPECT_STREQ(text, "1.000000");
        ::CloseHandle(Process.hProcess);
        ::CloseHandle(Process.hThread);
        Process = {};
    }
}

TEST_F(TProgramRun, HiddenStartKeepsTheFrameHidden)
{
    WriteIni(Ini, "[Main]\nShowSplashScreen=0\n[ViewStatus]\nHideApplicationWindow=1\n");
    Start();
    HWND frame = WaitForFrame(false);
    ASSERT_TRUE(frame);
    ::Sleep(500);
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_EQ(Exit(frame), 0u);
    EXPECT_EQ(::GetPrivateProfileIntA("ViewStatus", "HideApplicationWindow", 0, Ini.c_str()), 1);
}

TEST_F(TProgramRun, StartedByBareNameFromAnotherFolderUsesTheIniBesideTheProgram)
{
    TTempFolder elsewhere;
    WriteIni(Ini, "[Main]\nShowSplashScreen=0\n[Mode]\nOpMode=3\n");
    Start("Tonalyx", elsewhere.Path.c_str());
    HWND frame = WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(Exit(frame), 0u);
    EXPECT_EQ(::GetPrivateProfileIntA("Mode", "OpMode", 0, Ini.c_str()), 3);
    EXPECT_EQ(::GetFileAttributesA(elsewhere.File("Tonalyx.ini").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesA(Folder.File("Tonalyx.").c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

// Records the operations that start-up and dropped files hand files to.
class TRecordingMainWin : public TMainWin {
public:
    using TMainWin::TMainWin;
    std::vector<std::string> Calls;
    int CloseAnswer = 1;

    void StartAnalyzer() override { Calls.push_back("start"); }
    void StopAnalyzer() override { Calls.push_back("stop"); }
    void OpenWaveFile(const char* p) override { Calls.push_back(std::string("wave ") + p); }
    int CloseWaveFile() override
    {
        Calls.push_back("close");
        return CloseAnswer;
    }
    bool LoadConfiguration(const char* p) override
    {
        Calls.push_back(std::string("config ") + p);
        return true;
    }
    void AddRecentFile(const char* p) override { Calls.push_back(std::string("recent ") + p); }
    void RunMacroFile(const char* p) override { Calls.push_back(std::string("macro ") + p); }
};

using TCalls = std::vector<std::string>;

}

TEST(StartupFiles, ChosenByExtension)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    struct Case { const char* Name; TCalls Calls; };
    const Case cases[] = {
        {"C:\\M\\RUN.MAC", {"macro C:\\M\\RUN.MAC"}},
        {"C:\\W\\TAKE.WAV", {"wave C:\\W\\TAKE.WAV"}},
        {"C:\\C\\SETUP.CFG", {"config C:\\C\\SETUP.CFG"}},
        {"C:\\T\\NOTES.TXT", {}},
    };
    for (const Case& c : cases) {
        TRecordingMainWin w(nullptr, program.c_str(), c.Name, *new TClientMain);
        w.OpenStartupFile(w.GetCommandLineFile());
        EXPECT_EQ(w.Calls, c.Calls) << c.Name;
    }
}

TEST(StartupFiles, DroppedFiles)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    struct Case {
        std::vector<std::string> Files;
        int OpMode;
        int CloseAnswer;
        TCalls Calls;
    };
    const Case cases[] = {
        {{"C:\\a.wav", "C:\\b.cfg"}, TMainWin::RealTime, 1, {"close", "wave C:\\a.wav", "recent C:\\a.wav"}},
        {{"C:\\b.cfg", "C:\\a.wav"}, TMainWin::RealTime, 1, {"close", "config C:\\b.cfg"}},
        {{"C:\\notes.txt"}, TMainWin::PostProcess, 1, {"close", "wave C:\\notes.txt", "recent C:\\notes.txt"}},
        {{"C:\\a.wav"}, TMainWin::RealTime, 0, {"close"}},
    };
    for (const Case& c : cases) {
        TRecordingMainWin w(nullptr, program.c_str(), nullptr, *new TClientMain);
        State(w).OpMode() = c.OpMode;
        w.CloseAnswer = c.CloseAnswer;
        w.EvDropFiles(TDropInfo(MakeDrop(c.Files)));
        EXPECT_EQ(w.Calls, c.Calls) << c.Files[0];
    }

    // A drop while running stops the analyser first.
    TRecordingMainWin running(nullptr, program.c_str(), nullptr, *new TClientMain);
    State(running).RunState() = TMainWin::Running;
    running.EvDropFiles(TDropInfo(MakeDrop({"C:\\x.cfg"})));
    EXPECT_EQ(running.Calls, (TCalls{"stop", "close", "config C:\\x.cfg"}));
}

TEST(StartupFiles, FrameSetUpInProcess)
{
    TTempFolder folder;
    std::string program = folder.File("Tonalyx.exe");
    std::string ini = folder.File("Tonalyx.ini");
    WriteIni(ini, "[Main]\nShowSplashScreen=0\n[Mode]\nOpMode=2\n[FileHistory]\nOpenFileName=C:\\last.wav\n");
    struct Case { const char* Argument; TCalls Calls; };
    const Case cases[] = {
        {nullptr, {"wave C:\\last.wav"}},
        {"d:\\take.wav", {"wave D:\\TAKE.WAV"}},
    };
    for (const Case& c : cases) {
        TRecordingMainWin w(nullptr, program.c_str(), c.Argument, *new TClientMain);
        ASSERT_TRUE(w.Create());
        EXPECT_EQ(w.Calls, c.Calls);
        EXPECT_TRUE(State(w).Smoothing() && w.InputPort() && w.OutputPort());
        HMENU menu = w.GetMenu();
        ASSERT_TRUE(menu);
        char text[64] = {};
        ::GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&File");
        EXPECT_TRUE(::GetMenuState(menu, CM_MODEPOSTPROCESS, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(::GetMenuState(menu, CM_MODEREALTIME, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_TRUE(::GetWindowLongA(w.GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
        w.Destroy();
        EXPECT_EQ(::GetPrivateProfileIntA("Mode", "OpMode", 0, ini.c_str()), 2);
    }
}

// Values no dialog would store: the program starts, the generator names the
// key it cannot use, and exit writes the defaults back where they were.
TEST_F(TProgramRun, BadStoredValuesStartWithTheirDefaultsAndAreNotWrittenBack)
{
    WriteIni(Ini, "[Main]\nShowSplashScreen=0\n[Mode]\nOpMode=7\n"
                  "[Settings]\nSamplingRate=4294967295\nPeakHold=65535\nAverageBlocks=2147483647\n"
                  "[Trigger]\nChannel=2147483647\n[SpectrumOpts]\nPlotTop=inf\nPlotRange=nan\nOverlayLegendSize=-8\n"
                  "[ViewStatus]\nSignalGenerator=1\n[Level]\nOutputLevel=nan\n[FreqSweep]\nFStopHz=1e39\n");
    Start();
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowOf(Process.dwProcessId, "#32770")) != nullptr; }, 20000));
    // A message box's text is its static control 0xFFFF.
    char text[512] = {};
    WaitUntil([&] { return ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text) > 0; }, 5000);
    EXPECT_NE(std::strstr(text, "Level/OutputLevel"), nullptr) << text;
    EXPECT_NE(std::strstr(text, "FreqSweep/FStopHz"), nullptr) << text;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND frame = WaitForFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(Exit(frame), 0u);
    const struct {
        const char* Section;
        const char* Key;
        const char* Value;
    } defaults[] = {
        {"Mode", "OpMode", "1"}, {"Settings", "SamplingRate", "44100"}, {"Settings", "PeakHold", "2"},
        {"Settings", "AverageBlocks", "4"}, {"Trigger", "Channel", "0"}, {"SpectrumOpts", "PlotTop", "0.000000"},
        {"SpectrumOpts", "PlotRange", "120.000000"}, {"SpectrumOpts", "OverlayLegendSize", "8"},
        {"Level", "OutputLevel", "0.000000"}, {"FreqSweep", "FStopHz", "2000.000000"},
    };
    for (const auto& d : defaults) {
        char value[64] = {};
        ::GetPrivateProfileStringA(d.Section, d.Key, "<missing>", value, sizeof value, Ini.c_str());
        EXPECT_STREQ(value, d.Value) << d.Section << "/" << d.Key;
    }
}
