// libFuzzer entry point over the generator's settings texts and the builds
// they lead to: whatever a settings file holds, what the reader keeps writes
// back as finite numbers, each level it keeps gives an amplitude within full
// scale, and a build stays within its block and reaches no division by zero or
// out-of-range conversion.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "generator/TGeneratorSettings.h"
#include "base/TProfile.h"
#include "generator/TSignalSources.h"
#include "generator/TSignalSynthesizer.h"

namespace {

// The input's lines, one per key in reading order; missing lines read as the default.
class TLineProfile : public TProfile {
public:
    explicit TLineProfile(const std::string& text)
    {
        size_t start = 0;
        while (start <= text.size()) {
            const size_t end = text.find('\n', start);
            Lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    std::string Read(const char*, const char*, const char* def) override
    {
        return Next < Lines.size() ? Lines[Next++].substr(0, 255) : def;
    }
    // Nothing the reader kept is a non-finite number; the two texts may say anything.
    void Write(const char*, const char* key, const std::string& value) override
    {
        if (std::strcmp(key, "KeyString") == 0 || std::strcmp(key, "WaveFileName") == 0) return;
        if (!std::isfinite(std::strtod(value.c_str(), nullptr))) std::abort();
    }

private:
    std::vector<std::string> Lines;
    size_t Next = 0;
};

// A user file of a few frames; every name opens it.
class TFuzzSources : public TSignalSources {
public:
    explicit TFuzzSources(TWaveFormat format) : Format(format) {}
    bool QueryWave(const char*, TWaveFormat& format, uint32_t& frames) override
    {
        format = Format;
        frames = 7;
        return true;
    }
    std::unique_ptr<TWaveData> LoadWave(const char*) override { return std::make_unique<TWaveData>(7, Format); }
    void Progress(int percent) override
    {
        if (percent < 0 || percent > 99) std::abort();
    }
    void Report(const std::string&, unsigned) override {}

private:
    TWaveFormat Format;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    // The first bytes choose the analyser format: low rates keep the blocks small.
    const TWaveFormat analyser(50 + data[0] * 4u, uint16_t(1 + (data[1] & 1)), uint16_t(1 + (data[1] >> 1 & 3)));
    const TWaveFormat fileFormat(40 + data[2], uint16_t(1 + (data[2] & 1)), uint16_t(1 + (data[2] >> 1 & 3)));
    TLineProfile profile(std::string(reinterpret_cast<const char*>(data + 3), size - 3));
    SignalParams left{}, right{};
    OutputLevelStruct level{};
    const TGeneratorSettings::TRefusals refused =
        TGeneratorSettings::Load(profile, left, right, level, analyser.SamplingRate / 2.0);
    TGeneratorSettings::Save(profile, left, right, level);

    TFuzzSources sources(fileFormat);
    TRuntimeRandom random;
    TSignalSynthesizer synth(sources, random);
    const TWaveFormat format = synth.ChooseFormat(analyser, (data[1] & 8) != 0, 0, false, left, right);
    for (const SignalParams* p : {&left, &right})
        if (synth.GetSignalLength(*p, format) < 0) std::abort();
    if (synth.GetSignalLength(left, format) > 20000 || synth.GetSignalLength(right, format) > 20000) return 0;
    std::unique_ptr<TWaveData> block = synth.AllocateSignal(left, right, format);
    if (!block) return 0;
    // A channel the reader kept nothing of plays silence, as the window plays it.
    double amplitude[2];
    for (int c = 0; c < 2; ++c) {
        amplitude[c] = refused.Channel[c] ? 0.0 : TSignalSynthesizer::GetChannelAmplitude(level, c);
        if (!refused.Channel[c] && !(amplitude[c] > 0 && amplitude[c] <= 1)) std::abort();
    }
    synth.BuildChannels(*block, left, right, amplitude);
    return 0;
}
