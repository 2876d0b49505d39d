// The Utilities menu's toggles of the reverberation, phase scope and THD+N
// versus frequency windows, and what the measurement utility windows take
// from the main window: blocks of the current source, the processing delay,
// and their closing.
#include <algorithm>
#include "engine/TSeriesData.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TMainWin.h"
#include "utilities/TReverb.h"

void TMainWin::CmReverbTime()
{
    // Unsaved results are offered for saving before the window goes.
    if (TReverb* window = ReverbWindow(); window && !window->QuerySave()) return;
    Windows.Toggle(ViewType::Reverb);
}

// The scope plots one channel against the other: it opens only in stereo.
void TMainWin::CmPhaseScope()
{
    if (Windows.IsOpen(ViewType::PhaseScope)) {
        Windows.Toggle(ViewType::PhaseScope);
        return;
    }
    if (Settings.Format.NumChannels == 1) {
        MessageBox("To use the Phase Scope, the analyzer must be set to Stereo operation", "Tonalyx", MB_OK);
        return;
    }
    if (Settings.Format.NumChannels != 2) return;
    Windows.Toggle(ViewType::PhaseScope);
    ApplySettings(RefreshKind::Full);
}


namespace {

// count frames of a channel from first; frames before 0 read as silence.
void ReadChannel(TWaveData& from, int64_t first, TSeriesData& to, uint16_t channel)
{
    const uint32_t count = to.GetLength();
    to.Clear();
    const uint32_t skip = first < 0 ? uint32_t(std::min<int64_t>(-first, count)) : 0;
    if (skip < count)
        from.ReadFrames(to.GetSamplePtr(skip), uint32_t(first + skip), count - skip, channel);
}

}  // namespace

bool TMainWin::ReadSourceBlocks(uint32_t lead, TSeriesData& left, TSeriesData* right)
{
    const uint32_t n = left.GetLength();
    TWaveData* buffer = nullptr;
    int64_t end = 0;  // the frame after the right block
    if (OpMode == RealTime || (OpMode == Recorder && RunState == Recording)) {
        if (!SoundInput || !SoundInput->IsOpen()) return false;
        int slot = 0;
        uint32_t frame = 0;
        if (OpMode == RealTime) {
            if (!SoundInput->GetInterpolatedPosition(slot, frame, n, 0)) return false;
        } else {
            const TWaveData* first = CaptureBlocks[0];
            if (!first || first->GetFrameCount() == 0) return false;
            const uint32_t done = SoundInput->GetRecordedFrames();
            slot = int((done / first->GetFrameCount()) & 1);
            frame = done % first->GetFrameCount();
        }
        if (slot < 0 || slot > 1 || !CaptureBlocks[slot] || frame < n + lead) return false;
        buffer = CaptureBlocks[slot];
        end = frame;
    } else if (OpMode == PostProcess) {
        if (!WaveFile) return false;
        const int64_t position = WaveFile->GetPosition();
        if (int64_t(WaveFile->GetHighWaterMark()) - position < int64_t(n) + lead || position < lead) return false;
        buffer = WaveFile.get();
        end = position + n;
    } else if (OpMode == Recorder && RunState == Playback) {
        if (!WaveFile) return false;
        end = WaveFile->TimeToFrame(std::max(CurrentTime, 0.0f));
        if (end > int64_t(WaveFile->GetHighWaterMark())) return false;
        buffer = WaveFile.get();
    } else {
        return false;
    }
    ReadChannel(*buffer, end - n - lead, left, 0);
    if (right && Settings.Format.NumChannels == 2) ReadChannel(*buffer, end - n, *right, 1);
    return true;
}

void TMainWin::SetProcessingDelay(uint16_t delayedChannel, float milliseconds)
{
    if (!(milliseconds >= 0.0f)) milliseconds = 0.0f;
    Settings.DelayChannel = delayedChannel ? 1 : 0;
    Settings.DelayTimeMsec = std::min(milliseconds, 1000.0f);
    UpdateDelaySamples();
}

void TMainWin::UtilityClosed(const TWindow& window)
{
    for (const TWindowSlots::TKind& kind : TWindowSlots::Kinds())
        if (Windows.Window(kind.Type) == &window) ReadoutClosed(int(kind.Type));
}
