#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"

// The spectrum engine of one channel or of one two-channel result: scales a
// transformed block to display units, averages, holds peaks, folds bins into
// fractional-octave bands and answers the level and distortion questions of
// views, readouts, logs and DDE items.
//
// Complex spectra are B (real, imaginary) float pairs, B = N/2; pair 0 holds
// DC and Nyquist as the real FFT packs them. Power spectra are B floats.
// Queries with an index outside the arrays answer "no value" (0 for display
// values, -999.9 for dB and held values) rather than read past an array.
class TSpectralData {
public:
    static constexpr float NoLevel = -999.9f;
    static constexpr float NoWeightedPower = -999.0f;
    static constexpr uint32_t MaxStoredSpectra = 1000;
    static constexpr uint32_t MaxCompensationPoints = 524288;
    // The FFT sizes the program analyses with: powers of two in this range.
    static constexpr uint32_t MinFFTSize = 32;
    static constexpr uint32_t MaxFFTSize = 1048576;
    static bool IsValidFFTSize(uint32_t n) { return n >= MinFFTSize && n <= MaxFFTSize && (n & (n - 1)) == 0; }
    // Peak-hold modes: off, fast, medium, slow, forever.
    static constexpr uint16_t PeakHoldModeCount = 5;
    enum AveragingType : uint16_t { ExponentialAveraging = 0, LinearAveraging = 1, VectorAveraging = 2 };
    static bool IsValidAveragingType(uint16_t type) { return type <= VectorAveraging; }

    enum CurveSlot { SpectrumCurve = 0, CurveA = 1, CurveB = 2, CurveC = 3 };
    enum Weighting : int16_t { WeightNone = 0, WeightA = 1, WeightB = 2, WeightC = 3, WeightAsDisplayed = 99 };

    // Laid out as the (x, y) float pairs that TSpline reads.
    struct FreqPoint {
        float Frequency;
        float Level;
    };
    static_assert(sizeof(FreqPoint) == 2 * sizeof(float));

    TSpectralData(const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& display, uint32_t loadCompensation);
    ~TSpectralData();
    TSpectralData(const TSpectralData&) = delete;
    TSpectralData& operator=(const TSpectralData&) = delete;

    // 0; 1 after an unusable FFT size or a failed allocation.
    uint32_t Error = 0;

    // Settings and calibration.
    void ApplyDisplaySettings(const DisplaySettingsStruct& display, uint32_t loadCompensation);
    void SetCalibration(const CalibrationChannel* block);
    void SetLabel(const char* text);
    const char* GetLabel() const { return Label; }
    const char* GetAmplitudeUnitName() const;

    // Transform.
    void SetTimeSample(uint32_t index, float value);
    void ClearTimeBuffer(uint32_t from, uint32_t to);
    void ComputeSpectrum();
    void InverseTransform();
    void SpectrumToTimeBuffer();

    // Averaging and peak hold.
    void SetAveraging(float number, uint32_t type);
    void Average(uint32_t normaliseBands);
    void UpdatePeakHold();
    void SetPeakHoldMode(uint16_t mode);
    void ResetAverages();
    void ResetPeakHold();
    void ResetAll();
    uint32_t GetPeakIndex() const;
    float GetPeakFrequency() const;
    float GetOverallLevel() const { return OverallLevel; }
    float GetOverallLevelPeak() const { return OverallLevelPeak; }
    float GetPeakHoldValue(int index) const;
    float GetPeakHoldMax(int first, int last) const;
    float GetPeakHoldMaxFrequency(int first, int last) const;

    // Display values, frequencies and indexes (bins, or bands in band mode).
    float GetDisplayValue(int index) const;
    float GetPhase(int index) const;
    float GetFrequency(int index) const;
    int GetIndex(float frequency) const;
    float BinToFrequency(uint32_t bin) const;
    uint32_t FrequencyToBin(float frequency) const;
    float GetNyquist() const { return Nyquist; }
    float GetBinWidth() const { return BinWidth; }
    uint32_t GetFFTSize() const { return FFTSize; }
    uint16_t GetAmplitudeScale() const { return static_cast<uint16_t>(AmplitudeScale); }
    uint16_t GetFrequencyScale() const { return static_cast<uint16_t>(FrequencyScale); }
    float GetLowFrequency() const;
    float GetHighFrequency() const;
    int GetLowIndex() const;
    int GetHighIndex() const;
    int GetIndexCount() const;

