#pragma once
#include "engine/TSoundPort.h"

// The capture direction of a sound port.
class TSoundInput : public TSoundPort {
public:
    explicit TSoundInput(uint32_t deviceId) : TSoundPort(deviceId, TSoundDeviceQuirks::Input) {}

    int AddBuffer(void* data, uint32_t bytes, int slot);
    int Start();
    uint32_t GetRecordedFrames();
    float GetRecordedSeconds();
    int IsStarted() const { return InputStarted ? 1 : 0; }
};
