#include "engine/TSpectralData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "engine/FFT.h"
#include "base/TEngineHost.h"
#include "engine/TSmoothing.h"
#include "resources/StringIds.h"

namespace {

constexpr double kPi = 3.141592654;
constexpr double kRadiansToDegrees = 57.2957795056;
constexpr double kGravityFeet = 32.174;

double ConversionFactor(uint32_t conversionType)
{
    switch (conversionType) {
    case 1: case 4: return kGravityFeet;
    case 2: case 5: return 12.0 * kGravityFeet;
    case 3: case 6: return 304.8 * kGravityFeet;
    case 7: case 8: return 1000.0 * 12.0 * kGravityFeet;
    default: return 1.0;
    }
}

void CopyText(char* destination, size_t size, const char* text)
{
    std::strncpy(destination, text, size - 1);
    destination[size - 1] = '\0';
}

}  // namespace

TSpectralData::TSpectralData(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& display,
                             uint32_t loadCompensation)
{
    FullScale = static_cast<float>(analysis.Format.FullScale());
    FFTSize = analysis.FFTsize;
    // The real FFT works on powers of two only; anything else would read past the buffers.
    if (!IsValidFFTSize(FFTSize)) {
        Error = 1;
        return;
    }
    Bins = FFTSize / 2;
    const uint16_t ratio = analysis.DecimationRatio ? analysis.DecimationRatio : 1;
    Nyquist = static_cast<float>(analysis.Format.SamplingRate * static_cast<double>(analysis.SamplingRateCorrectionFactor)
                                 * 0.5 / ratio);
    BinWidth = Nyquist / Bins;
    LowFrequency = BinToFrequency(2);
    HighFrequency = 0.99f * Nyquist;
    SetCalibration(nullptr);

    AverageType = analysis.AverageType;
    AverageNumber = static_cast<float>(analysis.AverageBlocks);
    AverageCount = 0;
    AllocateLinearStorage();

    WindowType = analysis.SmoothingWindow;
    if (WindowType == TSmoothing::Parzen || WindowType == TSmoothing::Gaussian) {
        // These windows' power correction follows from their own coefficients: mean^2 / mean of squares.
        TSmoothing window(FFTSize, WindowType);
        const double ratioOfFactors = window.CorrectionFactor(2) / window.CorrectionFactor(1);
        WindowPowerFromTable = static_cast<float>(ratioOfFactors * ratioOfFactors);
    }
    PeakHoldMode = analysis.PeakHold;
    PeakBin = 0;
    OverallLevel = NoLevel;
    OverallLevelPeak = NoLevel;
    OverallLevelPeakExpiry = 0.0;

    ApplyDisplaySettings(display, loadCompensation);
    AllocateBuffers();
    BuildScaleTable();
}

TSpectralData::~TSpectralData() = default;

bool TSpectralData::Allocate(std::vector<float>& v, size_t size, float fill)
{
    return AllocateTable(v, size, fill);
}

void TSpectralData::ReportNoMemory()
{
    TEngineHost::Get().ShowMessage(IDS_NO_MEMORY_TEXT, "", TEngineHost::MsgIconStop);
    Error = 1;
}

void TSpectralData::ApplyDisplaySettings(const DisplaySettingsStruct& display, uint32_t loadCompensation)
{
    AmplitudeScale = display.AmpScaleType;
    FrequencyScale = display.FreqScaleType;
    OctaveFraction = display.OctaveNumber ? display.OctaveNumber : 1;
    SpectrumWeighting = display.StandardWeighting;
    OverallWeighting = display.TotalPowerWeighting;
    if (loadCompensation)
        LoadMicCompensation(display.MicCompFilename, display.MicCompEnable);
    BuildWeightingCurve(SpectrumCurve, SpectrumWeighting);
    PSDFlag = display.SpectralDensityFlag;
    PSDUnits = display.SpectralDensityType;
    PSDDivisor = (PSDFlag == 1 && FrequencyScale != DisplaySettingsStruct::OctaveBands && BinWidth > 0.0f) ? std::sqrt(BinWidth) : 1.0f;
    BuildScaleTable();
}

