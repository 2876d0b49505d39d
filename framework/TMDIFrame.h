#pragma once
#include "framework/TFrameWindow.h"
#include "framework/TMDIClient.h"

// The MDI frame: its menu and its MDI client. Menu and accelerator commands
// go to the frame's table first and then to the active child's; the frame's
// default procedure handles the Window menu and the client's size.
class TMDIFrame : public TFrameWindow {
public:
    TMDIFrame(const char* title, TResId menuResId, TMDIClient& client, TModule* module = nullptr);

    TMDIClient* GetClientWindow() const { return static_cast<TMDIClient*>(ClientWnd); }
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreProcessMsg(MSG& msg) override;
    TWindow* CommandDelegate() override;
    bool IdleAction(long idleCount) override;
};
