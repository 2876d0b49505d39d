// libFuzzer entry point over the reading of another program's "Link" clipboard block.
#include "engine/TLinkDescription.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TLinkDescription link;
    const bool ok = TLinkDescription::Parse(data, size, link);
    // Each name stays within its bound and within the block.
    for (const std::string* name : {&link.Service, &link.Topic, &link.Item})
        if (name->size() > TLinkDescription::NameLength || name->size() > size) std::abort();
    if (ok != !link.Service.empty()) std::abort();
    return 0;
}
