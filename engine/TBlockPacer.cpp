#include "engine/TBlockPacer.h"

bool TBlockPacer::Due(uint64_t position, uint64_t first, uint32_t hop, uint64_t& due)
{
    if (!Started) {
        if (position < first) return false;
        Started = true;
        due = position;
    } else {
        if (position < Next) return false;
        due = position - Next >= uint64_t(CatchUpHops) * hop ? position : Next;
    }
    Next = due + (hop ? hop : 1);
    return true;
}
