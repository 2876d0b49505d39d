// File menu commands that make a new wave from other data: decimation of
// the open wave into a new file and the merge of two mono files.
#include <windows.h>
#include <cstdio>
#include <memory>
#include "dialogs/TFileDecimateDialog.h"
#include "dialogs/TWaveEditForm.h"
#include "engine/TWaveDecimator.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveMerger.h"
#include "resources/StringIds.h"
#include "shell/StatusBar.h"
#include "shell/TLongOperation.h"
#include "shell/TMainWin.h"
#include "shell/Toolbar.h"

namespace {

const char* const WaveFilter = "Wave Files (*.wav)|*.wav|";

}

void TMainWin::CeFileDecimate(TCommandEnabler& ce) { ce.Enable(OpMode != RealTime && WaveFile != nullptr); }

void TMainWin::CeFileMerge(TCommandEnabler& ce) { ce.Enable(OpMode != RealTime && WaveFile == nullptr); }

void TMainWin::CmFileDecimate()
{
    if (RunState != Stopped) StopAnalyzer();
    if (!WaveFile) return;
    uint32_t ratio = 2;
    uint32_t filter = 1;
    TFileDecimateDialog dialog(this, *this, "DIALOG_DECIMATE", Settings.Format.SamplingRate, &ratio, &filter);
    if (ExecuteDialog(dialog) != IDOK) return;
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    data.Filter = WaveFilter;
    data.FileName = "*.wav";
    data.InitialDir = CurrentFolders[WavFolder];
    data.DefExt = "wav";
    if (RunFileDialog(data, "Save Destination File", true) != IDOK || !FitsFileBuffer(data.FileName)) return;
    StoreCurrentFolder(WavFolder, data.FileName.c_str());
    DecimateFile(data.FileName.c_str(), uint16_t(ratio), filter);
}

bool TMainWin::DecimateFile(const char* path, uint16_t ratio, uint32_t filter)
{
    if (!WaveFile || !path) return false;
    const std::string refusal = TWaveEditForm::CheckDecimatedRate(WaveFile->GetFormat().SamplingRate, ratio);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), Product, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    TLongOperation operation(*this, IDS_SAVING_WAVE_TEXT);
    TWaveFormat format = WaveFile->GetFormat();
    format.Set(format.SamplingRate / (ratio ? ratio : 1), format.NumChannels, format.BytesPerSample);
    auto destination = std::make_unique<TWaveFile>(format, 0u, ConfiguredFolders[TmpFolder]);
    if (destination->Error) return false;
    const uint32_t position = WaveFile->GetPosition();
    const bool written = TWaveDecimator::Run(
        *WaveFile, ratio, filter,
        [&](const TWaveData& block, uint32_t count) {
            return destination->WriteStream(block.GetBuffer(), block.FramesToBytes(count)) != 0;
        },
        [&](uint32_t percent) { operation.Progress(percent); });
    WaveFile->SetPosition(position);
    if (!written) {
        MessageBox("Failure writing wave file.", Product, MB_OK);
        return false;
    }
    destination->SetFileName(path);
    IncludeCalibrationIn(*destination);
    return destination->Save() != 0;
}

