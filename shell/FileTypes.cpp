#include "shell/FileTypes.h"

#include <cstring>
#include <strings.h>

int HasExtension(const char* name, const char* extension)
{
    if (!name || !*name) return 0;
    // A point in a folder name is no extension.
    const char* file = name;
    for (const char* p = name; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') file = p + 1;
    const char* dot = std::strrchr(file, '.');
    if (!dot) return 0;
    return strncasecmp(dot + 1, extension, 3) == 0 ? 1 : 0;
}

int IsMacroFileName(const char* name) { return HasExtension(name, "mac"); }
int IsWaveFileName(const char* name) { return HasExtension(name, "wav"); }
int IsConfigFileName(const char* name) { return HasExtension(name, "cfg"); }
