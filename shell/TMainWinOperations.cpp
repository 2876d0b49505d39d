// Operations that start-up and shutdown call, whose work belongs to the File
// menu, configuration files and the macro window. Each does what can be done
// without its subsystem.
#include "shell/TMainWin.h"

void TMainWin::OpenWaveFile(const char*)
{
    // The File menu opens the wave file here.
}

int TMainWin::CloseWaveFile()
{
    // The File menu asks to save a changed wave file here; with no file open
    // there is nothing to close.
    return WaveFile ? 0 : 1;
}

void TMainWin::LoadConfiguration(const char*)
{
    // Configuration files are loaded here.
}

void TMainWin::AddRecentFile(const char*)
{
    // The File menu's recent-file list takes the path here.
}

void TMainWin::RunMacroFile(const char*)
{
    // The macro window opens, loads the file and runs it here.
}
