#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "engine/AnalysisSettingsStruct.h"
#include "engine/TSpectralData.h"

// The processing settings dialog without its window: the lists it offers, the
// read-outs it computes from its fields, and OK's checks and stores on the
// texts and choices its controls hold. Messages carry the style of their box.
class TProcessingSettingsForm {
public:
    static constexpr int RateCount = 20;
    static constexpr uint32_t Rates[RateCount] = {4000,  5512,  6000,  8000,   11025,  12000,  16000,
                                                  22050, 24000, 32000, 44100,  48000,  50000,  64000,
                                                  88200, 96000, 100000, 176400, 192000, 200000};
    // One entry per FFT size the engine analyses with.
    static constexpr int FftSizeCount = [] {
        int count = 0;
        for (uint32_t n = TSpectralData::MinFFTSize; n <= TSpectralData::MaxFFTSize; n *= 2) ++count;
        return count;
    }();
    static constexpr int ChannelModeCount = 13;
    static const char* const ChannelModes[ChannelModeCount];

    static constexpr int MaxDecimation = 50;
    static constexpr double MaxDelayMsec = 1000.0;
    // Larger FFT sizes ask the main window whether memory allows them.
    static constexpr uint32_t LargestUncheckedFft = 65536;

    // What Defaults shows.
    static constexpr uint32_t DefaultRate = 44100;
    static constexpr int DefaultFftIndex = 8;
    static constexpr int DefaultSpeedIndex = 3;
    static constexpr int DefaultPeakHold = 2;
    static constexpr int DefaultWindow = 4;
    static constexpr const char* DefaultOverlap = "50";
    static constexpr const char* DefaultDelay = "0.0";

    // Entry index of the FFT size list: the engine's smallest size << index.
    static uint32_t FftSize(int index);
    // The entry of a stored size; 0 (32 points) when the list has none.
    static int FftSizeIndex(uint32_t size);

    // The rate list: the stored rate alone, or the candidates the input
    // accepts followed by the stored rate when it is not among them.
    static std::vector<uint32_t> RateList(uint32_t storedRate, bool storedOnly,
                                          const std::function<bool(uint32_t)>& inputAccepts);

    struct TReadouts {
        std::string Resolution;
        std::string Limit;
        std::string Time;
    };
    // The three read-outs; false (nothing to show) while the rate, the FFT
    // size or the decimation is not above 0. The overlap counts only in Post
    // Process mode.
    static bool Readouts(const std::string& rateText, int fftIndex, const std::string& decimationText,
                         const std::string& overlapText, bool postProcess, TReadouts& readouts);

    struct TVerdict {
        bool Passed = true;
        std::string Message;
        unsigned Style = 0;
    };
    // A typed rate: refused unless it is above 0.
    static TVerdict CheckRate(const std::string& rateText, uint32_t& rate);

    // The controls at OK after the format: list selections (-1: none) and
    // field texts. Window is the window type of the selected entry.
    struct TFields {
        int FftIndex = -1;
        std::string Decimation;
        bool LowPass = false;
        int AverageMode = -1;
        int AverageType = -1;
        int SpeedIndex = -1;
        std::string SpeedText;
        int PeakHold = -1;
        int Window = -1;
        std::string Overlap;
        bool Independent = false;
        int ChannelProcessing = -1;
        std::string Delay;
        bool LeftDelayed = false;
        bool RightDelayed = false;
        bool OverloadDetection = false;
        bool ExcludeOverloaded = false;
    };
    enum class TField { None, Decimation, Overlap, Delay };
    struct TOutcome {
        TField Failed = TField::None;
        TVerdict Verdict;
    };
    // OK's checks in their order, each field stored as it passes; the first
    // refusal ends it. The format fields must already hold the chosen rate,
    // channels and width. A list without a selection keeps its field.
    static TOutcome Store(const TFields& fields, bool postProcess, AnalysisSettingsStruct& record);
    // What the fields and lists show of a record, each delay button set; the
    // speed list, whose entries follow the averaging mode, is left out.
    static TFields FieldsOf(const AnalysisSettingsStruct& record);
};
