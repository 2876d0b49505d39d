// A second process for the clipboard tests: writes the clipboard's CF_TEXT
// block, byte for byte up to its terminator, into the file named first, and
// the block of the format named "Link" whole into the file named second.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

bool Write(const char* path, const void* bytes, size_t size)
{
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    std::fwrite(bytes, 1, size, out);
    std::fclose(out);
    return true;
}

bool DumpText(const char* path)
{
    HANDLE block = ::GetClipboardData(CF_TEXT);
    const char* text = block ? static_cast<const char*>(::GlobalLock(block)) : nullptr;
    if (!text)
        return false;
    const bool written = Write(path, text, strnlen(text, ::GlobalSize(block)));
    ::GlobalUnlock(block);
    return written;
}

bool DumpLink(const char* path)
{
    HANDLE block = ::GetClipboardData(::RegisterClipboardFormatA("Link"));
    const void* bytes = block ? ::GlobalLock(block) : nullptr;
    if (!bytes)
        return false;
    const bool written = Write(path, bytes, ::GlobalSize(block));
    ::GlobalUnlock(block);
    return written;
}

}  // namespace

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
    int result = DumpText(argv[1]) ? 0 : 4;
    if (result == 0 && argc > 2 && !DumpLink(argv[2]))
        result = 5;
    ::CloseClipboard();
    return result;
}
