#pragma once
// A generator host without a main window: the analyser's format, lock and
// run state as fields, and counts of what the generator asked of it.
#include <windows.h>

#include <string>
#include <vector>

#include "generator/TGeneratorHost.h"

class TTestGeneratorHost : public TGeneratorHost {
public:
    TWaveFormat AnalyserFormat() const override { return Format; }
    bool ChannelsLocked() const override { return Locked; }
    int RunState() const override { return State; }
    void StartAnalyzer() override
    {
        ++Starts;
        State = Running;
    }
    void StopAnalyzer() override
    {
        ++Stops;
        State = Stopped;
    }
    bool InputStartsSynchronised() const override { return InputSynchronised; }
    std::string IniPath() const override { return Ini; }
    std::string HelpPath() const override { return "tonalyx.chm"; }
    std::string WaveFolder() const override { return Folder; }
    HFONT DialogFont() const override { return nullptr; }
    HBRUSH BackgroundBrush() const override { return nullptr; }
    HWND FrameWindow() const override { return Frame; }
    void ShowGauge() override { Gauge.push_back(-1); }
    void SetGauge(int percent) override { Gauge.push_back(percent); }
    void HideGauge() override { Gauge.push_back(-2); }
    void SavePlacement() override { ++Placements; }
    void CloseGenerator() override { ++CloseRequests; }

    TWaveFormat Format{44100, 1, 2};
    bool Locked = false;
    int State = Stopped;
    bool InputSynchronised = false;
    std::string Ini;
    std::string Folder;
    HWND Frame = nullptr;
    int Starts = 0, Stops = 0, Placements = 0, CloseRequests = 0;
    std::vector<int> Gauge;
};
