// The Options commands for acquisition and analysis settings, and the sound
// device lookups by name.
#include "shell/TMainWin.h"

#include <mmsystem.h>
#include <strings.h>
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"

namespace {

// Device names are compared over the 32 characters the devices report.
constexpr size_t DeviceNameLength = 32;

template <class Port> int32_t FindDeviceByName(const char* name, uint32_t count)
{
    for (uint32_t id = 0; name && id < count; ++id) {
        char product[DeviceNameLength + 1] = {};
        Port(id).GetDeviceCaps(product);
        if (strncasecmp(name, product, DeviceNameLength) == 0) return int32_t(id);
    }
    return 0;
}

}

int32_t TMainWin::FindInputDeviceByName(const char* name)
{
    return FindDeviceByName<TSoundInput>(name, ::waveInGetNumDevs());
}

int32_t TMainWin::FindOutputDeviceByName(const char* name)
{
    return FindDeviceByName<TSoundOutput>(name, ::waveOutGetNumDevs());
}
