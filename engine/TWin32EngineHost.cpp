#include "engine/TWin32EngineHost.h"

#include <windows.h>

int TWin32EngineHost::ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

uint32_t TWin32EngineHost::TickCount()
{
    return GetTickCount();
}

TEngineHost::LocalTime TWin32EngineHost::Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

void TWin32EngineHost::BeginWait()
{
    if (WaitDepth++ == 0)
        SavedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void TWin32EngineHost::EndWait()
{
    if (WaitDepth > 0 && --WaitDepth == 0)
        SetCursor(static_cast<HCURSOR>(SavedCursor));
}
