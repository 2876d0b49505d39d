#include "engine/TSpectrumPipeline.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "resources/StringIds.h"

namespace {

using Computation = TChannelProcessing::Computation;

enum AverageSpeed : uint16_t { SpeedOff = 0, SpeedFast = 1, SpeedMedium = 2, SpeedSlow = 3, SpeedForever = 4 };

template <size_t N> void CopyText(char (&target)[N], const char* text)
{
    std::snprintf(target, N, "%s", text);
}

}

TSpectrumPipeline::TSpectrumPipeline(const AnalysisSettingsStruct& settings, const DisplaySettingsStruct* scaling,
                                     const CalibrationStruct& calibration)
    : Settings(settings), Scaling(scaling), Calibration(calibration)
{
}

TSpectrumPipeline::~TSpectrumPipeline() = default;

void TSpectrumPipeline::Free()
{
    PrimaryResult = SecondaryResult = nullptr;
    for (auto& engine : Engines) engine.reset();
}

bool TSpectrumPipeline::Create(EngineIndex index, const DisplaySettingsStruct& display, uint32_t loadCompensation,
                               const CalibrationChannel& calibration)
{
    std::unique_ptr<TSpectralData> engine(new (std::nothrow) TSpectralData(Settings, display, loadCompensation));
    if (!engine || engine->Error) return false;
    engine->SetCalibration(&calibration);
    Engines[index] = std::move(engine);
    return true;
}

bool TSpectrumPipeline::Build()
{
    Free();
    const TChannelProcessing::Row& row = TChannelProcessing::Of(Mode());
    // The channels' engines load their microphone compensation; derived results have none.
    if (!Create(LeftEngine, Scaling[0], 1, Calibration.Left)) return false;
    PrimaryResult = Left();
    if (Settings.Format.NumChannels == 2) {
        if (!Create(RightEngine, Scaling[1], 1, Calibration.Right)) return false;
        SecondaryResult = Right();
    }
    CalibrationChannel derived;
    if (row.NeedsCombined) {
        BuildDerivedCalibration(row.CombinedUnits, Calibration.Left, derived);
        if (!Create(CombinedEngine, Scaling[0], 0, derived)) return false;
    }
    if (row.NeedsAux) {
        BuildDerivedCalibration(TChannelProcessing::DerivedUnits::CoherenceUnits, Calibration.Left, derived);
        if (!Create(AuxEngine, Scaling[0], 0, derived)) return false;
    }
    NameResults(row);
    return true;
}

TSpectralData* TSpectrumPipeline::ResultOf(TChannelProcessing::Result result) const
{
    switch (result) {
    case TChannelProcessing::Result::Left: return Left();
    case TChannelProcessing::Result::Right: return Right();
    case TChannelProcessing::Result::Combined: return Combined();
    case TChannelProcessing::Result::Aux: return Aux();
    default: return nullptr;
    }
}

void TSpectrumPipeline::NameResults(const TChannelProcessing::Row& row)
{
    const char* first = row.Swapped ? Calibration.Right.ChannelName : Calibration.Left.ChannelName;
    const char* second = row.Swapped ? Calibration.Left.ChannelName : Calibration.Right.ChannelName;
    auto print = [&](const TChannelProcessing::Label& label, std::string& text) {
        if (!label.Format) return;
        using Names = TChannelProcessing::Names;
        const char* a = label.Arguments == Names::None ? "" : label.Arguments == Names::Second ? second : first;
        const char* b = label.Arguments == Names::FirstSecond ? second : "";
        char buffer[LabelSize];
        std::snprintf(buffer, sizeof buffer, label.Format, a, b);
        text = buffer;
    };
    print(row.PrimaryLabel, PrimaryText);
    print(row.SecondaryLabel, SecondaryText);
    PrimaryResult = ResultOf(row.Primary);
    SecondaryResult = ResultOf(row.Secondary);
    // When both results are one engine, the secondary label is the one it keeps.
    if (PrimaryResult) PrimaryResult->SetLabel(PrimaryText.c_str());
    if (SecondaryResult) SecondaryResult->SetLabel(SecondaryText.c_str());
}

