// DTMF analysis of the selected segment of the open wave.
#include <windows.h>
#include <algorithm>
#include "engine/TWaveFile.h"
#include "shell/TLongOperation.h"
#include "shell/TMainWin.h"
#include "utilities/TDtmfAnalysis.h"

namespace {

// Esc ends the pass it is pressed in (the key is taken from the queue); a
// left-button press ends both passes (it stays queued).
TDtmfAnalysis::Poll PollInput(HWND frame)
{
    MSG msg;
    bool escape = false;
    while (::PeekMessageA(&msg, frame, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        escape = escape || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
    if (::PeekMessageA(&msg, frame, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE)) return TDtmfAnalysis::Poll::EndAll;
    return escape ? TDtmfAnalysis::Poll::EndPass : TDtmfAnalysis::Poll::Continue;
}

}  // namespace

void TMainWin::AnalyzeDtmfSegment()
{
    if (!WaveFile) return;
    float start = 0.0f, stop = 0.0f;
    if (!GetSelectedSegment(start, stop)) return;
    if (start == stop) {
        MessageBox("You must first select a time segment.", "Tonalyx", MB_OK);
        return;
    }
    start = std::max(start, 0.0f);
    stop = std::max(stop, 0.0f);
    if (stop - start <= 0.0f) return;
    const uint32_t first = WaveFile->TimeToFrame(start);
    const uint32_t frames = WaveFile->TimeToFrame(stop) - first;

    TDtmfAnalysis dtmf(Settings, Scaling[0]);
    {
        TLongOperation operation(*this, "Performing DTMF Analysis... press <Esc> to cancel.");
        const uint32_t position = WaveFile->GetPosition();
        uint32_t looked = ::GetTickCount();
        dtmf.Run(*WaveFile, first, frames, [&](int percent) {
            // The queue and the gauge cost a trip through the window system: a look every 50 ms.
            const uint32_t now = ::GetTickCount();
            if (now - looked < 50) return TDtmfAnalysis::Poll::Continue;
            looked = now;
            operation.Progress(uint32_t(percent));
            return PollInput(GetHandle());
        });
        WaveFile->SetPosition(position);
    }
    MessageBox(dtmf.Message().c_str(), "DTMF", MB_OK);
}
