#pragma once
// File helpers shared by the wave file's topic sources: messages and mmio access.
#include "base/TEngineHost.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace WaveFileIo {

inline constexpr const char* kWriteFailed = "Failure writing wave file.";
// The working file is reached through 32-bit signed offsets.
inline constexpr uint64_t kMaxFileBytes = 0x7FFFFFFF;

// The wave file's messages have an empty caption.
void Say(const std::string& text, unsigned style = TEngineHost::MsgOk);
void SayOpenFailed(const std::string& name);

inline HMMIO Mmio(void* file) { return static_cast<HMMIO>(file); }

bool MmioReadAt(HMMIO file, uint64_t offset, void* dest, size_t bytes);
bool MmioWriteAll(HMMIO file, const void* src, size_t bytes);
// A chunk header at the file's current position.
bool WriteChunkHeader(HMMIO file, uint32_t id, uint32_t size);

std::string SystemTempFolder();
// The given folder, or the system's temporary folder when none is given.
std::string TempFolderOr(const char* folder);
// The size of a file on disk, 0 when it cannot be found.
uint64_t FileSize(const std::string& name);

}  // namespace WaveFileIo
