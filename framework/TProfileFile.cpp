#include "framework/TProfileFile.h"

#include <windows.h>

#include <vector>

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

std::string TProfileFile::ReadField(const char* section, const char* key, const char* def, size_t size)
{
    std::vector<char> text(size + 1, '\0');
    ::GetPrivateProfileStringA(section, key, def, text.data(), DWORD(size), FileName.c_str());
    return text.data();
}

bool TProfileFile::HasSection(const char* section) const
{
    char text[64] = {};
    ::GetPrivateProfileSectionA(section, text, sizeof text, FileName.c_str());
    return text[0] != '\0';
}
