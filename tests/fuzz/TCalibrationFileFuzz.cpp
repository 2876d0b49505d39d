// libFuzzer entry point over the .cal reader: the input's lines are the texts
// of the keys in the order the reader asks for them ("name=" prefixes are
// dropped); missing lines give the key's default.
#include "engine/TCalibrationFile.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

template <size_t N> bool Ends(const char (&text)[N])
{
    return std::memchr(text, 0, N) != nullptr;
}

bool Ends(const CalibrationChannel& c)
{
    return Ends(c.LabelLinear) && Ends(c.LabelLog) && Ends(c.ChannelName);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    size_t next = 0;
    const auto lookup = [&](const char*, const char*, const char* fallback) {
        if (next >= lines.size())
            return std::string(fallback);
        const std::string& line = lines[next++];
        const size_t equals = line.find('=');
        return equals == std::string::npos ? line : line.substr(equals + 1);
    };
    CalibrationStruct record;
    std::memset(&record, 0x5A, sizeof record);
    const CalibrationStruct before = record;
    if (TCalibrationFile::Read(lookup, record)) {
        if (!IsAcceptableCalibrationChannel(record.Left) || !IsAcceptableCalibrationChannel(record.Right) ||
            !Ends(record.Left) || !Ends(record.Right) || std::memcmp(record.Filename, before.Filename, 260) != 0)
            std::abort();
    } else if (std::memcmp(&record, &before, sizeof record) != 0) {
        std::abort();
    }
    return 0;
}
