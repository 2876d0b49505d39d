// libFuzzer entry point over the .rvb reader.
#include "utilities/TReverbFile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TReverbFile::TContents contents;
    if (!TReverbFile::Parse(data, size, contents)) {
        if (!contents.Rows.empty()) std::abort();
        return 0;
    }
    // What the window relies on: an entry count it can index, rows that
    // fill the file, and times it can lay out.
    if (contents.BandCount < 1 || contents.BandCount > TReverbData::MaxEntries || contents.Rows.empty() ||
        TReverbFile::HeaderBytes + contents.Rows.size() * sizeof(DecayRow) != size)
        std::abort();
    float last = 0.0f;
    for (const DecayRow& row : contents.Rows) {
        if (!std::isfinite(row.Time) || row.Time < last || row.Time > TReverbFile::MaxRowTime) std::abort();
        last = row.Time;
    }
    return 0;
}
