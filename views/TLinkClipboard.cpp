#include "views/TLinkClipboard.h"

#include <cstring>

#include "framework/TClipboard.h"

bool TLinkClipboard::Put(TClipboard& clipboard, const char* service, const char* item)
{
    const UINT format = TClipboard::RegisterClipboardFormat(TLinkDescription::FormatName);
    if (!format)
        return false;
    const auto bytes = TLinkDescription::Build(service, item);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (!block)
        return false;
    if (void* p = ::GlobalLock(block)) {
        std::memcpy(p, bytes.data(), bytes.size());
        ::GlobalUnlock(block);
    }
    if (!clipboard.SetClipboardData(format, block)) {
        ::GlobalFree(block);
        return false;
    }
    return true;
}

bool TLinkClipboard::Read(HWND owner, TLinkDescription& link)
{
    TClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        return false;
    for (UINT format = clipboard.EnumClipboardFormats(0); format; format = clipboard.EnumClipboardFormats(format)) {
        if (!TLinkDescription::IsFormatName(TClipboard::GetClipboardFormatName(format).c_str()))
            continue;
        HANDLE block = clipboard.GetClipboardData(format);
        const void* p = block ? ::GlobalLock(block) : nullptr;
        if (!p)
            return false;
        const bool parsed = TLinkDescription::Parse(static_cast<const uint8_t*>(p), ::GlobalSize(block), link);
        ::GlobalUnlock(block);
        return parsed;
    }
    return false;
}
