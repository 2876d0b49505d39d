// What the DDE pokes and the client link make of another program's data:
// poked 16-bit values in each analysis format and spread over the blocks,
// and the replies of a linked acquisition program.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "automation/TLinkDetails.h"
#include "automation/TPokedSamples.h"

namespace {

std::vector<uint8_t> Bytes(const std::vector<int16_t>& values)
{
    std::vector<uint8_t> bytes(values.size() * 2);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

}  // namespace

TEST(TPokedSamples, ValuesScaleToEachFormatsRange)
{
    struct Case {
        uint16_t width;
        int16_t value;
        int32_t expected;
    } cases[] = {
        {1, 0, 127},       {1, 32767, 255},          {1, -32767, 0},          {1, -32768, 0},
        {1, 16384, 191},   {2, 12345, 12345},        {2, -32768, -32767},     {3, 32767, 8388607},
        {3, -32767, -8388607}, {3, 1, 256},          {3, -16384, -4194432},   {4, 32767, 1073741824},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " bytes, value " + std::to_string(c.value));
        EXPECT_EQ(TPokedSamples::ToFormat(c.value, TWaveFormat(48000, 1, c.width)), c.expected);
    }
}

TEST(TPokedSamples, BlocksTakeEveryValueOrAlternateOnesAndNothingPastTheBlock)
{
    const TWaveFormat format(48000, 2, 2);
    struct Case {
        const char* name;
        std::vector<int16_t> values;
        uint32_t limit;
        std::vector<int32_t> left, right;
    } cases[] = {
        // Four values for an FFT size of 4: left every value, right the following one.
        {"fft size", {1, 2, 3, 4}, 4, {1, 2, 3, 4}, {2, 3, 4, 0}},
        // Twice the FFT size: two channels interleaved.
        {"twice the fft size", {1, 2, 3, 4, 5, 6, 7, 8}, 4, {1, 3, 5, 7}, {2, 4, 6, 8}},
        {"longer than the buffer", {1, 2, 3, 4, 5, 6}, 4, {1, 2, 3, 4}, {2, 3, 4, 5}},
        {"shorter than the buffer", {9}, 4, {9}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = Bytes(c.values);
        std::vector<int32_t> left, right;
        TPokedSamples(bytes.data(), bytes.size()).Spread(4, c.limit, format, left, &right);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(right, c.right);
        TPokedSamples(bytes.data(), bytes.size()).Spread(4, c.limit, format, left, nullptr);
        EXPECT_EQ(left, c.left);
    }
    // An odd last byte is no value and is never read as one.
    const std::vector<uint8_t> odd = {0x01, 0x00, 0x02, 0x00, 0x7F};
    EXPECT_EQ(TPokedSamples(odd.data(), odd.size()).Count(), 2u);
}

TEST(TPokedSamples, FramesAreTheFormatsBytes)
{
    const std::vector<uint8_t> bytes = Bytes({32767, -1, 256, -32767, 7});
    const TPokedSamples samples(bytes.data(), bytes.size());
    // Stereo: two whole frames, the fifth value is no frame.
    EXPECT_EQ(samples.FrameCount(TWaveFormat(48000, 2, 3)), 2u);
    EXPECT_EQ(samples.Frames(TWaveFormat(48000, 2, 3)),
              (std::vector<uint8_t>{0xFF, 0xFF, 0x7F, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x01, 0x01, 0x00, 0x80}));
    EXPECT_EQ(samples.Frames(TWaveFormat(48000, 1, 1)), (std::vector<uint8_t>{255, 127, 128, 0, 127}));
    EXPECT_EQ(samples.Frames(TWaveFormat(48000, 1, 2)), bytes);
}

TEST(TLinkDetails, CompanionNamesAndRepliesFallBackAndStayInTheirFields)
{
    EXPECT_EQ(TLinkDetails::BaseName("Test1.Ch1.data"), "Test1.Ch1.");
    EXPECT_EQ(TLinkDetails::BaseName("Series"), "S");
    EXPECT_EQ(TLinkDetails::BaseName(""), "");

    struct Number {
        const char* points;
        const char* rate;
        int32_t expectedPoints, expectedRate;
    } numbers[] = {
        {"512", "48000", 1024, 11025},  // 1024 / 48000 truncates to 0: the fallback
        {"24000", "2", 48000, 24000},
        {"0", "0", 128, 11025},
        {"-3", "abc", 128, 11025},
        {"99999999999", "nan", 128, 11025},
        {"100", "inf", 200, 11025},
        {"100", "0.001", 200, 200000},
    };
    for (const Number& n : numbers) {
        SCOPED_TRACE(std::string(n.points) + " / " + n.rate);
        const int32_t points = TLinkDetails::Points(n.points);
        EXPECT_EQ(points, n.expectedPoints);
        EXPECT_EQ(TLinkDetails::RateValue(points, n.rate), n.expectedRate);
    }

    // A 600-byte reply into a 40-byte label: cut and terminated, nothing written past it.
    const std::string reply(600, 'x');
    char fields[3][40];
    std::memset(fields, '#', sizeof fields);
    TLinkDetails::CopyReply(fields[1], sizeof fields[1], reply.c_str(), reply.size() + 1);
    EXPECT_EQ(std::string(fields[1]), std::string(39, 'x'));
    EXPECT_EQ(fields[0][39], '#');
    EXPECT_EQ(fields[2][0], '#');
    // Into a larger buffer no more than the reply limit; a reply without its zero ends at its size.
    std::vector<char> large(1000, '#');
    TLinkDetails::CopyReply(large.data(), large.size(), reply.c_str(), reply.size());
    EXPECT_EQ(std::strlen(large.data()), TLinkDetails::ReplyLimit);
    TLinkDetails::CopyReply(large.data(), large.size(), "Hz??", 2);
    EXPECT_STREQ(large.data(), "Hz");
    EXPECT_TRUE(TLinkDetails::IsFrequencyAxis(large.data()));
    EXPECT_FALSE(TLinkDetails::IsFrequencyAxis("hz"));

    EXPECT_TRUE(TLinkDetails::IsYes("yes"));
    EXPECT_TRUE(TLinkDetails::IsYes("YES"));
    EXPECT_FALSE(TLinkDetails::IsYes("Yes please"));
    float start = 0, increment = 0;
    TLinkDetails::TriggerValues("1500", "250.5", start, increment);
    EXPECT_FLOAT_EQ(start, 1500.0f);
    EXPECT_FLOAT_EQ(increment, 250.5f);
    for (const char* none : {"0", "", "1e300", "nan", "6e-57"}) {
        SCOPED_TRACE(none);
        TLinkDetails::TriggerValues("1500", none, start, increment);
        EXPECT_FLOAT_EQ(start, 600.0f);
        EXPECT_FLOAT_EQ(increment, 100.0f);
    }
}
