// libFuzzer entry point over the .thd reader: whatever it takes, it takes
// whole, finite and sized by the file, and writes back the same bytes.
#include "utilities/TThdFile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    TThdFile::TContents contents;
    if (TThdFile::Decode(bytes, contents) != TThdFile::Valid) {
        if (!contents.Left.empty() || !contents.Right.empty()) std::abort();
        return 0;
    }
    if (contents.Left.empty() || (!contents.Right.empty() && contents.Right.size() != contents.Left.size()))
        std::abort();
    for (const auto* points : {&contents.Left, &contents.Right})
        for (const TThdPoint& p : *points)
            if (!std::isfinite(p.Frequency) || !std::isfinite(p.Thdn)) std::abort();
    if (TThdFile::Encode(contents) != bytes) std::abort();
    return 0;
}
