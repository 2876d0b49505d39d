// Edits of the samples of a segment of the open wave: gain, DC offset and
// the digital filter, each with its undo copy, gauge, caption and Esc.
#include <windows.h>
#include <algorithm>
#include <memory>
#include "dialogs/TDCOffsetDialog.h"
#include "dialogs/TFilterDialog.h"
#include "dialogs/TGainAdjustDialog.h"
#include "engine/TSampleAdjust.h"
#include "engine/TSegmentFilter.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveFile.h"
#include "engine/TWaveFilter.h"
#include "resources/StringIds.h"
#include "shell/TLongOperation.h"
#include "shell/TMainWin.h"

namespace {

// Frames between two looks at the queue for Esc and two gauge updates.
constexpr uint32_t PollFrames = 1024;

// A new analysis block of n samples in place of block; false (with the
// memory message) when it could not be made.
bool ReplaceBlock(TMainWin& main, TSeriesData*& block, uint32_t n, TWaveFormat format)
{
    delete block;
    block = new TSeriesData(n, format, 1, 0);
    if (!block->Error) return true;
    delete block;
    block = nullptr;
    main.MessageBox(IDS_NO_MEMORY_TEXT, TMainWin::Product, MB_OK);
    return false;
}

}

bool TMainWin::AdjustSegment(float start, float end, double leftGain, double rightGain, double leftOffset,
                             double rightOffset, const char* caption)
{
    if (!WaveFile) return false;
    const TWaveFormat format = WaveFile->GetFormat();
    // Refused before the undo copy: the analysis block cannot hold the
    // samples, and nothing is to look edited that was not.
    if (!TSampleAdjust::CanAdjust(format.BytesPerSample)) {
        MessageBox(IDS_FORMAT_NOT_SUPPORTED_TEXT, Product, MB_OK);
        return false;
    }
    WaveFile->SaveUndo(TWaveFile::UndoOverwrite, start, end);
    const uint32_t first = WaveFile->TimeToFrame(start);
    const uint32_t last = WaveFile->TimeToFrame(end);
    if (last <= first) return false;
    const uint32_t n = last - first;
    const bool stereo = WaveFile->GetChannels() == 2;
    if (!ReplaceBlock(*this, SeriesLeft, n, format)) return false;
    if (stereo && !ReplaceBlock(*this, SeriesRight, n, format)) return false;

    TLongOperation display(*this, caption);
    WaveFile->ReadFrames(SeriesLeft->GetSamplePtr(0), first, n, 0);
    if (stereo) WaveFile->ReadFrames(SeriesRight->GetSamplePtr(0), first, n, 1);
    TSampleAdjust::Run({SeriesLeft, leftGain, leftOffset}, {stereo ? SeriesRight : nullptr, rightGain, rightOffset}, n,
                       format.SilenceValue, [&](uint32_t i) {
                           if (i % PollFrames != 0) return true;
                           display.Progress(uint32_t(uint64_t(i) * 100 / n));
                           return !EscapePending();
                       });
    // Frames the loop did not reach go back as they were read.
    WaveFile->WriteFrames(SeriesLeft->GetSamplePtr(0), first, n, 0);
    if (stereo) WaveFile->WriteFrames(SeriesRight->GetSamplePtr(0), first, n, 1);
    WaveFile->Changed = 1;
    return true;
}

bool TMainWin::GainAdjustSegment(float start, float end)
{
    if (!WaveFile) return false;
    TGainAdjustDialog dialog(this, *this, "DIALOG_GAIN_ADJUST", Settings.Format.NumChannels, &GainAdjustLeftDb,
                             &GainAdjustRightDb);
    if (ExecuteDialog(dialog) != IDOK) return false;
    return AdjustSegment(start, end, TSampleAdjust::LinearGain(GainAdjustLeftDb),
                         TSampleAdjust::LinearGain(GainAdjustRightDb), 0.0, 0.0,
                         "Adjusting Signal Gain... press <Esc> to cancel.");
}

bool TMainWin::DCOffsetSegment(float start, float end)
{
    if (!WaveFile) return false;
    TDCOffsetDialog dialog(this, *this, "DIALOG_DC_OFFSET", Settings.Format.NumChannels, Calibration.Left,
                           &DCOffsetLeft, &DCOffsetRight);
    if (ExecuteDialog(dialog) != IDOK) return false;
    const TWaveFormat format = WaveFile->GetFormat();
    const float left = TSampleAdjust::OffsetInSamples(DCOffsetLeft, format, Calibration.Left.IsEnabled,
                                                      Calibration.Left.CalRatio);
    const float right = TSampleAdjust::OffsetInSamples(DCOffsetRight, format, Calibration.Right.IsEnabled,
                                                       Calibration.Right.CalRatio);
    return AdjustSegment(start, end, 1.0, 1.0, left, right, "Adjusting DC Offset... press <Esc> to cancel.");
}

bool TMainWin::RunFilterDialog()
{
    FilterSettings edited = Filter;
    TFilterDialog dialog(this, *this, "DIALOG_FILTER", &edited, Settings.Format);
    if (ExecuteDialog(dialog) != IDOK) return false;
    Filter = edited;
    return true;
}

bool TMainWin::FilterSegment(float start, float end)
{
    if (!WaveFile) return false;
    start = std::clamp(start, 0.0f, WaveFile->GetDuration());
    if (!(start < end)) return false;
    // The filter first: one whose response file cannot be read (its reader
    // says so) changes nothing and keeps the previous edit's undo copy.
    TWaveFilter filter(WaveFile->GetFormat(), Filter);
    if (!filter.HasCoefficients()) return false;
    const uint32_t position = WaveFile->GetPosition();
    const uint32_t changed = WaveFile->Changed;
    WaveFile->SaveUndo(TWaveFile::UndoOverwrite, start, end);
    const uint32_t first = WaveFile->TimeToFrame(start);
    const uint32_t last = WaveFile->TimeToFrame(end);
    bool done = true;
    {
        TLongOperation display(*this, "Filtering in progress.  Press <Esc> to Cancel");
        done = TSegmentFilter::Run(filter, *WaveFile, first, last > first ? last - first : 0, Filter.DoLeft,
                                   Filter.DoRight, [&](uint32_t percent) { display.Progress(percent); },
                                   [&] { return EscapePending() || ClickPending(); });
    }
    if (done) {
        WaveFile->Changed = 1;
    } else {
        // Undone, the wave is as it was: a cancelled filter leaves nothing to save.
        WaveFile->Undo();
        WaveFile->Changed = changed;
    }
    WaveFile->SetPosition(position);
    return done;
}

bool TMainWin::ClickPending()
{
    MSG msg;
    return ::PeekMessageA(&msg, GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != 0;
}
