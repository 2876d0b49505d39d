#pragma once
#include <cstdint>
#include "engine/DelayFinderSettings.h"
#include "engine/LeqSettings.h"
#include "engine/PhaseScopeSettingsStruct.h"
#include "views/TViewHost.h"

class TSeriesData;
class TWindow;

// What the measurement utility windows ask of their host beyond a view's
// roles: blocks of their own from the current source, their settings
// records, and the processing delay the delay finder applies.
class TUtilityHost : public TViewHost {
public:
    // Channel 0 into left and channel 1 into right (when given), as many
    // frames as left holds. Running or recording: the frames ending at the
    // capture position, the left block lead frames earlier. Post Process:
    // the frames from the play position, the left block lead frames earlier.
    // Playback: the frames ending at the play position, silence before the
    // first frame. False when the source does not hold them yet.
    virtual bool ReadSourceBlocks(uint32_t lead, TSeriesData& left, TSeriesData* right) = 0;

    virtual const DelayFinderSettings& GetDelayFinderOptions() const = 0;
    virtual const LeqSettings& GetLeqOptions() const = 0;
    virtual const PhaseScopeSettingsStruct& GetPhaseScopeOptions() const = 0;
    // The processing delay: which channel is delayed (1 left, 0 right) and by
    // how many ms (0 to 1000); the delay in samples follows.
    virtual void SetProcessingDelay(uint16_t delayedChannel, float milliseconds) = 0;
    // The user closes a utility window from its close box; the window
    // touches nothing of itself afterwards.
    virtual void UtilityClosed(const TWindow& window) = 0;
};
