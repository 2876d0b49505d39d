// The .thd layout against a file packed by Python's struct, and the files it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "utilities/TThdFile.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(TThdFile, ReadsAndWritesTheStructPackedFile)
{
    const std::vector<uint8_t> bytes = ReadBytes("utilities/thdfreq_two.thd");
    TThdFile::TContents c;
    ASSERT_EQ(TThdFile::Decode(bytes, c), TThdFile::Valid);
    EXPECT_EQ(c.StartFreq, 20.0f);
    EXPECT_EQ(c.StopFreq, 20000.0f);
    EXPECT_EQ(c.PlotTop, 10.0f);
    EXPECT_EQ(c.PlotBottom, 0.001f);
    ASSERT_EQ(c.Left.size(), 3u);
    ASSERT_EQ(c.Right.size(), 3u);
    EXPECT_EQ(c.Left[2].Frequency, 10000.0f);
    EXPECT_EQ(c.Left[2].Thdn, 0.5f);
    EXPECT_EQ(c.Right[2].Thdn, 1.25f);
    EXPECT_EQ(TThdFile::Encode(c), bytes);

    // Without its right block the same file is a one-channel result.
    const std::vector<uint8_t> one(bytes.begin(), bytes.end() - 24);
    ASSERT_EQ(TThdFile::Decode(one, c), TThdFile::Valid);
    EXPECT_TRUE(c.Right.empty());
    EXPECT_EQ(TThdFile::Encode(c), one);
}

TEST(TThdFile, RefusesBadFilesAndKeepsWhatItHeld)
{
    const std::vector<uint8_t> good = ReadBytes("utilities/thdfreq_two.thd");
    auto with = [&](size_t offset, auto value) {
        std::vector<uint8_t> b = good;
        std::memcpy(&b[offset], &value, sizeof value);
        return b;
    };
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
        TThdFile::TStatus Status;
    } cases[] = {
        {"empty", {}, TThdFile::BadMagic},
        {"magic", with(0, int32_t(5001)), TThdFile::BadMagic},
        {"count 0", with(4, int32_t(0)), TThdFile::NoData},
        {"count negative", with(4, int32_t(-3)), TThdFile::NoData},
        {"count beyond the size", with(4, int32_t(1000000000)), TThdFile::BadSize},
        {"count of neither layout", with(4, int32_t(2)), TThdFile::BadSize},
        {"truncated", std::vector<uint8_t>(good.begin(), good.end() - 1), TThdFile::BadSize},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 20), TThdFile::BadSize},
        {"trailing byte", [&] { auto b = good; b.push_back(0); return b; }(), TThdFile::BadSize},
        {"NaN point", with(28, std::numeric_limits<float>::quiet_NaN()), TThdFile::BadValue},
        {"infinite stop", with(12, std::numeric_limits<float>::infinity()), TThdFile::BadValue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TThdFile::TContents held;
        held.Left = {{5.0f, 6.0f}};
        EXPECT_EQ(TThdFile::Decode(c.Bytes, held), c.Status);
        ASSERT_EQ(held.Left.size(), 1u);
        EXPECT_EQ(held.Left[0].Thdn, 6.0f);
    }
}
