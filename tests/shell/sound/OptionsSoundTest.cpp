// The Options commands of the main window with the null sink's devices.
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include "engine/THeadlessEngineHost.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/sound/NullSinkTone.h"

namespace {

struct TOptionsSound : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;
    uint32_t MonitorId = FindSoundDevice(true, "Monitor of Null Output");
    uint32_t NullId = FindSoundDevice(false, "Null Output");

    void SetUp() override
    {
        ASSERT_NE(MonitorId, TSoundPort::NoDevice);
        ASSERT_NE(NullId, TSoundPort::NoDevice);
        Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);
    }
};

}

// Names match in any letter case over at most 32 characters; no match and
// no name give the first device.
TEST_F(TOptionsSound, DevicesAreFoundByName)
{
    EXPECT_EQ(Main->FindInputDeviceByName("Monitor of Null Output"), int32_t(MonitorId));
    EXPECT_EQ(Main->FindInputDeviceByName("MONITOR OF NULL output"), int32_t(MonitorId));
    EXPECT_EQ(Main->FindOutputDeviceByName("null output"), int32_t(NullId));
    EXPECT_EQ(Main->FindOutputDeviceByName("Null Output and more"), 0);
    EXPECT_EQ(Main->FindInputDeviceByName("Monitor"), 0);
    EXPECT_EQ(Main->FindInputDeviceByName(""), 0);
    EXPECT_EQ(Main->FindInputDeviceByName(nullptr), 0);
}

// The settings reader takes a stored device name over a stored id.
TEST_F(TOptionsSound, TheSettingsReaderFindsStoredNames)
{
    const std::string ini = Folder.File("devices.ini");
    WriteIni(ini, "[Device]\nInputDeviceName=monitor of null output\nInputDeviceID=0\n"
                  "OutputDeviceName=\nOutputDeviceID=1\n");
    Main->ReadSettings(ini.c_str());
    EXPECT_EQ(Main->InputDeviceID, int32_t(MonitorId));
    EXPECT_EQ(Main->OutputDeviceID, 1);
}
