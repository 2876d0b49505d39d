#pragma once
#include <windows.h>
#include <string>
#include "framework/TResId.h"

// An executable module (the program or a DLL) and the resources it holds.
class TModule {
public:
    explicit TModule(HINSTANCE instance = nullptr);
    virtual ~TModule() = default;

    HINSTANCE GetInstance() const { return Instance; }
    operator HINSTANCE() const { return Instance; }

    std::string GetModuleFileName() const;
    // Copies string id into buffer (at most size - 1 characters); returns the length, 0 when missing.
    int LoadString(UINT id, char* buffer, int size) const;
    std::string LoadString(UINT id) const;
    HMENU LoadMenu(TResId id) const;
    HACCEL LoadAccelerators(TResId id) const;
    HICON LoadIcon(TResId id) const;
    HCURSOR LoadCursor(TResId id) const;
    HBITMAP LoadBitmap(TResId id) const;

    // The module the framework uses when a window names none: the program's.
    static TModule& Default();

private:
    HINSTANCE Instance;
};
