#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include "framework/TPoint.h"

// The files of one WM_DROPFILES; the receiver releases them with DragFinish.
class TDropInfo {
public:
    explicit TDropInfo(HDROP handle) : Handle(handle) {}

    UINT DragQueryFileCount() const { return ::DragQueryFileA(Handle, 0xFFFFFFFF, nullptr, 0); }
    // Copies the name of file index into name (at most size - 1 characters); returns its length.
    UINT DragQueryFile(UINT index, char* name, UINT size) const { return ::DragQueryFileA(Handle, index, name, size); }
    std::string DragQueryFile(UINT index) const
    {
        std::string name(::DragQueryFileA(Handle, index, nullptr, 0), '\0');
        ::DragQueryFileA(Handle, index, name.data(), UINT(name.size() + 1));
        return name;
    }
    bool DragQueryPoint(TPoint& point) const { return ::DragQueryPoint(Handle, &point) != FALSE; }
    void DragFinish() { ::DragFinish(Handle); }
    operator HDROP() const { return Handle; }

private:
    HDROP Handle;
};
