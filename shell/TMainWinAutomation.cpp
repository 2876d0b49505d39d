// Automation as the main window offers it: the command interpreter's door,
// the DDE server's operations and the macro window.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include "automation/TDdeItemTable.h"
#include "automation/TKeywordTable.h"
#include "automation/TMacro.h"
#include "framework/TMDIClient.h"
#include "resources/CommandIds.h"
#include "shell/TCommandInterpreter.h"
#include "shell/TDdeServer.h"

uint32_t TMainWin::DdeExecuteCommand(HDDEDATA data)
{
    // One byte more than the interpreter takes: a command that fills it is too long.
    char command[TKeywordTable::MaxCommandLength + 2] = {};
    const DWORD size = ::DdeGetData(data, reinterpret_cast<BYTE*>(command), sizeof command, 0);
    const size_t length = strnlen(command, std::min<size_t>(size, sizeof command));
    if (length > TKeywordTable::MaxCommandLength) return 0;
    // The command's messages are kept while it runs and shown after the
    // answer; a command that had something to say did not do what it was asked.
    TEngineHost& shown = TEngineHost::Get();
    TDeferredMessages deferred(shown);
    TEngineHost::Install(&deferred);
    DeferredMessages = &deferred;
    uint32_t answer = ExecuteCommand(std::string_view(command, length));
    DeferredMessages = nullptr;
    TEngineHost::Install(&shown);
    if (deferred.Kept().empty()) return answer;
    if (KeptMessages.empty() && HWindow) PostMessage(ShowKeptMessagesRequest);
    KeptMessages.insert(KeptMessages.end(), deferred.Kept().begin(), deferred.Kept().end());
    return 0;
}

LRESULT TMainWin::EvShowKeptMessages(WPARAM, LPARAM)
{
    // Taken first: a box shown here lets other transactions keep messages meanwhile.
    std::vector<TDeferredMessages::TMessage> messages;
    messages.swap(KeptMessages);
    for (const TDeferredMessages::TMessage& m : messages) TEngineHost::Get().ShowMessage(m.Text, m.Caption, m.Style);
    return 0;
}

int TMainWin::MessageBox(const char* text, const char* caption, UINT type)
{
    if (DeferredMessages) return DeferredMessages->ShowMessage(text ? text : "", caption ? caption : "", type);
    return TMDIFrame::MessageBox(text, caption, type);
}

uint32_t TMainWin::ExecuteCommand(std::string_view command)
{
    ++CommandDepth;
    const uint32_t answer = TCommandInterpreter(*this).Execute(command);
    --CommandDepth;
    return answer;
}

bool TMainWin::AutomationBusy() const
{
    // A modal dialog, a message box or a print job disables the frame.
    return CommandDepth > 0 || (HWindow && !::IsWindowEnabled(HWindow));
}

void TMainWin::InitDdeServer()
{
    DdeAdviseActive = 0;
    PeakSearchLow = 0.0f;
    PeakSearchHigh = 9999999.0f;
    TimeSegmentStart = TimeSegmentEnd = 0.0f;
    DdeLinkDisconnected();
    DdeServer = std::make_unique<TDdeServer>(*this);
    DdeServer->Start(IniPath);
}

void TMainWin::ShutdownDdeServer()
{
    DdeServer.reset();
}

// Data posted while a command is being answered would reach a DDE client
// before the command's acknowledgement, and a client waiting for that answer
// takes the first message it gets as the answer. Such advises go out from
// the message loop, after the acknowledgement.
bool TMainWin::DeferAdvise()
{
    if (CommandDepth == 0 || !HWindow) return false;
    if (!AdvisePending) PostMessage(AdviseAllRequest);
    AdvisePending = 1;
    return true;
}

LRESULT TMainWin::EvAdviseAllRequest(WPARAM, LPARAM)
{
    AdvisePending = 0;
    PostDdeAdviseAll();
    return 0;
}

void TMainWin::PostDdeAdviseAll()
{
    if (DdeServer && !DeferAdvise()) DdeServer->PostAdviseAll();
}

void TMainWin::PostDdeAdvise(TDdeItem item)
{
    if (DdeServer && !DeferAdvise()) DdeServer->PostAdvise(int(item));
}

int TMainWin::DdeFindItem(HSZ item) const
{
    return DdeServer ? DdeServer->FindItem(item) : 0;
}

int TMainWin::DdeIsServedItem(HSZ topic, HSZ item) const
{
    return DdeServer ? DdeServer->IsServedItem(topic, item) : 0;
}

int TMainWin::DdeAcceptConnect(HSZ topic, HSZ service) const
{
    return DdeServer ? DdeServer->AcceptConnect(topic, service) : 0;
}

HDDEDATA TMainWin::DdeWildConnect(HSZ topic, HSZ service, UINT format)
{
    return DdeServer ? DdeServer->WildConnect(topic, service, format) : nullptr;
}

HDDEDATA TMainWin::DdeRequestItem(uint16_t index)
{
    return DdeServer ? DdeServer->RequestItem(index) : nullptr;
}

bool TMainWin::IsMacroRunning() const
{
    const TMacro* macro = MacroWindow();
    return macro && macro->IsRunning();
}

void TMainWin::CmMacroProcessor()
{
    TMacro* macro = MacroWindow();
    if (!macro) {
        CreateViewWindow(ViewType::Macro, IniPath);
        return;
    }
    // Never from inside the window's own step: it would be deleted under it.
    if (macro->IsStepping()) {
        PostMessage(WM_COMMAND, CM_MACROPROCESSOR);
        return;
    }
    if (!macro->CanClose()) return;
    Windows.Close(ViewType::Macro);
}

void TMainWin::RunMacroFile(const char* path)
{
    OpenMacroScript(path ? path : "", true);
}

std::string TMainWin::ResolveMacroPath(const std::string& name)
{
    char resolved[PathSize];
    if (!ResolvePath(resolved, ConfiguredFolders[MacroFolder], name.c_str())) return name;
    return resolved;
}

std::string TMainWin::LastFileFolder()
{
    return CurrentFolders[MacroFolder];
}

void TMainWin::StoreLastFileFolder(const std::string& path)
{
    StoreCurrentFolder(MacroFolder, path.c_str());
}

void TMainWin::MacroOutputFileClosed(const std::string& name)
{
    std::snprintf(LastClosedFile, sizeof LastClosedFile, "%s", name.c_str());
    PostDdeAdvise(TDdeItem::FileClosed);
}

void TMainWin::MacroWindowClosing()
{
    SaveUtilityPlacements(ViewType::Macro, IniPath);
}

void TMainWin::CloseMacroWindow()
{
    if (HWindow) PostMessage(WM_COMMAND, CM_MACROPROCESSOR);
}

int TMainWin::RunMacroFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save)
{
    return RunFileDialog(data, title, save);
}
