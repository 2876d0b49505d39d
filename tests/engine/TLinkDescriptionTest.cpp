// The "Link" clipboard block: the bytes written, and the reader on blocks
// of any shape.
#include "engine/TLinkDescription.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(TLinkDescription, BlockHoldsServiceTopicItemAndZeros)
{
    for (const char* item : {"Phase", "Spectrum", "Time Series"}) {
        SCOPED_TRACE(item);
        const auto block = TLinkDescription::Build("Tonalyx", item);
        const std::string expected = std::string("Tonalyx") + '\0' + "Data" + '\0' + item + '\0' + '\0';
        ASSERT_EQ(block.size(), 128u);
        EXPECT_EQ(std::memcmp(block.data(), expected.data(), expected.size()), 0);
        for (size_t i = expected.size(); i < block.size(); ++i) EXPECT_EQ(block[i], 0) << i;
        TLinkDescription link;
        ASSERT_TRUE(TLinkDescription::Parse(block.data(), block.size(), link));
        EXPECT_EQ(link.Service, "Tonalyx");
        EXPECT_EQ(link.Topic, "Data");
        EXPECT_EQ(link.Item, item);
    }

    // The configured service name, with a semicolon, and one too long: the
    // strings stay whole and terminated inside the first 120 bytes.
    TLinkDescription link;
    ASSERT_TRUE(TLinkDescription::Parse(TLinkDescription::Build("My;Server", "Phase").data(), 128, link));
    EXPECT_EQ(link.Service, "My;Server");
    const std::string longName(300, 'S');
    const auto cut = TLinkDescription::Build(longName.c_str(), "Spectrum");
    ASSERT_TRUE(TLinkDescription::Parse(cut.data(), cut.size(), link));
    EXPECT_EQ(link.Service.size(), 120u - 4 - 8 - 4);
    EXPECT_EQ(link.Item, "Spectrum");
    for (size_t i = 118; i < cut.size(); ++i) EXPECT_EQ(cut[i], 0) << i;
}

TEST(TLinkDescription, ForeignBlocksAreReadWithinTheirSize)
{
    const struct {
        const char* Name;
        std::string Bytes;
        bool Valid;
    } cases[] = {
        {"whole", std::string("A\0B\0C\0", 6), true},
        {"long names", std::string(300, 'S') + '\0' + "T" + '\0' + "I" + '\0', true},
        {"item runs past the block", std::string("A\0B\0C", 5), false},
        {"block ends in the topic", std::string("A\0B", 3), false},
        {"empty topic", std::string("A\0\0C\0", 5), false},
        {"empty service", std::string("\0B\0C\0", 5), false},
        {"no terminator", "ABCDEFGH", false},
        {"empty", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<uint8_t> block(c.Bytes.begin(), c.Bytes.end());
        TLinkDescription link;
        EXPECT_EQ(TLinkDescription::Parse(block.data(), block.size(), link), c.Valid);
        if (!c.Valid) {
            EXPECT_TRUE(link.Service.empty());
        }
    }
    TLinkDescription link;
    EXPECT_FALSE(TLinkDescription::Parse(nullptr, 128, link));
}

TEST(TLinkDescription, OnlyTheFormatNamedLink)
{
    EXPECT_TRUE(TLinkDescription::IsFormatName("Link"));
    for (const char* other : {"Link Source", "LinkSource", "link", "Lin", ""})
        EXPECT_FALSE(TLinkDescription::IsFormatName(other)) << other;
    EXPECT_FALSE(TLinkDescription::IsFormatName(nullptr));
}
