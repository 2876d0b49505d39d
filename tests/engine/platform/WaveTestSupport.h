#pragma once
// Shared by the wave file tests: a private temporary folder, whole-file reads
// and the test pattern that tests/fixtures/make_wav_fixtures.py also writes.
#include "base/THeadlessEngineHost.h"
#include "engine/TWaveFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using ByteVector = std::vector<uint8_t>;

inline ByteVector ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteVector(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const ByteVector& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string WavFixture(const std::string& name)
{
    return std::string(TONALYX_FIXTURES) + "/wav/" + name;
}

inline std::vector<THeadlessEngineHost::Message>& HostMessages()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get()).Messages;
}

// A folder of its own under the system's temporary folder, removed with its files.
class TTempFolder {
public:
    TTempFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        Path = std::string(base) + "tonalyx_test_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++Counter());
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TTempFolder()
    {
        for (const std::string& f : Files())
            DeleteFileA((Path + "\\" + f).c_str());
        RemoveDirectoryA(Path.c_str());
    }
    std::string operator/(const std::string& name) const { return Path + "\\" + name; }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((Path + "\\*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        return names;
    }
    std::string Path;

private:
    static int& Counter()
    {
        static int n = 0;
        return n;
    }
};

// Sample i of channel c of the pattern, as the fixture script computes it.
inline int32_t PatternSample(int bits, uint32_t i, uint32_t c)
{
    if (bits == 8)
        return static_cast<int32_t>((i * 7 + c * 50) % 256);
    const int64_t span = int64_t(1) << (bits - 1);
    return static_cast<int32_t>((int64_t(i) * 9973 * (c + 1)) % (2 * span) - span);
}

inline ByteVector PatternBytes(int bits, uint32_t channels, uint32_t frames)
{
    ByteVector b;
    for (uint32_t i = 0; i < frames; ++i)
        for (uint32_t c = 0; c < channels; ++c) {
            const int32_t v = PatternSample(bits, i, c);
            for (int k = 0; k < bits / 8; ++k)
                b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
        }
    return b;
}

// Number of top-level chunks with that id, walking from offset 0.
inline int CountTopLevelChunks(const ByteVector& file, uint32_t id)
{
    int n = 0;
    for (size_t at = 0; at + 8 <= file.size();) {
        uint32_t cid, size;
        std::memcpy(&cid, &file[at], 4);
        std::memcpy(&size, &file[at + 4], 4);
        n += cid == id;
        at += 8 + size + (size & 1);
    }
    return n;
}

inline int32_t Decode(const uint8_t* p, int bytes)
{
    if (bytes == 1)
        return p[0];
    uint32_t v = 0;
    for (int k = 0; k < bytes; ++k)
        v |= static_cast<uint32_t>(p[k]) << (8 * k);
    const int shift = 32 - 8 * bytes;
    return static_cast<int32_t>(v << shift) >> shift;
}

// Every sample of every channel, compared with the values the fixture script decoded.
inline void ExpectSamples(TWaveFile& wave, const std::vector<std::vector<double>>& want)
{
    ASSERT_EQ(wave.GetFrameCount(), want.size());
    const int bytes = wave.GetBytesPerSample();
    for (uint16_t c = 0; c < wave.GetChannels(); ++c) {
        std::vector<uint8_t> got(want.size() * bytes);
        ASSERT_EQ(wave.ReadFrames(got.data(), 0, static_cast<uint32_t>(want.size()), c), 1);
        for (size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(Decode(&got[i * bytes], bytes), static_cast<int32_t>(want[i][c])) << "frame " << i << " ch " << c;
    }
}
