#include "engine/TSoundPort.h"

#include "base/TEngineHost.h"
#include "resources/StringIds.h"

#include <windows.h>
#include <mmreg.h>
#include <mmsystem.h>

#include <cstring>

namespace {

constexpr const char* kNoDriver =
    "Cannot access the sound board because a Sound driver is not installed.  Use the driver option in Control "
    "Panel to install a driver";
constexpr const char* kUnsupported = "Sound Card not present or sampling rate not supported.";
constexpr const char* kInUse =
    "The Sound Board is in use by another application (e.g. Sound Recorder).  Either interrupt the application "
    "or wait until the device is free and then try again.";
constexpr const char* kAccess = "Failure accessing sound device.";
constexpr UINT kSelfMonitorOff = 0x4203;
// KSDATAFORMAT_SUBTYPE_PCM.
constexpr GUID kSubtypePcm = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The header the driver is opened with: plain PCM, or the extensible form for
// 24-bit data on Windows 2000 and later.
WAVEFORMATEXTENSIBLE BuildFormat(uint32_t rate, uint16_t channels, uint16_t bytes, const TSoundDeviceQuirks& quirks)
{
    const int platform = GetWindowsPlatform();
    WAVEFORMATEXTENSIBLE f = {};
    f.Format.wFormatTag = WAVE_FORMAT_PCM;
    f.Format.nChannels = channels;
    f.Format.nSamplesPerSec = rate;
    f.Format.nAvgBytesPerSec = rate * channels * bytes;
    f.Format.nBlockAlign = static_cast<WORD>(channels * bytes);
    f.Format.wBitsPerSample = static_cast<WORD>(bytes == 3 ? quirks.ValidBitsFor24(platform) : bytes * 8);
    if (bytes == 3 && (platform == 4 || platform == 5)) {
        f.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
        f.Format.cbSize = 22;
        f.Samples.wValidBitsPerSample = f.Format.wBitsPerSample;
        f.Format.wBitsPerSample = 24;
        f.dwChannelMask = channels == 1 ? 1 : 3;
        f.SubFormat = kSubtypePcm;
    }
    return f;
}

TEngineHost& Host() { return TEngineHost::Get(); }

}  // namespace

int GetWindowsPlatform()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v))
        return 0;
#pragma GCC diagnostic pop
    return TSoundDeviceQuirks::PlatformCode(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion);
}

TSoundPort::TSoundPort(uint32_t deviceId, TSoundDeviceQuirks::TDirection direction) : Direction(direction)
{
    DeviceId = DeviceCount() ? deviceId : NoDevice;
    ReadDeviceCaps();
    for (auto& header : Headers) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, sizeof(WAVEHDR));
        header = block ? static_cast<WAVEHDR*>(GlobalLock(block)) : nullptr;
        if (!header) {
            Host().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgIconStop);
            Error = 1;
            break;
        }
    }
    ResetHeaders();
    if (Quirks.leadIn)
        LeadIn = new (std::nothrow) uint8_t[LeadInSize]();
}

TSoundPort::~TSoundPort()
{
    Close();
    for (auto& header : Headers) {
        if (header) {
            HGLOBAL block = GlobalHandle(header);
            GlobalUnlock(block);
            GlobalFree(block);
        }
    }
    delete[] LeadIn;
}

uint32_t TSoundPort::DeviceCount() const
{
    return Direction == TSoundDeviceQuirks::Input ? waveInGetNumDevs() : waveOutGetNumDevs();
}

