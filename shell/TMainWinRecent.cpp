// The File menu's four most recent files, kept in the INI file.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include "base/TSettingsTable.h"
#include "resources/CommandIds.h"
#include "framework/TProfileFile.h"
#include "resources/StringIds.h"
#include "shell/FileTypes.h"

namespace {
constexpr int RecentCount = 4;
const char* const History = IDS_SECTION_FILEHISTORY_TEXT;

void ReadRecent(int key, char* path, const char* ini)
{
    TProfileFile file(ini);
    const std::string text = TSettingsTable::ReadText(file, History, std::to_string(key), "", TMainWin::PathSize);
    std::snprintf(path, TMainWin::PathSize, "%s", text.c_str());
}

void WriteRecent(int key, const char* path, const char* ini)
{
    TProfileFile file(ini);
    TSettingsTable::WriteText(file, History, std::to_string(key), path);
}

// The File menu: the popup that holds Open (a maximised MDI child puts its
// system menu first on the bar).
HMENU FileMenu(HMENU bar)
{
    for (int i = 0, count = bar ? ::GetMenuItemCount(bar) : 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(bar, i);
        if (sub && ::GetMenuState(sub, CM_FILEOPEN, MF_BYCOMMAND) != UINT(-1)) return sub;
    }
    return nullptr;
}
}

void TMainWin::BuildRecentFileMenu()
{
    HMENU file = FileMenu(GetMenu());
    if (!file) return;
    for (int n = 1; n <= RecentCount; ++n) {
        ::RemoveMenu(file, CM_RECENTFILE1 + n - 1, MF_BYCOMMAND);
        char path[PathSize];
        ReadRecent(n, path, IniPath);
        if (!path[0]) break;
        char text[PathSize + 8];
        std::snprintf(text, sizeof text, "%d. %s", n, path);
        ::AppendMenuA(file, MF_STRING, CM_RECENTFILE1 + n - 1, text);
    }
}

void TMainWin::AddRecentFile(const char* path)
{
    if (!path || !*path) return;
    char entry[PathSize];
    for (int n = 1; n <= RecentCount; ++n) {
        ReadRecent(n, entry, IniPath);
        if (_strnicmp(entry, path, PathSize) == 0) return;
    }
    for (int n = RecentCount - 1; n >= 1; --n) {
        ReadRecent(n, entry, IniPath);
        WriteRecent(n + 1, entry, IniPath);
    }
    WriteRecent(1, path, IniPath);
    BuildRecentFileMenu();
}

void TMainWin::OpenRecentFile(int key)
{
    char path[PathSize];
    ReadRecent(key, path, IniPath);
    if (!path[0]) return;
    // A recording is finished and written before anything replaces it.
    if (RunState != Stopped) StopAnalyzer();
    if (IsConfigFileName(path)) LoadConfiguration(path);
    else OpenWaveFile(path);
}

void TMainWin::CeRecentFile(TCommandEnabler& ce)
{
    ce.Enable(OpMode != RealTime);
}
