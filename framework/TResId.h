#pragma once
#include <windows.h>

// A resource identifier: a name ("MENU_TONALYX") or a number.
class TResId {
public:
    TResId() : Id(nullptr) {}
    TResId(const char* name) : Id(name) {}
    TResId(int id) : Id(MAKEINTRESOURCEA(id)) {}

    operator LPCSTR() const { return Id; }
    bool IsNull() const { return Id == nullptr; }
    bool IsString() const { return !IS_INTRESOURCE(Id); }

private:
    LPCSTR Id;
};
