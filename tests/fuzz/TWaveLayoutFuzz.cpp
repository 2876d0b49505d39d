// libFuzzer entry point over the tolerant WAV header and chunk-size reading.
#include "engine/TWaveLayout.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TWaveLayout w = TWaveLayout::Parse(data, size);
    if (w.Status == TWaveLayout::Valid || w.Status == TWaveLayout::EmptyData) {
        // What the file code relies on: every region it will read or allocate for lies inside the input.
        if (w.DataOffset + w.DataSize > size || w.Channels == 0 || w.Channels > 2 || w.BytesPerSample() == 0 ||
            w.BytesPerSample() > 4 || !TWaveFormat::IsValidRate(w.SamplesPerSec))
            std::abort();
        if ((w.Status == TWaveLayout::Valid) != (w.Frames() > 0))
            std::abort();
    }
    if (w.CalibrationOffset && w.CalibrationOffset + TWaveLayout::CalibrationChunkSize > size)
        std::abort();
    if (w.LegacyCalibrationOffset && w.LegacyCalibrationOffset + TWaveLayout::LegacyCalibrationChunkSize > size)
        std::abort();
    return 0;
}
