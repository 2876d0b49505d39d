// Operations that start-up and shutdown call, whose work belongs to the macro
// window. Each does what can be done without its subsystem.
#include "shell/TMainWin.h"

void TMainWin::RunMacroFile(const char*)
{
    // The macro window opens, loads the file and runs it here.
}
