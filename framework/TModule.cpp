#include "framework/TModule.h"

TModule::TModule(HINSTANCE instance) : Instance(instance ? instance : ::GetModuleHandleA(nullptr)) {}

std::string TModule::GetModuleFileName() const
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(Instance, path, MAX_PATH);
    return std::string(path, n);
}

int TModule::LoadString(UINT id, char* buffer, int size) const
{
    return ::LoadStringA(Instance, id, buffer, size);
}

std::string TModule::LoadString(UINT id) const
{
    char text[1024];
    int n = ::LoadStringA(Instance, id, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

HMENU TModule::LoadMenu(TResId id) const { return ::LoadMenuA(Instance, id); }
HACCEL TModule::LoadAccelerators(TResId id) const { return ::LoadAcceleratorsA(Instance, id); }
HICON TModule::LoadIcon(TResId id) const { return ::LoadIconA(Instance, id); }
HCURSOR TModule::LoadCursor(TResId id) const { return ::LoadCursorA(Instance, id); }
HBITMAP TModule::LoadBitmap(TResId id) const { return ::LoadBitmapA(Instance, id); }

TModule& TModule::Default()
{
    static TModule module;
    return module;
}
