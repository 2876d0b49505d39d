#pragma once
#include <windows.h>

// A GDI object handle, deleted with the object unless it was borrowed.
//
// The wrappers count the objects they made (owned handles) and have not yet
// deleted, memory contexts included: Wine has no GetGuiResources, so this
// count is how tests see whether drawing leaks handles. It covers the whole
// program once every create and delete goes through the framework.
class TGdiObject {
public:
    virtual ~TGdiObject();
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    HGDIOBJ GetHandle() const { return Handle; }
    bool IsValid() const { return Handle != nullptr; }

    // Owned GDI objects and memory contexts alive now.
    static long LiveObjects();

protected:
    TGdiObject() = default;
    TGdiObject(HGDIOBJ handle, bool autoDelete);
    void SetHandle(HGDIOBJ handle, bool autoDelete);

    HGDIOBJ Handle = nullptr;
    bool ShouldDelete = true;

private:
    void Release();
    static void Count(long change);

    friend class TMemoryDC;
};
