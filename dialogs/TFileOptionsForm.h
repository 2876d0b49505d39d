#pragma once
#include <string>
#include "engine/FileIOSettings.h"

// The file I/O options dialog without its window: OK's checks in order, each
// value stored as soon as it passes, so a refusal keeps those before it.
class TFileOptionsForm {
public:
    // Characters the fields are read with: the size in MB, the others.
    static constexpr int SizeFieldLength = 40;
    static constexpr int FieldLength = 20;
    static constexpr int BytesPerMB = 1000000;

    struct TFields {
        std::string BufferSecs, MaxRamSecs, MaxDiskMB;
        int Mode = -1;  // the checked access button: 0 RAM, 1 hard disk, -1 none (the mode stays)
        bool Buffering = false, MakeBackup = false, IncludeCalibration = false;
    };
    struct TOutcome {
        bool Stored = false;
        std::string Message;
        unsigned Style = 0;
    };

    static TOutcome Store(const TFields& fields, FileIOSettings& record);
    static TFields FieldsOf(const FileIOSettings& record);
};
