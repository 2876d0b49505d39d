#pragma once
#include <windows.h>

#include "engine/TLinkDescription.h"

class TClipboard;

// The "Link" block on the clipboard: put beside a copy of values as text,
// and read back from what another program put there.
class TLinkClipboard {
public:
    // On an open, emptied clipboard: a block naming service, topic "Data"
    // and item. The clipboard owns the block once it is set.
    static bool Put(TClipboard& clipboard, const char* service, const char* item);
    // The reference on the clipboard in the format named exactly "Link";
    // false when there is none or its block is malformed.
    static bool Read(HWND owner, TLinkDescription& link);
};
