#include "dialogs/TFileExportProcessDialog.h"

#include "engine/TWaveFile.h"

namespace {

const char* const WriteFailure = "Failure writing export file";

}

TFileExportProcessDialog::TFileExportProcessDialog(TWindow* parent, TResId templateName, TWaveFile& wave,
                                                   std::string fileName, ExportOptions options)
    : TProcessingStatusDialog(parent, templateName, "Are you sure you want to cancel exporting?"), Wave(wave),
      FileName(std::move(fileName)), Options(options)
{
}

TFileExportProcessDialog::~TFileExportProcessDialog() { Abandon(); }

void TFileExportProcessDialog::SetupWindow()
{
    TProcessingStatusDialog::SetupWindow();
    ShowStatus("Exporting...");
    if (const std::string refusal = TDataExport::Refusal(Wave.GetFormat(), Options); !refusal.empty()) {
        Fail(refusal);
        return;
    }
    Exporter = std::make_unique<TDataExport>(Wave, Options);
    if (!Exporter->Good()) {
        Fail("insufficient memory for export process");
        return;
    }
    File = std::fopen(FileName.c_str(), TDataExport::IsText(Options.Format) ? "wt" : "wb");
    if (!File) {
        Fail("Failure opening export file");
        return;
    }
    Opened = true;
    StartSteps();
}

void TFileExportProcessDialog::Step()
{
    if (Exporter->Finished()) {
        const bool closed = std::fclose(File) == 0;
        File = nullptr;
        if (!closed) {
            FailWriting(WriteFailure);
            return;
        }
        Complete = true;
        Finish(IDOK);
        return;
    }
    const int percent = Exporter->Percent();
    std::string bytes;
    if (!Exporter->Step(bytes)) {
        FailWriting("Failure reading time series segment");
        return;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), File) != bytes.size()) {
        FailWriting(WriteFailure);
        return;
    }
    SetProgress(percent);
}

void TFileExportProcessDialog::FailWriting(const char* message)
{
    Abandon();
    Fail(message);
}

void TFileExportProcessDialog::Abandon()
{
    if (File)
        std::fclose(File);
    File = nullptr;
    // Only a file this export made, and did not finish, is deleted.
    if (Opened && !Complete)
        std::remove(FileName.c_str());
    Opened = false;
}
