// libFuzzer entry point over the microphone compensation file reader.
#include "engine/TCompensationFile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TCompensationFile f = TCompensationFile::Parse(reinterpret_cast<const char*>(data), size);
    // What the curve relies on: finite points within the limits, and for a
    // usable file at least three of them, from 0 Hz up and never falling.
    if (f.Points.size() > TCompensationFile::MaxPoints || f.SplineOff > 1)
        std::abort();
    for (const auto& p : f.Points)
        if (!std::isfinite(p.Frequency) || !(std::fabs(p.Level) <= TCompensationFile::LevelLimit))
            std::abort();
    if (f.Result == TCompensationFile::Usable) {
        if (f.Points.size() < 3 || !(f.Points[0].Frequency >= 0.0f))
            std::abort();
        for (size_t i = 1; i < f.Points.size(); ++i)
            if (!(f.Points[i].Frequency >= f.Points[i - 1].Frequency))
                std::abort();
    }
    return 0;
}