    // Arrays (nullptr when absent). The FFT and spectrum buffers are the time
    // buffer, which holds the scaled spectrum after ComputeSpectrum.
    float* GetFFTBuffer() { return Data(TimeBuffer); }
    float* GetSpectrumBuffer() { return Data(TimeBuffer); }
    float* GetAverageComplex() { return Data(AveragedComplex); }
    float* GetMagnitudes() { return Data(Averaged); }
    float* GetInverseBuffer() { return Data(InverseOutput); }
    float GetInverseSample(uint32_t index) const;

    static float PowerToDB(float power);
    static float AmplitudeToDB(float amplitude);
    static float DBToPower(float dB);
    static float DBToAmplitude(float dB);

    // Bands, weighting and microphone compensation.
    static float NominalBandCentre(float frequency, uint32_t octaveFraction);
    float NominalBandCentre(float frequency) const { return NominalBandCentre(frequency, OctaveFraction); }
    void ComputeBands(uint32_t normalise);
    uint32_t GetBandCount() const { return BandCount; }
    float GetBandCentre(int band) const;
    float GetBandExactCentre(int band) const;
    float GetBandLowerEdge(int band) const;
    float GetBandUpperEdge(int band) const;
    int FrequencyToBand(float frequency) const;
    int GetFirstUsableBand() const;
    int GetLastBand() const;
    void BuildWeightingCurve(CurveSlot slot, uint16_t type);
    void InterpolatePoints(const FreqPoint* points, uint32_t count, float* output, uint32_t splineMode) const;
    void LoadMicCompensation(const char* fileName, uint32_t option);
    uint32_t ReadCompensationFile(const char* fileName, float* output) const;
    bool HasCompensation() const { return !Compensation.empty(); }
    const float* GetWeightingCurve(CurveSlot slot) const { return Curves[slot].empty() ? nullptr : Curves[slot].data(); }
    void SmoothSpectrum(int width);

    // Level and distortion measures.
    float ComputeTotalPower(int first, int last, uint32_t scale, int16_t weighting);
    float WindowPowerCorrection() const;
    float ComputeTHD() const;
    float ComputeTHDN() const;
    float ComputeIMD() const;
    float ComputeSNR() const;
    float ComputeSINAD() const;
    float ComputeSFDR() const;
    void FindNthPeak(int first, int last, float* frequency, float* value, int rank) const;
    float FindNthPeakInRange(float firstHz, float lastHz, int rank, uint32_t peakHold) const;
    void FindMinimum(int first, int last, float* frequency, float* value) const;
    float RangeMaxValue(int first, int last) const;
    // Older name used by some callers.
    float RangeMaxIndex(int first, int last) const { return RangeMaxValue(first, last); }
    // The -3 dB width around the range's largest peak; 0 when either edge lies
    // outside the range (or there is no spectrum), never negative.
    float ComputeBandwidth(float firstHz, float lastHz, uint32_t peakHold) const;
    float ComputeQFactor(float firstHz, float lastHz, uint32_t peakHold) const;
    float PowerAtFrequency(float frequency) const;
    // The power of the largest local peak and the summed power of the ten
    // next ones: spurs, not the noise between them; false without an
    // averaged spectrum.
    bool SignalAndLargestSpurs(double& signal, double& spurs) const;
    void FindPeakSkirt(uint32_t peakBin, uint32_t* firstBin, uint32_t* lastBin) const;

    // Two-channel results.
    void AverageChannels(const float* a, const float* b);
    void ComputeCrossSpectrum(const float* a, const float* b);
    void ComputeTransferRatio(const float* numerator, const float* denominator, const float* complexA, const float* complexB);
    void ComputeTransferFromCross(const float* reference);
    void ComputeCoherence(const float* powerA, const float* powerB);
    static void MultiplyConjugate(const float* a, const float* b, float* out);
    static float PowerOf(float re, float im) { return re * re + im * im; }
    static float ComputePhase(float re, float im);

