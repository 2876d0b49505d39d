#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "tests/engine/platform/WaveTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Device number whose product name starts with `name`, or NoDevice.
uint32_t FindDevice(bool input, const char* name)
{
    const UINT count = input ? waveInGetNumDevs() : waveOutGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        char product[MAXPNAMELEN] = {};
        if (input) {
            WAVEINCAPSA caps = {};
            waveInGetDevCapsA(i, &caps, sizeof caps);
            std::memcpy(product, caps.szPname, sizeof product);
        } else {
            WAVEOUTCAPSA caps = {};
            waveOutGetDevCapsA(i, &caps, sizeof caps);
            std::memcpy(product, caps.szPname, sizeof product);
        }
        if (std::strncmp(product, name, std::strlen(name)) == 0)
            return i;
    }
    return TSoundPort::NoDevice;
}

TEST(TSoundPortNoDevice, OpeningWithoutCaptureDevicesShowsTheDriverMessage)
{
    if (waveInGetNumDevs() > 0)
        GTEST_SKIP() << "this machine has capture devices";
    HostMessages().clear();
    TSoundInput in(0);
    EXPECT_EQ(in.GetDeviceId(), TSoundPort::NoDevice);
    EXPECT_EQ(in.Open(nullptr, 0), 0);
    EXPECT_EQ(in.GetDeviceId(), TSoundPort::NoDevice);
    ASSERT_EQ(HostMessages().size(), 1u);
    EXPECT_EQ(HostMessages()[0].Text,
              "Cannot access the sound board because a Sound driver is not installed.  Use the driver option in "
              "Control Panel to install a driver");
    EXPECT_EQ(in.GetRecordedFrames(), 0u);
    EXPECT_EQ(in.QueryFormat(44100, 2, 2), 0);
}

// A capture port whose driver count starts just short of 2^32 and moves on by
// a fixed step at each look.
class TWrappingInput : public TSoundInput {
public:
    TWrappingInput(uint32_t start, uint32_t step, uint32_t slotBytes) : TSoundInput(0), Raw(start), Step(step)
    {
        Quirks = TSoundDeviceQuirks();
        CurrentFormat.Set(48000, 2, 2);
        for (auto* h : Headers) {
            reinterpret_cast<WAVEHDR*>(h)->dwBufferLength = slotBytes;
            reinterpret_cast<WAVEHDR*>(h)->dwFlags = 0;
        }
    }
    void Advance() { Raw += Step; }

protected:
    uint32_t DevicePosition() override { return Raw; }

private:
    uint32_t Raw;
    uint32_t Step;
};

TEST(TSoundPort, CapturePositionSurvivesTheDriverCountWrapping)
{
    constexpr uint32_t slotBytes = 19200, step = 4000, frameBytes = 4;
    const uint32_t start = 0xFFFFFFFFu - 10 * step;
    TWrappingInput port(start, step, slotBytes);
    ASSERT_EQ(port.Error, 0u);
    TCapturePosition::Timing = {};
    uint64_t expected = start;
    uint64_t lastFrame = 0;
    int slot = -1;
    uint32_t frame = 0;
    for (int call = 0; call < 40; ++call) {
        // Each report is new, so the estimate is the report before it.
        const uint64_t previous = expected - 8000 - step;
        ASSERT_EQ(port.GetInterpolatedPosition(slot, frame, 16, 0), 1) << call;
        if (call > 0) {
            EXPECT_EQ(slot, static_cast<int>((previous / slotBytes) % 2)) << call;
            EXPECT_EQ(frame, (previous % slotBytes) / frameBytes) << call;
            EXPECT_GT(port.GetLastInputFrame(), static_cast<uint32_t>(lastFrame)) << call;
            EXPECT_EQ(port.GetActiveInputSlot(), static_cast<int>((expected / slotBytes) % 2)) << call;
        }
        lastFrame = port.GetLastInputFrame();
        port.Advance();
        expected += step;
    }
}

