#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/AnalysisSettingsStruct.h"
#include "engine/CalibrationStruct.h"
#include "engine/DisplaySettingsStruct.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/LeqSettings.h"

// Equivalent-level statistics of one channel: six spectral engines (one per
// figure group, each with its own weighting and averaging) run on the same
// 8192-sample blocks, and three rings of per-block levels give the peak,
// extreme and percentile figures. Feed blocks with AddSpectrum, set the
// elapsed time from outside, Compute when figures are wanted, Reset to start
// a new collection.
class TLeqData {
public:
    static constexpr uint32_t BlockSize = 8192;
    // Ten days of blocks at 48 kHz with 50 % overlap: what the Leq window keeps.
    static constexpr int32_t WindowCapacity = 864000;

    enum Group { LeqTGroup = 0, LeqGroup, LselGroup, LpkGroup, LmaxminGroup, LstatsGroup, GroupCount };
    enum AveragingCode : uint16_t { AverageOff = 0, AverageFast, AverageMedium, AverageSlow, AverageForever };

    struct Results {
        float LeqT = 0.0f;
        float Leq = 0.0f;
        float Lsel = 0.0f;
        float Lpk = 0.0f;
        float Lmax = 0.0f;
        float Lmin = 0.0f;
        float L10 = 0.0f;
        float L50 = 0.0f;
        float L90 = 0.0f;
    };

    // Averaging code to block-count factor; unknown codes average nothing.
    static float LeqAveragingFactor(uint16_t code);
    // The weighting and averaging codes of a group in a settings record.
    static uint16_t GroupWeighting(const LeqSettings& settings, Group group);
    static uint16_t GroupAveraging(const LeqSettings& settings, Group group);

    // The copied text of one channel's figures with their weighting units
    // ("Left Channel" or "Right Channel" first).
    static std::string ReportText(const Results& results, const LeqSettings& settings, bool right);

    // calibration may be null; capacity is the number of blocks the rings hold.
    TLeqData(const LeqSettings& settings, const AnalysisSettingsStruct& analysis, const DisplaySettingsStruct& display,
             const CalibrationChannel* calibration, float elapsedSeconds, int32_t capacity);
    TLeqData(const TLeqData&) = delete;
    TLeqData& operator=(const TLeqData&) = delete;

    // False when an engine, the window or a ring could not be had: then
    // AddSpectrum and Compute do nothing.
    bool IsReady() const { return Ready; }

    // Channel 0 of the first BlockSize samples of block.
    void AddSpectrum(const TSeriesData& block);
    void Compute();
    void Reset();
    void SetElapsedTime(float seconds) { ElapsedSeconds = seconds; }

    float GetElapsedTime() const { return ElapsedSeconds; }
    int32_t GetCount() const { return Count; }
    int32_t GetCapacity() const { return Capacity; }
    const Results& GetResults() const { return Figures; }
    const LeqSettings& GetSettings() const { return Settings; }

private:
    float GroupPower(Group group);
    void ComputeRingFigures();

    LeqSettings Settings;
    TSmoothing Window;
    std::array<std::unique_ptr<TSpectralData>, GroupCount> Engines;
    std::vector<float> PeakRing;
    std::vector<float> MaxMinRing;
    std::vector<float> StatsRing;
    std::vector<float> Sorted;
    float ElapsedSeconds;
    int32_t WritePosition = 0;
    int32_t Count = 0;
    int32_t Capacity;
    bool Ready = false;
    Results Figures;
};
