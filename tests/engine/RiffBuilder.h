#pragma once
// Builds small RIFF WAVE images byte by byte, for the tests of malformed files.
#include <cstdint>
#include <string>
#include <vector>


using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline Bytes Chunk(const std::string& id, const Bytes& body, bool pad = true)
{
    Bytes b(id.begin(), id.end());
    Put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2)
        b.push_back(0);
    return b;
}

inline Bytes Fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t align, uint16_t bits, size_t size = 16)
{
    Bytes b;
    Put16(b, tag);
    Put16(b, channels);
    Put32(b, rate);
    Put32(b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    while (b.size() > size)
        b.pop_back();
    while (b.size() < size)
        b.push_back(0);
    return b;
}

inline Bytes Extensible(const Bytes& subFormat)
{
    Bytes f = Fmt(0xFFFE, 2, 48000, 6, 24, 24);
    f[16] = 22;
    f[18] = 24;
    f[20] = 3;
    f.insert(f.end(), subFormat.begin(), subFormat.end());
    return f;
}

inline const Bytes kPcmGuid = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
inline const Bytes kFloatGuid = {0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

inline Bytes Riff(const std::vector<Bytes>& chunks)
{
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

inline Bytes Cat(std::vector<Bytes> parts)
{
    Bytes b;
    for (const Bytes& p : parts)
        b.insert(b.end(), p.begin(), p.end());
    return b;
}

