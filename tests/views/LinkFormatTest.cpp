// The "Link" clipboard block: the bytes written, and the reader on blocks
// of any shape.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "views/TLinkFormat.h"

TEST(LinkFormat, BlockHoldsServiceTopicItemAndZeros)
{
    const auto block = TLinkFormat::Build("Tonalyx", "Data", "Phase");
    const char expected[] = "Tonalyx\0Data\0Phase\0";
    EXPECT_EQ(std::memcmp(block.data(), expected, sizeof expected), 0);
    for (size_t i = sizeof expected; i < block.size(); ++i) EXPECT_EQ(block[i], 0) << i;

    TLinkReference link;
    ASSERT_TRUE(TLinkFormat::Parse(block.data(), block.size(), link));
    EXPECT_EQ(link.Service, "Tonalyx");
    EXPECT_EQ(link.Topic, "Data");
    EXPECT_EQ(link.Item, "Phase");

    // The configured service name, with a semicolon, and one too long: the
    // strings stay whole and terminated inside the first 120 bytes.
    ASSERT_TRUE(TLinkFormat::Parse(TLinkFormat::Build("My;Server", "Data", "Time Series").data(), 128, link));
    EXPECT_EQ(link.Service, "My;Server");
    EXPECT_EQ(link.Item, "Time Series");
    const std::string longName(300, 'S');
    const auto cut = TLinkFormat::Build(longName.c_str(), "Data", "Spectrum");
    ASSERT_TRUE(TLinkFormat::Parse(cut.data(), cut.size(), link));
    EXPECT_EQ(link.Service.size(), 120u - 4 - 4 - 8);
    EXPECT_EQ(link.Item, "Spectrum");
    for (size_t i = 118; i < cut.size(); ++i) EXPECT_EQ(cut[i], 0) << i;
}

TEST(LinkFormat, ReaderTakesNothingPastTheBlock)
{
    const struct {
        const char* Bytes;
        size_t Size;
        bool Valid;
    } cases[] = {
        {"A\0B\0C\0", 6, true},
        {"A\0B\0C", 5, false},         // the item runs past the block
        {"A\0B\0C\0", 4, false},       // the block ends inside the topic's string
        {"A\0\0C\0", 5, false},        // an empty topic
        {"\0B\0C\0", 5, false},        // an empty service
        {"ABCDEFGH", 8, false},        // no terminator at all
        {"", 0, false},
    };
    for (const auto& c : cases) {
        TLinkReference link;
        EXPECT_EQ(TLinkFormat::Parse(c.Bytes, c.Size, link), c.Valid) << c.Size;
    }
    TLinkReference link;
    EXPECT_FALSE(TLinkFormat::Parse(nullptr, 128, link));
}

TEST(LinkFormat, OnlyTheFormatNamedLink)
{
    EXPECT_TRUE(TLinkFormat::IsFormatName("Link"));
    for (const char* other : {"Link Source", "LinkSource", "link", "Lin", ""})
        EXPECT_FALSE(TLinkFormat::IsFormatName(other)) << other;
    EXPECT_FALSE(TLinkFormat::IsFormatName(nullptr));
}
