#pragma once
#include <cstdint>
#include <string>

// The command line that opens the system's mixer at the recording or the
// playback controls of a device. Windows 6 and later keep the mixer in the
// sound control panel; older versions have the stand-alone volume control,
// whose open window must close first so that it reopens at the device asked for.
class TMixerCommand {
public:
    static constexpr uint32_t NtPlatform = 2;
    static constexpr const char* VolumeControlClass = "Volume Control";
    // Milliseconds the old volume control is given to close.
    static constexpr uint32_t CloseWait = 500;

    bool CloseVolumeControl = false;
    std::string CommandLine;

    static TMixerCommand For(bool input, int deviceIndex, uint32_t platformId, uint32_t majorVersion);
};
