#pragma once
#include <cstddef>
#include <string>

// Text keys in sections, as the settings files hold them: the program reads
// and writes its INI and configuration files through the system's profile
// functions, tests through a map.
class TProfile {
public:
    virtual ~TProfile() = default;
    // The key's text, or def when the key is missing; at most 255 characters.
    virtual std::string Read(const char* section, const char* key, const char* def) = 0;
    virtual void Write(const char* section, const char* key, const std::string& value) = 0;
    // The same for a text field of size characters with its terminating
    // zero: at most size - 1 characters.
    virtual std::string ReadField(const char* section, const char* key, const char* def, size_t size)
    {
        std::string text = Read(section, key, def);
        if (size > 0 && text.size() > size - 1) text.resize(size - 1);
        return text;
    }
};
