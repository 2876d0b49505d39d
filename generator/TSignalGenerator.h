#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "framework/TButton.h"
#include "framework/TComboBoxNonSort.h"
#include "framework/TScrollBar.h"
#include "framework/TWindow.h"
#include "generator/SignalParams.h"
#include "generator/TGeneratorSources.h"
#include "generator/TSignalSynthesizer.h"

class TGeneratorHost;

// The signal generator: a small floating window over the main window that
// builds a block of PCM frames per channel from one of seventeen signal kinds
// and plays it on its own output port, alone or while the analyser runs.
// It owns both channels' parameter records, the output level, the block and
// the port; settings are read at construction and written at destruction.
class TSignalGenerator : public TWindow {
public:
    // Control ids.
    static constexpr int LeftTypeId = 205;
    static constexpr int RightTypeId = 206;
    static constexpr int LeftDetailsId = 207;
    static constexpr int RightDetailsId = 208;
    static constexpr int RunId = 210;
    static constexpr int StopId = 211;
    static constexpr int LevelId = 213;
    static constexpr int VolumeId = 511;
    // The window's sizes stopped and playing.
    static constexpr int StoppedWidth = 216;
    static constexpr int StoppedHeight = 120;
    static constexpr int PlayingWidth = 52;
    static constexpr int PlayingHeight = 58;
    // The button look of EnableButtons.
    enum TButtonState { Playing = 1, Idle = 2 };

    TSignalGenerator(TWindow* parent, TGeneratorHost& host, uint32_t deviceId, const char* settingsFile);
    ~TSignalGenerator() override;

    void SetupWindow() override;
    const char* GetClassName() override { return "SignalGeneratorClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    // Output.
    bool IsPlaying() const;
    bool IsContinuous() const;
    void StartOutput();
    void StopOutput();
    void RestartOutput();
    // A buffer finished: a one-shot signal ends, two halves are queued again.
    int PollOutput();
    // The analyser's format, the channel lock or the output device changed.
    void FormatChanged(uint32_t deviceId, int force);

    // Commands of the main window and of macros.
    void SetSignalType(const char* name, int channel);
    void SetTone(float frequency, float levelDb, int channel);
    // The report name of channel 0's or 1's signal, into at least 16 characters.
    void GetSignalDescription(int channel, char* text) const;
    // The kind's parameter dialog on params; 1 after OK (the signal rebuilt).
    int EditSignalParameters(SignalParams& params);
    // The block, repeated repeatCount times, as a wave file; false when
    // nothing was saved.
    bool SaveSignalAsWave(const char* fileName, int repeatCount);

    // Settings.
    void LoadSettings(const char* fileName);
    void SaveSettings(const char* fileName);

    // The signal block.
    void BuildSignal();
    void SetOutputFormat();
    void AllocateSignal();

    TWaveData* GetSignal() const { return Signal.get(); }
    TSoundOutput* GetOutputPort() const { return OutputPort.get(); }
    uint32_t GetDeviceId() const { return DeviceId; }

    SignalParams Left{};
    SignalParams Right{};
    OutputLevelStruct Level{};

private:
    void FillTypeList(TComboBoxNonSort& list);
    void EnableDetailButtons();
    void EnableButtons(int state);
    void LayoutControls();
    bool Stereo() const;
    bool RightEditable() const;
    // Stops output, runs action, and starts again when it was playing.
    template <class F> void WhileStopped(F action);
    // "GeneratorSamplingRate" of the INI file; 0, also for a rate no sound
    // format takes, means the analyser's rate.
    uint32_t ConfiguredRate() const;
    void WriteHalves(int slots);

    void CmLeftTypeChanged();
    void CmRightTypeChanged();
    void CmRightTypeFocus();
    void CmEditLeft();
    void CmEditRight();
    void CmOutputLevel();
    void WriteVolume(UINT code);
    void EvSetFocus(HWND lost);
    void EvSysCommand(UINT command, const TPoint& point);
    void EvDestroy();
    LRESULT EvOutputDone(WPARAM, LPARAM);

    TGeneratorHost& Host;
    TGeneratorSources Sources;
    TSignalSynthesizer Synth;
    HGLOBAL PinkWaveResource = nullptr;
    std::unique_ptr<TWaveData> Signal;
    std::unique_ptr<TSoundOutput> OutputPort;
    uint32_t DeviceId;
    std::unique_ptr<TComboBoxNonSort> LeftTypeList, RightTypeList;
    std::unique_ptr<TButton> RunButton, StopButton, LevelButton, LeftDetailsButton, RightDetailsButton;
    std::unique_ptr<TScrollBar> VolumeBar;
    // Channels whose stored settings could not be used play silence until
    // their signal or level is set again; the reader's message waits for the window.
    bool Silenced[2] = {false, false};
    std::string RefusedMessage;

    DECLARE_RESPONSE_TABLE(TSignalGenerator);
};
