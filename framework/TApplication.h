#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "framework/TModule.h"

class TWindow;

// The program's entry, called by the framework's WinMain with the command
// line split into words (argv[0] is the executable's full path).
int OwlMain(int argc, char* argv[]);

// The application: its main window, the message loop with idle processing and
// the accelerator table of the main window.
class TApplication : public TModule {
public:
    explicit TApplication(const char* name = nullptr, HINSTANCE instance = nullptr);
    ~TApplication() override;

    // Creates the main window (InitInstance), runs the message loop and
    // returns its exit status.
    virtual int Run();
    // Builds the main window object; the application deletes it at the end.
    virtual void InitMainWindow();
    // InitMainWindow, then creates the main window and shows it with nCmdShow.
    virtual void InitInstance();
    // Called whenever the queue is empty; true asks for another call at once.
    virtual bool IdleAction(long idleCount);
    // Offers a message to the windows it is for (modeless dialogs, MDI
    // system keys, accelerators) before it is dispatched; true when taken.
    virtual bool ProcessAppMsg(MSG& msg);

    // Takes ownership of the window; returns the previous main window.
    TWindow* SetMainWindow(TWindow* window);
    TWindow* GetMainWindow() const { return MainWindow; }
    const std::string& GetName() const { return Name; }

    // Dispatches every waiting message without idling; false once WM_QUIT
    // was seen (it is posted again for the loop).
    bool PumpWaitingMessages();
    // The loop itself; returns the WM_QUIT code.
    int MessageLoop();
    // Calls idle with a rising count while it asks for more, back to back for
    // up to IdleSliceMs; true when the last call asked for more. A look at an
    // empty queue costs more than a short idle pass (a server round trip
    // under Wine), so the loop looks once a slice, not once a pass: messages
    // still get an answer within the slice.
    static bool IdleSlice(const std::function<bool(long)>& idle, long& idleCount);
    static constexpr DWORD IdleSliceMs = 10;

    // Windows 4 and later draw the three-dimensional control look
    // themselves; the request is only recorded.
    void EnableCtl3d(bool enable = true) { Ctl3dEnabled = enable; }
    bool Ctl3dEnabled = false;

    HACCEL HAccTable = nullptr;
    int nCmdShow;

    static TApplication* Current() { return Instance_; }
    // Remembered by WinMain for the application object it goes on to build.
    static void SetStartup(HINSTANCE instance, int cmdShow);

private:
    std::string Name;
    TWindow* MainWindow = nullptr;
    static TApplication* Instance_;
};
