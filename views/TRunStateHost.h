#pragma once
#include <cstdint>

class TPlotBase;

// The analyser's run state as a view sees it, and the requests a view makes
// of the run: commands, the play position, markers, and its own closing.
class TRunStateHost {
public:
    enum OperatingMode { RealTime = 1, PostProcess = 2, Recorder = 3 };
    enum RunStates { Running = 1, Stopped = 2, Recording = 3, Playback = 4 };

    virtual ~TRunStateHost() = default;

    virtual int32_t GetOpMode() const = 0;
    virtual int32_t GetRunState() const = 0;
    // 1 while a single-block run is asked for: views draw every block.
    virtual int32_t GetRunRequest() const = 0;
    // The analysis time of the block just processed, in seconds.
    virtual float GetCurrentTime() const = 0;
    // The trigger is on (the spectrogram's time divisions need a free-running time).
    virtual bool IsTriggerEnabled() const = 0;
    // The play and analysis position in seconds; setting it moves the wave's
    // position and the transport toolbar's readout with it.
    virtual float GetPositionTime() const = 0;
    virtual void SetPositionTime(float seconds) = 0;
    // A main-window command, as its menu item sends it.
    virtual void RunCommand(int commandId) = 0;
    // Marker index 0-7 on or off at a frequency (off keeps the frequency);
    // every view shows the change.
    virtual void SetMarker(int index, bool enable, float frequency) = 0;

    // The user closes view from its close box. The host keeps what it keeps
    // of a closing view and may destroy it: the view touches nothing of
    // itself after this call.
    virtual void ViewClosed(TPlotBase& view) = 0;
    // The user closes the readout of a window type from its close box; as
    // with ViewClosed, the readout touches nothing of itself afterwards.
    virtual void ReadoutClosed(int windowType) = 0;
    // A readout of a window type is being destroyed: its placement is kept.
    virtual void ReadoutDestroyed(int windowType) = 0;
};
