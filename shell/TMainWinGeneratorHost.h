#pragma once
#include "generator/TGeneratorHost.h"

class TMainWin;

// The main window as the signal generator's host.
class TMainWinGeneratorHost : public TGeneratorHost {
public:
    explicit TMainWinGeneratorHost(TMainWin& main) : Main(main) {}

    TWaveFormat AnalyserFormat() const override;
    bool ChannelsLocked() const override;
    int RunState() const override;
    void StartAnalyzer() override;
    void StopAnalyzer() override;
    bool InputStartsSynchronised() const override;
    std::string IniPath() const override;
    std::string HelpPath() const override;
    std::string WaveFolder() const override;
    HFONT DialogFont() const override;
    HBRUSH BackgroundBrush() const override;
    HWND FrameWindow() const override;
    void ShowGauge() override;
    void SetGauge(int percent) override;
    void HideGauge() override;
    void SavePlacement() override;
    // Posted, so that the generator window is not deleted inside its own handler.
    void CloseGenerator() override;

private:
    TMainWin& Main;
};