void TSoundPort::ReadDeviceCaps()
{
    if (DeviceId == NoDevice)
        return;
    DWORD formats = 0;
    char name[MAXPNAMELEN] = {};
    // The input and output records name these fields alike.
    auto take = [&](const auto& caps) {
        formats = caps.dwFormats;
        std::memcpy(name, caps.szPname, sizeof name);
        ManufacturerId = caps.wMid;
        ProductId = caps.wPid;
        DriverVersion = caps.vDriverVersion;
    };
    MMRESULT r;
    if (Direction == TSoundDeviceQuirks::Input) {
        WAVEINCAPSA caps = {};
        r = waveInGetDevCapsA(DeviceId, &caps, sizeof caps);
        take(caps);
    } else {
        WAVEOUTCAPSA caps = {};
        r = waveOutGetDevCapsA(DeviceId, &caps, sizeof caps);
        take(caps);
    }
    if (r != MMSYSERR_NOERROR) {
        ManufacturerId = ProductId = DriverVersion = 0;
        Host().ShowMessage(kAccess, "", TEngineHost::MsgOk);
        return;
    }
    name[sizeof name - 1] = '\0';
    Quirks.Apply(name, Direction, MinimumFormat, MaximumFormat);

    constexpr DWORD any22k = WAVE_FORMAT_2M08 | WAVE_FORMAT_2M16 | WAVE_FORMAT_2S08 | WAVE_FORMAT_2S16;
    constexpr DWORD any44k = WAVE_FORMAT_4M08 | WAVE_FORMAT_4M16 | WAVE_FORMAT_4S08 | WAVE_FORMAT_4S16;
    constexpr DWORD anyStereo = WAVE_FORMAT_1S08 | WAVE_FORMAT_1S16 | WAVE_FORMAT_2S08 | WAVE_FORMAT_2S16 |
                                WAVE_FORMAT_4S08 | WAVE_FORMAT_4S16 | WAVE_FORMAT_96S08 | WAVE_FORMAT_96S16;
    if (formats & any22k)
        MaximumFormat.SamplingRate = 22050;
    if (formats & any44k)
        MaximumFormat.SamplingRate = 44100;
    MaximumFormat.NumChannels = (formats & anyStereo) ? 2 : 1;
    if (QueryFormat(44100, 3, 2))
        MaximumFormat.Set(MaximumFormat.SamplingRate, MaximumFormat.NumChannels, 3);
    std::memcpy(DeviceName, name, sizeof DeviceName);
    if (MinimumFormat.SamplingRate == 0)
        MinimumFormat.SamplingRate = 11025;
}

void TSoundPort::GetDeviceCaps(char* name) const
{
    std::memcpy(name, DeviceName, sizeof DeviceName);
}

int TSoundPort::IsFullDuplex()
{
    FullDuplex = 1;
    return 1;
}

int TSoundPort::SetFormat(uint32_t rate, uint16_t channels, uint16_t bytesPerSample)
{
    CurrentFormat.Set(rate, channels, bytesPerSample);
    return QueryFormat(CurrentFormat);
}

int TSoundPort::SetFormat(TWaveFormat format)
{
    return SetFormat(format.SamplingRate, format.NumChannels, format.BytesPerSample);
}

int TSoundPort::QueryFormat(TWaveFormat format)
{
    return QueryFormat(format.SamplingRate, format.BytesPerSample, format.NumChannels);
}

int TSoundPort::QueryFormat(uint32_t rate, uint16_t bytesPerSample, uint16_t channels)
{
    if (channels < 1 || channels > 2 || bytesPerSample == 0 || DeviceId == NoDevice)
        return 0;
    WAVEFORMATEXTENSIBLE f = BuildFormat(rate, channels, bytesPerSample, Quirks);
    MMRESULT r = Direction == TSoundDeviceQuirks::Input
                     ? waveInOpen(nullptr, DeviceId, &f.Format, 0, 0, WAVE_FORMAT_QUERY)
                     : waveOutOpen(nullptr, DeviceId, &f.Format, 0, 0, WAVE_FORMAT_QUERY);
    if (!Quirks.RateInFixedList(rate))
        return 0;
    return r == MMSYSERR_NOERROR ? 1 : 0;
}

int TSoundPort::Open(void* window, uint32_t selfMonitor)
{
    if (Error)
        return 0;
    const uint32_t count = DeviceCount();
    if (count == 0) {
        Host().ShowMessage(kNoDriver, "", TEngineHost::MsgIconStop);
        DeviceId = NoDevice;
        return 0;
    }
    if (DeviceId == NoDevice || DeviceId >= count)
        DeviceId = count - 1;
    if (Open_)
        Close();
    for (auto& p : Prepared)
        p = 0;
    if (!QueryFormat(CurrentFormat)) {
        Host().ShowMessage(kUnsupported, "Tonalyx", TEngineHost::MsgIconStop);
        return 0;
    }
    WAVEFORMATEXTENSIBLE f =
        BuildFormat(CurrentFormat.SamplingRate, CurrentFormat.NumChannels, CurrentFormat.BytesPerSample, Quirks);
    const DWORD_PTR callback = reinterpret_cast<DWORD_PTR>(window);
    const DWORD flags = window ? CALLBACK_WINDOW : CALLBACK_NULL;
    MMRESULT r;
    if (Direction == TSoundDeviceQuirks::Input) {
        HWAVEIN in = nullptr;
        r = waveInOpen(&in, DeviceId, &f.Format, callback, 0, flags);
        Handle = in;
        if (r == MMSYSERR_NOERROR && Quirks.leadIn && selfMonitor == 0)
            waveInMessage(in, kSelfMonitorOff, 0, 0);
    } else {
        HWAVEOUT out = nullptr;
        r = waveOutOpen(&out, DeviceId, &f.Format, callback, 0, flags);
        Handle = out;
    }
    if (r != MMSYSERR_NOERROR) {
        Handle = nullptr;
        Host().ShowMessage(kInUse, "", TEngineHost::MsgOk);
        return 0;
    }
    Open_ = true;
    Position.Reset();
    if (Direction == TSoundDeviceQuirks::Input) {
        LastCaptureFrame = 0;
        TCapturePosition::ForgetPositions();
    } else
        waveOutPause(static_cast<HWAVEOUT>(Handle));
    return 1;
}

