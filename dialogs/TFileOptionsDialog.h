#pragma once
#include "engine/FileIOSettings.h"
#include "framework/TDialog.h"
#include "resources/FileOptionsDialogRes.h"

class TDialogHost;

// "File I/O Options": recordings held in RAM or on the hard disk, backup
// copies, calibration data in saved files, the recording limits and the real
// time data buffer, on the record it is given. OK stores each value as it
// passes its check; a refusal keeps the dialog open.
class TFileOptionsDialog : public TDialog {
public:
    enum : int {
        RamId = IDC_FILEOPTS_RAM, HardDiskId = IDC_FILEOPTS_HARD_DISK, MakeBackupId = IDC_FILEOPTS_MAKE_BACKUP,
        IncludeCalibrationId = IDC_FILEOPTS_INCLUDE_CALIBRATION, BufferingId = IDC_FILEOPTS_BUFFERING,
        BufferSecsId = IDC_FILEOPTS_BUFFER_SECS, MaxRamSecsId = IDC_FILEOPTS_MAX_RAM_SECS,
        MaxDiskMBId = IDC_FILEOPTS_MAX_DISK_MB, HelpId = IDC_FILEOPTS_HELP,
    };
    static constexpr int HelpContext = 820;

    TFileOptionsDialog(TWindow* parent, TDialogHost& host, TResId templateName, FileIOSettings* record);

    void SetupWindow() override;
    void CmOk() override;
    void CmMode();
    void CmHelp();

private:
    // RAM enables the time limit, the hard disk the size limit and the backup.
    void EnableForMode();

    TDialogHost& Host;
    FileIOSettings* Record;

    DECLARE_RESPONSE_TABLE(TFileOptionsDialog);
};
