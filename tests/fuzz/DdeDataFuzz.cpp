// libFuzzer entry point over what other programs hand the DDE pokes and the
// client link: the first byte picks the analysis width and block size, the
// rest is a poked block; the same bytes, cut at zeros, are the link's replies.
#include "automation/TLinkDetails.h"
#include "automation/TPokedSamples.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const TWaveFormat format(48000, uint16_t(1 + (data[0] & 1)), uint16_t(1 + ((data[0] >> 1) & 3)));
    const uint32_t fft = 32u << ((data[0] >> 3) & 3);
    const TPokedSamples samples(data + 1, size - 1);
    std::vector<int32_t> left, right;
    samples.Spread(fft, fft, format, left, &right);
    if (left.size() > fft || right.size() != left.size())
        std::abort();
    for (size_t i = 0; i < left.size(); ++i)
        if (left[i] < format.MinValue || left[i] > format.MaxValue || right[i] < format.MinValue
            || right[i] > format.MaxValue)
            std::abort();
    if (samples.Frames(format).size() != size_t(samples.FrameCount(format)) * format.BytesPerFrame())
        std::abort();

    // The replies: zero-terminated pieces of the input.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string first = text.substr(0, text.find('\0'));
    const std::string second = text.size() > first.size() ? text.substr(first.size() + 1) : std::string();
    const int32_t points = TLinkDetails::Points(first.c_str());
    if (points <= 0 || TLinkDetails::RateValue(points, second.c_str()) <= 0)
        std::abort();
    float start = 0.0f, increment = 0.0f;
    TLinkDetails::TriggerValues(first.c_str(), second.c_str(), start, increment);
    if (!std::isfinite(start) || !std::isfinite(increment) || increment == 0.0f)
        std::abort();
    char label[40];
    std::memset(label, 'x', sizeof label);
    TLinkDetails::CopyReply(label, sizeof label, text.data(), text.size());
    if (!std::memchr(label, 0, sizeof label))
        std::abort();
    (void)TLinkDetails::BaseName(first.c_str());
    return 0;
}
