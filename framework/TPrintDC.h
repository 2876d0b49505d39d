#pragma once
#include "framework/TDC.h"

// A printer context, from driver, device and port names or from the
// DEVNAMES / DEVMODE handles a print dialog returns.
class TPrintDC : public TDC {
public:
    TPrintDC(const char* driver, const char* device, const char* output, const DEVMODEA* devMode)
    {
        Init(::CreateDCA(driver, device, output, devMode));
    }
    TPrintDC(HGLOBAL devNames, HGLOBAL devMode);
    // Takes ownership of a context made elsewhere (a print dialog's).
    explicit TPrintDC(HDC hdc) { Init(hdc); }
    ~TPrintDC() override
    {
        if (Handle) {
            RestoreObjects();
            ::DeleteDC(Handle);
        }
        Handle = nullptr;
    }

    bool IsValid() const { return Handle != nullptr; }
};
