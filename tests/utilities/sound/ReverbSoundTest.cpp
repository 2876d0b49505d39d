// The reverberation run for real: the program plays into one null sink of the
// tests' own ("TonalyxRoom"), a numpy relay convolves its monitor with a room
// of known decay and plays into a second ("TonalyxEcho"), whose monitor the
// program records. The level messages and Esc.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "base/THeadlessEngineHost.h"
#include "engine/TSoundPort.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"
#include "tests/shell/sound/NullSinkTone.h"
#include "tests/utilities/sound/HostShell.h"
#include "utilities/TReverb.h"

namespace {

constexpr double RoomT60 = 1.0;
const char* const Clipping =
    "The detected signal is overloading (clipping) the input.\rReduce the amplifier volume or decrease the sound card "
    "input gain and repeat the measurement.";
const char* const TooLow =
    "The detected signal is to low for accurate measurements.\rIncrease the amplifier volume or increase the sound "
    "card input gain and repeat the measurement.";

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

// The relay between the sinks for one run; ended when it goes.
class TRoomRelay {
public:
    explicit TRoomRelay(double gainDb)
    {
        const std::string ready = "/tmp/tonalyx-room-" + std::to_string(::GetCurrentProcessId());
        ::DeleteFileA(HostFile(ready).c_str());
        RunHostShell("nice -n -10 /usr/bin/python3 " TONALYX_FIXTURES_UNIX "/utilities/room_relay.py tlx_room.monitor tlx_echo " +
                     std::to_string(RoomT60) + " " + std::to_string(gainDb) + " 40 " + ready +
                     " >/dev/null 2>&1 </dev/null &");
        for (int i = 0; i < 100 && Pid.empty(); ++i) {
            Pid = ReadHostFile(ready);
            if (Pid.empty()) ::Sleep(50);
        }
        ::DeleteFileA(HostFile(ready).c_str());
    }
    ~TRoomRelay()
    {
        if (!Pid.empty()) RunHostShell("kill " + Pid);
    }
    bool Running() const { return !Pid.empty(); }

private:
    std::string Pid;
};

struct TReverbSound : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    uint32_t InputId = FindSoundDevice(true, "Monitor of TonalyxEcho");
    uint32_t OutputId = FindSoundDevice(false, "TonalyxRoom");
    std::unique_ptr<TMainWin> Main;
    TReverb* Window = nullptr;

    void SetUp() override
    {
        ASSERT_NE(InputId, TSoundPort::NoDevice) << "no sink TonalyxEcho (scripts/pulse-test-sinks.sh start)";
        ASSERT_NE(OutputId, TSoundPort::NoDevice);
        RaiseTestPriority();
        std::ofstream(Folder.File("Tonalyx.ini")) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).InputDeviceID() = InputId;
        State(Main).OutputDeviceID() = OutputId;
        // 2 s of decay: 4 s of noise, a run of 7.2 s.
        State(Main).ReverbOptions().MaxDecayTime = 2.0f;
        ASSERT_TRUE(Main->Create());
        Main->Show(SW_SHOW);
        Main->MoveWindow(0, 0, 1200, 900, true);
        for (int f : {TMainWin::TmpFolder, TMainWin::RvbFolder}) Main->SetConfiguredFolder(f, Folder.Path.c_str());
        Main->CmReverbTime();
        Window = Main->ReverbWindow();
        ASSERT_NE(Window, nullptr);
        Host().Messages.clear();
        Host().Reply = TEngineHost::AnswerOk;
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
};

}  // namespace

TEST_F(TReverbSound, LoudAndFaintRoomsGiveTheirMessagesAndNoResults)
{
    struct Case {
        double GainDb;
        const char* Message;
    };
    for (const Case& c : {Case{20.0, Clipping}, Case{-60.0, TooLow}}) {
        SCOPED_TRACE(c.GainDb);
        TRoomRelay relay(c.GainDb);
        ASSERT_TRUE(relay.Running());
        Host().Messages.clear();
        Window->CmStart();
        ASSERT_EQ(Host().Messages.size(), 1u);
        EXPECT_EQ(Host().Messages[0].Text, c.Message);
        EXPECT_EQ(Window->Data().RowCount, 0);
        EXPECT_EQ(Window->GetDisplayMode(), TReverbLayout::NoData);
        EXPECT_FALSE(Window->IsDataChanged());
        EXPECT_FALSE(Window->IsBusy());
        EXPECT_TRUE(::IsWindowEnabled(Main->GetHandle()));
    }
}

TEST_F(TReverbSound, EscEndsTheRunWithoutResults)
{
    TRoomRelay relay(0.0);
    ASSERT_TRUE(relay.Running());
    const HWND window = Window->GetHandle();
    std::thread escape([window] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    const auto start = std::chrono::steady_clock::now();
    Window->CmStart();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    escape.join();
    EXPECT_LT(seconds, 4.0);
    EXPECT_TRUE(Host().Messages.empty());
    EXPECT_EQ(Window->GetDisplayMode(), TReverbLayout::NoData);
    EXPECT_FALSE(Window->IsDataChanged());
    EXPECT_FALSE(Window->IsBusy());
    EXPECT_TRUE(::IsWindowEnabled(Main->GetHandle()));
}
