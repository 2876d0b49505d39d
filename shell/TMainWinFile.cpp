// The File menu: new, open, close, save, save as and delete, with the shared
// open and close operations and the calibration question on open.
#include "shell/TMainWin.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include "automation/TDdeItemTable.h"
#include "dialogs/TQueryCalibrationDialog.h"
#include "engine/TChannelProcessing.h"
#include "engine/TFolder.h"
#include "engine/TWaveFile.h"
#include "framework/TFileOpenDialog.h"
#include "framework/TFileSaveDialog.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/Toolbar.h"
#include "views/TSeriesPlot.h"

namespace {
const char* const WaveFilter = "Wave Files (*.wav)|*.wav|";

TOpenSaveDialog::TData WaveDialogData(const char* folder, const char* filter, DWORD flags)
{
    TOpenSaveDialog::TData data;
    data.Flags = flags;
    data.Filter = filter;
    data.FileName = "*.wav";
    data.InitialDir = folder;
    data.DefExt = "wav";
    return data;
}

constexpr DWORD OpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD SaveFlags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

bool IsAbsolute(const char* name)
{
    return std::strlen(name) <= 3 || name[1] == ':' || name[0] == '\\' || name[0] == '/';
}
}

bool TMainWin::ResolvePath(char* resolved, const char* folder, const char* name)
{
    const std::string joined = IsAbsolute(name) ? std::string(name) : std::string(folder) + "\\" + name;
    if (joined.size() >= size_t(PathSize)) {
        char text[PathSize * 2 + 64];
        std::snprintf(text, sizeof text, "Failure opening file: %s", joined.c_str());
        MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::strcpy(resolved, joined.c_str());
    return true;
}

bool TMainWin::ReadyToWrite(const char* file)
{
    std::string reason;
    if (!TFolder::MakeFor(file)) {
        reason = TFolder::LastErrorText();
    } else {
        errno = 0;
        if (FILE* test = std::fopen(file, "ab")) {
            std::fclose(test);
            return true;
        }
        reason = errno ? std::strerror(errno) : "unknown error";
    }
    const std::string text = std::string("Failure writing file: ") + file + "\r\n" + reason;
    MessageBox(text.c_str(), Product, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TMainWin::StoreCurrentFolder(int folder, const char* path)
{
    const char* last = std::strrchr(path, '\\');
    size_t length = last && last != path ? size_t(last - path) : std::strlen(path);
    if (length >= size_t(PathSize)) return;
    std::memcpy(CurrentFolders[folder], path, length);
    CurrentFolders[folder][length] = '\0';
}

int TMainWin::RunFileDialog(TOpenSaveDialog::TData& data, const char* title, bool save)
{
    if (save) return TFileSaveDialog(this, data, title).Execute();
    return TFileOpenDialog(this, data, title).Execute();
}

uint32_t TMainWin::AskCalibrationChoice()
{
    uint32_t choice = 0;
    TQueryCalibrationDialog(this, "DIALOG_QUERY_CALIBRATION", &choice, Calibration).Execute();
    return choice;
}

void TMainWin::CmFileNew()
{
    if (RunState != Stopped) StopAnalyzer();
    if (!CloseWaveFile()) return;
    if (OpMode == RealTime) {
        OpMode = Recorder;
        UpdateModeMenuChecks();
        LayoutForMode();
        RefreshStatusBar(StatusBar::WholeBar);
    }
}

void TMainWin::CmFileOpen()
{
    if (RunState != Stopped) StopAnalyzer();
    if (OpMode == RealTime) {
        OpMode = Recorder;
        UpdateModeMenuChecks();
        LayoutForMode();
    }
    auto data = WaveDialogData(CurrentFolders[WavFolder], "Wave Files|*.wav|", OpenFlags);
    if (RunFileDialog(data, "Open Wave File", false) != IDOK) return;
    if (!FitsFileBuffer(data.FileName)) return;
    const char* path = data.FileName.c_str();
    StoreCurrentFolder(WavFolder, path);
    OpenWaveFile(path);
    // A file that did not open (or a close the user cancelled) is no recent file.
    if (WaveFile && _stricmp(WaveFile->FileName().c_str(), path) == 0) AddRecentFile(path);
    QueryCalibration();
}

void TMainWin::QueryCalibration()
{
    if (!WaveFile || WaveFile->HasCalibration()) return;
    if (!Calibration.Left.IsEnabled && !Calibration.Right.IsEnabled) return;
    const uint32_t choice = AskCalibrationChoice();
    if (choice == TQueryCalibrationDialog::DisableCalibration) {
        Calibration.Left.IsEnabled = 0;
        Calibration.Right.IsEnabled = 0;
        ApplyWaveCalibration();
        ApplySettings(RefreshKind::Full);
    } else if (choice == TQueryCalibrationDialog::ChooseCalibration) {
        TOpenSaveDialog::TData data;
        data.Flags = OpenFlags;
        data.Filter = "Calibration Files (*.cal)|*.cal|";
        data.FileName = "*.cal";
        data.InitialDir = CurrentFolders[CalFolder];
        data.DefExt = "cal";
        if (RunFileDialog(data, "Open Calibration File", false) != IDOK || !FitsFileBuffer(data.FileName)) return;
        StoreCurrentFolder(CalFolder, data.FileName.c_str());
        ReadCalibrationFile(data.FileName.c_str(), Calibration);
        ApplyWaveCalibration();
        ApplySettings(RefreshKind::Full);
    }
}

void TMainWin::ApplyWaveCalibration()
{
    if (!WaveFile) return;
    WaveFile->SetCalibration(Calibration.Left.IsEnabled ? float(Calibration.Left.CalRatio) : 1.0f,
                             Calibration.Right.IsEnabled ? float(Calibration.Right.CalRatio) : 1.0f);
}

void TMainWin::IncludeCalibrationIn(TWaveFile& wave) const
{
    if ((Calibration.Left.IsEnabled || Calibration.Right.IsEnabled) && FileIO.IncludeCalibrationData)
        wave.SetCalibrationData(Calibration);
}

void TMainWin::SetWaveCaption(const char* name)
{
    SetCaption((std::string(Caption) + " [" + name + "]").c_str());
}

void TMainWin::OpenWaveFile(const char* path)
{
    if (!CloseWaveFile()) return;
    if (!path || !*path) return;
    char name[PathSize];
    if (!ResolvePath(name, ConfiguredFolders[WavFolder], path)) return;
    if (FILE* test = std::fopen(name, "rb")) {
        std::fclose(test);
    } else {
        char text[PathSize + 64];
        std::snprintf(text, sizeof text, "Failure opening file: %s", name);
        MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    SetCaption(IDS_OPENING_WAVE_TEXT);
    auto wave = std::make_unique<TWaveFile>(name, uint16_t(FileIO.WaveFileMode), uint32_t(FileIO.MakeBackup),
                                            ConfiguredFolders[TmpFolder]);
    // A file whose data chunk holds no frame has nothing to analyse or edit.
    const bool empty = !wave->Error && wave->GetFrameCount() == 0;
    if (wave->Error || empty) {
        SetCaption(Caption);
        if (empty) {
            char text[PathSize + 64];
            std::snprintf(text, sizeof text, "The wave file %s holds no samples.", name);
            MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    }
    ReplaceWave(std::move(wave));
    TakeOpenedWave(name);
}

std::unique_ptr<TWaveFile> TMainWin::ReplaceWave(std::unique_ptr<TWaveFile> wave)
{
    WaveFile.swap(wave);
    // Save greys and ungreys with the wave.
    UpdateButtonToolbar();
    return wave;
}

void TMainWin::TakeOpenedWave(const char* captionName)
{
    // One pass over the frames now, so that the time series view draws any
    // range of them from the min/max summary.
    WaveFile->RefreshSummary();
    if (WaveFile->HasCalibration()) {
        WaveFile->GetCalibrationData(Calibration);
        ComputeCalibrationRatio(Calibration);
    }
    ApplyWaveCalibration();
    // The analysis runs in the wave's format; a stereo wave after mono shows both channels.
    const TWaveFormat format = WaveFile->GetFormat();
    uint16_t mode = Settings.ChannelProcessing;
    if (format.NumChannels == 1) {
        mode = TChannelProcessing::LeftOnly;
    } else if (mode == TChannelProcessing::LeftOnly) {
        mode = TChannelProcessing::BothChannels;
        SeriesOptions.PlotChannel = 2;
    }
    WaveFile->Rewind();
    CurrentTime = 0.0f;
    // The view's range is of the wave: it takes the wave's conversions.
    SeriesLiveBlock = WaveSource;
    if (TimeSeriesView()) TimeSeriesView()->SetTimeRange(0.0f, 999.9f);
    DataSource = 0;
    SetFormatAndChannelProcessing(format.SamplingRate, format.NumChannels, format.BytesPerSample, mode);
    SetWaveCaption(captionName);
    if (OpMode == RealTime) {
        OpMode = PostProcess;
        UpdateModeMenuChecks();
        LayoutForMode();
    }
    // The transport bar's time and length are of the wave just opened.
    if (TransportToolbar) TransportToolbar->UpdateDisplay(1, 1);
}

int TMainWin::CloseWaveFile()
{
    if (!WaveFile) return 1;
    if (TemporaryWaveFile) {
        const std::string name = WaveFile->FileName();
        ReplaceWave(nullptr);
        ::DeleteFileA(name.c_str());
        TemporaryWaveFile = 0;
        return 1;
    }
    if (OpMode == RealTime) {
        ReplaceWave(nullptr);
        return 1;
    }
    int result = 1;
    if (WaveFile->Changed && !ApplicationHidden) {
        const bool untitled = WaveFile->IsUntitled() != 0;
        char text[PathSize + 64];
        std::snprintf(text, sizeof text, IDS_SAVE_CHANGES_TEXT, untitled ? "[Untitled]" : WaveFile->FileName().c_str());
        const int answer = MessageBox(text, Product, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        // Discarding the wave after a failed or cancelled save would lose it.
        if (answer == IDCANCEL) result = 0;
        else if (answer == IDYES) result = (untitled ? SaveWaveAs() : SaveWave()) ? 1 : 0;
    }
    if (result == 1) {
        std::snprintf(LastClosedFile, sizeof LastClosedFile, "%s", WaveFile->FileName().c_str());
        ReplaceWave(nullptr);
        SetCaption(Caption);
        CurrentTime = 0.0f;
        ApplySettings(RefreshKind::Full);
        if (TransportToolbar) TransportToolbar->UpdateDisplay(1, 1);
        PostDdeAdvise(TDdeItem::FileClosed);
    }
    return result;
}

void TMainWin::CmFileClose()
{
    if (RunState != Stopped) StopAnalyzer();
    CloseWaveFile();
}

void TMainWin::CmFileSave()
{
    SaveWave();
}

void TMainWin::CmFileSaveAs()
{
    SaveWaveAs();
}

bool TMainWin::SaveWave()
{
    if (!WaveFile) return false;
    if (RunState != Stopped) StopAnalyzer();
    if (WaveFile->IsUntitled()) return SaveWaveAs();
    SetCaption(IDS_SAVING_WAVE_TEXT);
    IncludeCalibrationIn(*WaveFile);
    const bool saved = WaveFile->Save() == 1;
    SetWaveCaption(WaveFile->FileName().c_str());
    return saved;
}

bool TMainWin::SaveWaveAs()
{
    if (!WaveFile) return false;
    if (RunState != Stopped) StopAnalyzer();
    auto data = WaveDialogData(CurrentFolders[WavFolder], WaveFilter, SaveFlags);
    if (RunFileDialog(data, "Save Wave File", true) != IDOK) return false;
    if (!FitsFileBuffer(data.FileName)) return false;
    const char* path = data.FileName.c_str();
    StoreCurrentFolder(WavFolder, path);
    if (!SaveWaveTo(path)) return false;
    AddRecentFile(path);
    return true;
}

void TMainWin::CmFileDelete()
{
    if (RunState != Stopped) StopAnalyzer();
    auto data = WaveDialogData(CurrentFolders[WavFolder], WaveFilter, OpenFlags);
    if (RunFileDialog(data, "Delete Wave File", false) != IDOK || !FitsFileBuffer(data.FileName)) return;
    const char* path = data.FileName.c_str();
    StoreCurrentFolder(WavFolder, path);
    char text[PathSize + 64];
    std::snprintf(text, sizeof text, IDS_CONFIRM_DELETE_TEXT, path);
    if (MessageBox(text, Product, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    if (!::DeleteFileA(path)) {
        std::snprintf(text, sizeof text, IDS_DELETE_FAILED_TEXT, path);
        MessageBox(text, Product, MB_OK);
    }
}

bool TMainWin::FitsFileBuffer(const std::string& path)
{
    if (path.size() < size_t(FileNameSize)) return true;
    char text[PathSize * 4 + 64];
    std::snprintf(text, sizeof text, "The file name is too long: %s", path.c_str());
    MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TMainWin::CeFileNew(TCommandEnabler& ce)
{
    ce.Enable(OpMode != RealTime);
}

void TMainWin::CeWaveFileCommand(TCommandEnabler& ce)
{
    ce.Enable(OpMode != RealTime && WaveFile);
}

void TMainWin::CeFileDelete(TCommandEnabler& ce)
{
    ce.Enable(!WaveFile);
}
