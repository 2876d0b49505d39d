#pragma once
#include <windows.h>
#include <cstdint>

class TMainWin;

// Frame caption, wait cursor and status-bar gauge of an operation that runs
// inside one call, put back when it ends.
class TLongOperation {
public:
    TLongOperation(TMainWin& main, const char* caption);
    ~TLongOperation();
    TLongOperation(const TLongOperation&) = delete;
    TLongOperation& operator=(const TLongOperation&) = delete;

    void Progress(uint32_t percent);

private:
    TMainWin& Main;
    HCURSOR Cursor;
};
