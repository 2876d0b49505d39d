// File helpers shared by the wave file's topic sources.
#include "engine/WaveFileIo.h"

#include "base/TEngineHost.h"

#include <algorithm>

namespace WaveFileIo {

namespace {

// The most one ReadFile or WriteFile is asked to move.
constexpr size_t kPiece = 1u << 30;

OVERLAPPED At(uint64_t offset)
{
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// The transfer goes in pieces a DWORD can count; move(done, n, moved, at)
// transfers one of them.
template <class Move>
bool InPieces(uint64_t offset, size_t bytes, Move move)
{
    for (size_t done = 0; done < bytes;) {
        const DWORD n = static_cast<DWORD>(std::min(kPiece, bytes - done));
        OVERLAPPED at = At(offset + done);
        DWORD moved = 0;
        if (!move(done, n, &moved, &at) || moved != n)
            return false;
        done += n;
    }
    return true;
}

}  // namespace

void Say(const std::string& text, unsigned style)
{
    TEngineHost::Get().ShowMessage(text, "", style);
}

void SayOpenFailed(const std::string& name)
{
    Say("Failure Opening file: " + name);
}

void* OpenFile(const std::string& name, TAccess access)
{
    const DWORD rights = access == TAccess::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = access == TAccess::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileA(name.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool CloseFile(void* file)
{
    return file && ::CloseHandle(Handle(file));
}

// Positioned through OVERLAPPED offsets, so no file pointer is shared between
// calls and nothing is buffered on our side: a read always sees the last write.
bool ReadAt(void* file, uint64_t offset, void* dest, size_t bytes)
{
    auto* p = static_cast<uint8_t*>(dest);
    return file && InPieces(offset, bytes, [&](size_t done, DWORD n, DWORD* moved, OVERLAPPED* at) {
               return ReadFile(Handle(file), p + done, n, moved, at);
           });
}

bool WriteAt(void* file, uint64_t offset, const void* src, size_t bytes)
{
    const auto* p = static_cast<const uint8_t*>(src);
    return file && InPieces(offset, bytes, [&](size_t done, DWORD n, DWORD* moved, OVERLAPPED* at) {
               return WriteFile(Handle(file), p + done, n, moved, at);
           });
}

bool WriteChunkHeaderAt(void* file, uint64_t offset, uint32_t id, uint32_t size)
{
    const uint8_t header[8] = {static_cast<uint8_t>(id),         static_cast<uint8_t>(id >> 8),
                               static_cast<uint8_t>(id >> 16),   static_cast<uint8_t>(id >> 24),
                               static_cast<uint8_t>(size),       static_cast<uint8_t>(size >> 8),
                               static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    return WriteAt(file, offset, header, sizeof header);
}

bool SetSize(void* file, uint64_t size)
{
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return file && SetFilePointerEx(Handle(file), at, nullptr, FILE_BEGIN) && SetEndOfFile(Handle(file));
}

uint64_t SizeOf(void* file)
{
    LARGE_INTEGER size;
    return file && GetFileSizeEx(Handle(file), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

std::string SystemTempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

std::string TempFolderOr(const char* folder)
{
    return folder && *folder ? folder : SystemTempFolder();
}

uint64_t FileSize(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace WaveFileIo
