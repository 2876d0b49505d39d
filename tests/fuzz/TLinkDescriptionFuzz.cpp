// libFuzzer entry point over the reader of "Link" clipboard blocks.
#include "engine/TLinkDescription.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TLinkDescription link;
    if (!TLinkDescription::Parse(data, size, link))
        return 0;
    // Three non-empty names, each with its terminator, all inside the block.
    const size_t used = link.Service.size() + link.Topic.size() + link.Item.size() + 3;
    if (used > size || link.Service.empty() || link.Topic.empty() || link.Item.empty())
        std::abort();
    for (const std::string* s : {&link.Service, &link.Topic, &link.Item})
        if (std::memchr(s->data(), '\0', s->size()))
            std::abort();
    if (std::memcmp(data, link.Service.data(), link.Service.size()) != 0)
        std::abort();
    return 0;
}
