#include "dialogs/TAveragingChoices.h"

#include <string>
#include "dialogs/TFieldText.h"

const char* const TAveragingChoices::BlockCounts[BlockCountEntries] = {
    "1",   "2",   "3",   "4",   "5",   "6",   "7",   "8",   "9",   "10",
    "15",  "20",  "30",  "40",  "50",  "60",  "70",  "80",  "90",  "100",
    "200", "300", "400", "500", "600", "700", "800", "900", "1000", "Infinite"};
const char* const TAveragingChoices::Speeds[SpeedEntries] = {"Off", "Fast", "Medium", "Slow", "Forever"};
const char* const TAveragingChoices::Modes[2] = {"Free Run (blocks)", "Sound Level Meter"};
const char* const TAveragingChoices::Types[3] = {"Exponential", "Linear (unweighted)", "Vector (synchronous)"};

int TAveragingChoices::BlockCountIndex(uint32_t blocks)
{
    const std::string text = std::to_string(blocks);
    for (int i = 0; i < BlockCountEntries - 1; ++i)
        if (text == BlockCounts[i]) return i;
    return BlockCountEntries - 1;
}

uint32_t TAveragingChoices::BlocksOf(const std::string& text)
{
    if (text == BlockCounts[BlockCountEntries - 1]) return InfiniteBlocks;
    const int32_t blocks = TFieldText::ToInt(text);
    return blocks > 0 ? uint32_t(blocks) : 0;
}
