// The "Link" clipboard block, built and read.
#include "engine/TLinkDescription.h"

#include <algorithm>
#include <cstring>

std::array<uint8_t, TLinkDescription::BlockSize> TLinkDescription::Build(const char* item)
{
    std::array<uint8_t, BlockSize> block{};
    const std::string text = std::string("Tonalyx;Data;") + item + ";;";
    // The names end within the block however long the item is.
    const size_t n = std::min(text.size(), BlockSize - 8);
    std::memcpy(block.data(), text.data(), n);
    for (size_t i = 0; i < n; ++i)
        if (block[i] == ';')
            block[i] = 0;
    return block;
}

bool TLinkDescription::Parse(const uint8_t* block, size_t size, TLinkDescription& link)
{
    link = TLinkDescription{};
    std::string* names[] = {&link.Service, &link.Topic, &link.Item};
    size_t at = 0;
    for (std::string* name : names) {
        if (!block || at >= size)
            break;
        const uint8_t* start = block + at;
        const uint8_t* end = static_cast<const uint8_t*>(std::memchr(start, 0, size - at));
        const size_t length = end ? size_t(end - start) : size - at;
        name->assign(reinterpret_cast<const char*>(start), std::min(length, NameLength));
        at += length + 1;
    }
    return !link.Service.empty();
}
