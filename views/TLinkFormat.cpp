#include "views/TLinkFormat.h"

#include <algorithm>
#include <cstring>

std::array<char, TLinkFormat::BlockSize> TLinkFormat::Build(const char* service, const char* topic, const char* item)
{
    std::array<char, BlockSize> block{};
    const size_t topicLength = std::min(std::strlen(topic), TextSize / 3);
    const size_t itemLength = std::min(std::strlen(item), TextSize / 3);
    // Four terminators: after each string and the empty fourth one.
    const size_t room = TextSize - topicLength - itemLength - 4;
    const size_t serviceLength = std::min(std::strlen(service), room);
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

bool TLinkFormat::Parse(const void* block, size_t size, TLinkReference& link)
{
    if (!block)
        return false;
    const char* at = static_cast<const char*>(block);
    const char* end = at + size;
    std::string* parts[] = {&link.Service, &link.Topic, &link.Item};
    for (std::string* part : parts) {
        const char* nul = static_cast<const char*>(std::memchr(at, '\0', size_t(end - at)));
        if (!nul || nul == at)
            return false;
        part->assign(at, nul);
        at = nul + 1;
    }
    return true;
}

bool TLinkFormat::IsFormatName(const char* name)
{
    return name && std::strcmp(name, FormatName) == 0;
}
