// libFuzzer entry point over the reading of a bracketed command.
#include "automation/TKeywordTable.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view command(reinterpret_cast<const char*>(data), size);
    const auto parsed = TKeywordTable::Parse(command);
    if (!parsed) return 0;
    // What the command bodies rely on: a known keyword and an argument cut from the command.
    if (parsed->Keyword >= TKeyword::Count || parsed->Argument.size() >= command.size()
        || command.size() > TKeywordTable::MaxCommandLength)
        std::abort();
    TKeywordTable::ReadInteger(parsed->Argument);
    if (!std::isfinite(TKeywordTable::ReadNumber(parsed->Argument))) std::abort();
    return 0;
}
