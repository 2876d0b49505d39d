#include "framework/TApplication.h"

#include <chrono>
#include "framework/TEditingKeys.h"
#include "framework/TWindow.h"

TApplication* TApplication::Instance_ = nullptr;

namespace {
HINSTANCE StartupInstance = nullptr;
int StartupCmdShow = SW_SHOWDEFAULT;
}

void TApplication::SetStartup(HINSTANCE instance, int cmdShow)
{
    StartupInstance = instance;
    StartupCmdShow = cmdShow;
}

TApplication::TApplication(const char* name, HINSTANCE instance)
    : TModule(instance ? instance : StartupInstance), nCmdShow(StartupCmdShow), Name(name ? name : "")
{
    Instance_ = this;
}

TApplication::~TApplication()
{
    delete MainWindow;
    if (Instance_ == this) Instance_ = nullptr;
}

TWindow* TApplication::SetMainWindow(TWindow* window)
{
    TWindow* previous = MainWindow;
    MainWindow = window;
    return previous;
}

void TApplication::InitMainWindow() {}

void TApplication::InitInstance()
{
    InitMainWindow();
    if (MainWindow && MainWindow->Create()) MainWindow->Show(nCmdShow);
}

int TApplication::Run()
{
    if (!MainWindow) InitInstance();
    if (!MainWindow || !MainWindow->GetHandle()) return -1;
    return MessageLoop();
}

bool TApplication::IdleAction(long idleCount)
{
    return MainWindow && MainWindow->GetHandle() && MainWindow->IdleAction(idleCount);
}

bool TApplication::ProcessAppMsg(MSG& msg)
{
    for (HWND h = msg.hwnd; h; h = ::GetParent(h)) {
        if (TWindow* w = TWindow::FromHandle(h))
            if (w->PreProcessMsg(msg)) return true;
    }
    // Typing in a field must not save, cut or undo the wave behind it.
    if (TEditingKeys::BelongToControl(msg)) return false;
    if (HAccTable && MainWindow && MainWindow->GetHandle() && msg.hwnd
        && (msg.hwnd == MainWindow->GetHandle() || ::IsChild(MainWindow->GetHandle(), msg.hwnd)))
        return ::TranslateAcceleratorA(MainWindow->GetHandle(), HAccTable, &msg) != 0;
    return false;
}

bool TApplication::PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(int(msg.wParam));
            return false;
        }
        if (!ProcessAppMsg(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

bool TApplication::IdleSlice(const std::function<bool(long)>& idle, long& idleCount)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(IdleSliceMs);
    do {
        if (!idle(idleCount)) return false;
        ++idleCount;
    } while (std::chrono::steady_clock::now() < end);
    return true;
}

int TApplication::MessageLoop()
{
    long idleCount = 0;
    MSG msg;
    for (;;) {
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return int(msg.wParam);
            if (!ProcessAppMsg(msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            idleCount = 0;
        } else if (!IdleSlice([this](long count) { return IdleAction(count); }, idleCount)) {
            // Nothing more to do until a message arrives: no busy loop.
            idleCount = 0;
            ::WaitMessage();
        }
    }
}
