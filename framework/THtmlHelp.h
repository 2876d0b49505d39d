#pragma once
#include <windows.h>

// The help viewer, reached through the HTML Help control loaded when it is
// first needed: a program without the control still runs. When the control
// or its entry is missing, the help file is absent or no viewer window comes
// back, a message box says which, and nothing else happens.
class THtmlHelp {
public:
    using Entry = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

    static constexpr UINT DisplayToc = 1;
    static constexpr UINT DisplayIndex = 2;
    static constexpr UINT HelpContext = 15;
    static constexpr UINT CloseAll = 18;

    // Opens helpFile at the topic of contextId, the viewer owned by owner.
    static HWND ShowContext(HWND owner, const char* helpFile, DWORD contextId);
    // Any viewer command; the viewer's window, or null when there is none.
    static HWND Call(HWND owner, const char* helpFile, UINT command, DWORD_PTR data);
    // Closes every viewer window, once the control is loaded; never loads it.
    static void CloseAllViewers();
    // Replaces the viewer's entry point (tests record the calls); null goes
    // back to the control's own.
    static void SetEntry(Entry entry);
};
