// Making the folders the program writes into.
#include "engine/TFolder.h"

#include <windows.h>

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string TFolder::ErrorText(unsigned long error)
{
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                   sizeof text, nullptr);
    std::string reason(text, n);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

std::string TFolder::LastErrorText()
{
    return ErrorText(GetLastError());
}

std::string TFolder::Full(const std::string& folder)
{
    char full[MAX_PATH] = {};
    const DWORD n = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return folder;
    std::string path(full, n);
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

// From the top down, below the drive root or the share, which cannot be made.
bool TFolder::Make(const std::string& folder)
{
    const std::string full = Full(folder);
    size_t at = 2;
    if (full.rfind("\\\\", 0) == 0) at = full.find_first_of("\\/", full.find_first_of("\\/", 2) + 1);
    while (at != std::string::npos) {
        at = full.find_first_of("\\/", at + 1);
        const std::string part = full.substr(0, at);
        if (!IsFolder(part) && !CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    if (IsFolder(full)) return true;
    SetLastError(ERROR_DIRECTORY);
    return false;
}

bool TFolder::MakeFor(const std::string& file)
{
    const size_t slash = file.find_last_of("\\/");
    if (slash == std::string::npos || slash == 0) return true;
    return Make(file.substr(0, slash));
}
