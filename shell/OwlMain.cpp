// The program's entry: the framework's WinMain passes the executable's full
// path as the first word and the file to open, if any, as the second.
#include "engine/TWin32EngineHost.h"
#include "shell/TTonalyxApp.h"

int OwlMain(int argc, char* argv[])
{
    TWin32EngineHost host;
    TEngineHost::Install(&host);
    int status;
    {
        TTonalyxApp app(argc > 0 ? argv[0] : "", argc > 1 ? argv[1] : nullptr);
        app.EnableCtl3d(true);
        status = app.Run();
    }
    TEngineHost::Install(nullptr);
    return status;
}
