// The macro window: editor, buttons, files, options, the close question and
// the runner's view of the editor.
#include "automation/TMacro.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include "automation/TDdeItemTable.h"
#include "automation/TMacroHost.h"
#include "automation/TMacroOptionsDialog.h"
#include "engine/TFolder.h"
#include "framework/TButton.h"
#include "framework/TCommandEnabler.h"
#include "framework/TDC.h"
#include "framework/TEdit.h"
#include "framework/THtmlHelp.h"
#include "framework/TMDIClient.h"
#include "framework/TModule.h"
#include "resources/CommandIds.h"

namespace {

const char* const Product = "Tonalyx";
constexpr int ButtonGap = 64;

// The editor shows CR LF line ends; files may have bare LF.
std::string WithEditorLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

DEFINE_RESPONSE_TABLE1(TMacro, TMDIChild)
    EV_BN_CLICKED(TMacro::RunId, CmRun)
    EV_BN_CLICKED(TMacro::StopId, CmStop)
    EV_BN_CLICKED(TMacro::ViewOutputId, CmViewOutput)
    EV_BN_CLICKED_RANGE(TMacro::FirstUserButtonId, TMacro::FirstUserButtonId + MacroSettings::ButtonCount - 1,
                        CmUserButton)
    EV_COMMAND(CM_MACRO_NEW, CmNew)
    EV_COMMAND(CM_MACRO_OPEN, CmOpen)
    EV_COMMAND(CM_MACRO_CLOSE, CmClose)
    EV_COMMAND(CM_MACRO_SAVE, CmSave)
    EV_COMMAND(CM_MACRO_SAVEAS, CmSaveAs)
    EV_COMMAND(CM_MACRO_EXIT, CmExit)
    EV_COMMAND(CM_MACRO_OPTIONS, CmOptions)
    EV_COMMAND(CM_MACRO_SYNTAXHELP, CmSyntaxHelp)
    EV_COMMAND_ENABLE(CM_MACRO_NEW, CeFileCommand)
    EV_COMMAND_ENABLE(CM_MACRO_OPEN, CeFileCommand)
    EV_COMMAND_ENABLE(CM_MACRO_CLOSE, CeFileCommand)
    EV_COMMAND_ENABLE(CM_MACRO_SAVE, CeFileCommand)
    EV_COMMAND_ENABLE(CM_MACRO_SAVEAS, CeFileCommand)
    EV_COMMAND_ENABLE(CM_MACRO_OPTIONS, CeFileCommand)
    EV_EN_CHANGE(TMacro::EditorId, EditorChanged)
    EV_WM_SYSCOMMAND
    EV_WM_SIZE
    EV_WM_DESTROY
END_RESPONSE_TABLE;

TMacro::TMacro(TMDIClient& parent, TMacroHost& host)
    : TMDIChild(parent, "Macro Processor - [Untitled]"), Host(host), Runner(*this)
{
    Attr.Style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    Attr.X = 300;
    Attr.Y = 200;
    Attr.W = 100;
    Attr.H = 60;
    RunButton = std::make_unique<TButton>(this, RunId, "Run", 2, 3, 60, 20);
    StopButton = std::make_unique<TButton>(this, StopId, "Stop", 66, 3, 60, 20);
    ViewOutputButton = std::make_unique<TButton>(this, ViewOutputId, "View Output...", 130, 3, 120, 20);
    EditorControl = std::make_unique<TEdit>(this, EditorId, "", 2, 28, 100, 30, 0, true);
    EditorControl->Attr.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    for (int i = 0; i < MacroSettings::ButtonCount; ++i) {
        char label[16];
        std::snprintf(label, sizeof label, "Macro %d", i + 1);
        UserButtons[i] = std::make_unique<TButton>(this, FirstUserButtonId + i, label, 2 + ButtonGap * i, 28, 60, 20);
    }
    Runner.ResetRunner();
}

TMacro::~TMacro() = default;

void TMacro::GetWindowClass(WNDCLASSA& wc)
{
    TMDIChild::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_UTILITY");
    wc.hbrBackground = Host.UtilityBrush();
}

void TMacro::SetupWindow()
{
    TMDIChild::SetupWindow();
    const HFONT font = Host.ControlFont();
    for (TWindow* control : GetChildren()) control->SendMessage(WM_SETFONT, WPARAM(font), TRUE);
    // The edit control's own limit (about 30000 characters) is too small for long macros.
    EditorControl->LimitText(0x7FFFFFFE);
    AssignMenu("MENU_MACRO");
    const std::string file = Host.MacroOptionsRecord().MacroFilename;
    if (!file.empty()) OpenFile(file);
    LayoutControls();
    LayoutUserButtons();
    UpdateControls();
}

std::string TMacro::Caption() const
{
    if (Untitled) return "Macro Processor - [Untitled]";
    return std::string("Macro - [") + Host.MacroOptionsRecord().MacroFilename + "]";
}

void TMacro::UpdateControls()
{
    if (!GetHandle()) return;
    const bool running = Runner.IsRunning();
    const bool empty = EditorControl->GetNumLines() <= 1 && EditorControl->GetLineLength(0) == 0;
    RunButton->EnableWindow(!running && !empty);
    StopButton->EnableWindow(running && !empty);
    ViewOutputButton->EnableWindow(!running);
    SetCaption(Caption().c_str());
    const MacroSettings& options = Host.MacroOptionsRecord();
    for (int i = 0; i < MacroSettings::ButtonCount; ++i) {
        char label[sizeof options.BtnLabel[i] + 1] = {};
        std::snprintf(label, sizeof label, "%.*s", int(sizeof options.BtnLabel[i]), options.BtnLabel[i]);
        UserButtons[i]->SetWindowText(label);
    }
}

void TMacro::LayoutControls()
{
    const TRect client = GetClientRect();
    const int top = Host.MacroOptionsRecord().ShowUserBtnToolbar == 1 ? 52 : 28;
    RunButton->MoveWindow(2, 3, 60, 20, true);
    StopButton->MoveWindow(66, 3, 60, 20, true);
    ViewOutputButton->MoveWindow(130, 3, 120, 20, true);
    EditorControl->MoveWindow(2, top, client.Width() - 2, client.Height() - (top == 28 ? 30 : 52), true);
}

void TMacro::LayoutUserButtons()
{
    const bool show = Host.MacroOptionsRecord().ShowUserBtnToolbar == 1;
    for (int i = 0; i < MacroSettings::ButtonCount; ++i) {
        UserButtons[i]->MoveWindow(2 + ButtonGap * i, 28, 60, 20, true);
        UserButtons[i]->Show(show ? SW_SHOW : SW_HIDE);
    }
}

void TMacro::Refresh()
{
    LayoutControls();
    LayoutUserButtons();
    UpdateControls();
    Invalidate(true);
}

void TMacro::Paint(TDC& dc, bool, TRect&)
{
    const TRect client = GetClientRect();
    for (int y : {0, 25}) {
        dc.MoveTo(0, y);
        dc.LineTo(client.Width(), y);
    }
}

void TMacro::EvSize(UINT sizeType, const TSize& size)
{
    if (sizeType != SIZE_MINIMIZED) {
        const TRect window = GetWindowRect();
        const TRect client = GetClientRect();
        if (client.Width() < MinClientWidth || client.Height() < MinClientHeight) {
            TPoint origin(window.left, window.top);
            if (HWND parent = GetParentH()) ::ScreenToClient(parent, &origin);
            // The frame is added, so that the client itself reaches the minimum.
            MoveWindow(origin.x, origin.y, window.Width() + std::max(MinClientWidth - client.Width(), 0),
                       window.Height() + std::max(MinClientHeight - client.Height(), 0), true);
            return;
        }
    }
    TMDIChild::EvSize(sizeType, size);
    if (GetHandle()) {
        LayoutControls();
        LayoutUserButtons();
        Invalidate(true);
    }
}

void TMacro::EvSysCommand(UINT cmdType, const TPoint&)
{
    if ((cmdType & 0xFFF0) == SC_CLOSE) {
        if (CanClose()) Host.CloseMacroWindow();
        return;
    }
    DefaultProcessing();
}

void TMacro::EvDestroy()
{
    Host.MacroWindowClosing();
    TMDIChild::EvDestroy();
}

void TMacro::ExecuteStep()
{
    Stepping = true;
    Runner.ExecuteStep();
    Stepping = false;
}

int TMacro::ForwardEnterKey()
{
    if (Runner.IsRunning() || !EditorControl->GetHandle() || ::GetFocus() != EditorControl->GetHandle()) return 0;
    EditorControl->SendMessage(WM_CHAR, '\r', 0);
    return 1;
}

void TMacro::CmRun()
{
    Runner.CmRun();
}

void TMacro::CmStop()
{
    Runner.CmStop();
}

void TMacro::StopIfRunning()
{
    if (Runner.IsRunning()) Runner.CmStop();
}

void TMacro::CmViewOutput()
{
    if (Runner.IsRunning()) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Macro Output Files (*.txt)|*.txt|";
    data.FileName = "*.txt";
    data.InitialDir = Host.LastFileFolder();
    if (Host.RunMacroFileDialog(data, "Open Macro output File", false) != IDOK) return;
    Host.StoreLastFileFolder(data.FileName);
    // Quoted, so that a name with blanks reaches the viewer whole.
    const std::string command =
        std::string(Host.MacroOptionsRecord().OutputViewerProgram) + " \"" + data.FileName + "\"";
    ::WinExec(command.c_str(), SW_SHOWNORMAL);
}

void TMacro::ClearText()
{
    Untitled = true;
    Host.MacroOptionsRecord().MacroFilename[0] = '\0';
    EditorControl->Clear();
    EditorControl->ClearModify();
    UpdateControls();
}

void TMacro::CmNew()
{
    StopIfRunning();
    if (QuerySave()) ClearText();
}

void TMacro::CmClose()
{
    CmNew();
}

void TMacro::CmOpen()
{
    StopIfRunning();
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Macro Command Files (*.mac)|*.mac|";
    data.FileName = "*.mac";
    data.DefExt = "mac";
    data.InitialDir = Host.LastFileFolder();
    if (Host.RunMacroFileDialog(data, "Open Macro Command File", false) != IDOK) return;
    if (!QuerySave()) return;
    Host.StoreLastFileFolder(data.FileName);
    OpenFile(data.FileName);
}

void TMacro::CmSave()
{
    StopIfRunning();
    if (Untitled) {
        CmSaveAs();
        return;
    }
    SaveFile(Host.MacroOptionsRecord().MacroFilename);
}

void TMacro::CmSaveAs()
{
    StopIfRunning();
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    data.Filter = "Macro Command Files (*.mac)|*.mac|";
    data.FileName = "*.mac";
    data.DefExt = "mac";
    data.InitialDir = Host.LastFileFolder();
    if (Host.RunMacroFileDialog(data, "Save Macro File", true) != IDOK) return;
    Host.StoreLastFileFolder(data.FileName);
    SaveFile(data.FileName);
}

void TMacro::CmExit()
{
    if (CanClose()) Host.CloseMacroWindow();
}

void TMacro::CmOptions()
{
    TMacroOptionsDialog dialog(this, Host);
    if (dialog.Execute() == IDOK) Refresh();
}

void TMacro::CmSyntaxHelp()
{
    THtmlHelp::ShowContext(HWindow, Host.HelpFile(), SyntaxHelpContext);
}

void TMacro::CmUserButton(UINT id)
{
    const int index = int(id) - FirstUserButtonId;
    StopIfRunning();
    if (QuerySave() && OpenFile(Host.MacroOptionsRecord().BtnFilename[index])) CmRun();
}

void TMacro::CeFileCommand(TCommandEnabler& ce)
{
    ce.Enable(!Runner.IsRunning());
}

int TMacro::OpenFile(const std::string& name)
{
    if (name.empty()) {
        MessageBox("Please specify a valid macro filename", Product, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    const std::string path = Host.ResolveMacroPath(name);
    std::ifstream in(path, std::ios::binary);
    if (!in || path.size() >= sizeof Host.MacroOptionsRecord().MacroFilename) {
        const std::string text = "Failure opening macro file: " + path;
        MessageBox(text.c_str(), Product, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    SetCaption("Opening File...");
    std::snprintf(Host.MacroOptionsRecord().MacroFilename, sizeof Host.MacroOptionsRecord().MacroFilename, "%s",
                  path.c_str());
    LoadEditor(path);
    Untitled = false;
    Refresh();
    return 1;
}

void TMacro::LoadEditor(const std::string& fileName)
{
    Runner.ResetRunner();
    EditorControl->Clear();
    std::ifstream in(fileName, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EditorControl->SetText(WithEditorLineEnds(text).c_str());
    EditorControl->ClearModify();
    Runner.Rewind();
}

bool TMacro::SaveFile(const std::string& name)
{
    StopIfRunning();
    if (name.size() >= sizeof Host.MacroOptionsRecord().MacroFilename) return false;
    SetCaption("Saving File...");
    const std::string text = EditorControl->GetText();
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out) {
        const std::string message = "Failure saving macro file: " + name;
        MessageBox(message.c_str(), Product, MB_OK | MB_ICONEXCLAMATION);
        UpdateControls();
        return false;
    }
    std::snprintf(Host.MacroOptionsRecord().MacroFilename, sizeof Host.MacroOptionsRecord().MacroFilename, "%s",
                  name.c_str());
    EditorControl->ClearModify();
    Untitled = false;
    UpdateControls();
    return true;
}

int TMacro::QuerySave()
{
    if (Runner.IsRunning()) {
        if (MessageBox("A Macro is currently running.  Are you sure you want to close it?", Product,
                       MB_YESNO | MB_ICONEXCLAMATION) == IDNO)
            return 0;
        Runner.CmStop();
    }
    if (!EditorControl->GetHandle() || !EditorControl->IsModified()) {
        UpdateControls();
        return 1;
    }
    const std::string name = Untitled ? "[Untitled]" : Host.MacroOptionsRecord().MacroFilename;
    const std::string question = "Macro file \"" + name + "\" has changed. Save file before closing?";
    switch (MessageBox(question.c_str(), Product, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        UpdateControls();
        return 0;
    case IDYES:
        if (Untitled) CmSaveAs();
        else SaveFile(Host.MacroOptionsRecord().MacroFilename);
        // Only a text that reached its file counts as saved.
        UpdateControls();
        return EditorControl->IsModified() ? 0 : 1;
    default:
        ClearText();
        return 1;
    }
}

int TMacro::LineCount()
{
    return EditorControl->GetNumLines();
}

std::string TMacro::Line(int index)
{
    std::string line = EditorControl->GetLine(index);
    if (line.size() > size_t(TMacroRunner::LineSize)) line.resize(TMacroRunner::LineSize);
    return line;
}

void TMacro::ScrollToTop()
{
    EditorControl->Scroll(0, -EditorControl->GetNumLines());
}

void TMacro::HighlightLine(int line)
{
    if (line == LastHighlighted) return;
    const int start = EditorControl->GetLineIndex(line);
    int end = EditorControl->GetLineIndex(line + 1);
    if (end < 0) end = start + EditorControl->GetLineLength(line);
    EditorControl->SetSelection(start, end);
    const int visible = std::max(EditorControl->GetClientRect().Height() / 20, 4);
    const int first = int(EditorControl->SendMessage(EM_GETFIRSTVISIBLELINE));
    if (line != first) EditorControl->Scroll(0, line - first - visible / 4);
    LastHighlighted = line;
}

void TMacro::RunStateChanged()
{
    EditorControl->SetReadOnly(Runner.IsRunning());
    UpdateControls();
    Host.PostDdeAdvise(TDdeItem::MacroStatus);
}

uint32_t TMacro::ExecuteCommand(const std::string& command)
{
    return Host.ExecuteCommand(command);
}

int TMacro::FindItem(const std::string& name)
{
    return TDdeItemTable::Find(name);
}

std::optional<std::string> TMacro::RequestItem(int index)
{
    return Host.DdeItemText(index);
}

void TMacro::CloseMacroWindow()
{
    Host.CloseMacroWindow();
}

std::string TMacro::OptionsOutputName()
{
    return Host.MacroOptionsRecord().OutputFilename;
}

std::string TMacro::ResolveOutputName(const std::string& name)
{
    return Host.ResolveMacroPath(name);
}

bool TMacro::OverwriteOutput()
{
    return Host.MacroOptionsRecord().OverwriteFlag == 1;
}

void TMacro::OutputFileClosed(const std::string& name)
{
    Host.MacroOutputFileClosed(name);
}

void TMacro::MakeFolderFor(const std::string& file)
{
    TFolder::MakeFor(file);
}

void TMacro::ShowError(const std::string& text)
{
    MessageBox(text.c_str(), Product, MB_OK | MB_ICONEXCLAMATION);
}

uint32_t TMacro::TickCount()
{
    return TEngineHost::Get().TickCount();
}

TEngineHost::LocalTime TMacro::LocalNow()
{
    return TEngineHost::Get().Now();
}

int64_t TMacro::CalendarNow()
{
    return int64_t(std::time(nullptr));
}
