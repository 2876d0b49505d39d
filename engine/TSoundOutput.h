#pragma once
#include "engine/TSoundPort.h"

// The playback direction of a sound port.
class TSoundOutput : public TSoundPort {
public:
    explicit TSoundOutput(uint32_t deviceId) : TSoundPort(deviceId, TSoundDeviceQuirks::Output) {}

    int WriteBuffer(void* data, uint32_t bytes, int slot, int loop);
    int Restart();
    uint32_t GetPlayedFrames();
    float GetPlayedSeconds();

    int HasVolume();
    // Percent 0..100 of channel 0 (left) or 1 (right); 0 when unreadable.
    int GetVolume(int channel);
    void SetVolume(int leftPercent, int rightPercent);
};
