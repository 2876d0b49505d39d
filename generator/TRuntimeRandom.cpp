#include "generator/TRuntimeRandom.h"

TRuntimeRandom& TRuntimeRandom::Shared()
{
    static TRuntimeRandom random;
    return random;
}