void TSoundPort::Close()
{
    if (Error || !Open_ || DeviceId == NoDevice || !Handle)
        return;
    if (Direction == TSoundDeviceQuirks::Output) {
        HWAVEOUT out = static_cast<HWAVEOUT>(Handle);
        waveOutPause(out);
        waveOutReset(out);
        for (int i = 0; i < SlotCount; ++i)
            Unprepare(i);
        waveOutClose(out);
    } else {
        HWAVEIN in = static_cast<HWAVEIN>(Handle);
        waveInReset(in);
        for (int i = 0; i < SlotCount; ++i)
            Unprepare(i);
        waveInClose(in);
        InputStarted = 0;
        LastCaptureFrame = 0;
    }
    Handle = nullptr;
    ResetHeaders();
    Position.Reset();
    Open_ = false;
    LeadInSent = 0;
}

void TSoundPort::ResetHeaders()
{
    for (WAVEHDR* h : Headers) {
        if (h) {
            h->dwFlags = WHDR_DONE;
            h->dwLoops = 0;
        }
    }
}

int TSoundPort::Prepare(int slot)
{
    MMRESULT r = Direction == TSoundDeviceQuirks::Input
                     ? waveInPrepareHeader(static_cast<HWAVEIN>(Handle), Headers[slot], sizeof(WAVEHDR))
                     : waveOutPrepareHeader(static_cast<HWAVEOUT>(Handle), Headers[slot], sizeof(WAVEHDR));
    Prepared[slot] = r == MMSYSERR_NOERROR;
    return Prepared[slot];
}

void TSoundPort::Unprepare(int slot)
{
    if (!Prepared[slot] || !Headers[slot])
        return;
    if (Direction == TSoundDeviceQuirks::Input)
        waveInUnprepareHeader(static_cast<HWAVEIN>(Handle), Headers[slot], sizeof(WAVEHDR));
    else
        waveOutUnprepareHeader(static_cast<HWAVEOUT>(Handle), Headers[slot], sizeof(WAVEHDR));
    Prepared[slot] = 0;
}

int TSoundPort::Report(const char* text)
{
    Host().ShowMessage(text, "", TEngineHost::MsgIconStop);
    return 0;
}

int TSoundPort::QueueBuffer(void* data, uint32_t bytes, int slot, int loop)
{
    const bool input = Direction == TSoundDeviceQuirks::Input;
    if (Quirks.leadIn && !LeadInSent && LeadIn) {
        LeadInSent = 1;
        QueueBuffer(LeadIn, LeadInSize, 2, 0);
    }
    if (!Open_)
        return Report(kAccess);
    if (slot < 0 || slot >= SlotCount || DeviceId == NoDevice || !Handle || !data || bytes == 0 || !Headers[slot])
        return 0;
    Unprepare(slot);
    WAVEHDR* h = Headers[slot];
    std::memset(h, 0, sizeof *h);
    h->lpData = static_cast<LPSTR>(data);
    h->dwBufferLength = bytes;
    if (loop) {
        h->dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
        h->dwLoops = 0x80000000u;
    }
    if (!Prepare(slot)) {
        Report(kAccess);
        if (input)
            Close();
        return 0;
    }
    auto send = [&] {
        return input ? waveInAddBuffer(static_cast<HWAVEIN>(Handle), h, sizeof *h)
                     : waveOutWrite(static_cast<HWAVEOUT>(Handle), h, sizeof *h);
    };
    MMRESULT r = send();
    if (r == WAVERR_UNPREPARED) {
        Prepare(slot);
        r = send();
        if (r != MMSYSERR_NOERROR)
            return Report(kAccess);
    }
    if (r != MMSYSERR_NOERROR) {
        Report(kAccess);
        if (input)
            Close();
        return 0;
    }
    return 1;
}

