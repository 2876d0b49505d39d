// A second process for the clipboard tests: writes the clipboard's CF_TEXT
// block, byte for byte up to its terminator, into the file named first, and
// the block of the format named "Link" whole into the file named second.
// Given "--wave" and a file, it puts that file whole on the clipboard as
// CF_WAVE instead.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

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

bool PutWave(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        return false;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* at = block ? ::GlobalLock(block) : nullptr;
    if (!at)
        return false;
    std::memcpy(at, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    ::EmptyClipboard();
    return ::SetClipboardData(CF_WAVE, block) != nullptr;
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
    int result = 0;
    if (std::strcmp(argv[1], "--wave") == 0)
        result = argc > 2 && PutWave(argv[2]) ? 0 : 6;
    else if (!DumpText(argv[1]))
        result = 4;
    else if (argc > 2 && !DumpLink(argv[2]))
        result = 5;
    ::CloseClipboard();
    return result;
}
