#pragma once
// Sources, settings files and fixtures from memory, for the generator's pure core.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/TWaveData.h"
#include "generator/SignalParams.h"
#include "generator/TGeneratorSettings.h"
#include "base/TProfile.h"
#include "generator/TSignalSources.h"

// Wave "files" held as blocks, keyed by name; messages and gauge values kept.
class TTestSources : public TSignalSources {
public:
    struct TReport {
        std::string Text;
        unsigned Style;
    };

    bool QueryWave(const char* name, TWaveFormat& format, uint32_t& frames) override
    {
        auto it = Files.find(name);
        if (it == Files.end()) return false;
        format = it->second->GetFormat();
        frames = it->second->GetFrameCount();
        return true;
    }
    std::unique_ptr<TWaveData> LoadWave(const char* name) override
    {
        auto it = Files.find(name);
        if (it == Files.end()) return nullptr;
        auto copy = std::make_unique<TWaveData>(it->second->GetFrameCount(), it->second->GetFormat());
        std::memcpy(copy->GetBuffer(), it->second->GetBuffer(), it->second->GetBufferSize());
        return copy;
    }
    void Progress(int percent) override { Gauge.push_back(percent); }
    void Report(const std::string& text, unsigned style) override { Reports.push_back({text, style}); }

    // A file of frames x channels raw samples, interleaved.
    void AddFile(const std::string& name, TWaveFormat format, const std::vector<int32_t>& samples)
    {
        auto block = std::make_shared<TWaveData>(uint32_t(samples.size() / format.NumChannels), format);
        uint8_t* p = block->GetBuffer();
        for (int32_t s : samples) {
            const uint32_t u = uint32_t(format.BytesPerSample == 3 ? TWaveFormat::Pack24(s) : s);
            for (int b = 0; b < format.BytesPerSample; ++b) *p++ = uint8_t(u >> (8 * b));
        }
        Files[name] = block;
    }

    std::map<std::string, std::shared_ptr<TWaveData>> Files;
    std::vector<int> Gauge;
    std::vector<TReport> Reports;
};

// A settings file as a map, with the writes in their order.
class TMapProfile : public TProfile {
public:
    struct TEntry {
        std::string Section, Key, Value;
    };
    std::string Read(const char* section, const char* key, const char* def) override
    {
        auto it = Values.find(std::string(section) + "/" + key);
        return it == Values.end() ? def : it->second.substr(0, 255);
    }
    void Write(const char* section, const char* key, const std::string& value) override
    {
        Values[std::string(section) + "/" + key] = value;
        Written.push_back({section, key, value});
    }
    std::map<std::string, std::string> Values;
    std::vector<TEntry> Written;
};

// One channel's samples of a block, raw (8-bit codes as stored, 32-bit as stored).
inline int32_t RawAt(const TWaveData& block, uint32_t frame, uint16_t channel)
{
    const TWaveFormat f = block.GetFormat();
    const uint8_t* p = block.GetBuffer() + size_t(frame) * f.BytesPerFrame()
        + (channel == 1 && f.NumChannels == 2 ? f.BytesPerSample : 0);
    switch (f.BytesPerSample) {
    case 1: return p[0];
    case 2: return int16_t(uint16_t(p[0] | p[1] << 8));
    case 3: return SignExtend24(int32_t(p[0] | p[1] << 8 | p[2] << 16));
    default: return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    }
}

inline std::vector<int32_t> Channel(const TWaveData& block, uint16_t channel, uint32_t from = 0, uint32_t count = 0)
{
    const uint32_t end = count ? from + count : block.GetFrameCount();
    std::vector<int32_t> out;
    for (uint32_t j = from; j < end; ++j) out.push_back(RawAt(block, j, channel));
    return out;
}

// A fixture of make_generator_fixtures.py: its parameter line and its samples.
struct TSampleFixture {
    std::vector<double> Params;
    std::vector<int32_t> Samples;
};

inline TSampleFixture ReadSampleFixture(const std::string& name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/generator/" + name);
    EXPECT_TRUE(in.good()) << name;
    TSampleFixture fixture;
    std::string line;
    bool params = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream row(line);
        double v;
        while (row >> v) {
            if (params) fixture.Params.push_back(v);
            else fixture.Samples.push_back(int32_t(v));
        }
        params = false;
    }
    return fixture;
}

// The records an empty settings file gives.
struct TDefaultRecords {
    TDefaultRecords() { TGeneratorSettings::Defaults(Left, Right, Level); }
    SignalParams Left{}, Right{};
    OutputLevelStruct Level{};
};

inline SignalParams DefaultSignal(int32_t type)
{
    SignalParams p = TDefaultRecords().Left;
    p.SigType = type;
    return p;
}
