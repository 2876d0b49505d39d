#pragma once
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include "automation/MacroSettings.h"
#include "automation/TDdeItemTable.h"
#include "framework/TOpenSaveDialog.h"

// What the macro window asks of the main window: the command interpreter and
// the DDE items it runs macros against, the macro options, folders, the
// shared font and brush, file dialogs and its own closing. The main window
// implements it, so the macro window never includes the main window.
class TMacroHost {
public:
    virtual ~TMacroHost() = default;

    // One bracketed command: 0x8000 when carried out, 0 otherwise.
    virtual uint32_t ExecuteCommand(std::string_view command) = 0;
    // A DDE item's text, nothing when it has no data.
    virtual std::optional<std::string> DdeItemText(int index) = 0;
    // Tells DDE clients linked to the item that it changed.
    virtual void PostDdeAdvise(TDdeItem item) = 0;

    // Section "MacroOpts", written with the other settings.
    virtual MacroSettings& MacroOptionsRecord() = 0;
    // A relative name (longer than 3 characters, no drive) in the macro folder.
    virtual std::string ResolveMacroPath(const std::string& name) = 0;
    // The folder the file dialogs start in, and keeping the folder of a choice.
    virtual std::string LastFileFolder() = 0;
    virtual void StoreLastFileFolder(const std::string& path) = 0;
    virtual void MacroOutputFileClosed(const std::string& name) = 0;
    // The program's help file.
    virtual const char* HelpFile() = 0;

    virtual HFONT ControlFont() = 0;
    virtual HBRUSH UtilityBrush() = 0;
    // IDOK with the chosen path in data.FileName.
    virtual int RunMacroFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save) = 0;

    // The macro window is being destroyed (its placement is kept), or asks to
    // be closed through the main window's toggle once its current step is over.
    virtual void MacroWindowClosing() = 0;
    virtual void CloseMacroWindow() = 0;
};
