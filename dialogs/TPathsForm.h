#pragma once
#include <string>

// The default folders of the kinds of file ("Set Paths"), in the order of
// section "Paths": wave, temp, configuration, calibration, mic compensation,
// overlay, data logging, reverberation, THD+N vs frequency, macro, filter.
class TPathsForm {
public:
    static constexpr int FolderCount = 11;
    static constexpr int PathSize = 260;
    // Characters each folder's edit takes.
    static constexpr int FieldLength = PathSize - 1;

    struct TFolders {
        char Folder[FolderCount][PathSize];
    };

    // The folder holding the program file of a module path; the working
    // folder when it names none.
    static std::string ProgramFolder(const std::string& modulePath);
    // A kind's default folder under the program folder: the last part of the
    // settings' default (as "..\.\wave" gives "wave").
    static std::string DefaultFolder(const std::string& programFolder, const std::string& settingsDefault);
};
