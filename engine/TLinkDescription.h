#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The clipboard's "Link" format: a 128-byte block holding a DDE service,
// topic and item as consecutive NUL-terminated strings and an empty one.
class TLinkDescription {
public:
    static constexpr size_t BlockSize = 128;
    // Each name read from another program's block is held to this many characters.
    static constexpr size_t NameLength = 255;

    std::string Service;
    std::string Topic;
    std::string Item;

    // The block this program puts for one of its own items, service
    // "Tonalyx", topic "Data".
    static std::array<uint8_t, BlockSize> Build(const char* item);
    // The three names within size bytes, each cut at NameLength characters;
    // a name the block ends before is empty. False when the block holds no
    // service name.
    static bool Parse(const uint8_t* block, size_t size, TLinkDescription& link);
};