int TSoundPort::IsBufferDone(int slot) const
{
    if (slot < 0 || slot >= SlotCount)
        return 0;
    return (!Headers[slot] || (Headers[slot]->dwFlags & WHDR_DONE)) ? 1 : 0;
}

int TSoundPort::AllBuffersDone() const
{
    return IsBufferDone(0) && IsBufferDone(1) && IsBufferDone(2);
}

uint32_t TSoundPort::DevicePosition()
{
    if (!Handle)
        return 0;
    MMTIME t = {};
    t.wType = TIME_BYTES;
    MMRESULT r = Direction == TSoundDeviceQuirks::Input
                     ? waveInGetPosition(static_cast<HWAVEIN>(Handle), &t, sizeof t)
                     : waveOutGetPosition(static_cast<HWAVEOUT>(Handle), &t, sizeof t);
    return r == MMSYSERR_NOERROR && t.wType == TIME_BYTES ? t.u.cb : 0;
}

uint64_t TSoundPort::CapturedBytes()
{
    uint64_t p = Position.Extend(DevicePosition());
    if (Quirks.leadIn && p > LeadInSize)
        p -= LeadInSize;
    return p;
}

uint32_t TSoundPort::ByteRate() const
{
    return CurrentFormat.SamplingRate * CurrentFormat.BytesPerFrame();
}

int TSoundPort::GetActiveInputSlot()
{
    const bool done0 = IsBufferDone(0), done1 = IsBufferDone(1);
    if ((!Headers[0] && !Headers[1]) || (done0 && done1))
        return -1;
    if (done1)
        return 0;
    if (done0)
        return 1;
    const uint32_t length = Headers[0]->dwBufferLength;
    return length ? static_cast<int>((CapturedBytes() / length) % 2) : 0;
}

uint32_t TSoundPort::GetSlotRecordedFrames(int slot)
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    if (slot < 0 || slot >= SlotCount || !Headers[slot] || !Headers[0] || frameBytes == 0)
        return 0;
    const WAVEHDR* h = Headers[slot];
    const uint32_t recorded = h->dwBytesRecorded < h->dwBufferLength ? h->dwBytesRecorded : h->dwBufferLength;
    const uint32_t length = Headers[0]->dwBufferLength;
    const uint32_t inSlot = length ? static_cast<uint32_t>(CapturedBytes() % length) : 0;
    return (recorded > inSlot ? recorded : inSlot) / frameBytes;
}

int TSoundPort::GetInterpolatedPosition(int& slot, uint32_t& frame, uint32_t minimumStep, int requireAdvance)
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    const uint32_t length = Headers[0] ? Headers[0]->dwBufferLength : 0;
    if (frameBytes == 0 || length == 0)
        return 0;
    const uint64_t p = Quirks.PositionCorrection(Position.Extend(DevicePosition()));
    if (p <= static_cast<uint64_t>(minimumStep) * frameBytes)
        return 0;
    const uint64_t estimate = TCapturePosition::Estimate(p, Host().TickCount(), ByteRate());
    const uint64_t frameNumber = estimate / frameBytes;
    if (requireAdvance && frameNumber < LastCaptureFrame + minimumStep)
        return 0;
    LastCaptureFrame = frameNumber;
    slot = static_cast<int>((estimate / length) % 2);
    frame = static_cast<uint32_t>((estimate % length) / frameBytes);
    return 1;
}

uint64_t TSoundPort::GetInterpolatedFrame()
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    if (frameBytes == 0 || !Handle)
        return 0;
    const uint64_t p = Quirks.PositionCorrection(Position.Extend(DevicePosition()));
    return TCapturePosition::Estimate(p, Host().TickCount(), ByteRate()) / frameBytes;
}

bool TSoundPort::SlotOfFrame(uint64_t frame, int& slot, uint32_t& offset)
{
    const uint32_t frameBytes = CurrentFormat.BytesPerFrame();
    const uint32_t length = Headers[0] ? Headers[0]->dwBufferLength : 0;
    if (frameBytes == 0 || length == 0)
        return false;
    const uint64_t bytes = frame * frameBytes;
    LastCaptureFrame = frame;
    slot = static_cast<int>((bytes / length) % 2);
    offset = static_cast<uint32_t>((bytes % length) / frameBytes);
    return true;
}

uint32_t TSoundPort::NearestSupportedRate(uint32_t rate) const
{
    return Quirks.NearestSupportedRate(rate, MinimumFormat.SamplingRate, MaximumFormat.SamplingRate);
}
