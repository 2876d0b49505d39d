#pragma once
#include "engine/TCapturePosition.h"
#include "engine/TSoundDeviceQuirks.h"
#include "engine/TWaveFormat.h"

#include <cstdint>

struct wavehdr_tag;

// One waveform-audio device for one direction, with three header slots over
// caller-owned buffers. Filled capture buffers and finished playback buffers
// are announced to the window given at Open (MM_WIM_DATA, MM_WOM_DONE).
class TSoundPort {
public:
    static constexpr uint32_t NoDevice = 0xFFFFFFFFu;
    static constexpr int SlotCount = 3;

    TSoundPort(uint32_t deviceId, TSoundDeviceQuirks::TDirection direction);
    virtual ~TSoundPort();
    TSoundPort(const TSoundPort&) = delete;
    TSoundPort& operator=(const TSoundPort&) = delete;

    virtual void Close();
    void CloseDevice() { Close(); }

    int SetFormat(uint32_t rate, uint16_t channels, uint16_t bytesPerSample);
    int SetFormat(TWaveFormat format);
    int QueryFormat(uint32_t rate, uint16_t bytesPerSample, uint16_t channels);
    int QueryFormat(TWaveFormat format);
    void GetFormat(TWaveFormat& format) const { format = CurrentFormat; }
    uint16_t GetChannels() const { return CurrentFormat.NumChannels; }
    uint32_t GetSampleRate() const { return CurrentFormat.SamplingRate; }
    uint16_t GetBytesPerSample() const { return CurrentFormat.BytesPerSample; }
    uint16_t GetMaxChannels() const { return MaximumFormat.NumChannels; }
    uint16_t GetMaxBytesPerSample() const { return MaximumFormat.BytesPerSample; }
    uint32_t GetMinRate() const { return MinimumFormat.SamplingRate; }
    uint32_t GetMaxRate() const { return MaximumFormat.SamplingRate; }
    // Copies the device's product name (up to 32 characters with its NUL).
    void GetDeviceCaps(char* name) const;
    uint32_t GetManufacturerId() const { return ManufacturerId; }
    uint32_t GetProductId() const { return ProductId; }
    uint32_t GetDriverVersion() const { return DriverVersion; }
    uint32_t GetDeviceId() const { return DeviceId; }
    int IsOpen() const { return Open_ ? 1 : 0; }
    int IsFullDuplex();
    uint32_t GetLastInputFrame() const { return static_cast<uint32_t>(LastCaptureFrame); }

    // Opens the device at the current format; `window` (an HWND, or null for
    // a polled port) receives the notifications. Playback opens paused.
    int Open(void* window, uint32_t selfMonitor);

    uint32_t NearestSupportedRate(uint32_t rate) const;

    int IsBufferDone(int slot) const;
    int AllBuffersDone() const;

    int GetActiveInputSlot();
    uint32_t GetSlotRecordedFrames(int slot);
    int GetInterpolatedPosition(int& slot, uint32_t& frame, uint32_t minimumStep, int requireAdvance);
    // Frames captured since the device opened, interpolated between the
    // driver's reports as GetInterpolatedPosition does.
    uint64_t GetInterpolatedFrame();
    // The capture slot (0 or 1) that holds a frame counted from the start of
    // the capture, and the frame's offset in it; false before buffers are queued.
    // The frame becomes the last input frame, as GetInterpolatedPosition's does.
    bool SlotOfFrame(uint64_t frame, int& slot, uint32_t& offset);

    TSoundDeviceQuirks Quirks;
    uint32_t Error = 0;

protected:
    // The driver's byte count since the device was opened (32 bits, wraps).
    virtual uint32_t DevicePosition();
    // Capture and playback positions in bytes, less the lead-in, continuous across the driver's wrap.
    uint64_t CapturedBytes();

    int QueueBuffer(void* data, uint32_t bytes, int slot, int loop);
    int Report(const char* text);

    uint32_t LeadInSent = 0;
    uint8_t* LeadIn = nullptr;
    uint32_t LeadInSize = TSoundDeviceQuirks::LeadInBytes;
    uint64_t LastCaptureFrame = 0;
    uint32_t FullDuplex = 1;
    uint32_t InputStarted = 0;
    TSoundDeviceQuirks::TDirection Direction;
    wavehdr_tag* Headers[SlotCount] = {};
    uint32_t Prepared[SlotCount] = {};
    bool Open_ = false;
    uint32_t DeviceId = NoDevice;
    TWaveFormat MaximumFormat{44100, 2, 2};
    TWaveFormat MinimumFormat{11025, 1, 1};
    TWaveFormat CurrentFormat{44100, 2, 2};
    char DeviceName[32] = {};
    uint32_t ManufacturerId = 0;
    uint32_t ProductId = 0;
    uint32_t DriverVersion = 0;
    void* Handle = nullptr;
    uint32_t StartTick = 0;
    TCapturePosition Position;

private:
    uint32_t DeviceCount() const;
    void ReadDeviceCaps();
    int Prepare(int slot);
    void Unprepare(int slot);
    void ResetHeaders();
    uint32_t ByteRate() const;
};

// The Windows generation that runs the program (codes of TSoundDeviceQuirks::PlatformCode).
int GetWindowsPlatform();
