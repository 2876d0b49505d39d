#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "framework/TOpenSaveDialog.h"
#include "views/THDFreqSettings.h"

// What the THD+N versus frequency window asks of the main window besides a
// view's roles: its settings record and the door that changes it, the sound
// devices it runs in full duplex, the analyser's pause around a run, the
// input peak fields, the "thd" folder and file dialogs, and its closing.
class TThdFreqHost {
public:
    virtual ~TThdFreqHost() = default;

    // Section "THDFreqOpts"; the window changes it only through the setter.
    virtual const THDFreqSettings& GetThdFreqOptions() const = 0;
    virtual void SetThdFreqOptions(const THDFreqSettings& options) = 0;

    struct TDuplexDevices {
        uint32_t Input = 0;
        uint32_t Output = 0;
        // Same device both ways on a card that cannot play and record at once.
        bool HalfDuplex = false;
        // Section "FileIO", key "DALSelfMonitor".
        uint32_t SelfMonitor = 0;
    };
    virtual TDuplexDevices DuplexDevices() = 0;
    // Stops the analyser and the generator's output before a run.
    virtual void StopForMeasurement() = 0;
    // While a run plays and records: the main window disabled, its run state
    // running and its input peak fields cleared; afterwards enabled, stopped
    // and cleared again.
    virtual void SetMeasuring(bool measuring) = 0;
    // Meter values of the capture's newest block; refresh repaints the status bar.
    virtual void ShowInputPeaks(int left, int right, bool refresh) = 0;
    virtual std::string TemporaryFolder() = 0;

    // A relative name in the "thd" folder; empty, after a message, when the
    // joined path is too long.
    virtual std::string ResolveThdPath(const std::string& name) = 0;
    // The folder the file dialogs start in, and keeping the folder of a choice.
    virtual std::string ThdFileFolder() = 0;
    virtual void StoreThdFileFolder(const std::string& path) = 0;
    // IDOK with the chosen path in data.FileName.
    virtual int RunThdFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) = 0;
    // The print job of the window: after the print dialog when interactive,
    // else on the default printer without one.
    virtual void PrintThdFreqPlot(bool interactive) = 0;

    // The window is being destroyed (its placement is kept), or asks to be
    // closed through the main window's toggle after its own handler.
    virtual void ThdFreqWindowClosing() = 0;
    virtual void CloseThdFreqWindow() = 0;
};
