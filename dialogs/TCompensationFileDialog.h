#pragma once
#include <string>

class TDialogHost;

// The open-file dialog of the scaling dialogs' Select buttons: a microphone
// compensation, overlay or filter file from the compensation folder, whose
// folder becomes the new compensation folder.
class TCompensationFileDialog {
public:
    static constexpr const char* Title = "Open Mic Compensation File";
    static constexpr const char* Patterns = "*.mic; *.ovl; *.flt";
    static constexpr const char* FolderKind = "mic";

    // The chosen file's full path, or false when none was chosen.
    static bool Run(TDialogHost& host, std::string& path);
};
