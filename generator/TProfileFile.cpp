#include "generator/TProfileFile.h"

#include <windows.h>

std::string TProfileFile::Read(const char* section, const char* key, const char* def)
{
    char text[256] = {};
    ::GetPrivateProfileStringA(section, key, def, text, sizeof text, FileName.c_str());
    return text;
}

void TProfileFile::Write(const char* section, const char* key, const std::string& value)
{
    ::WritePrivateProfileStringA(section, key, value.c_str(), FileName.c_str());
}
