#pragma once
#include "shell/TMainWin.h"

// Stops the analyser for a change and runs it again afterwards when it was
// running; a recording or playback stays stopped.
class TRunPause {
public:
    explicit TRunPause(TMainWin& main) : Main(main), WasRunning(main.GetRunState() == TMainWin::Running)
    {
        if (Main.GetRunState() != TMainWin::Stopped) Main.StopAnalyzer();
    }
    ~TRunPause()
    {
        if (WasRunning) Main.StartAnalyzer();
    }
    TRunPause(const TRunPause&) = delete;
    TRunPause& operator=(const TRunPause&) = delete;

private:
    TMainWin& Main;
    bool WasRunning;
};