void TSpectrumPipeline::AdoptWindow(std::unique_ptr<TSmoothing> window)
{
    Taper = std::move(window);
}

void TSpectrumPipeline::ShapeWindow(float kaiserAlpha)
{
    if (!Taper)
        Taper = std::make_unique<TSmoothing>(Settings.FFTsize, Settings.SmoothingWindow);
    else
        Taper->SetLengthAndType(Settings.FFTsize, Settings.SmoothingWindow);
    if (Settings.SmoothingWindow == TSmoothing::Kaiser) Taper->SetKaiserParameter(kaiserAlpha);
}

bool TSpectrumPipeline::Compute(const TEngines& e)
{
    const TChannelProcessing::Row& row = TChannelProcessing::Of(Mode());
    if (!e.Left || !Taper || (row.NeedsRight && !e.Right) || (row.NeedsCombined && !e.Combined)
        || (row.NeedsAux && !e.Aux))
        return false;

    auto prepare = [&](TSpectralData* x, const DisplaySettingsStruct& display) {
        if (Taper->GetLength() != x->GetFFTSize()) Taper->SetLengthAndType(x->GetFFTSize(), Settings.SmoothingWindow);
        Taper->Apply(x->GetFFTBuffer(), display.FreqScaleType, display.SpectralDensityFlag);
        x->ComputeSpectrum();
    };
    auto prepareBoth = [&] {
        prepare(e.Left, Scaling[0]);
        prepare(e.Right, Scaling[1]);
    };
    auto averageBoth = [&] {
        e.Left->Average(0);
        e.Right->Average(0);
    };
    // With vector averaging a reference channel still averages power.
    auto vectorReset = [&](TSpectralData* x) {
        if (Settings.AverageType == TSpectralData::VectorAveraging) x->SetAveraging(float(Settings.AverageBlocks), 0);
    };
    auto spectrum = [](TSpectralData* x) { return x->GetSpectrumBuffer(); };
    auto averaged = [](TSpectralData* x) { return x->GetMagnitudes(); };
    auto averagedComplex = [](TSpectralData* x) { return x->GetAverageComplex(); };
    // The first channel's result over the second's, in the row's order.
    TSpectralData* a = row.Swapped ? e.Right : e.Left;
    TSpectralData* b = row.Swapped ? e.Left : e.Right;
    TSpectralData* combined = e.Combined;

    switch (row.Compute) {
    case Computation::Single:
        prepare(a, row.Swapped ? Scaling[1] : Scaling[0]);
        a->Average(0);
        a->UpdatePeakHold();
        break;
    case Computation::Both:
        for (TSpectralData* x : {e.Left, e.Right}) {
            prepare(x, x == e.Left ? Scaling[0] : Scaling[1]);
            x->Average(0);
            x->UpdatePeakHold();
        }
        break;
    case Computation::Average:
        prepare(e.Left, Scaling[0]);
        e.Left->Average(0);
        prepare(e.Right, Scaling[1]);
        e.Right->Average(0);
        combined->AverageChannels(spectrum(e.Left), spectrum(e.Right));
        combined->Average(0);
        combined->UpdatePeakHold();
        break;
    case Computation::RealTransfer:
        prepare(e.Left, Scaling[0]);
        e.Left->Average(0);
        prepare(e.Right, Scaling[1]);
        e.Right->Average(0);
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        combined->Average(0);
        combined->ComputeTransferRatio(averaged(a), averaged(b), averagedComplex(a), averagedComplex(b));
        combined->UpdatePeakHold();
        break;
    case Computation::Cross:
        prepareBoth();
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        combined->Average(0);
        combined->UpdatePeakHold();
        break;
    case Computation::ComplexTransfer:
        prepareBoth();
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        combined->Average(0);
        vectorReset(b);
        averageBoth();
        combined->ComputeTransferFromCross(averaged(b));
        combined->UpdatePeakHold();
        break;
    case Computation::Coherence:
        prepareBoth();
        combined->ComputeCrossSpectrum(spectrum(e.Left), spectrum(e.Right));
        combined->Average(1);
        vectorReset(e.Left);
        vectorReset(e.Right);
        averageBoth();
        combined->ComputeCoherence(averaged(e.Left), averaged(e.Right));
        combined->UpdatePeakHold();
        break;
    case Computation::TransferCoherence:
        prepareBoth();
        e.Aux->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        e.Aux->Average(0);
        vectorReset(e.Left);
        vectorReset(e.Right);
        averageBoth();
        e.Aux->ComputeCoherence(averaged(a), averaged(b));
        combined->ComputeCrossSpectrum(spectrum(a), spectrum(b));
        combined->Average(1);
        combined->ComputeTransferFromCross(averaged(b));
        combined->UpdatePeakHold();
        break;
    case Computation::None:
        break;
    }
    return true;
}

