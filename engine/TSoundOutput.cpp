#include "engine/TSoundOutput.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

int TSoundOutput::WriteBuffer(void* data, uint32_t bytes, int slot, int loop)
{
    return QueueBuffer(data, bytes, slot, loop);
}

int TSoundOutput::Restart()
{
    if (!Open_ || !Handle)
        return 0;
    if (waveOutRestart(static_cast<HWAVEOUT>(Handle)) != MMSYSERR_NOERROR) {
        Report("Failure accessing sound device.");
        Close();
        return 0;
    }
    return 1;
}

uint32_t TSoundOutput::GetPlayedFrames()
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    return frameBytes ? static_cast<uint32_t>(Position.Extend(DevicePosition()) / frameBytes) : 0;
}

float TSoundOutput::GetPlayedSeconds()
{
    const uint32_t byteRate = CurrentFormat.SamplingRate * CurrentFormat.BytesPerFrame();
    return byteRate ? static_cast<float>(static_cast<double>(Position.Extend(DevicePosition())) / byteRate) : 0.0f;
}

int TSoundOutput::HasVolume()
{
    if (DeviceId == NoDevice)
        return 0;
    WAVEOUTCAPSA caps = {};
    return waveOutGetDevCapsA(DeviceId, &caps, sizeof caps) == MMSYSERR_NOERROR && (caps.dwSupport & WAVECAPS_VOLUME)
               ? 1
               : 0;
}

int TSoundOutput::GetVolume(int channel)
{
    DWORD volume = 0;
    if (DeviceId == NoDevice || (channel != 0 && channel != 1) ||
        waveOutGetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(DeviceId)), &volume) != MMSYSERR_NOERROR)
        return 0;
    const DWORD word = channel == 0 ? LOWORD(volume) : HIWORD(volume);
    return static_cast<int>(word * 100 / 65535);
}

void TSoundOutput::SetVolume(int leftPercent, int rightPercent)
{
    if (DeviceId == NoDevice)
        return;
    const DWORD left = static_cast<DWORD>(std::clamp(leftPercent, 0, 100)) * 65535 / 100;
    const DWORD right = static_cast<DWORD>(std::clamp(rightPercent, 0, 100)) * 65535 / 100;
    waveOutSetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(DeviceId)), right << 16 | left);
}
