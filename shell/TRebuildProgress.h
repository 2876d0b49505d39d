#pragma once
#include <cstdint>

class TMainWin;

// A view drawn again from the wave file as the user sees it run: the status
// bar's gauge and the frame's title while it lasts, both put back when it
// ends.
class TRebuildProgress {
public:
    // Milliseconds between looks at the window system while lines are drawn.
    static constexpr uint32_t Pace = 100;

    explicit TRebuildProgress(TMainWin& main);
    ~TRebuildProgress();
    TRebuildProgress(const TRebuildProgress&) = delete;
    TRebuildProgress& operator=(const TRebuildProgress&) = delete;

    // True once per Pace: the gauge, the picture on screen and the look for
    // a cancel each cost a trip through the window system, too dear to take
    // per line.
    bool Due();
    // done of total lines drawn.
    void Step(int done, int total);
    // Esc (key messages are taken from the queue while looking) or a press
    // of the left button (left in the queue) cuts a rebuild short.
    static bool Cancelled();

private:
    TMainWin& Main;
    uint32_t Looked;
    // The frame's title before, put back at the end.
    char FrameCaption[260] = {};
};
