// The DDE poke items: a block of time samples analysed at once, a
// calibration record and a new recording, each pushed in by another program
// in Real Time. Poked values are 16-bit; they reach blocks and waves
// converted to the analysis format's range and width.
#include "shell/TMainWin.h"

#include <memory>
#include <new>
#include <vector>
#include "automation/TPokedSamples.h"
#include "engine/TSeriesData.h"
#include "engine/TWaveFile.h"
#include "resources/StringIds.h"
#include "shell/TDdeServer.h"
#include "views/TSeriesPlot.h"
#include "views/TSpectrogram.h"
#include "views/TSurfacePlot.h"

namespace {

HDDEDATA Answer(UINT flags)
{
    return reinterpret_cast<HDDEDATA>(UINT_PTR(flags));
}

// The poke's bytes; empty when there are none or no memory for them, which
// is said.
std::vector<uint8_t> PokedBytes(HDDEDATA data)
{
    std::vector<uint8_t> bytes;
    const DWORD size = ::DdeGetData(data, nullptr, 0, 0);
    if (!size) return bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgOk);
        return bytes;
    }
    ::DdeGetData(data, bytes.data(), size, 0);
    return bytes;
}

}  // namespace

HDDEDATA TMainWin::DdePoke(HCONV conversation, HDDEDATA data, TDdePokeItem item)
{
    // Answered as a command is: the advises of an analysed block go out after
    // the acknowledgement, which a client holding links on the same
    // conversation would otherwise take an advise for.
    ++CommandDepth;
    HDDEDATA answer = nullptr;
    switch (item) {
    case TDdePokeItem::TimeSeriesData:
        answer = DdeClientLink && DdeLinkAxisFlag ? DdeLinkData(conversation, data) : DdePokeTimeSeries(data);
        break;
    case TDdePokeItem::CalibrationData: answer = DdePokeCalibration(data); break;
    case TDdePokeItem::WaveData: answer = DdePokeWave(data); break;
    default: break;
    }
    --CommandDepth;
    return answer;
}

HDDEDATA TMainWin::DdePokeTimeSeries(HDDEDATA data)
{
    if (!SeriesLeft) return nullptr;
    if (OpMode != RealTime) return Answer(DDE_FBUSY);
    if (!data) return nullptr;
    if (RunState == Running) StopAnalyzer();
    const std::vector<uint8_t> bytes = PokedBytes(data);
    const TPokedSamples samples(bytes.data(), bytes.size());
    if (!samples.Count()) return nullptr;

    RunState = Running;
    std::vector<int32_t> left, right;
    samples.Spread(Settings.FFTsize, SeriesLeft->GetDecimatedLength(), Settings.Format, left,
                   SeriesRight ? &right : nullptr);
    SeriesLeft->Clear();
    if (SeriesRight) SeriesRight->Clear();
    for (uint32_t j = 0; j < left.size(); ++j) {
        SeriesLeft->PutSample(j, left[j]);
        if (SeriesRight) SeriesRight->PutSample(j, right[j]);
    }
    DetectOverload(SeriesLeft, SeriesRight);
    CopySeriesToSpectral(SpectralLeft, SeriesLeft);
    CopySeriesToSpectral(SpectralRight, SeriesRight);
    ComputeSpectra(SpectralLeft, SpectralRight, SpectralCombined, SpectralAux);
    UpdateViewTimes();
    RefreshAllViews();
    PostDdeAdviseAll();

    if (!PokedBlockShown) {
        PokedBlockShown = 1;
        if (TimeSeriesView()) TimeSeriesView()->UpdateLayout();
    }
    RunState = Stopped;
    return Answer(DDE_FACK);
}

HDDEDATA TMainWin::DdePokeCalibration(HDDEDATA data)
{
    if (!SeriesLeft) return nullptr;
    if (OpMode != RealTime) return Answer(DDE_FBUSY);
    if (!data || ::DdeGetData(data, nullptr, 0, 0) != sizeof(CalibrationStruct)) return nullptr;
    const std::vector<uint8_t> bytes = PokedBytes(data);
    // A record the calibration dialog could not have stored is refused whole.
    CalibrationStruct record = Calibration;
    if (bytes.size() != sizeof record || !ReadCalibrationRecord(bytes.data(), bytes.size(), record))
        return nullptr;
    Calibration = record;
    ComputeCalibrationRatio(Calibration);
    ApplySettings(RefreshKind::RecomputeHistory);
    return Answer(DDE_FACK);
}

HDDEDATA TMainWin::DdePokeWave(HDDEDATA data)
{
    if (OpMode != RealTime) return Answer(DDE_FBUSY);
    // Without the Real Time wave buffer there is nowhere to keep a poked
    // recording: the one open stays.
    if (!data || FileIO.RealTimeWaveBufferEnableFlag != 1) return nullptr;
    const std::vector<uint8_t> bytes = PokedBytes(data);
    const TPokedSamples samples(bytes.data(), bytes.size());
    const uint32_t frames = samples.FrameCount(Settings.Format);
    if (!frames) return nullptr;
    // A running capture would write on into the new recording.
    if (RunState != Stopped) StopAnalyzer();

    // The new recording is made whole before it replaces the open one.
    const char* folder = ConfiguredFolders[WavFolder];
    std::unique_ptr<TWaveFile> wave;
    try {
        wave = FileIO.WaveFileMode == 0 ? std::make_unique<TWaveFile>(frames, Settings.Format, folder)
                                        : std::make_unique<TWaveFile>(Settings.Format, 0, folder);
    } catch (const std::bad_alloc&) {
        TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgOk);
        return nullptr;
    }
    const std::vector<uint8_t> frameBytes = samples.Frames(Settings.Format);
    if (wave->Error || !wave->WriteStream(frameBytes.data(), uint32_t(frameBytes.size()))) return nullptr;
    ReplaceWave(std::move(wave));
    WaveFile->RefreshSummary();
    ApplyWaveCalibration();

    if (TSeriesPlot* series = TimeSeriesView()) {
        series->UpdateSelectButton();
        PokedBlockShown = 0;
        series->SetTimeRange(0.0f, 999999.875f);
        series->UpdateLayout();
    }
    for (TSpectrogram* view : SpectrogramViews())
        if (view) view->UpdateToolButton();
    for (TSurfacePlot* view : SurfaceViews())
        if (view) view->UpdateToolButton();
    return Answer(DDE_FACK);
}
