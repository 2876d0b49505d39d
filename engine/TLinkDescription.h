#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The clipboard's "Link" format: a 128-byte block holding a DDE service,
// topic and item as consecutive NUL-terminated strings and an empty fourth,
// zero after them. It goes with a copy of values as text so that another
// program can link to them live; the program reads other programs' blocks
// to link to theirs, taking nothing past a block's size.
class TLinkDescription {
public:
    static constexpr const char* FormatName = "Link";
    static constexpr size_t BlockSize = 128;
    // The strings and their terminators stay within this many bytes.
    static constexpr size_t TextSize = 120;

    std::string Service;
    std::string Topic;
    std::string Item;

    // The block for one of this program's items of topic "Data", under the
    // service its DDE server registers; a service too long for the block is
    // cut so the topic and item fit.
    static std::array<uint8_t, BlockSize> Build(const char* service, const char* item);
    // The three names of a block of size bytes; false when a name is empty
    // or runs past the block.
    static bool Parse(const uint8_t* block, size_t size, TLinkDescription& link);
    // True only for the format's own name: "Link Source" and the like are
    // other formats.
    static bool IsFormatName(const char* name);
};