void TMainWin::CmFileMerge()
{
    if (RunState != Stopped) StopAnalyzer();
    if (WaveFile) return;
    if (MessageBox("This option allows you to combine two single\rchannel (mono) files into a stereo file.",
                   "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    std::string paths[2];
    const char* titles[2] = {"Select Source for Left Channel", "Select Source for Right Channel"};
    for (int c = 0; c < 2; ++c) {
        TOpenSaveDialog::TData data;
        data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        data.Filter = WaveFilter;
        data.FileName = "*.wav";
        data.InitialDir = CurrentFolders[WavFolder];
        data.DefExt = "wav";
        if (RunFileDialog(data, titles[c], false) != IDOK || !FitsFileBuffer(data.FileName)) return;
        paths[c] = data.FileName;
    }
    MergeFiles(paths[0].c_str(), paths[1].c_str());
}

namespace {

const char* MergeRefusal(TWaveMerger::TCheck check)
{
    switch (check) {
    case TWaveMerger::TCheck::NotMono: return "Error: Input files must both be mono format";
    case TWaveMerger::TCheck::RatesDiffer: return "Error: Input files must have the same sampling rate";
    case TWaveMerger::TCheck::WidthsDiffer: return "Error: Input files must have the same sampling precision";
    default: return nullptr;
    }
}

}

bool TMainWin::EscapePending()
{
    MSG msg;
    bool escape = false;
    while (::PeekMessageA(&msg, GetHandle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        escape = escape || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
    return escape;
}

bool TMainWin::MergeFiles(const char* left, const char* right)
{
    if (RunState != Stopped) StopAnalyzer();
    if (WaveFile || !left || !right) return false;
    std::unique_ptr<TWaveFile> sources[2];
    const char* paths[2] = {left, right};
    for (int c = 0; c < 2; ++c) {
        sources[c] = std::make_unique<TWaveFile>(paths[c], TWaveFile::Disk, 0u, ConfiguredFolders[TmpFolder]);
        if (sources[c]->Error) {
            char text[PathSize + 64];
            std::snprintf(text, sizeof text, "Failure opening input file: %s\n", paths[c]);
            MessageBox(text, Product, MB_OK);
            return false;
        }
    }
    if (const char* refusal = MergeRefusal(TWaveMerger::Check(sources[0]->GetFormat(), sources[1]->GetFormat()))) {
        MessageBox(refusal, Product, MB_OK);
        return false;
    }
    const TWaveFormat format = TWaveMerger::StereoFormat(sources[0]->GetFormat());
    const uint32_t frames = std::min(sources[0]->GetFrameCount(), sources[1]->GetFrameCount());
    std::unique_ptr<TWaveFile> merged;
    if (FileIO.WaveFileMode == 0)
        merged = std::make_unique<TWaveFile>(frames, format, ConfiguredFolders[TmpFolder]);
    else
        merged = std::make_unique<TWaveFile>(format, uint32_t(FileIO.MakeBackup), ConfiguredFolders[TmpFolder]);
    if (merged->Error) return false;
    merged->Rewind();
    TWaveMerger::TResult result;
    {
        TLongOperation operation(*this, "Merging files... press <Esc> to cancel.");
        result = TWaveMerger::Run(
            *sources[0], *sources[1],
            [&](const TWaveData& block, uint32_t count) {
                return merged->WriteStream(block.GetBuffer(), block.FramesToBytes(count)) != 0;
            },
            [&](uint32_t index, uint32_t blocks) {
                operation.Progress(index * 100 / blocks);
                return !EscapePending();
            });
    }
    if (result != TWaveMerger::TResult::Done) {
        MessageBox(result == TWaveMerger::TResult::NoMemory ? IDS_NO_MEMORY_TEXT : "Failure writing wave file.",
                   Product, MB_OK);
        return false;
    }
    merged->Changed = 1;
    TakeUntitledWave(std::move(merged), format);
    return true;
}

void TMainWin::TakeUntitledWave(std::unique_ptr<TWaveFile> wave, const TWaveFormat& format)
{
    ReplaceWave(std::move(wave));
    ApplyWaveCalibration();
    WaveFile->Rewind();
    CurrentTime = 0.0f;
    // The analysis takes the new wave's format and keeps its channel processing.
    SetFormatAndChannelProcessing(format.SamplingRate, format.NumChannels, format.BytesPerSample,
                                  Settings.ChannelProcessing);
    if (StatusBarWindow) StatusBarWindow->RefreshPanes(2);
    if (TransportToolbar) TransportToolbar->SetMode();
    SetWaveCaption(IDS_UNTITLED_TEXT);
}
