#pragma once
#include <string>

// The folder a wave's working files go to. A configured folder that does not
// exist yet is made on first use, with the folders above it; a failure is
// told by naming the folder (as a full path) and the system's reason, since
// nothing is wrong with the wave itself.
class TWorkingFolder {
public:
    explicit TWorkingFolder(std::string folder) : Folder(std::move(folder)) {}

    // True when the folder exists or was made; otherwise Reason() says why.
    bool Ensure();
    // A new, unique working file name in the folder ("wav" prefix), made on
    // disk; empty on failure, with Reason() set.
    std::string NewFileName();
    // Notes the system's last error as the reason of a failure in the folder.
    void NoteLastError();

    const std::string& Reason() const { return Why; }
    // The folder as a full path, for messages.
    std::string FullPath() const;
    // "Failure creating a working file in folder: <full path>" and the reason.
    std::string FailureText() const;

private:
    std::string Folder;
    std::string Why;
};