void TSpectralData::AllocateBuffers()
{
    if (Error)
        return;
    const bool ok = Allocate(TimeBuffer, FFTSize, 0.0f) && Allocate(AveragedComplex, 2 * size_t{Bins}, 0.0f)
                    && Allocate(Averaged, Bins, 0.0f) && Allocate(ScaleTable, Bins, 0.0f)
                    && (AmplitudeScale != DisplaySettingsStruct::DecibelAmplitude || Allocate(DBArray, Bins, NoLevel));
    if (!ok)
        return;
    // The transform's tables are built here, where a failure can be reported.
    if (!PrepareRealFFT(static_cast<int>(FFTSize))) {
        ReportNoMemory();
        return;
    }
    const HeldPeak cleared{NoLevel, 0.0};
    if (FrequencyScale != DisplaySettingsStruct::OctaveBands) {
        AllocateTable(PeakHold, Bins, cleared);
        return;
    }
    BuildBandTable();
    BuildBandEdgeBins();
    if (!Error && Allocate(BandValues, BandCount, NoLevel))
        AllocateTable(PeakHold, BandCount, cleared);
}

void TSpectralData::SetCalibration(const CalibrationChannel* block)
{
    if (block && block->IsEnabled) {
        Calibration = *block;
        ReferenceFactor = static_cast<float>(Calibration.CalRatio * ConversionFactor(Calibration.ConversionType));
    } else {
        std::memset(&Calibration, 0, sizeof Calibration);
        Calibration.RefLevel = 1.0f;
        Calibration.RefType = 0;
        Calibration.RefUnits = 4;
        CopyText(Calibration.LabelLinear, sizeof Calibration.LabelLinear, IDS_UNIT_PERCENT_FULL_SCALE_TEXT);
        CopyText(Calibration.LabelLog, sizeof Calibration.LabelLog, IDS_UNIT_RELATIVE_DB_TEXT);
        Calibration.LabelType = 0;
        Calibration.PctFullScale = 1.0f;
        Calibration.CalRatio = 1.0f;
        ReferenceFactor = 1.0f;
    }
    BuildScaleTable();
}

void TSpectralData::BuildScaleTable()
{
    if (ScaleTable.empty())
        return;
    double s = ReferenceFactor / (static_cast<double>(FFTSize) * FullScale) / PSDDivisor;
    if (Calibration.LabelType == 1)
        s *= 0.7071067811865;
    else if (Calibration.LabelType == 2)
        s *= 2.0;
    const float* weighting = GetWeightingCurve(SpectrumCurve);
    for (uint32_t k = 0; k < Bins; ++k) {
        double value = s;
        if (weighting)
            value *= weighting[k];
        if (!Compensation.empty())
            value /= Compensation[k];
        const double f = BinToFrequency(k);
        if (Calibration.IntegrationType == 1 && f > 0.0001)
            value /= 2.0 * kPi * f;
        else if (Calibration.IntegrationType == 2 && f > 0.0001)
            value /= (2.0 * kPi * f) * (2.0 * kPi * f);
        ScaleTable[k] = static_cast<float>(value);
    }
}

void TSpectralData::SetLabel(const char* text)
{
    CopyText(Label, sizeof Label, text ? text : "");
}

const char* TSpectralData::GetAmplitudeUnitName() const
{
    return AmplitudeScale == DisplaySettingsStruct::LinearAmplitude ? Calibration.LabelLinear : Calibration.LabelLog;
}

void TSpectralData::SetTimeSample(uint32_t index, float value)
{
    if (index < TimeBuffer.size())
        TimeBuffer[index] = value;
}

void TSpectralData::ClearTimeBuffer(uint32_t from, uint32_t to)
{
    to = std::min<uint32_t>(to, static_cast<uint32_t>(TimeBuffer.size()));
    for (uint32_t i = from; i < to; ++i)
        TimeBuffer[i] = 0.0f;
}

void TSpectralData::ComputeSpectrum()
{
    if (TimeBuffer.empty())
        return;
    InverseOutput = std::vector<float>();
    RealFFT(TimeBuffer.data(), static_cast<int>(FFTSize), 1);
    for (uint32_t k = 0; k < Bins; ++k) {
        TimeBuffer[2 * k] *= ScaleTable[k];
        TimeBuffer[2 * k + 1] *= ScaleTable[k];
    }
}

