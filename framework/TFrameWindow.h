#pragma once
#include "framework/TWindow.h"

// A top-level window with a menu and an optional client window that fills
// its client area. The frame owns its client object and deletes it.
class TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow* parent, const char* title = nullptr, TWindow* clientWnd = nullptr, TModule* module = nullptr);
    ~TFrameWindow() override;

    TWindow* GetClientWindow() const { return ClientWnd; }
    void EvSize(UINT sizeType, const TSize& size);

protected:
    TWindow* ClientWnd;

    DECLARE_RESPONSE_TABLE(TFrameWindow);
};
