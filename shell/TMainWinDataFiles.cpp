// File menu commands between data files and waves: Import turns a file of
// plain numbers into a new, untitled wave; Export writes the open wave as one.
#include <windows.h>
#include <cstdio>
#include <memory>
#include "dialogs/TFileExportDialog.h"
#include "dialogs/TFileExportProcessDialog.h"
#include "dialogs/TFileImportDialog.h"
#include "dialogs/TFileImportProcessDialog.h"
#include "engine/TWaveFile.h"
#include "framework/TProfileFile.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"

void TMainWin::CeFileImport(TCommandEnabler& ce) { ce.Enable(OpMode != RealTime && WaveFile == nullptr); }

void TMainWin::CeFileExport(TCommandEnabler& ce) { ce.Enable(OpMode != RealTime && WaveFile != nullptr); }

void TMainWin::CmFileImport()
{
    if (RunState != Stopped) StopAnalyzer();
    if (WaveFile) return;
    TFileImportDialog dialog(this, *this, "DIALOG_IMPORT", &DataImportOptions);
    if (ExecuteDialog(dialog) != IDOK) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "(*.*)|*.*|";
    data.FileName = "*.*";
    data.InitialDir = CurrentFolders[WavFolder];
    data.DefExt = "*.*";
    if (RunFileDialog(data, "Open Data File", false) != IDOK || !FitsFileBuffer(data.FileName)) return;
    ImportFile(data.FileName.c_str());
}

bool TMainWin::ImportFile(const char* path)
{
    if (RunState != Stopped) StopAnalyzer();
    if (WaveFile || !path) return false;
    const ImportOptions& options = DataImportOptions;
    const TWaveFormat format(options.SamplingRate, options.Channels, options.BytesPerSample);
    std::unique_ptr<TWaveFile> wave;
    if (FileIO.WaveFileMode == 0)
        wave = std::make_unique<TWaveFile>(100u, format, ConfiguredFolders[TmpFolder]);
    else
        wave = std::make_unique<TWaveFile>(format, uint32_t(FileIO.MakeBackup), ConfiguredFolders[TmpFolder]);
    if (wave->Error) return false;
    const std::string adjust = TProfileFile(IniPath).Read("FileIO", "AdjustImportRescaling", "FALSE");
    TFileImportProcessDialog progress(this, "DIALOG_PROCESSING_STATUS", *wave, path, options, Calibration,
                                      _stricmp(adjust.c_str(), "TRUE") == 0);
    // The calibration comes with the wave, and only with a wave imported whole.
    if (ExecuteDialog(progress) != IDOK) return false;
    Calibration = progress.GetCalibration();
    TakeUntitledWave(std::move(wave), format);
    return true;
}

void TMainWin::CmFileExport()
{
    if (RunState != Stopped) StopAnalyzer();
    if (!WaveFile) return;
    TFileExportDialog dialog(this, *this, "DIALOG_EXPORT", Settings.Format.NumChannels, &DataExportOptions);
    if (ExecuteDialog(dialog) != IDOK) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    data.Filter = TDataExport::IsText(DataExportOptions.Format) ? "File Export (*.txt)|*.txt|All Files (*.*)|*.*|"
                                                                : "File Export (*.*)|*.*|";
    data.FileName = "*.*";
    data.DefExt = "*.*";
    if (RunFileDialog(data, "Select Export Data File", true) != IDOK || !FitsFileBuffer(data.FileName)) return;
    ExportFile(data.FileName.c_str());
}

bool TMainWin::ExportFile(const char* path)
{
    if (RunState != Stopped) StopAnalyzer();
    if (!WaveFile || !path) return false;
    ExportOptions options = DataExportOptions;
    // A one-channel analysis exports its one channel.
    if (Settings.Format.NumChannels != 2) {
        options.Left = 1;
        options.Right = 0;
    }
    TFileExportProcessDialog progress(this, "DIALOG_PROCESSING_STATUS", *WaveFile, path, options);
    return ExecuteDialog(progress) == IDOK;
}
