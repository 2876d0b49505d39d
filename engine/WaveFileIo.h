#pragma once
// File helpers shared by the wave file's topic sources: messages and positioned
// file access. Offsets are 64-bit: a wave file may reach the RIFF limit of
// 4 GB, past the 2 GB that signed 32-bit offsets reach.
#include "base/TEngineHost.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace WaveFileIo {

inline constexpr const char* kWriteFailed = "Failure writing wave file.";

// The wave file's messages have an empty caption.
void Say(const std::string& text, unsigned style = TEngineHost::MsgOk);
void SayOpenFailed(const std::string& name);

inline HANDLE Handle(void* file) { return static_cast<HANDLE>(file); }

enum class TAccess { Read, ReadWrite, Create };
// An open file, or null. Others may read and write it meanwhile, as they may
// a file the wave works on in place.
void* OpenFile(const std::string& name, TAccess access);
// Closes the file; false when the system reports a failure.
bool CloseFile(void* file);

// Whole reads and writes at an offset, in pieces a DWORD counts.
bool ReadAt(void* file, uint64_t offset, void* dest, size_t bytes);
bool WriteAt(void* file, uint64_t offset, const void* src, size_t bytes);
// A chunk header at the offset.
bool WriteChunkHeaderAt(void* file, uint64_t offset, uint32_t id, uint32_t size);
// Cuts or extends the file to size bytes.
bool SetSize(void* file, uint64_t size);
// The size of an open file, 0 when it cannot be had.
uint64_t SizeOf(void* file);

std::string SystemTempFolder();
// The given folder, or the system's temporary folder when none is given.
std::string TempFolderOr(const char* folder);
// The size of a file on disk, 0 when it cannot be found.
uint64_t FileSize(const std::string& name);

}  // namespace WaveFileIo