    // Memory held by the arrays and the averaging ring, in bytes.
    size_t MemoryInUse() const;

private:
    struct Band {
        float ExactCentre;
        float NominalCentre;
        float LowerEdge;
        float UpperEdge;
    };
    struct BandEdge {
        uint32_t FirstBin;
        float FirstWeight;
        uint32_t LastBin;
        float LastWeight;
    };
    // Expiry in seconds of a clock that does not wrap (infinite: never expires).
    struct HeldPeak {
        float Value;
        double Expiry;
    };
    static float* Data(std::vector<float>& v) { return v.empty() ? nullptr : v.data(); }
    bool Allocate(std::vector<float>& v, size_t size, float fill);
    void ReportNoMemory();
    // Fills a table; on failure reports it, sets Error and leaves the table absent.
    template <typename T> bool AllocateTable(std::vector<T>& v, size_t size, const T& fill)
    {
        v.clear();
        try {
            v.assign(size, fill);
            return true;
        } catch (const std::exception&) {
            v = std::vector<T>();
            ReportNoMemory();
            return false;
        }
    }
    void AllocateBuffers();
    void BuildScaleTable();
    void AllocateLinearStorage();
    bool AllocateRingSlot(uint32_t slot);
    bool Calibrated() const { return Calibration.IsEnabled != 0; }
    bool AnyResultFlag() const { return TransferFlag || TransferFromCrossFlag || CoherenceFlag; }
    float RefUnitsOffset() const;
    // True when every bin's display value is its level in DBArray plus
    // offset (narrowband dB of a power or amplitude spectrum): loops over
    // many bins then read the array instead of calling GetDisplayValue.
    bool BinLevelsShown(float& offset) const;
    float DisplayValueToPower(float value) const;
    void BuildBandTable();
    void BuildBandEdgeBins();
    double PeakHoldClock() const;
    void FindPeakBins(int first, int last, int rank, uint32_t found[11]) const;
    // Powers of the averaged spectrum for the distortion measures: the
    // fundamental over its skirt, every other bin of the analysed range
    // (DC excluded), and the harmonics over their skirts above the noise.
    struct DistortionPowers {
        double Fundamental = 0.0;
        double Residual = 0.0;
        double Harmonics = 0.0;
    };
    bool MeasureDistortion(DistortionPowers& powers) const;
    double SkirtPower(uint32_t first, uint32_t last) const;
    void FindNthPeakBands(int first, int last, float* frequency, float* value, int rank) const;
    void StoreResultDB();
    void RunningAverage(const float* spectrum, uint32_t count, double c);
    // The dB array from the first count bins of the averaged spectrum.
    void StoreBinLevels(uint32_t count);
    // Sum of the displayed amplitudes squared over bins first .. last, when
    // they are the averaged powers' levels; -1 when the sum needs them one by one.
    double DisplayedPowerSum(int first, int last) const;

    // Arrays; empty when absent.
    std::vector<float> TimeBuffer;
    std::vector<float> AveragedComplex;
    std::vector<float> Averaged;
    std::vector<float> DBArray;
    // The dB array holds the levels of the averaged spectrum (not smoothed ones).
    bool BinLevelsOfAverage = true;
    std::vector<Band> Bands;
    std::vector<float> BandValues;
    std::vector<BandEdge> BandEdges;
    std::vector<float> Curves[4];
    std::vector<float> Compensation;
    std::vector<float> InverseOutput;
    std::vector<float> ScaleTable;
    std::vector<HeldPeak> PeakHold;
    char Label[80] = {};
    // Linear-averaging ring: one entry per slot, each allocated on first use.
    std::vector<std::unique_ptr<float[]>> StoredPower;
    std::vector<std::unique_ptr<float[]>> StoredComplex;

    uint32_t AverageType = 0;
    float AverageNumber = 1.0f;
    int32_t AverageCount = 0;
    uint32_t RingSlot = 0;
    uint32_t FFTSize = 0;
    float FullScale = 1.0f;
    uint32_t Bins = 0;
    uint32_t BandCount = 0;
    float Nyquist = 0.0f;
    float LowFrequency = 0.0f;
    float HighFrequency = 0.0f;
    float BinWidth = 0.0f;
    uint32_t AmplitudeScale = 0;
    uint32_t FrequencyScale = 0;
    uint32_t OctaveFraction = 1;
    uint16_t SpectrumWeighting = 0;
    uint16_t OverallWeighting = 0;
    uint16_t WindowType = 0;
    float WindowPowerFromTable = 1.0f;
    float PSDDivisor = 1.0f;
    uint32_t PSDFlag = 0;
    uint32_t PSDUnits = 0;
    float ReferenceFactor = 1.0f;
    CalibrationChannel Calibration{};
    uint32_t PeakBin = 0;
    uint16_t PeakHoldMode = 0;
    float OverallLevel = NoLevel;
    float OverallLevelPeak = NoLevel;
    double OverallLevelPeakExpiry = 0.0;
    uint32_t TransferFlag = 0;
    uint32_t TransferFromCrossFlag = 0;
    uint32_t MagnitudeAveragingFlag = 0;
    uint32_t CoherenceFlag = 0;
};
