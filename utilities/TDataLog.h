#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/TSpectralData.h"
#include "engine/LoggingSettings.h"
#include "utilities/TLeqData.h"

// The data log: appends the chosen results of each processed block (or of
// one block per interval) to a text file, tab-separated, after a header.
// Exists exactly while logging is on; its owner hands it every block.
class TDataLog {
public:
    enum DataType : uint16_t {
        PeakFrequency = 0, PeakAmplitude = 1, PeakFrequencyAndAmplitude = 2, TotalPower = 3, SpectrumValues = 4,
        THD = 5, THDN = 6, IMD = 7, SNR = 8, SINAD = 9, NoiseFigure = 10, TimeDelay = 11, LeqValues = 12,
        FrequencyAndTHD = 13, FrequencyAndTHDN = 14, Unused = 15, TotalPowerFlatABC = 16, MarkerLevels = 17,
    };
    static constexpr int DataTypeCount = 17;
    // The dialog's list: texts in list order with their codes.
    struct TypeEntry {
        const char* Text;
        uint16_t Code;
    };
    static const TypeEntry TypeList[DataTypeCount];
    static constexpr uint16_t RealTime = 1;
    static constexpr int RuleLength = 129;

    // What one block offers the log; Left is required. The delay, the Leq
    // figures and the noise figure come from the windows that measure them
    // (absent: no such window open).
    struct Block {
        TSpectralData* Left = nullptr;
        TSpectralData* Right = nullptr;
        uint16_t OpMode = RealTime;
        float Time = 0.0f;
        uint16_t ChannelProcessing = 0;
        bool LeftDecibels = true;
        bool RightDecibels = true;
        std::optional<float> Delay;
        const TLeqData::Results* LeqLeft = nullptr;
        const TLeqData::Results* LeqRight = nullptr;
        float NoiseFigure = 0.0f;
        std::vector<float> MarkerFrequencies;  // of the enabled markers, in marker order
    };
    // Shows a message (stop icon): text, caption.
    using Reporter = std::function<void(const std::string& text, const std::string& caption)>;

    // Opens the file (truncating with the overwrite flag); on failure reports
    // it and writes nothing for its whole life.
    TDataLog(const LoggingSettings& settings, Reporter report);
    ~TDataLog();
    TDataLog(const TDataLog&) = delete;
    TDataLog& operator=(const TDataLog&) = delete;

    void WriteRecord(const Block& block);
    float GetLastLogTime() const { return LastRecordTime; }
    bool IsOpen() const { return File != nullptr; }
    bool HasFailed() const { return Failed; }

    // "hh:mm:ss.mmm", with a leading "-" for a negative time.
    static std::string TimeText(float seconds);
    // Two channels in channel-processing modes 2, 11 and 12.
    static bool TwoChannels(uint16_t channelProcessing);
    // The column line of a data type, time-stamped or not (without the band columns of types 4 and 17).
    static std::string ColumnLine(uint16_t type, bool twoChannels, bool timeStamps);

private:
    struct Band {
        int First = 0;
        int Last = 0;
    };
    bool Due(float time, uint16_t opMode);
    Band BandOf(const TSpectralData& s) const;
    void WriteHeader(const Block& block);
    std::string HeaderColumns(const Block& block) const;
    std::string Record(const Block& block, bool two);
    std::string SpectrumValuesRecord(const Block& block, bool two) const;
    std::string MarkerRecord(const Block& block, bool two) const;

    LoggingSettings Settings;
    Reporter Report;
    std::FILE* File = nullptr;
    bool Failed = false;
    bool HeaderPending = false;
    float LastRecordTime = 0.0f;
    float NextRecordTime = -1.0f;
};
