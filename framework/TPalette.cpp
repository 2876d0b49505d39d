#include "framework/TPalette.h"
#include <vector>

TPalette::TPalette(const PALETTEENTRY* entries, int count)
{
    std::vector<unsigned char> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count > 0 ? count : 1));
    LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(count);
    for (int i = 0; i < count; ++i) lp->palPalEntry[i] = entries[i];
    SetHandle(::CreatePalette(lp), true);
}

int TPalette::GetNumEntries() const
{
    WORD n = 0;
    return Handle && ::GetObjectA(Handle, sizeof n, &n) ? n : 0;
}
