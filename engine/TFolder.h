#pragma once
#include <string>

// Folders the program writes into: made with the folders above them when
// they are missing, and the system's reason when that or a write fails.
class TFolder {
public:
    // Makes a folder and the folders above it that are missing; true when it
    // exists afterwards (the system's last error tells why not).
    static bool Make(const std::string& folder);
    // Makes the folder that is to hold a file; a bare file name needs none.
    static bool MakeFor(const std::string& file);
    // The full path of a folder, without a trailing backslash below the root.
    static std::string Full(const std::string& folder);
    // The system's text for its last error.
    static std::string LastErrorText();
    static std::string ErrorText(unsigned long error);
};
