#include "shell/TTonalyxApp.h"

#include <windows.h>
#include "base/TSettingsTable.h"
#include "framework/TProfileFile.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"

TTonalyxApp::TTonalyxApp(const char* programPath, const char* commandLineArg)
    : TApplication("Tonalyx"), ProgramPath(programPath ? programPath : ""),
      CommandLineArg(commandLineArg ? commandLineArg : "")
{
}

TMainWin* TTonalyxApp::GetMainWin() const
{
    return static_cast<TMainWin*>(GetMainWindow());
}

void TTonalyxApp::InitMainWindow()
{
    SetStringInstance(GetInstance());
    TClientMain* client = new TClientMain(this);
    SetMainWindow(new TMainWin(nullptr, ProgramPath.c_str(), CommandLineArg.empty() ? nullptr : CommandLineArg.c_str(),
                               *client, this));
}

void TTonalyxApp::InitInstance()
{
    using TDepPolicy = BOOL(WINAPI*)(DWORD);
    if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll"))
        if (auto setPolicy = reinterpret_cast<TDepPolicy>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetProcessDEPPolicy"))))
            setPolicy(0);

    InitMainWindow();
    TMainWin* frame = GetMainWin();
    int show = SW_SHOWNORMAL;
    TProfileFile ini(frame->GetIniPath());
    if (TSettingsTable::ReadInt(ini, "ViewStatus", "HideApplicationWindow", 0) != 0) {
        show = SW_HIDE;
        frame->Attr.Style &= ~WS_VISIBLE;
    }
    frame->Attr.ExStyle |= WS_EX_ACCEPTFILES;
    if (frame->Create()) frame->Show(show);
    HAccTable = ::LoadAcceleratorsA(GetInstance(), "MAIN_ACCELERATORS");
}
