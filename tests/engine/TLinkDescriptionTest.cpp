#include "engine/TLinkDescription.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(TLinkDescription, BlockBytesOfTheTimeSeries)
{
    const auto block = TLinkDescription::Build("Time Series");
    const char expected[] = "Tonalyx\0Data\0Time Series\0\0";
    ASSERT_EQ(block.size(), 128u);
    EXPECT_EQ(std::memcmp(block.data(), expected, sizeof expected), 0);
    for (size_t i = sizeof expected; i < block.size(); ++i)
        EXPECT_EQ(block[i], 0) << i;
    TLinkDescription link;
    ASSERT_TRUE(TLinkDescription::Parse(block.data(), block.size(), link));
    EXPECT_EQ(link.Service, "Tonalyx");
    EXPECT_EQ(link.Topic, "Data");
    EXPECT_EQ(link.Item, "Time Series");
}

// Names are read within the block's size and cut at 255 characters; a
// block without terminators ends its last name at its end.
TEST(TLinkDescription, ForeignBlocksAreReadWithinTheirSize)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
        size_t service, topic, item;
    } cases[] = {
        {"long service", std::string(300, 'S') + '\0' + "T" + '\0' + "I" + '\0', true, 255, 1, 1},
        {"unterminated", "Svc" + std::string(1, '\0') + "Top", true, 3, 3, 0},
        {"empty", "", false, 0, 0, 0},
        {"no service", std::string(4, '\0'), false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> block(c.bytes.begin(), c.bytes.end());
        TLinkDescription link;
        EXPECT_EQ(TLinkDescription::Parse(block.data(), block.size(), link), c.ok);
        EXPECT_EQ(link.Service.size(), c.service);
        EXPECT_EQ(link.Topic.size(), c.topic);
        EXPECT_EQ(link.Item.size(), c.item);
    }
}
