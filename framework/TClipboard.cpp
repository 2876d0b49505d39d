#include "framework/TClipboard.h"

#include "framework/TBitmap.h"
#include <cstring>

std::string TClipboard::GetClipboardFormatName(UINT format)
{
    char name[256];
    int n = ::GetClipboardFormatNameA(format, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

bool TClipboard::SetText(const std::string& text)
{
    return SetBytes(CF_TEXT, text.c_str(), text.size() + 1);
}

bool TClipboard::SetBytes(UINT format, const void* data, size_t size)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) return false;
    void* p = ::GlobalLock(block);
    if (!p) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(p, data, size);
    ::GlobalUnlock(block);
    if (!::SetClipboardData(format, block)) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

std::string TClipboard::GetText() const
{
    HANDLE block = ::GetClipboardData(CF_TEXT);
    const char* p = block ? static_cast<const char*>(::GlobalLock(block)) : nullptr;
    if (!p) return std::string();
    std::string text(p, strnlen(p, ::GlobalSize(block)));
    ::GlobalUnlock(block);
    return text;
}

bool TClipboard::SetBitmap(const TBitmap& bitmap)
{
    if (!Open || !bitmap.IsValid())
        return false;
    // The clipboard takes a copy of its own; the caller's bitmap stays the caller's.
    HANDLE copy = ::CopyImage(HBITMAP(bitmap), IMAGE_BITMAP, 0, 0, 0);
    if (copy && ::SetClipboardData(CF_BITMAP, copy))
        return true;
    if (copy)
        ::DeleteObject(copy);
    return false;
}
