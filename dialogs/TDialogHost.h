#pragma once
#include <string>
#include "engine/AnalysisSettingsStruct.h"
#include "framework/TOpenSaveDialog.h"

// What the settings dialogs need of the main window beyond the records they
// edit. The main window implements it; tests give the dialogs a host of
// their own.
class TDialogHost {
public:
    virtual bool IsPostProcessing() const = 0;
    // Whether the main window has a sound input port.
    virtual bool HasInputPort() const = 0;
    // Whether memory allows the analysis with these settings instead of the
    // current ones; the host explains a refusal itself.
    virtual bool MemoryAllows(const AnalysisSettingsStruct& next) = 0;
    // The common file dialogs; IDOK with the chosen path in data.FileName.
    virtual int RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) = 0;
    // Whether a chosen file name fits the file fields; a longer one is
    // refused with a message, never cut.
    virtual bool FitsFileBuffer(const std::string& path) = 0;
    // The folder where the file dialog for a kind of file starts (kinds are
    // the keys of section "Paths": "mic", "cal", ...), and the folder of a
    // chosen file kept as that kind's folder.
    virtual std::string CurrentFolder(const char* kind) const = 0;
    virtual void KeepFolder(const char* kind, const char* chosenPath) = 0;
    // The program's help file, which the Help buttons open at their topics.
    virtual const char* HelpFilePath() const = 0;

protected:
    ~TDialogHost() = default;
};
