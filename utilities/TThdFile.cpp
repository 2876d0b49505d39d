#include "utilities/TThdFile.h"

#include <cmath>
#include <cstring>

namespace {

void Put(std::vector<uint8_t>& out, const void* value, size_t size)
{
    const auto* p = static_cast<const uint8_t*>(value);
    out.insert(out.end(), p, p + size);
}

template <class T> T Get(const std::vector<uint8_t>& in, size_t offset)
{
    T value;
    std::memcpy(&value, in.data() + offset, sizeof value);
    return value;
}

}  // namespace

std::vector<uint8_t> TThdFile::Encode(const TContents& c)
{
    const int32_t count = int32_t(c.Left.size());
    const bool right = c.Right.size() == c.Left.size() && !c.Right.empty();
    std::vector<uint8_t> out;
    out.reserve(HeaderSize + c.Left.size() * sizeof(TThdPoint) * (right ? 2 : 1));
    Put(out, &Magic, 4);
    Put(out, &count, 4);
    for (float v : {c.StartFreq, c.StopFreq, c.PlotTop, c.PlotBottom}) Put(out, &v, 4);
    Put(out, c.Left.data(), c.Left.size() * sizeof(TThdPoint));
    if (right) Put(out, c.Right.data(), c.Right.size() * sizeof(TThdPoint));
    return out;
}

TThdFile::TStatus TThdFile::Decode(const std::vector<uint8_t>& bytes, TContents& contents)
{
    if (bytes.size() < 8 || Get<int32_t>(bytes, 0) != Magic) return BadMagic;
    const int32_t count = Get<int32_t>(bytes, 4);
    if (count <= 0) return NoData;
    const size_t block = size_t(count) * sizeof(TThdPoint);
    const size_t body = bytes.size() < HeaderSize ? 0 : bytes.size() - HeaderSize;
    if (bytes.size() < HeaderSize || (body != block && body != 2 * block)) return BadSize;
    for (size_t offset = 8; offset < bytes.size(); offset += 4)
        if (!std::isfinite(Get<float>(bytes, offset))) return BadValue;

    TContents read;
    read.StartFreq = Get<float>(bytes, 8);
    read.StopFreq = Get<float>(bytes, 12);
    read.PlotTop = Get<float>(bytes, 16);
    read.PlotBottom = Get<float>(bytes, 20);
    read.Left.resize(size_t(count));
    std::memcpy(read.Left.data(), bytes.data() + HeaderSize, block);
    if (body == 2 * block) {
        read.Right.resize(size_t(count));
        std::memcpy(read.Right.data(), bytes.data() + HeaderSize + block, block);
    }
    contents = std::move(read);
    return Valid;
}
