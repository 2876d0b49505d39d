#pragma once
#include <windows.h>
#include <string>

class TBitmap;

// The clipboard, open for the life of the object.
class TClipboard {
public:
    explicit TClipboard(HWND owner) : Open(::OpenClipboard(owner) != FALSE) {}
    ~TClipboard()
    {
        if (Open) ::CloseClipboard();
    }
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    bool IsOpen() const { return Open; }
    bool EmptyClipboard() { return ::EmptyClipboard() != FALSE; }
    // The clipboard owns data once set.
    HANDLE SetClipboardData(UINT format, HANDLE data) { return ::SetClipboardData(format, data); }
    HANDLE GetClipboardData(UINT format) const { return ::GetClipboardData(format); }
    // 0 starts the enumeration; 0 ends it.
    UINT EnumClipboardFormats(UINT format) const { return ::EnumClipboardFormats(format); }
    static int CountClipboardFormats() { return ::CountClipboardFormats(); }
    static bool IsClipboardFormatAvailable(UINT format) { return ::IsClipboardFormatAvailable(format) != FALSE; }
    static UINT RegisterClipboardFormat(const char* name) { return ::RegisterClipboardFormatA(name); }
    static std::string GetClipboardFormatName(UINT format);

    // Text as CF_TEXT in a new global block; false when it could not be placed.
    bool SetText(const std::string& text);
    // size bytes under format in a new global block; false when not placed.
    bool SetBytes(UINT format, const void* data, size_t size);
    std::string GetText() const;
    // A copy of bitmap as CF_BITMAP, owned by the clipboard.
    bool SetBitmap(const TBitmap& bitmap);

private:
    bool Open;
};
