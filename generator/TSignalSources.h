#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/TWaveData.h"
#include "engine/TWaveFormat.h"

// What a signal build needs of the world around it: the user's wave files,
// the progress gauge and message boxes. The generator window serves them from
// the platform; tests from memory.
class TSignalSources {
public:
    virtual ~TSignalSources() = default;

    // Format and frame count of a wave file; false when it cannot be opened.
    virtual bool QueryWave(const char* fileName, TWaveFormat& format, uint32_t& frames) = 0;
    // A wave file with all its frames in memory; null when it cannot be opened.
    virtual std::unique_ptr<TWaveData> LoadWave(const char* fileName) = 0;
    // Build progress, 0 to 99.
    virtual void Progress(int percent) = 0;
    // A message box; style takes TEngineHost's flags.
    virtual void Report(const std::string& text, unsigned style) = 0;
};
