// libFuzzer entry point over the data import's reading of a data file: the
// first byte picks the source type, channel count and header, the rest is the file.
#include "engine/TDataImport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

class TBytes : public TDataImport::TInput {
public:
    TBytes(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    size_t Read(uint8_t* dest, size_t size) override
    {
        const size_t n = std::min(size, Size - At);
        if (n)
            std::memcpy(dest, Data + At, n);
        At += n;
        return n;
    }
    bool Rewind() override
    {
        At = 0;
        return true;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t At = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t pick = data[0];
    TBytes input(data + 1, size - 1);
    TDataImport import(input, uint16_t(pick % 6), uint16_t(pick / 6 % 2 + 1));
    const int32_t header = pick & 0x80 ? pick % 5 : 0;
    import.Restart(header != 0, header);
    const TDataImport::TExamination examined = import.Examine();
    // Every frame counted is a whole frame of the file.
    if (examined.Frames > size || !(examined.Maximum > examined.Minimum))
        std::abort();
    const TWaveFormat format(8000, 1, uint16_t(pick % 4 + 1));
    const auto scale = TDataImport::Scale(uint16_t(pick % 3), examined.Minimum, examined.Maximum, format);
    import.Restart(header != 0, header);
    for (uint32_t i = 0; i < examined.Frames; ++i) {
        const TDataImport::TFrame frame = import.ReadFrame();
        if (!frame.HasLeft)
            std::abort();
        for (double v : {frame.Left, frame.Right}) {
            const int32_t sample = TDataImport::ConvertSample(v, scale, format);
            if (sample < format.MinValue || sample > format.MaxValue)
                std::abort();
        }
    }
    return 0;
}
