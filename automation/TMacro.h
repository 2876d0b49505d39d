#pragma once
#include <memory>
#include <string>
#include "automation/MacroSettings.h"
#include "automation/TMacroRunner.h"
#include "framework/TMDIChild.h"

class TButton;
class TEdit;
class TMacroHost;

// The macro processor's window: an editor holding one macro file, Run, Stop
// and View Output buttons, six optional quick-run buttons, a menu of its own
// and the runner that steps the macro from the main window's idle time.
class TMacro : public TMDIChild, private TMacroRunnerHost {
public:
    enum ControlId {
        RunId = 101, StopId = 102, ViewOutputId = 103, EditorId = 104, FirstUserButtonId = 1201,
    };
    // The client holds the top row of buttons (the widest reaches 250) and
    // a few lines of the editor below both rows.
    static constexpr int MinClientWidth = 252;
    static constexpr int MinClientHeight = 160;
    static constexpr int SyntaxHelpContext = 640;

    TMacro(TMDIClient& parent, TMacroHost& host);
    ~TMacro() override;

    const char* GetClassName() override { return "MacroProcessorClass"; }
    void GetWindowClass(WNDCLASSA& wc) override;
    void SetupWindow() override;
    bool CanClose() override { return QuerySave(); }
    void Paint(TDC& dc, bool erase, TRect& rect) override;

    // One macro line, from the main window's idle time.
    void ExecuteStep();
    bool IsRunning() const { return Runner.IsRunning(); }
    // True while a step runs: the window must not be destroyed before it ends.
    bool IsStepping() const { return Stepping; }
    // Enter while the editor has the focus and no macro runs goes to the
    // editor as a line break; 1 when it did.
    int ForwardEnterKey();
    // Loads a macro file (a relative name from the macro folder); 1 on success.
    int OpenFile(const std::string& name);
    // 1 when the window may close: a running macro and unsaved text are asked about.
    int QuerySave();
    void Refresh();

    void CmRun();
    void CmStop();
    void CmViewOutput();
    void CmNew();
    void CmOpen();
    void CmClose();
    void CmSave();
    void CmSaveAs();
    void CmExit();
    void CmOptions();
    void CmSyntaxHelp();
    void CmUserButton(UINT id);
    void CeFileCommand(TCommandEnabler& ce);
    void EditorChanged() { UpdateControls(); }
    void EvSysCommand(UINT cmdType, const TPoint& point);
    void EvSize(UINT sizeType, const TSize& size);
    void EvDestroy();

    TEdit* Editor() const { return EditorControl.get(); }

private:
    void UpdateControls();
    void LayoutControls();
    void LayoutUserButtons();
    void LoadEditor(const std::string& fileName);
    bool SaveFile(const std::string& name);
    void ClearText();
    void StopIfRunning();
    std::string Caption() const;

    // The runner's host.
    int LineCount() override;
    std::string Line(int index) override;
    void ScrollToTop() override;
    void HighlightLine(int line) override;
    void RunStateChanged() override;
    uint32_t ExecuteCommand(const std::string& command) override;
    int FindItem(const std::string& name) override;
    std::optional<std::string> RequestItem(int index) override;
    void CloseMacroWindow() override;
    std::string OptionsOutputName() override;
    std::string ResolveOutputName(const std::string& name) override;
    bool OverwriteOutput() override;
    void OutputFileClosed(const std::string& name) override;
    void MakeFolderFor(const std::string& file) override;
    void ShowError(const std::string& text) override;
    uint32_t TickCount() override;
    TEngineHost::LocalTime LocalNow() override;
    int64_t CalendarNow() override;

    TMacroHost& Host;
    TMacroRunner Runner;
    bool Untitled = true;
    bool Stepping = false;
    int LastHighlighted = -1;
    std::unique_ptr<TButton> RunButton;
    std::unique_ptr<TButton> StopButton;
    std::unique_ptr<TButton> ViewOutputButton;
    std::unique_ptr<TEdit> EditorControl;
    std::unique_ptr<TButton> UserButtons[MacroSettings::ButtonCount];

    DECLARE_RESPONSE_TABLE(TMacro);
};
