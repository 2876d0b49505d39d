#pragma once
#include <cstdint>
#include <string>

#include "engine/AnalysisSettingsStruct.h"

// The averaging and peak-hold choices as the lists show them, shared by the
// processing settings dialog and the transport toolbar.
class TAveragingChoices {
public:
    // The block count that "Infinite" stands for.
    static constexpr uint32_t InfiniteBlocks = AnalysisSettingsStruct::InfiniteBlocks;
    static constexpr int BlockCountEntries = 30;
    static constexpr int SpeedEntries = 5;

    // Block counts of block averaging, the last "Infinite".
    static const char* const BlockCounts[BlockCountEntries];
    // Speeds of timed (sound level meter) averaging; also the peak-hold modes.
    static const char* const Speeds[SpeedEntries];
    static const char* const Modes[2];
    static const char* const Types[3];

    // The entry that shows a stored block count: its own, else "Infinite".
    static int BlockCountIndex(uint32_t blocks);
    // The count an entry's text stands for; text that is no count gives 0.
    static uint32_t BlocksOf(const std::string& text);
};
