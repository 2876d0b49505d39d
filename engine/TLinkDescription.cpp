// The "Link" clipboard block, built and read.
#include "engine/TLinkDescription.h"

#include <algorithm>
#include <cstring>

std::array<uint8_t, TLinkDescription::BlockSize> TLinkDescription::Build(const char* service, const char* item)
{
    std::array<uint8_t, BlockSize> block{};
    const char* topic = "Data";
    const size_t topicLength = std::strlen(topic);
    const size_t itemLength = std::min(std::strlen(item), TextSize / 3);
    // Four terminators: after each string and the empty fourth one.
    const size_t serviceLength = std::min(std::strlen(service), TextSize - topicLength - itemLength - 4);
    const struct {
        const char* Text;
        size_t Length;
    } parts[] = {{service, serviceLength}, {topic, topicLength}, {item, itemLength}};
    size_t at = 0;
    for (const auto& part : parts) {
        std::memcpy(block.data() + at, part.Text, part.Length);
        at += part.Length + 1;
    }
    return block;
}

bool TLinkDescription::Parse(const uint8_t* block, size_t size, TLinkDescription& link)
{
    link = TLinkDescription{};
    if (!block)
        return false;
    const uint8_t* at = block;
    const uint8_t* end = block + size;
    for (std::string* name : {&link.Service, &link.Topic, &link.Item}) {
        const auto* nul = static_cast<const uint8_t*>(std::memchr(at, 0, size_t(end - at)));
        if (!nul || nul == at) {
            link = TLinkDescription{};
            return false;
        }
        name->assign(reinterpret_cast<const char*>(at), size_t(nul - at));
        at = nul + 1;
    }
    return true;
}

bool TLinkDescription::IsFormatName(const char* name)
{
    return name && std::strcmp(name, FormatName) == 0;
}