void TSpectralData::InverseTransform()
{
    if (Averaged.empty() || AveragedComplex.empty())
        return;
    InverseOutput = std::vector<float>();
    const uint32_t previousError = Error;
    if (!Allocate(InverseOutput, FFTSize, 0.0f)) {
        Error = previousError;  // a missing inverse leaves the rest of the object usable
        return;
    }
    for (uint32_t k = 0; k < Bins; ++k) {
        const float p = Averaged[k];
        const double m = p > 0.0f ? std::sqrt(p) : p;
        const double phase = ComputePhase(AveragedComplex[2 * k], AveragedComplex[2 * k + 1]);
        InverseOutput[2 * k] = static_cast<float>(m * std::cos(phase));
        InverseOutput[2 * k + 1] = static_cast<float>(m * std::sin(phase));
    }
    RealFFT(InverseOutput.data(), static_cast<int>(FFTSize), -1);
    for (uint32_t k = 0; k < Bins; ++k) {
        if (ScaleTable[k] != 0.0f) {
            InverseOutput[2 * k] /= ScaleTable[k];
            InverseOutput[2 * k + 1] /= ScaleTable[k];
        }
    }
}

void TSpectralData::SpectrumToTimeBuffer()
{
    if (Averaged.empty() || AveragedComplex.empty() || TimeBuffer.empty())
        return;
    std::vector<float> values;
    try {
        values.resize(Bins);
    } catch (const std::exception&) {
        return;
    }
    for (uint32_t k = 0; k < Bins; ++k)
        values[k] = GetDisplayValue(static_cast<int>(k));
    ResetAll();
    const uint32_t first = FFTSize / 4 + 4;
    const uint32_t last = 3 * FFTSize / 4 - 4;
    for (uint32_t i = first, j = 0; i <= last && i < FFTSize && j < Bins; ++i, ++j)
        TimeBuffer[i] = values[j];
}

float TSpectralData::GetInverseSample(uint32_t index) const
{
    return index < InverseOutput.size() ? InverseOutput[index] : 0.0f;
}

float TSpectralData::RefUnitsOffset() const
{
    switch (Calibration.RefUnits) {
    case 2: case 8: return 93.9794f;
    case 10: case 11: return 120.0f;
    case 9: return 170.752f;
    case 7: return 2.213966f;
    default: return 0.0f;
    }
}

bool TSpectralData::BinLevelsShown(float& offset) const
{
    offset = Calibrated() && !AnyResultFlag() ? RefUnitsOffset() : 0.0f;
    return FrequencyScale != DisplaySettingsStruct::OctaveBands
           && AmplitudeScale == DisplaySettingsStruct::DecibelAmplitude && !PSDFlag && !CoherenceFlag
           && !Averaged.empty() && DBArray.size() >= Bins;
}

float TSpectralData::GetDisplayValue(int index) const
{
    if (index < 0)
        return 0.0f;
    const uint32_t i = static_cast<uint32_t>(index);
    const bool offset = Calibrated() && !AnyResultFlag();
    if (FrequencyScale != DisplaySettingsStruct::OctaveBands) {
        if (i >= Bins || Averaged.empty())
            return 0.0f;
        const float p = Averaged[i];
        float v;
        if (AmplitudeScale == DisplaySettingsStruct::LinearAmplitude) {
            if (PSDFlag)
                v = PSDUnits == 1 ? (p > 0.0f ? std::sqrt(p) : 0.0f) : p;
            else
                v = p > 0.0f ? std::sqrt(p) : 0.0f;
            if (!Calibrated() && !CoherenceFlag)
                v *= 100.0f;
            return v;
        }
        if (DBArray.empty())
            return 0.0f;
        // A power density is a power: 10 log10 in either density unit.
        v = PSDFlag ? PowerToDB(p) : DBArray[i];
        if (offset)
            v += RefUnitsOffset();
        if (CoherenceFlag && p > 0.0f)
            v = std::sqrt(p);
        return v;
    }
    if (i >= BandCount || BandValues.empty())
        return 0.0f;
    float v = BandValues[i];
    if (offset)
        v += RefUnitsOffset();
    if (AmplitudeScale == DisplaySettingsStruct::DecibelAmplitude && !CoherenceFlag)
        return v;
    if (!Calibrated() || AnyResultFlag()) {
        v = DBToAmplitude(v);
        if (!Calibrated() && !CoherenceFlag)
            v *= 100.0f;
        return v;
    }
    switch (Calibration.RefUnits) {
    case 2: case 8: return static_cast<float>(std::pow(10.0, 0.05 * v) * 1e-6 * 20.0);
    case 10: case 11: return static_cast<float>(std::pow(10.0, 0.05 * v) * 1e-6);
    case 9: return static_cast<float>(std::pow(10.0, 0.05 * v) * 1e-9 * 2.9);
    case 7: return static_cast<float>(std::pow(10.0, 0.05 * v) * 0.775);
    default: return DBToAmplitude(v);
    }
}

