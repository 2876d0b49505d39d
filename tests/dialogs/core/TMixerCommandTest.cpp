#include <gtest/gtest.h>
#include "dialogs/TMixerCommand.h"

// Windows 6 and every later version open the control panel's recording (1)
// or playback (0) page; older versions close the old volume control first.
TEST(TMixerCommand, CommandLinesByWindowsVersion)
{
    const struct {
        uint32_t Platform, Major;
        bool Input;
        int Device;
        bool Close;
        const char* Line;
    } cases[] = {
        {2, 6, true, 3, false, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,1"},
        {2, 6, false, 3, false, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,0"},
        {2, 10, true, 0, false, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,1"},
        {2, 10, false, 0, false, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,0"},
        {2, 5, true, 2, true, "SNDVOL32.EXE /r /d=2"},
        {2, 5, false, 1, true, "SNDVOL32.EXE /p /d=1"},
        {1, 4, false, 0, true, "SNDVOL32.EXE /p /d=0"},
        {1, 6, true, 4, true, "SNDVOL32.EXE /r /d=4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Platform << "." << c.Major << (c.Input ? " in" : " out"));
        const TMixerCommand command = TMixerCommand::For(c.Input, c.Device, c.Platform, c.Major);
        EXPECT_EQ(command.CloseVolumeControl, c.Close);
        EXPECT_EQ(command.CommandLine, c.Line);
    }
}
