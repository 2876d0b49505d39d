// The program as a new user first meets it: a copy in a fresh build tree with
// no folders made by hand, started in its own folder with the file to open as
// an absolute path (as scripts/run starts it), driven from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "resources/CommandIds.h"
#include "shell/Toolbar.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

bool WaitFor(const std::function<bool()>& done, int ms)
{
    for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
         std::chrono::steady_clock::now() < end; ::Sleep(20))
        if (done()) return true;
    return done();
}

// The first visible top-level window of the process with that class name.
HWND TopWindow(DWORD pid, const char* className)
{
    struct Search { DWORD Pid; const char* Class; HWND Found; } search{pid, className, nullptr};
    ::EnumWindows([](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        char cls[64] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        if (owner != s->Pid || std::string(cls) != s->Class || !::IsWindowVisible(h)) return TRUE;
        s->Found = h;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TextOf(HWND window)
{
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// A build tree of its own: <root>\clone\build\windows\Tonalyx.exe.
class TFirstUse : public ::testing::Test {
protected:
    std::filesystem::path Root = std::filesystem::temp_directory_path()
        / ("tonalyx_firstuse_" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::path ExeFolder = Root / "clone" / "build" / "windows";
    std::string Wave = std::string(TONALYX_FIXTURES) + "\\views\\sine_1k_stereo.wav";
    PROCESS_INFORMATION Process{};

    void SetUp() override
    {
        std::filesystem::create_directories(ExeFolder);
        ASSERT_TRUE(::CopyFileA(TONALYX_EXE, (ExeFolder / "Tonalyx.exe").string().c_str(), FALSE));
        WriteIni((ExeFolder / "Tonalyx.ini").string(), "[Main]\nShowSplashScreen=0\n");
    }
    void TearDown() override
    {
        if (Process.hProcess) {
            if (::WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(Process.hProcess, 9);
            ::CloseHandle(Process.hProcess);
            ::CloseHandle(Process.hThread);
        }
        std::error_code ignored;
        std::filesystem::remove_all(Root, ignored);
    }
    void SetIni(const char* section, const char* key, const std::string& value)
    {
        ::WritePrivateProfileStringA(section, key, value.c_str(), (ExeFolder / "Tonalyx.ini").string().c_str());
    }

    void Start(const std::string& file)
    {
        const std::string exe = (ExeFolder / "Tonalyx.exe").string();
        std::string commandLine = "\"" + exe + "\" \"" + file + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        EXPECT_TRUE(::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     ExeFolder.string().c_str(), &si, &Process));
    }
    HWND Frame()
    {
        HWND frame = nullptr;
        WaitFor([&] { return (frame = TopWindow(Process.dwProcessId, "Tonalyx")) != nullptr; }, 20000);
        return frame;
    }
    // The text of a message box the program shows, once it shows one.
    std::string MessageText(int ms)
    {
        HWND box = nullptr;
        WaitFor([&] { return (box = TopWindow(Process.dwProcessId, "#32770")) != nullptr; }, ms);
        if (!box) return {};
        const std::string text = TextOf(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return text;
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

}  // namespace

TEST_F(TFirstUse, WaveOpensWithTheDefaultFoldersAndRunsToTheEnd)
{
    Start(Wave);
    HWND frame = Frame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(MessageText(1500), "");
    EXPECT_NE(TextOf(frame).find("SINE_1K_STEREO.WAV"), std::string::npos) << TextOf(frame);
    // The working copy went to the default "Tmp" folder, made beside the build.
    EXPECT_TRUE(std::filesystem::is_directory(Root / "clone" / "build" / "wave"));

    ::PostMessageA(frame, WM_COMMAND, CM_ACCELRUN, 0);
    HWND toolbar = ::FindWindowExA(frame, nullptr, "ToolbarClass", nullptr);
    HWND position = ::GetDlgItem(toolbar, Toolbar::PositionId);
    ASSERT_TRUE(position);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(position, SBM_GETPOS, 0, 0) == 1000; }, 20000))
        << ::SendMessageA(position, SBM_GETPOS, 0, 0);
    EXPECT_EQ(MessageText(200), "");
    EXPECT_EQ(Exit(frame), 0u);
}

TEST_F(TFirstUse, WorkingFolderThatCannotBeUsedIsNamedInTheMessage)
{
    // /proc takes no new folders and no new files, not even from root.
    struct Case { const char* Tmp; };
    for (const Case& c : {Case{"Z:\\proc\\tonalyx\\wave"}, Case{"Z:\\proc"}}) {
        SCOPED_TRACE(c.Tmp);
        SetIni("Paths", "Tmp", c.Tmp);
        Start(Wave);
        const std::string text = MessageText(10000);
        HWND frame = Frame();
        ASSERT_TRUE(frame);
        EXPECT_NE(text.find(c.Tmp), std::string::npos) << text;
        EXPECT_EQ(text.find("sine_1k"), std::string::npos) << text;
        EXPECT_EQ(text.find("SINE_1K"), std::string::npos) << text;
        EXPECT_EQ(Exit(frame), 0u);
        ::CloseHandle(Process.hProcess);
        ::CloseHandle(Process.hThread);
        Process = {};
    }
}
