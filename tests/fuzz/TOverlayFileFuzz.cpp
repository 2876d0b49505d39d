// libFuzzer entry point over the overlay curve file reader.
#include "views/TOverlayFile.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    for (bool bands : {false, true}) {
        const TOverlayFile f = TOverlayFile::Parse(text, size, bands);
        // What the curve relies on: whole pairs (whole triples in band
        // mode), at least three of them, never falling, within the limit.
        if (f.Points.size() % 2 || f.Count() > TOverlayFile::MaxPoints || (bands && f.Count() % 3))
            std::abort();
        if (f.Result == TOverlayFile::Usable) {
            if (f.Count() < 3)
                std::abort();
            for (uint32_t i = 1; i < f.Count(); ++i)
                if (!(f.Points[2 * i] >= f.Points[2 * i - 2]))
                    std::abort();
        }
        if (std::memchr(f.Name, 0, sizeof f.Name) == nullptr)
            std::abort();
    }
    if (TOverlayFile::ParseName(text, size).size() >= size_t(TOverlayFile::NameSize))
        std::abort();
    return 0;
}
