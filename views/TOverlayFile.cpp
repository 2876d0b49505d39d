// Parsing and formatting of overlay curve files.
#include "views/TOverlayFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include "engine/TNumberPair.h"

namespace {

// Hands out the text as a line reader with a 128-byte buffer would: up to
// and including a line feed, at most LineChunk characters at a time.
class TChunkReader {
public:
    TChunkReader(const char* text, size_t size) : Text(text), Size(size) {}

    bool Next(std::string_view& line)
    {
        if (Pos >= Size)
            return false;
        const size_t start = Pos;
        const size_t limit = std::min(Size, Pos + size_t(TOverlayFile::LineChunk));
        const void* end = std::memchr(Text + Pos, '\n', limit - Pos);
        Pos = end ? size_t(static_cast<const char*>(end) - Text) + 1 : limit;
        line = std::string_view(Text + start, Pos - start);
        return true;
    }

private:
    const char* Text;
    size_t Size;
    size_t Pos = 0;
};

bool Begins(std::string_view line, std::string_view prefix)
{
    return line.substr(0, prefix.size()) == prefix;
}

}  // namespace

void TOverlayFile::TakeName(std::string_view line, char* name)
{
    std::memset(name, 0, NameSize);
    for (size_t i = 1; i < line.size() && i < size_t(NameSize); ++i) {
        const char c = line[i];
        if (c == '\r' || c == '\n' || c == '\t' || c == '\0')
            break;
        name[i - 1] = c;
    }
    name[NameSize - 1] = '\0';
}

TOverlayFile TOverlayFile::Parse(const char* text, size_t size, bool bandMode)
{
    TOverlayFile file;
    TChunkReader reader(text, size);
    const uint32_t perPoint = bandMode ? 3 : 1;
    std::string_view line;
    file.Points.reserve(std::min<size_t>(size / 8 + 8, size_t(2) * MaxPoints));
    while (reader.Next(line)) {
        if (Begins(line, ";SPLINE OFF")) {
            file.SplineOff = 1;
            continue;
        }
        if (Begins(line, ";")) {
            TakeName(line, file.Name);
            continue;
        }
        float f = 0.0f, v = 0.0f;
        if (!TNumberPair::Read(line, f, v))
            break;
        if (file.Count() + perPoint > MaxPoints)
            break;
        if (bandMode) {
            file.Points.insert(file.Points.end(), {float(f * BandBelow), v, f, v, float(f * BandAbove), v});
        } else {
            file.Points.insert(file.Points.end(), {f, v});
        }
    }
    if (file.Count() < 3) {
        file.Result = TooFew;
        return file;
    }
    float previous = 0.0f;
    for (uint32_t i = 0; i < file.Count(); ++i) {
        const float f = file.Points[2 * i];
        // NaN fails both tests and would pass: it is refused as a fall.
        if (!(f >= 0.0f) || !(f >= previous)) {
            if (file.Count() < CutFrom) {
                file.Result = NotAscending;
                return file;
            }
            file.Points.resize(2 * size_t(i));
            break;
        }
        previous = f;
    }
    // A cut that leaves too few points for a curve refuses the file as a short one.
    file.Result = file.Count() < 3 ? TooFew : Usable;
    return file;
}

std::string TOverlayFile::ParseName(const char* text, size_t size)
{
    char name[NameSize] = {};
    TChunkReader reader(text, size);
    std::string_view line;
    while (reader.Next(line)) {
        if (Begins(line, ";SPLINE"))
            continue;
        if (!Begins(line, ";"))
            break;
        TakeName(line, name);
    }
    return name;
}

std::string TOverlayFile::Format(const char* name, int splineOff, const float* pairs, uint32_t count)
{
    std::string text;
    text.reserve(32 + size_t(count) * 24);
    text += ';';
    text += name ? name : "";
    text += '\n';
    if (splineOff)
        text += ";SPLINE OFF\n";
    char line[128];
    for (uint32_t i = 0; i < count; ++i) {
        const int n = std::snprintf(line, sizeof line, "%f\t%f\n", pairs[2 * i], pairs[2 * i + 1]);
        text.append(line, size_t(n > 0 && n < int(sizeof line) ? n : 0));
    }
    return text;
}
