// The Help menu: the help viewer at its entry points, the demonstration
// macro, the text documents beside the help file, the web page and About.
#include "shell/TMainWin.h"

#include <string>

#include "automation/TMacro.h"
#include "dialogs/TAboutDialog.h"
#include "framework/THtmlHelp.h"
#include "resources/CommandIds.h"
#include "shell/TRunPause.h"

namespace {

// Context of the application notes in the help file.
constexpr DWORD AppNotesContext = 1030;
constexpr const char* Website = "https://www.tonalyx.example/";

}  // namespace

void TMainWin::CmHelpContents() { THtmlHelp::Call(HWindow, HelpPath, THtmlHelp::DisplayToc, 0); }

void TMainWin::CmHelpSearch() { THtmlHelp::Call(HWindow, HelpPath, THtmlHelp::DisplayIndex, 0); }

void TMainWin::CmHelpAppNotes() { THtmlHelp::ShowContext(HWindow, HelpPath, AppNotesContext); }

std::string TMainWin::HelpFolderFile(const char* name) const
{
    const std::string help = HelpPath;
    const size_t slash = help.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : help.substr(0, slash + 1)) + name;
}

void TMainWin::Launch(const std::string& commandLine) { ::WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

void TMainWin::CmReleaseNotes() { Launch("notepad.exe " + HelpFolderFile("readme.txt")); }

void TMainWin::CmLicenseAgreement() { Launch("notepad.exe " + HelpFolderFile("disclaim.txt")); }

void TMainWin::CmGoToWebsite()
{
    std::string command = "\"c:\\program files\\Internet Explorer\\iexplore.exe\" ";
    command += Website;
    Launch(command);
}

void TMainWin::CmRunDemoMacro()
{
    if (RunState != Stopped)
        StopAnalyzer();
    if (!MacroWindow())
        CmMacroProcessor();
    if (TMacro* macro = MacroWindow()) {
        macro->OpenFile("Demo.mac");
        macro->CmRun();
    }
}

void TMainWin::CmAbout()
{
    const bool wasRunning = RunState == Running;
    if (RunState != Stopped)
        StopAnalyzer();
    TAboutDialog about(this, this, "ABOUT_TONALYX", 0);
    if (ExecuteDialog(about) == CM_ABOUTDEMO)
        CmRunDemoMacro();
    else if (wasRunning)
        StartAnalyzer();
}