// A window that queues each filled capture buffer again and keeps the slots in order.
struct TCaptureLog {
    TSoundInput* Port = nullptr;
    std::vector<int16_t>* Blocks[2] = {};
    std::vector<int> Slots;
    std::vector<int16_t> Last;
};

LRESULT CALLBACK CaptureWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* log = reinterpret_cast<TCaptureLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == MM_WIM_DATA && log) {
        auto* header = reinterpret_cast<WAVEHDR*>(lParam);
        const int slot = header->lpData == reinterpret_cast<char*>(log->Blocks[0]->data()) ? 0 : 1;
        log->Slots.push_back(slot);
        log->Last = *log->Blocks[slot];
        log->Port->AddBuffer(log->Blocks[slot]->data(), header->dwBufferLength, slot);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double LevelAt(const std::vector<int16_t>& x, double frequency, double rate)
{
    double re = 0, im = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double phase = 2 * kPi * frequency * static_cast<double>(i) / rate;
        re += x[i] * std::cos(phase);
        im -= x[i] * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / static_cast<double>(x.size());
}

TEST(TSoundPort, PlaysATonToTheNullSinkAndCapturesItFromItsMonitor)
{
    const uint32_t outId = FindDevice(false, "Null Output");
    const uint32_t inId = FindDevice(true, "Monitor of Null Output");
    if (outId == TSoundPort::NoDevice || inId == TSoundPort::NoDevice)
        GTEST_SKIP() << "no PulseAudio null sink (scripts/pulse-null-sink.sh start)";
    constexpr uint32_t rate = 48000, blockFrames = 4800;
    constexpr double amplitude = 16384.0;

    TSoundOutput out(outId);
    TSoundInput in(inId);
    for (TSoundPort* port : {static_cast<TSoundPort*>(&out), static_cast<TSoundPort*>(&in)}) {
        EXPECT_EQ(port->QueryFormat(rate, 2, 1), 1);
        EXPECT_EQ(port->QueryFormat(rate, 3, 2), 1);
        EXPECT_EQ(port->QueryFormat(rate, 2, 3), 0);
    }
    ASSERT_EQ(out.SetFormat(rate, 1, 2), 1);
    ASSERT_EQ(in.SetFormat(rate, 1, 2), 1);

    std::vector<int16_t> tone(rate * 4);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * kPi * 1000.0 * i / rate)));
    ASSERT_EQ(out.Open(nullptr, 0), 1);
    ASSERT_EQ(out.WriteBuffer(tone.data(), static_cast<uint32_t>(tone.size() * 2), 0, 0), 1);
    ASSERT_EQ(out.Restart(), 1);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = CaptureWindow;
    wc.lpszClassName = "TonalyxCaptureTest";
    wc.hInstance = GetModuleHandleA(nullptr);
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<int16_t> block0(blockFrames), block1(blockFrames);
    TCaptureLog log;
    log.Port = &in;
    log.Blocks[0] = &block0;
    log.Blocks[1] = &block1;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));

    ASSERT_EQ(in.Open(window, 0), 1);
    ASSERT_EQ(in.AddBuffer(block0.data(), blockFrames * 2, 0), 1);
    ASSERT_EQ(in.AddBuffer(block1.data(), blockFrames * 2, 1), 1);
    ASSERT_EQ(in.Start(), 1);
    const DWORD until = GetTickCount() + 5000;
    MSG msg;
    while (log.Slots.size() < 16 && GetTickCount() < until) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    EXPECT_GT(in.GetRecordedFrames(), 0u);
    in.Close();
    out.Close();
    DestroyWindow(window);

    ASSERT_GE(log.Slots.size(), 16u);
    for (size_t i = 1; i < log.Slots.size(); ++i)
        EXPECT_NE(log.Slots[i], log.Slots[i - 1]) << "the two capture slots take turns";
    const double level = LevelAt(log.Last, 1000.0, rate);
    EXPECT_NEAR(20 * std::log10(level / amplitude), 0.0, 0.5);
}

}  // namespace
