#pragma once
// A copy of the program in a folder of its own, started with a command line
// and an INI file, and the windows and message boxes it shows.
#include <gtest/gtest.h>
#include <windows.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "resources/CommandIds.h"

inline bool WaitUntil(const std::function<bool()>& done, int ms)
{
    for (auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
         std::chrono::steady_clock::now() < end; ::Sleep(10))
        if (done()) return true;
    return done();
}

inline HWND FindWindowOf(DWORD pid, const char* className)
{
    struct Search { DWORD Pid; const char* Class; HWND Found; } search{pid, className, nullptr};
    ::EnumWindows([](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        char cls[64] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        if (owner == s->Pid && std::string(cls) == s->Class && ::IsWindowVisible(h)) {
            s->Found = h;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A child window of a class anywhere below parent.
inline HWND FindChildOf(HWND parent, const char* className)
{
    struct Search { const char* Class; HWND Found; } search{className, nullptr};
    ::EnumChildWindows(parent, [](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        char cls[64] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == s->Class) {
            s->Found = h;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Handles the messages queued for this thread, for ms milliseconds (or once).
inline void DrainMessages(int ms = 0)
{
    const DWORD end = ::GetTickCount() + DWORD(ms);
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        if (ms) ::Sleep(5);
    } while (int32_t(::GetTickCount() - end) < 0);
}

// The text of a message box: its last static text that is not empty.
inline std::string MessageBoxText(HWND box)
{
    std::string text;
    ::EnumChildWindows(box, [](HWND h, LPARAM l) -> BOOL {
        char cls[32] = {}, t[1024] = {};
        ::GetClassNameA(h, cls, sizeof cls);
        ::GetWindowTextA(h, t, sizeof t);
        if (std::string(cls) == "Static" && t[0]) *reinterpret_cast<std::string*>(l) = t;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&text));
    return text;
}

// A mono 16-bit wave of a 1 kHz tone.
inline void WriteMonoWave(const std::string& path, uint32_t frames, uint32_t rate = 48000)
{
    std::ofstream wave(path, std::ios::binary);
    auto put32 = [&](uint32_t v) { wave.write(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](uint16_t v) { wave.write(reinterpret_cast<const char*>(&v), 2); };
    wave.write("RIFF", 4);
    put32(36 + frames * 2);
    wave.write("WAVEfmt ", 8);
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    wave.write("data", 4);
    put32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        put16(uint16_t(int16_t(std::lround(8000.0 * std::sin(6.283185307179586 * 1000.0 * i / rate)))));
}

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TTestFolder {
public:
    TTestFolder()
    {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static int serial = 0;
        Path = std::string(base) + "tonalyx_automation_" + std::to_string(::GetCurrentProcessId()) + "_"
            + std::to_string(++serial);
        ::CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TTestFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((Path + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA((Path + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(Path.c_str());
    }
    std::string File(const std::string& name) const { return Path + "\\" + name; }
    std::string Path;
};

class TProgramRun : public ::testing::Test {
protected:
    TTestFolder Folder;
    std::string Exe = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    PROCESS_INFORMATION Process{};

    void SetUp() override
    {
        ASSERT_TRUE(::CopyFileA(TONALYX_EXE, Exe.c_str(), FALSE));
        Set("Main", "ShowSplashScreen", "0");
        Set("Paths", "macro", Folder.Path.c_str());
        Set("Paths", "Tmp", Folder.Path.c_str());
        Set("MacroOpts", "OutputFilename", Folder.File("out.txt").c_str());
    }
    void TearDown() override
    {
        if (!Process.hProcess) return;
        if (::WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(Process.hProcess, 9);
        ::WaitForSingleObject(Process.hProcess, 5000);
        ::CloseHandle(Process.hProcess);
        ::CloseHandle(Process.hThread);
        Process = {};
    }
    void Set(const char* section, const char* key, const char* value)
    {
        ::WritePrivateProfileStringA(section, key, value, Ini.c_str());
    }
    void WriteFile(const std::string& name, const std::string& text) { std::ofstream(Folder.File(name)) << text; }

    void Start(const std::string& argument = "")
    {
        std::string commandLine = "\"" + Exe + "\"";
        if (!argument.empty()) commandLine += " " + argument;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        ASSERT_TRUE(::CreateProcessA(Exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     Folder.Path.c_str(), &si, &Process));
    }
    // A top-level window of the program, or a window of that class inside the frame (an MDI child).
    HWND Window(const char* className, int ms = 20000)
    {
        HWND found = nullptr;
        WaitUntil([&] {
            found = FindWindowOf(Process.dwProcessId, className);
            if (!found)
                if (HWND frame = FindWindowOf(Process.dwProcessId, "Tonalyx")) found = FindChildOf(frame, className);
            return found != nullptr;
        }, ms);
        return found;
    }
    HWND Frame() { return Window("Tonalyx"); }
    // The text of the message box the program shows now, or "" when none comes.
    std::string MessageText(int ms = 10000)
    {
        HWND box = Window("#32770", ms);
        return box ? MessageBoxText(box) : "";
    }
    void CloseMessage()
    {
        if (HWND box = Window("#32770", 2000)) ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !FindWindowOf(Process.dwProcessId, "#32770"); }, 5000);
    }
    DWORD Exit()
    {
        if (HWND frame = Frame()) ::PostMessageA(frame, WM_COMMAND, CM_EXIT, 0);
        EXPECT_EQ(::WaitForSingleObject(Process.hProcess, 15000), WAIT_OBJECT_0);
        DWORD code = 1;
        ::GetExitCodeProcess(Process.hProcess, &code);
        return code;
    }
};
