#pragma once
#include <string>
#include <utility>

#include "base/TProfile.h"

// A settings file read and written through the system's profile functions.
class TProfileFile : public TProfile {
public:
    explicit TProfileFile(std::string fileName) : FileName(std::move(fileName)) {}
    // No file (a null name) reads every key as its default.
    explicit TProfileFile(const char* fileName) : FileName(fileName ? fileName : "") {}

    std::string Read(const char* section, const char* key, const char* def) override;
    void Write(const char* section, const char* key, const std::string& value) override;
    std::string ReadField(const char* section, const char* key, const char* def, size_t size) override;
    // Whether the file holds the section with at least one key.
    bool HasSection(const char* section) const;

private:
    std::string FileName;
};
