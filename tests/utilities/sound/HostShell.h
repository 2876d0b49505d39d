#pragma once
// Commands of the host system (PulseAudio's pactl, Debian's python3) run from
// a test under Wine. Wine hands a Unix program to the host without reporting
// its exit, so each command leaves a file with its exit code when done.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

// The Windows name of a host path under /tmp.
inline std::string HostFile(const std::string& unixPath) { return "Z:" + unixPath; }

inline std::string ReadHostFile(const std::string& unixPath)
{
    std::string text;
    if (FILE* f = std::fopen(HostFile(unixPath).c_str(), "rb")) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

// Runs command (no double quotes in it) under /bin/sh and waits for it;
// true when it exits with 0. Its standard output goes to output when given.
inline bool RunHostShell(const std::string& command, std::string* output = nullptr, DWORD timeoutMs = 20000)
{
    static int serial = 0;
    const std::string base = "/tmp/tonalyx-shell-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(++serial);
    const std::string out = base + ".out", done = base + ".done";
    std::string line = "/bin/sh -c \"(" + command + ") >" + out + " 2>&1; echo $? >" + done + ".part; mv " + done +
                       ".part " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    std::string code;
    for (const DWORD end = ::GetTickCount() + timeoutMs; code.empty() && int(::GetTickCount() - end) < 0;) {
        code = ReadHostFile(done);
        if (code.empty()) ::Sleep(20);
    }
    if (output) *output = ReadHostFile(out);
    ::DeleteFileA(HostFile(out).c_str());
    ::DeleteFileA(HostFile(done).c_str());
    return !code.empty() && std::atoi(code.c_str()) == 0;
}

// PulseAudio volumes are cubic: the raw value of a linear gain.
inline long RawVolume(double gain) { return std::lround(65536.0 * std::cbrt(gain)); }

// Raises this test program's threads, and those it starts later, above the
// rest of a busy machine, so that Wine's sound threads keep their real-time
// deadlines (a late one plays silence into the loop). Without the right to
// do so nothing changes.
inline void RaiseTestPriority()
{
    // Wine's command line holds the program's path as it was started: match its file name.
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    name.erase(0, name.find_last_of("\\/") + 1);
    RunHostShell("for p in $(pgrep -f '" + name + "'); do for t in /proc/$p/task/*; do renice -n -10 -p ${t##*/}; "
                 "done; done");
}
