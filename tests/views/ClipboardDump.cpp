// A second process for the clipboard tests: writes the clipboard's CF_TEXT
// block, byte for byte up to its terminator, into the file named first.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // Another process may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 50 && !open; ++attempt) {
        open = ::OpenClipboard(nullptr) != FALSE;
        if (!open)
            ::Sleep(20);
    }
    if (!open)
        return 3;
    int result = 4;
    if (HANDLE block = ::GetClipboardData(CF_TEXT)) {
        const char* text = static_cast<const char*>(::GlobalLock(block));
        if (text) {
            if (FILE* out = std::fopen(argv[1], "wb")) {
                std::fwrite(text, 1, strnlen(text, ::GlobalSize(block)), out);
                std::fclose(out);
                result = 0;
            }
            ::GlobalUnlock(block);
        }
    }
    ::CloseClipboard();
    return result;
}
