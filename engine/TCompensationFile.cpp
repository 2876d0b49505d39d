// Parsing of microphone compensation files.
#include "engine/TCompensationFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include "engine/TNumberPair.h"

namespace {

bool StartsWithNoCase(std::string_view line, std::string_view prefix)
{
    if (line.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

TCompensationFile TCompensationFile::Parse(const char* text, size_t size)
{
    TCompensationFile file;
    size_t pos = 0;
    while (pos < size && file.Points.size() < MaxPoints) {
        const void* newline = std::memchr(text + pos, '\n', size - pos);
        const size_t end = newline ? static_cast<size_t>(static_cast<const char*>(newline) - text) : size;
        std::string_view line(text + pos, std::min(end - pos, LineLength));
        pos = end + 1;
        if (StartsWithNoCase(line, ";SPLINE OFF")) {
            file.SplineOff = 1;
            continue;
        }
        if (!line.empty() && line[0] == ';')
            continue;
        TSpectralData::FreqPoint point{};
        if (!TNumberPair::Read(line, point.Frequency, point.Level))
            break;
        point.Level = std::clamp(point.Level, -LevelLimit, LevelLimit);
        file.Points.push_back(point);
    }
    if (file.Points.size() < 3)
        return file;
    for (size_t i = 0; i < file.Points.size(); ++i) {
        const float f = file.Points[i].Frequency;
        if (f < 0.0f || (i > 0 && f < file.Points[i - 1].Frequency)) {
            file.Result = NotAscending;
            return file;
        }
    }
    file.Result = Usable;
    return file;
}
