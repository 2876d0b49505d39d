#pragma once
#include <windows.h>

#include <string>

#include "engine/TWaveFormat.h"

// What the signal generator needs of the window that owns it (the main
// window): the analyser's format and run state, its files, fonts and the
// progress gauge. The generator never reaches the main window otherwise.
class TGeneratorHost {
public:
    // The analyser's run states the generator tells apart.
    enum TRunState { Running = 1, Stopped = 2, Recording = 3 };

    virtual ~TGeneratorHost() = default;

    virtual TWaveFormat AnalyserFormat() const = 0;
    // One channel built from the left record ("LockSignalGeneratorChannels").
    virtual bool ChannelsLocked() const = 0;
    virtual int RunState() const = 0;
    virtual void StartAnalyzer() = 0;
    virtual void StopAnalyzer() = 0;
    // Whether the analyser's input device takes part in a synchronised start.
    virtual bool InputStartsSynchronised() const = 0;

    // The settings file beside the program, and the help file.
    virtual std::string IniPath() const = 0;
    virtual std::string HelpPath() const = 0;
    // The folder the wave file chooser starts in.
    virtual std::string WaveFolder() const = 0;
    virtual HFONT DialogFont() const = 0;
    virtual HBRUSH BackgroundBrush() const = 0;
    // The frame window, whose caption a build replaces while it runs.
    virtual HWND FrameWindow() const = 0;

    // The status bar's progress gauge, 0 to 99.
    virtual void ShowGauge() = 0;
    virtual void SetGauge(int percent) = 0;
    virtual void HideGauge() = 0;

    // Keeps the generator window's placement in the settings file.
    virtual void SavePlacement() = 0;
    // Closes (and deletes) the generator window, as its Utilities command does.
    virtual void CloseGenerator() = 0;
};
