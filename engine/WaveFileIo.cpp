// File helpers shared by the wave file's topic sources.
#include "engine/WaveFileIo.h"

#include "base/TEngineHost.h"

namespace WaveFileIo {

void Say(const std::string& text, unsigned style)
{
    TEngineHost::Get().ShowMessage(text, "", style);
}

void SayOpenFailed(const std::string& name)
{
    Say("Failure Opening file: " + name);
}

bool MmioReadAt(HMMIO file, uint64_t offset, void* dest, size_t bytes)
{
    return file && offset <= 0x7FFFFFFF &&
           mmioSeek(file, static_cast<LONG>(offset), SEEK_SET) == static_cast<LONG>(offset) &&
           mmioRead(file, static_cast<HPSTR>(dest), static_cast<LONG>(bytes)) == static_cast<LONG>(bytes);
}

bool MmioWriteAll(HMMIO file, const void* src, size_t bytes)
{
    return file && bytes <= 0x7FFFFFFF &&
           mmioWrite(file, static_cast<const char*>(src), static_cast<LONG>(bytes)) == static_cast<LONG>(bytes);
}

bool WriteChunkHeader(HMMIO file, uint32_t id, uint32_t size)
{
    const uint8_t header[8] = {static_cast<uint8_t>(id),         static_cast<uint8_t>(id >> 8),
                               static_cast<uint8_t>(id >> 16),   static_cast<uint8_t>(id >> 24),
                               static_cast<uint8_t>(size),       static_cast<uint8_t>(size >> 8),
                               static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    return MmioWriteAll(file, header, sizeof header);
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
