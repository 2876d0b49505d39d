#pragma once
#include <string_view>

// The items of the DDE topic "Data", in index order: an item's index is its
// place in this list. Places without an item have no name and are never found.
class TDdeItemTable {
public:
    static constexpr int Count = 156;
    // Items that other code names.
    static constexpr int PeakFrequency = 0;
    static constexpr int MacroStatus = 57;
    static constexpr int FileClosed = 58;

    // The item's name, or null for an index without an item or out of range.
    static const char* Name(int index);
    // The index of the item of that name (letters in any case), -1 for none.
    static int Find(std::string_view name);
};
