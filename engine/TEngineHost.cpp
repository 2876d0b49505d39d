#include "engine/TEngineHost.h"

#include "engine/THeadlessEngineHost.h"

namespace {

TEngineHost* installedHost = nullptr;

}  // namespace

TEngineHost& TEngineHost::Get()
{
    static THeadlessEngineHost headless;
    return installedHost ? *installedHost : headless;
}

void TEngineHost::Install(TEngineHost* host)
{
    installedHost = host;
}
