#pragma once
#include <windows.h>
#include "framework/TBitmap.h"
#include "framework/TClientDC.h"
#include "framework/TMemoryDC.h"
#include "framework/TRect.h"

// Copies a window's client area off the screen into a memory bitmap, so a
// test can read the pixels the window painted.
class Screenshot {
public:
    explicit Screenshot(HWND window)
        : Client(window), Size(ClientSize(window)), Bitmap(Client, Size.Width(), Size.Height()), Memory(Client)
    {
        Memory.SelectObject(Bitmap);
        Memory.BitBlt(0, 0, Size.Width(), Size.Height(), Client, 0, 0);
    }
    COLORREF At(int x, int y) const { return Memory.GetPixel(x, y); }

private:
    static TRect ClientSize(HWND window)
    {
        TRect r;
        ::GetClientRect(window, &r);
        return r;
    }
    TClientDC Client;
    TRect Size;
    // Declared before the context that selects it, so it outlives the selection.
    TBitmap Bitmap;
    TMemoryDC Memory;
};
