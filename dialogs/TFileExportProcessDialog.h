#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include "dialogs/TProcessingStatusDialog.h"
#include "engine/TDataExport.h"

class TWaveFile;

// The export's progress box: writes the wave from frame 0 to its
// high-water mark into the data file, at most 8,192 wave frames a tick.
// Every write and the close are checked; a failure or a cancel deletes the
// partial file.
class TFileExportProcessDialog : public TProcessingStatusDialog {
public:
    TFileExportProcessDialog(TWindow* parent, TResId templateName, TWaveFile& wave, std::string fileName,
                             ExportOptions options);
    ~TFileExportProcessDialog() override;

    void SetupWindow() override;

protected:
    void Step() override;
    void Abandon() override;

private:
    // Shows the failure, deletes the partial file and ends with failure.
    void FailWriting(const char* message);

    TWaveFile& Wave;
    std::string FileName;
    ExportOptions Options;
    std::FILE* File = nullptr;
    bool Opened = false;
    bool Complete = false;
    std::unique_ptr<TDataExport> Exporter;
};