void TSpectrumPipeline::SetAveraging(float number, uint16_t type)
{
    for (auto& engine : Engines)
        if (engine) engine->SetAveraging(number, type);
}

void TSpectrumPipeline::RestoreAveraging()
{
    SetAveraging(float(Settings.AverageBlocks), Settings.AverageType);
}

void TSpectrumPipeline::ResetAveraging()
{
    for (auto& engine : Engines)
        if (engine) engine->ResetAll();
}

void TSpectrumPipeline::SetPeakHold(uint16_t mode)
{
    // The auxiliary engine's coherence holds no peaks.
    for (TSpectralData* engine : {Left(), Right(), Combined()})
        if (engine) engine->SetPeakHoldMode(mode);
}

float TSpectrumPipeline::TimedAveragingNumber(uint16_t speed, float dt, uint16_t mode)
{
    switch (speed) {
    case SpeedOff:
        // Coherence needs more than one block even without averaging.
        return TChannelProcessing::Of(mode).CoherenceIn != TChannelProcessing::CoherencePane::None ? 1.1f : 1.0f;
    case SpeedFast: return 1.8f * (0.1f / dt);
    case SpeedMedium: return 2.7097f * (0.1f / dt);
    case SpeedSlow: return 11.365f * (0.1f / dt);
    case SpeedForever: return 100000.0f;
    default: return 1.0f;
    }
}

void TSpectrumPipeline::BuildDerivedCalibration(TChannelProcessing::DerivedUnits units, const CalibrationChannel& left,
                                                CalibrationChannel& block)
{
    using Units = TChannelProcessing::DerivedUnits;
    std::memset(&block, 0, sizeof block);
    block.IsEnabled = 1;
    block.RefLevel = 1.0f;
    block.ConversionType = 4;
    block.CalRatio = 1.0f;
    block.PctFullScale = 1.0f;
    CopyText(block.LabelLinear, IDS_UNIT_PERCENT_FULL_SCALE_TEXT);
    CopyText(block.LabelLog, IDS_UNIT_RELATIVE_DB_TEXT);
    switch (units) {
    case Units::AverageUnits:
    case Units::CrossUnits:
        if (left.IsEnabled) {
            block.ConversionType = left.ConversionType;
            std::memcpy(block.LabelLinear, left.LabelLinear, sizeof block.LabelLinear);
            std::memcpy(block.LabelLog, left.LabelLog, sizeof block.LabelLog);
        }
        break;
    case Units::TransferUnits:
        CopyText(block.LabelLinear, "Relative Gain");
        CopyText(block.LabelLog, "Relative Gain (dB)");
        break;
    case Units::CoherenceUnits:
        CopyText(block.LabelLinear, "Coherence");
        CopyText(block.LabelLog, "Coherence");
        break;
    case Units::None:
        break;
    }
}
