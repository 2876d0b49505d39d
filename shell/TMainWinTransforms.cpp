// Transforms shown in the time series and spectrum views: the envelope and
// the Schroeder integral of the selected segment or of the analysis blocks,
// the inverse FFT of the displayed spectra and their cepstrum.
#include "shell/TMainWin.h"

#include <memory>
#include <new>

#include "engine/TSegmentTransform.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "resources/StringIds.h"
#include "shell/TLongOperation.h"
#include "views/TSeriesPlot.h"
#include "views/TSeriesScale.h"
#include "views/TSpectrumPlot.h"

namespace {

constexpr const char* EnvelopeCaption = "Computing Hilbert Transform... press <Esc> to cancel.";
constexpr const char* SchroederCaption = "Computing Schroeder Integration... press <Esc> to cancel.";

// A block of frames at the wave's rate, undecimated, with the channel's calibration.
std::unique_ptr<TSeriesData> SegmentBlock(uint32_t length, const TWaveFormat& format, const CalibrationChannel& cal)
{
    auto block = std::unique_ptr<TSeriesData>(new (std::nothrow) TSeriesData(length, format, 1, 0));
    if (!block || block->Error)
        return nullptr;
    block->SetCalibration(cal.IsEnabled ? cal.CalRatio : 1.0f);
    return block;
}

}  // namespace

// The time series view opened when closed, made active, and shown from the start of what it holds.
void TMainWin::ShowTransformedSeries()
{
    if (!ViewStatus.TimeSeries || !TimeSeriesView())
        CmViewTimeSeries();
    TSeriesPlot* series = TimeSeriesView();
    if (!series)
        return;
    GetClientWindow()->SendMessage(WM_MDIACTIVATE, WPARAM(series->GetHandle()));
    series->SaveTimeRange();
    series->UpdateLayout();
}

// New analysis blocks of the selected segment's length, which replace the
// old ones only once both were made; 0 frames (nothing replaced) when there
// is no segment or no memory.
uint32_t TMainWin::MakeSegmentBlocks(uint32_t& first)
{
    float start = 0.0f, end = 0.0f;
    if (!GetSelectedSegment(start, end) || !WaveFile || !RequireSegment(start, end))
        return 0;
    first = WaveFile->TimeToFrame(start);
    const uint32_t last = WaveFile->TimeToFrame(end);
    if (last <= first)
        return 0;
    const uint32_t count = last - first;
    const uint16_t ratio = Settings.DecimationRatio;
    TWaveFormat format = Settings.Format;
    format.SamplingRate *= ratio;
    std::unique_ptr<TSeriesData> left = SegmentBlock(ratio * count, format, Calibration.Left), right;
    const bool stereo = WaveFile->GetChannels() == 2;
    if (left && stereo)
        right = SegmentBlock(ratio * count, format, Calibration.Right);
    if (!left || (stereo && !right)) {
        MessageBox(IDS_NO_MEMORY_TEXT, "Tonalyx", MB_OK);
        return 0;
    }
    delete SeriesLeft;
    delete SeriesRight;
    SeriesLeft = left.release();
    SeriesRight = right.release();
    return count;
}

void TMainWin::ReadSegmentBlocks(uint32_t first, uint32_t count)
{
    WaveFile->ReadFrames(SeriesLeft->GetSamplePtr(0), first, count, 0);
    if (SeriesRight)
        WaveFile->ReadFrames(SeriesRight->GetSamplePtr(0), first, count, 1);
}

void TMainWin::EnergyTimeCurve()
{
    StopAnalyzer();
    if (SeriesLiveBlock == BlockSource) {
        TEngineWait wait;
        for (TSeriesData* block : {SeriesLeft, SeriesRight})
            if (block)
                block->HilbertEnvelope(0, Settings.FFTsize);
    } else if (SeriesLiveBlock == WaveSource) {
        uint32_t first = 0;
        const uint32_t count = MakeSegmentBlocks(first);
        if (count == 0)
            return;
        TLongOperation operation(*this, EnvelopeCaption);
        ReadSegmentBlocks(first, count);
        // Esc or a click cancels the whole blocks left; the tail is transformed all the same.
        TSegmentTransform::Envelope(SeriesLeft, SeriesRight, count, [&](uint32_t k, uint32_t blocks) {
            operation.Progress((k + 1) * 100 / blocks);
            return !EscapePending() && !ClickPending();
        });
        SeriesLiveBlock = BlockSource;
    }
    ShowTransformedSeries();
}

void TMainWin::SchroederIntegration()
{
    StopAnalyzer();
    if (SeriesLiveBlock == BlockSource) {
        TEngineWait wait;
        for (TSeriesData* block : {SeriesLeft, SeriesRight})
            if (block)
                block->SchroederIntegrate(block->GetLength());
    } else if (SeriesLiveBlock == WaveSource) {
        uint32_t first = 0;
        const uint32_t count = MakeSegmentBlocks(first);
        if (count == 0)
            return;
        TLongOperation operation(*this, SchroederCaption);
        ReadSegmentBlocks(first, count);
        for (TSeriesData* block : {SeriesLeft, SeriesRight})
            if (block)
                block->SchroederIntegrate(count);
        SeriesLiveBlock = BlockSource;
    }
    ShowTransformedSeries();
}

void TMainWin::InverseFFT()
{
    StopAnalyzer();
    TSpectralData* spectra[2] = {DisplayPrimary, DisplaySecondary};
    TSeriesData* blocks[2] = {SeriesLeft, SeriesRight};
    for (int c = 0; c < 2; ++c) {
        if (!spectra[c] || !blocks[c])
            continue;
        spectra[c]->InverseTransform();
        if (Smoothing)
            Smoothing->Remove(spectra[c]->GetInverseBuffer(), Scaling[c].FreqScaleType);
        for (uint32_t i = 0; i < Settings.FFTsize; ++i)
            blocks[c]->PutSample(i, TSegmentTransform::ToSample(Settings.Format, spectra[c]->GetInverseSample(i)));
    }
    SeriesLiveBlock = BlockSource;
    ShowTransformedSeries();
}

// Each spectrum taken as a new block of time data and transformed again,
// folded into its running average; the spectrum views' axes turn to time.
void TMainWin::ComputeCepstrum()
{
    StopAnalyzer();
    struct TRow {
        TSpectralData* Spectrum;
        int Channel;
    };
    const TRow rows[] = {{SpectralLeft, 0}, {SpectralRight, 1}, {SpectralCombined, 0}};
    for (const TRow& row : rows) {
        if (!row.Spectrum || !Smoothing)
            continue;
        row.Spectrum->SpectrumToTimeBuffer();
        Smoothing->Apply(row.Spectrum->GetFFTBuffer(), Scaling[row.Channel].FreqScaleType,
                         Scaling[row.Channel].SpectralDensityFlag);
        row.Spectrum->ComputeSpectrum();
        row.Spectrum->Average(0);
        row.Spectrum->UpdatePeakHold();
    }
    for (TSpectrumPlot* view : SpectrumViews())
        if (view) {
            view->SetCepstrumAxis(1);
            view->UpdateLayout();
        }
}
