#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include "base/TEngineHost.h"

// What the macro runner needs of the window that holds the macro text and of
// the analyser it drives. The macro window implements it; tests fake it.
class TMacroRunnerHost {
public:
    virtual ~TMacroRunnerHost() = default;

    // The macro text, one editor line each (at most 256 bytes read).
    virtual int LineCount() = 0;
    virtual std::string Line(int index) = 0;
    virtual void ScrollToTop() = 0;
    // Shows line as the one being run.
    virtual void HighlightLine(int line) = 0;
    // The runner started or stopped: the editor's read-only state, the
    // buttons and whoever follows the macro status.
    virtual void RunStateChanged() = 0;

    // One bracketed command through the command interpreter: 0x8000 or 0.
    virtual uint32_t ExecuteCommand(const std::string& command) = 0;
    // The item's index, -1 for a name that is no item.
    virtual int FindItem(const std::string& name) = 0;
    // The item's text, nothing when the item has no data.
    virtual std::optional<std::string> RequestItem(int index) = 0;
    // "[Close Macro]": closes the macro window once the step is over.
    virtual void CloseMacroWindow() = 0;

    // The output file's name from the options, a name taken relative to the
    // macro folder, whether a run starts a fresh output file, and the note
    // that the output file was closed.
    virtual std::string OptionsOutputName() = 0;
    virtual std::string ResolveOutputName(const std::string& name) = 0;
    virtual bool OverwriteOutput() = 0;
    virtual void OutputFileClosed(const std::string& name) = 0;
    // Makes the folder a file is about to be written into when it is missing.
    virtual void MakeFolderFor(const std::string& file) = 0;

    virtual void ShowError(const std::string& text) = 0;
    virtual uint32_t TickCount() = 0;
    virtual TEngineHost::LocalTime LocalNow() = 0;
    // Seconds of the calendar clock.
    virtual int64_t CalendarNow() = 0;
};
