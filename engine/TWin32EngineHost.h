#pragma once
#include "base/TEngineHost.h"

// The program's host: real message boxes owned by the active window, the
// system tick count and local time, and the wait cursor.
class TWin32EngineHost : public TEngineHost {
public:
    int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
    uint32_t TickCount() override;
    LocalTime Now() override;
    void BeginWait() override;
    void EndWait() override;

private:
    int WaitDepth = 0;
    void* SavedCursor = nullptr;
};