float TSpectralData::GetPhase(int index) const
{
    if (AveragedComplex.empty())
        return 0.0f;
    uint32_t bin = static_cast<uint32_t>(std::max(index, 0));
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands) {
        if (bin >= BandCount || Bands.empty())
            return 0.0f;
        bin = FrequencyToBin(Bands[bin].NominalCentre);
    }
    if (bin >= Bins)
        return 0.0f;
    return static_cast<float>(ComputePhase(AveragedComplex[2 * bin], AveragedComplex[2 * bin + 1]) * kRadiansToDegrees);
}

float TSpectralData::BinToFrequency(uint32_t bin) const
{
    return bin >= Bins ? Nyquist : bin * BinWidth;
}

uint32_t TSpectralData::FrequencyToBin(float frequency) const
{
    if (Bins == 0 || !(frequency >= 0.0f))  // negative or NaN
        return 0;
    if (frequency > Nyquist)
        return Bins - 1;
    const double bin = std::trunc(frequency / static_cast<double>(BinWidth) + 0.5);
    return bin >= Bins - 1 ? Bins - 1 : static_cast<uint32_t>(bin);
}

float TSpectralData::GetFrequency(int index) const
{
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands)
        return GetBandCentre(index);
    return index < 0 ? 0.0f : BinToFrequency(static_cast<uint32_t>(index));
}

int TSpectralData::GetIndex(float frequency) const
{
    if (FrequencyScale == DisplaySettingsStruct::OctaveBands)
        return FrequencyToBand(frequency);
    return static_cast<int>(FrequencyToBin(frequency));
}

float TSpectralData::GetLowFrequency() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetBandLowerEdge(GetFirstUsableBand()) : LowFrequency;
}

float TSpectralData::GetHighFrequency() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetBandUpperEdge(GetLastBand()) : HighFrequency;
}

int TSpectralData::GetLowIndex() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetFirstUsableBand() : static_cast<int>(FrequencyToBin(LowFrequency));
}

int TSpectralData::GetHighIndex() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetLastBand() : static_cast<int>(FrequencyToBin(HighFrequency));
}

int TSpectralData::GetIndexCount() const
{
    return FrequencyScale == DisplaySettingsStruct::OctaveBands ? GetLastBand() - GetFirstUsableBand() : static_cast<int>(Bins);
}

float TSpectralData::ComputePhase(float re, float im)
{
    return (re == 0.0f && im == 0.0f) ? 0.0f : std::atan2(im, re);
}

size_t TSpectralData::MemoryInUse() const
{
    size_t bytes = sizeof *this;
    bytes += (TimeBuffer.capacity() + AveragedComplex.capacity() + Averaged.capacity() + DBArray.capacity()
              + BandValues.capacity() + Compensation.capacity() + InverseOutput.capacity() + ScaleTable.capacity())
             * sizeof(float);
    for (const auto& curve : Curves)
        bytes += curve.capacity() * sizeof(float);
    bytes += Bands.capacity() * sizeof(Band) + BandEdges.capacity() * sizeof(BandEdge)
             + PeakHold.capacity() * sizeof(HeldPeak);
    bytes += (StoredPower.capacity() + StoredComplex.capacity()) * sizeof(std::unique_ptr<float[]>);
    for (const auto& slot : StoredPower)
        bytes += slot ? Bins * sizeof(float) : 0;
    for (const auto& slot : StoredComplex)
        bytes += slot ? 2 * size_t{Bins} * sizeof(float) : 0;
    return bytes;
}
