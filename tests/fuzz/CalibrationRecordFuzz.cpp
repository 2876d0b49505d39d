// libFuzzer entry point over the calibration record of WAV chunks and pokes:
// the first byte picks the layout, the rest fills the record (zeros beyond
// the input).
#include "engine/CalibrationStruct.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

template <size_t N> bool Ends(const char (&text)[N])
{
    return std::memchr(text, 0, N) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t layout = (data[0] & 1) ? CalibrationStructOldSize : sizeof(CalibrationStruct);
    std::vector<uint8_t> bytes(layout, 0);
    std::copy(data + 1, data + std::min(size, layout + 1), bytes.begin());
    CalibrationStruct record;
    std::memset(&record, 0x5A, sizeof record);
    const CalibrationStruct before = record;
    if (ReadCalibrationRecord(bytes.data(), bytes.size(), record)) {
        // What reaches the program: only values the dialog stores, and texts that end in their fields.
        if (!IsAcceptableCalibration(record) || !Ends(record.Filename) || !Ends(record.Left.LabelLinear) ||
            !Ends(record.Left.LabelLog) || !Ends(record.Left.ChannelName) || !Ends(record.Right.LabelLinear) ||
            !Ends(record.Right.LabelLog) || !Ends(record.Right.ChannelName) || !record.Left.ChannelName[0] ||
            !record.Right.ChannelName[0])
            std::abort();
    } else if (std::memcmp(&record, &before, sizeof record) != 0) {
        std::abort();
    }
    return 0;
}
