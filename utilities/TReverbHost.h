#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "engine/TWaveFormat.h"
#include "framework/TOpenSaveDialog.h"
#include "engine/ReverbSettings.h"

// What the reverberation window asks of the main window: its settings, the
// sound devices it opens ports of its own on, the analyser it stops, the
// level meters it drives during a run, the folders and dialogs of its files
// and its own closing. The main window implements it.
class TReverbHost {
public:
    virtual ~TReverbHost() = default;

    // Section "ReverbOpts". The window changes only what it shows (time
    // span, RT column, band, plot top) and hands the record back whole.
    virtual const ReverbSettings& ReverbOptionsRecord() const = 0;
    virtual void SetReverbView(const ReverbSettings& options) = 0;

    virtual HFONT ControlFont() = 0;
    virtual HBRUSH UtilityBrush() = 0;
    virtual const char* HelpFile() = 0;
    virtual int MessageBox(const char* text, const char* caption, UINT type) = 0;

    // A live run: the analyser stopped, the devices and the driver option
    // the ports open with, whether one device records while it plays, and
    // the rate the input takes (44.1 kHz unless it needs 48 kHz).
    virtual void StopAnalyzerForRun() = 0;
    virtual int32_t RunInputDevice() const = 0;
    virtual int32_t RunOutputDevice() const = 0;
    virtual uint32_t RunPortOption() const = 0;
    virtual bool DeviceIsFullDuplex() = 0;
    virtual uint32_t RunSampleRate() = 0;
    // The left level meter (-999: no reading) and the run indicator.
    virtual void ShowRunLevel(int32_t level) = 0;
    virtual void ShowRunning(bool running) = 0;
    // The frame enabled or not while a run blocks it.
    virtual void EnableFrame(bool enable) = 0;

    // The folder of reverberation files, a name resolved against it, the
    // folder the dialogs start in and the folder of a chosen file kept.
    virtual bool ResolveReverbPath(std::string& resolved, const char* name) = 0;
    virtual std::string ReverbDialogFolder() = 0;
    virtual void KeepReverbDialogFolder(const char* chosenPath) = 0;
    // IDOK with the chosen path in data.FileName.
    virtual int RunReverbFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) = 0;

    // The options dialog for the record; results applied to the open window after OK.
    virtual void ShowReverbOptions() = 0;
    // The print job of the window (print dialog, abort dialog, page).
    virtual void PrintReverbPlot() = 0;
    // The window's close box, after its question: it goes as through its
    // menu toggle, which keeps its placement.
    virtual void CloseReverbWindow() = 0;
};
