// libFuzzer entry point over the WAV header and chunk-size check.
#include "engine/TWaveLayout.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TWaveLayout w = TWaveLayout::Parse(data, size);
    if (w.Status != TWaveLayout::Invalid) {
        // What the file code relies on: every region it will read lies inside the input.
        if (w.DataOffset + w.DataSize > size || w.Channels == 0 || w.Channels > 2 || w.BytesPerSample() == 0 ||
            w.BytesPerSample() > 4)
            std::abort();
    }
    if (w.CalibrationOffset && w.CalibrationOffset + TWaveLayout::CalibrationChunkSize > size)
        std::abort();
    if (w.LegacyCalibrationOffset && w.LegacyCalibrationOffset + TWaveLayout::LegacyCalibrationChunkSize > size)
        std::abort();
    return 0;
}
