#pragma once
#include <windows.h>

// A GDI object handle, deleted with the object unless it was borrowed.
class TGdiObject {
public:
    virtual ~TGdiObject();
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    HGDIOBJ GetHandle() const { return Handle; }
    bool IsValid() const { return Handle != nullptr; }

protected:
    TGdiObject() = default;
    TGdiObject(HGDIOBJ handle, bool autoDelete) : Handle(handle), ShouldDelete(autoDelete) {}
    void SetHandle(HGDIOBJ handle, bool autoDelete);

    HGDIOBJ Handle = nullptr;
    bool ShouldDelete = true;
};
