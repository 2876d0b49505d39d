#include "framework/TClipboard.h"
#include <cstring>

std::string TClipboard::GetClipboardFormatName(UINT format)
{
    char name[256];
    int n = ::GetClipboardFormatNameA(format, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

bool TClipboard::SetText(const std::string& text)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) return false;
    char* p = static_cast<char*>(::GlobalLock(block));
    std::memcpy(p, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    if (!::SetClipboardData(CF_TEXT, block)) {
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
