#pragma once
#include <array>
#include <cstddef>
#include <string>

// A DDE link reference: the service, topic and item another program
// opens a conversation and an advise loop on.
struct TLinkReference {
    std::string Service;
    std::string Topic;
    std::string Item;
};

// The "Link" clipboard block that goes with a copy of values as text: 128
// bytes holding the service, topic and item as three NUL-terminated strings
// and an empty fourth, zero after them. Readers of other programs' blocks
// take nothing past the block's size.
class TLinkFormat {
public:
    static constexpr const char* FormatName = "Link";
    static constexpr size_t BlockSize = 128;
    // The strings and their terminators stay within this many bytes.
    static constexpr size_t TextSize = 120;

    // A service too long for the block is cut so the topic and item fit.
    static std::array<char, BlockSize> Build(const char* service, const char* topic, const char* item);
    // The three strings of a block of size bytes; false when a string is
    // empty or runs past the block.
    static bool Parse(const void* block, size_t size, TLinkReference& link);
    // True only for the format's own name: "Link Source" and the like are
    // other formats.
    static bool IsFormatName(const char* name);
};
