#include "engine/TWorkingFolder.h"

#include <windows.h>

namespace {

std::string SystemText(DWORD error)
{
    char text[256] = {};
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                     sizeof text, nullptr);
    std::string reason(text, n);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason.empty() ? "system error " + std::to_string(error) : reason;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool TWorkingFolder::Ensure()
{
    const std::string full = FullPath();
    if (IsFolder(full)) return true;
    // Make each missing folder from the top down, starting below the drive
    // root or the share, which cannot be made.
    size_t at = 2;
    if (full.rfind("\\\\", 0) == 0) at = full.find_first_of("\\/", full.find_first_of("\\/", 2) + 1);
    while (at != std::string::npos) {
        at = full.find_first_of("\\/", at + 1);
        const std::string part = full.substr(0, at);
        if (!IsFolder(part) && !::CreateDirectoryA(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            NoteLastError();
            return false;
        }
    }
    if (IsFolder(full)) return true;
    Why = SystemText(ERROR_DIRECTORY);
    return false;
}

std::string TWorkingFolder::NewFileName()
{
    if (!Ensure()) return {};
    char name[MAX_PATH] = {};
    if (!::GetTempFileNameA(Folder.c_str(), "wav", 0, name)) {
        NoteLastError();
        return {};
    }
    return name;
}

void TWorkingFolder::NoteLastError()
{
    Why = SystemText(::GetLastError());
}

std::string TWorkingFolder::FullPath() const
{
    char full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameA(Folder.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return Folder;
    std::string path(full, n);
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::string TWorkingFolder::FailureText() const
{
    return "Failure creating a working file in folder: " + FullPath() + "\r\n" + Why;
}
