#include "framework/TPrintDC.h"

TPrintDC::TPrintDC(HGLOBAL devNames, HGLOBAL devMode)
{
    if (!devNames) return;
    const DEVNAMES* names = static_cast<const DEVNAMES*>(::GlobalLock(devNames));
    if (!names) return;
    const char* base = reinterpret_cast<const char*>(names);
    const DEVMODEA* mode = devMode ? static_cast<const DEVMODEA*>(::GlobalLock(devMode)) : nullptr;
    Init(::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode));
    if (mode) ::GlobalUnlock(devMode);
    ::GlobalUnlock(devNames);
}
