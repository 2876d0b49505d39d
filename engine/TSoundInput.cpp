#include "engine/TSoundInput.h"

#include "base/TEngineHost.h"

#include <windows.h>
#include <mmsystem.h>

int TSoundInput::AddBuffer(void* data, uint32_t bytes, int slot)
{
    return QueueBuffer(data, bytes, slot, 0);
}

int TSoundInput::Start()
{
    if (!Open_ || DeviceId == NoDevice || !Handle || InputStarted)
        return 0;
    if (waveInStart(static_cast<HWAVEIN>(Handle)) != MMSYSERR_NOERROR) {
        Report("Failure accessing sound device.");
        Close();
        return 0;
    }
    StartTick = TEngineHost::Get().TickCount();
    InputStarted = 1;
    return 1;
}

uint32_t TSoundInput::GetRecordedFrames()
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    if (Error || !Open_ || DeviceId == NoDevice || frameBytes == 0)
        return 0;
    return static_cast<uint32_t>(CapturedBytes() / frameBytes);
}

float TSoundInput::GetRecordedSeconds()
{
    const uint32_t byteRate = CurrentFormat.SamplingRate * CurrentFormat.BytesPerFrame();
    if (Error || !Open_ || DeviceId == NoDevice || byteRate == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(CapturedBytes()) / byteRate);
}
