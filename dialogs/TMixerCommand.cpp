#include "dialogs/TMixerCommand.h"

TMixerCommand TMixerCommand::For(bool input, int deviceIndex, uint32_t platformId, uint32_t majorVersion)
{
    TMixerCommand command;
    if (platformId == NtPlatform && majorVersion >= 6) {
        command.CommandLine = std::string("rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,") + (input ? "1" : "0");
        return command;
    }
    command.CloseVolumeControl = true;
    command.CommandLine = std::string("SNDVOL32.EXE ") + (input ? "/r" : "/p") + " /d=" + std::to_string(deviceIndex);
    return command;
}
