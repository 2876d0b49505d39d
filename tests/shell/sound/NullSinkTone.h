#pragma once
// The PulseAudio null sink's devices and a tone looped into it, which the
// sink's monitor hands back as capture input.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TSoundPort.h"

// Id of the first capture (input) or playback device whose name starts with name.
inline uint32_t FindSoundDevice(bool input, const char* name)
{
    const uint32_t count = input ? ::waveInGetNumDevs() : ::waveOutGetNumDevs();
    for (uint32_t id = 0; id < count; ++id) {
        char product[MAXPNAMELEN] = {};
        if (input) {
            WAVEINCAPSA caps{};
            if (::waveInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR) std::strcpy(product, caps.szPname);
        } else {
            WAVEOUTCAPSA caps{};
            if (::waveOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR) std::strcpy(product, caps.szPname);
        }
        if (std::string(product).rfind(name, 0) == 0) return id;
    }
    return TSoundPort::NoDevice;
}

// One second of a stereo 16-bit tone (a whole number of periods), looped;
// amplitude is the peak as a fraction of full scale in each channel.
class TTonePlayer {
public:
    TTonePlayer(uint32_t device, uint32_t rate, double toneHz, double left = 8000.0 / 32768, double right = 8000.0 / 32768)
        : Port(device), Samples(2 * rate)
    {
        for (uint32_t i = 0; i < rate; ++i) {
            const double s = std::sin(2 * 3.141592653589793 * toneHz * i / rate);
            Samples[2 * i] = int16_t(std::lround(32768 * left * s));
            Samples[2 * i + 1] = int16_t(std::lround(32768 * right * s));
        }
        Port.SetFormat(rate, 2, 2);
        Ok = Port.Open(nullptr, 0) && Port.WriteBuffer(Samples.data(), uint32_t(Samples.size() * 2), 0, 1)
            && Port.Restart();
    }
    ~TTonePlayer() { Port.Close(); }
    TSoundOutput Port;
    std::vector<int16_t> Samples;
    bool Ok = false;
};

// Stereo 16-bit frames played in a loop until destroyed.
class TLoopPlayer {
public:
    TLoopPlayer(uint32_t device, uint32_t rate, std::vector<int16_t> samples) : Port(device), Samples(std::move(samples))
    {
        Port.SetFormat(rate, 2, 2);
        Ok = !Samples.empty() && Port.Open(nullptr, 0)
            && Port.WriteBuffer(Samples.data(), uint32_t(Samples.size() * 2), 0, 1) && Port.Restart();
    }
    ~TLoopPlayer() { Port.Close(); }
    TSoundOutput Port;
    std::vector<int16_t> Samples;
    bool Ok = false;
};

// Stereo 16-bit capture of the sink's monitor through two polled buffers of
// 0.1 s, pumping the message loop meanwhile.
class TMonitorCapture {
public:
    TMonitorCapture(uint32_t device, uint32_t rate)
        : Rate(rate), Port(device), Buffers{std::vector<int16_t>(2 * rate / 10), std::vector<int16_t>(2 * rate / 10)}
    {
        Port.SetFormat(Rate, 2, 2);
    }
    ~TMonitorCapture() { Port.Close(); }

    bool Start()
    {
        if (!Port.Open(nullptr, 0)) return false;
        for (int slot = 0; slot < 2; ++slot)
            if (!Port.AddBuffer(Buffers[slot].data(), uint32_t(Buffers[slot].size() * 2), slot)) return false;
        return Port.Start() != 0;
    }
    // Frames of the given seconds; while and when before them the loop runs.
    std::vector<int16_t> Record(double seconds, const std::function<void()>& during = nullptr)
    {
        std::vector<int16_t> frames;
        const size_t wanted = size_t(seconds * Rate) * 2;
        const DWORD end = ::GetTickCount() + DWORD(seconds * 1000) + 5000;
        while (frames.size() < wanted && ::GetTickCount() < end) {
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (during) during();
            if (!Port.IsBufferDone(Next)) {
                ::Sleep(2);
                continue;
            }
            frames.insert(frames.end(), Buffers[Next].begin(), Buffers[Next].end());
            Port.AddBuffer(Buffers[Next].data(), uint32_t(Buffers[Next].size() * 2), Next);
            Next = 1 - Next;
        }
        frames.resize(std::min(frames.size(), wanted));
        return frames;
    }

private:
    uint32_t Rate;
    TSoundInput Port;
    std::vector<int16_t> Buffers[2];
    int Next = 0;
};
