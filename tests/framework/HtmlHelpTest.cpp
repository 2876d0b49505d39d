#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "framework/THtmlHelp.h"

namespace {
struct TCall {
    HWND Owner;
    std::string File;
    UINT Command;
    DWORD_PTR Data;
};
std::vector<TCall> Calls;

HWND WINAPI RecordCall(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)
{
    Calls.push_back({owner, file ? file : "", command, data});
    return nullptr;
}
}

TEST(HtmlHelpTest, ContextHelpIsCommand15WithTheContextId)
{
    Calls.clear();
    THtmlHelp::SetEntry(RecordCall);
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    THtmlHelp::ShowContext(owner, "C:\\Tonalyx\\Tonalyx.chm", 80);
    THtmlHelp::SetEntry(nullptr);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Owner, owner);
    EXPECT_EQ(Calls[0].File, "C:\\Tonalyx\\Tonalyx.chm");
    EXPECT_EQ(Calls[0].Command, 15u);
    EXPECT_EQ(Calls[0].Data, DWORD_PTR(80));
}

TEST(HtmlHelpTest, TheViewerLoadedAtRunTimeAnswersAMissingFileWithABoxAndNoWindow)
{
    auto& host = static_cast<THeadlessEngineHost&>(TEngineHost::Get());
    host.Messages.clear();
    EXPECT_EQ(THtmlHelp::ShowContext(nullptr, "Z:\\no\\such\\help.chm", 80), nullptr);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "The help file Z:\\no\\such\\help.chm was not found.");
    EXPECT_EQ(host.Messages[0].Caption, "Tonalyx");
    THtmlHelp::CloseAllViewers();
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(::GetModuleHandleA("hhctrl.ocx"), nullptr);
}

namespace {
void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(10);
    } while (::GetTickCount() - start < ms);
}
}  // namespace

#ifdef TONALYX_TEST_CHM
TEST(HtmlHelpTest, AContextOfACompiledHelpFileOpensAViewerThatClosingAllEnds)
{
    auto& host = static_cast<THeadlessEngineHost&>(TEngineHost::Get());
    host.Messages.clear();
    // Context 80 is mapped and aliased to a page of the file.
    const HWND viewer = THtmlHelp::ShowContext(nullptr, TONALYX_TEST_CHM, 80);
    ASSERT_NE(viewer, nullptr);
    PumpFor(300);
    EXPECT_TRUE(::IsWindowVisible(viewer));
    char title[200] = {};
    ::GetWindowTextA(viewer, title, sizeof title);
    EXPECT_STREQ(title, "Tonalyx test help");
    EXPECT_TRUE(host.Messages.empty());
    THtmlHelp::CloseAllViewers();
    PumpFor(100);
    EXPECT_FALSE(::IsWindow(viewer));
}

// Run by the next test in a copy of this program whose loader refuses the control.
TEST(HtmlHelpTest, DISABLED_WithoutTheControlOnlyTheMessageShows)
{
    auto& host = static_cast<THeadlessEngineHost&>(TEngineHost::Get());
    host.Messages.clear();
    EXPECT_EQ(THtmlHelp::ShowContext(nullptr, TONALYX_TEST_CHM, 80), nullptr);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "The help viewer (hhctrl.ocx) could not be loaded.");
    EXPECT_EQ(host.Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(::GetModuleHandleA("hhctrl.ocx"), nullptr);
    // No window of any kind came up.
    int windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; },
                        LPARAM(&windows));
    EXPECT_EQ(windows, 0);
    THtmlHelp::CloseAllViewers();
    EXPECT_EQ(host.Messages.size(), 1u);
}

// Wine reads its DLL overrides when it starts a program from Linux, not from
// a Windows parent's environment: the copy is started through the shell.
TEST(HtmlHelpTest, WithTheControlDisabledTheCallerGetsTheMessageAndNothingElse)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program = self;
    if (program.rfind("Z:", 0) == 0) program.erase(0, 2);
    std::replace(program.begin(), program.end(), '\\', '/');
    char overrides[512] = {};
    ::GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    const std::string disabled = overrides[0] ? std::string(overrides) + ";hhctrl.ocx=d" : "hhctrl.ocx=d";
    char folder[MAX_PATH] = {};
    ::GetTempPathA(sizeof folder, folder);
    const std::string base = std::string(folder) + "tonalyx_help_child_" + std::to_string(::GetCurrentProcessId());
    // The report and the exit status as Linux paths (Wine maps C: into the prefix).
    const std::string report = base + ".txt", status = base + ".status";
    auto unixPath = [](const std::string& path) {
        using Convert = char*(CDECL*)(LPCWSTR);
        const auto convert = reinterpret_cast<Convert>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
        std::wstring wide(path.begin(), path.end());
        char* unix = convert ? convert(wide.c_str()) : nullptr;
        std::string result = unix ? unix : "";
        if (unix) ::HeapFree(::GetProcessHeap(), 0, unix);
        return result;
    };
    std::string command = "/bin/sh -c \"WINEDLLOVERRIDES='" + disabled + "' wine '" + program
        + "' --gtest_also_run_disabled_tests --gtest_filter=HtmlHelpTest.DISABLED_WithoutTheControlOnlyTheMessageShows > '"
        + unixPath(report) + "' 2>&1; echo $? > '" + unixPath(status) + "'\"";
    ::DeleteFileA(status.c_str());
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                                 &child));
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    auto read = [](const std::string& path) {
        std::string text;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
            std::fclose(f);
        }
        return text;
    };
    std::string code;
    for (int i = 0; i < 600 && (code.empty() || code.back() != '\n'); ++i, ::Sleep(100)) code = read(status);
    const std::string text = read(report);
    ::DeleteFileA(report.c_str());
    ::DeleteFileA(status.c_str());
    EXPECT_EQ(code, "0\n") << text;
    EXPECT_NE(text.find("[  PASSED  ] 1 test"), std::string::npos) << text;
}
#endif
