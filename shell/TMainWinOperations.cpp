// Operations that start-up and shutdown call, whose work belongs to the run
// control, the File menu, configuration files and the macro window. Each
// does what can be done without its subsystem.
#include "shell/TMainWin.h"

void TMainWin::StartAnalyzer()
{
    // The run control starts capture, playback or file analysis here.
}

void TMainWin::StopAnalyzer()
{
    // The run control closes the ports and writes pending frames here.
}

void TMainWin::RunMacroFile(const char*)
{
    // The macro window opens, loads the file and runs it here.
}
