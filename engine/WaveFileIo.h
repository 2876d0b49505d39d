#pragma once
// File helpers shared by the wave file's topic sources: messages, mmio access
// and the header of a new wave.
#include "engine/TEngineHost.h"
#include "engine/TWaveFormat.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace WaveFileIo {

inline constexpr const char* kWriteFailed = "Failure writing wave file.";

// The wave file's messages have an empty caption.
void Say(const std::string& text, unsigned style = TEngineHost::MsgOk);
void SayOpenFailed(const std::string& name);

inline HMMIO Mmio(void* file) { return static_cast<HMMIO>(file); }

bool MmioReadAt(HMMIO file, uint64_t offset, void* dest, size_t bytes);

// Writes the RIFF chunk and its PCM format chunk, and descends into a data
// chunk of the given size.
bool BeginWave(HMMIO h, const TWaveFormat& format, uint32_t dataBytes, MMCKINFO& riff, MMCKINFO& data);

std::string SystemTempFolder();

}  // namespace WaveFileIo
