#include "shell/TSegmentRun.h"

#include <windows.h>

#include <new>

#include "engine/TSegmentLayout.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveData.h"
#include "engine/TWaveSpectra.h"

TSegmentRun::TSegmentRun(TMainWin& main, TWaveData& wave, const char* caption)
    : Operation(main, caption), Wave(wave), Position(wave.GetPosition())
{
    Operation.Progress(0);
}

TSegmentRun::~TSegmentRun()
{
    Wave.SetPosition(Position);
}

bool TSegmentRun::MakeBlocks(const TWaveFormat& format, uint32_t frames, uint16_t ratio, uint32_t lowPass,
                             const uint32_t delays[2])
{
    for (int k = 0; k < (format.NumChannels == 2 ? 2 : 1); ++k) {
        Blocks[k].reset(new (std::nothrow) TSeriesData(frames, format, ratio, lowPass));
        if (!Blocks[k] || Blocks[k]->Error)
            return false;
        Delays[k] = delays[k];
    }
    return true;
}

void TSegmentRun::ReadBlocks()
{
    TSeriesData* const blocks[2] = {Blocks[0].get(), Blocks[1].get()};
    TWaveSpectra::ReadBlocks(Wave, Wave.GetPosition(), Delays, blocks);
}

void TSegmentRun::Progress(uint32_t done, uint32_t total)
{
    // A gauge that does not move costs no trip through the window system.
    const uint32_t percent = TSegmentLayout::Percent(done, total);
    if (percent != Shown)
        Operation.Progress(percent);
    Shown = percent;
}

bool TSegmentRun::Cancelled()
{
    // The keys are looked for in the whole thread's queue: Esc reaches the
    // view that has the focus, not the frame.
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) && msg.message == WM_KEYDOWN
        && msg.wParam == VK_ESCAPE)
        return true;
    return ::PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != FALSE;
}
