#include "dialogs/TProcessingSettingsForm.h"

#include <algorithm>
#include <cstdio>
#include "dialogs/TAveragingChoices.h"
#include "dialogs/TFieldText.h"
#include "engine/TWaveFormat.h"
#include "base/TEngineHost.h"
#include "resources/StringIds.h"

const char* const TProcessingSettingsForm::ChannelModes[ChannelModeCount] = {
    "Left channel only",
    "Right channel only",
    "Both Left and Right",
    "Average Left and Right",
    "Real Transfer Function (Left / Right)",
    "Real Transfer Function (Right / Left)",
    "Cross Spectrum (Left * Right)",
    "Cross Spectrum (Right * Left)",
    "Complex Transfer Function (Left / Right)",
    "Complex Transfer Function (Right / Left)",
    "Coherence Function",
    "Complex Transfer (L/R) and Coherence",
    "Complex Transfer (R/L) and Coherence",
};

namespace {

TProcessingSettingsForm::TVerdict Refusal(std::string message, unsigned style)
{
    return {false, std::move(message), style};
}

template <class... T> std::string Format(const char* format, T... values)
{
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}

uint32_t TProcessingSettingsForm::FftSize(int index)
{
    return index >= 0 && index < FftSizeCount ? TSpectralData::MinFFTSize << index : 0;
}

int TProcessingSettingsForm::FftSizeIndex(uint32_t size)
{
    for (int i = 0; i < FftSizeCount; ++i)
        if (FftSize(i) == size) return i;
    return 0;
}

std::vector<uint32_t> TProcessingSettingsForm::RateList(uint32_t storedRate, bool storedOnly,
                                                        const std::function<bool(uint32_t)>& inputAccepts)
{
    std::vector<uint32_t> list;
    if (!storedOnly)
        for (uint32_t rate : Rates)
            if (inputAccepts(rate)) list.push_back(rate);
    if (std::find(list.begin(), list.end(), storedRate) == list.end()) list.push_back(storedRate);
    return list;
}

bool TProcessingSettingsForm::Readouts(const std::string& rateText, int fftIndex,
                                       const std::string& decimationText, const std::string& overlapText,
                                       bool postProcess, TReadouts& readouts)
{
    const double rate = TFieldText::ToInt(rateText);
    const double points = FftSize(fftIndex);
    const double decimation = TFieldText::ToInt(decimationText);
    if (rate <= 0 || points <= 0 || decimation <= 0) return false;
    const double overlap = postProcess ? TFieldText::ToInt(overlapText) : 0;
    readouts.Resolution = Format("%5.3f Hz", rate / points / decimation);
    readouts.Limit = Format("%5.3f Hz", rate * 0.5 / decimation);
    readouts.Time = Format("%5.2f %s", decimation * 1000.0 * (100.0 - overlap) * 0.01 * points / rate,
                           IDS_UNIT_MSECS_TEXT);
    return true;
}

TProcessingSettingsForm::TVerdict TProcessingSettingsForm::CheckRate(const std::string& rateText, uint32_t& rate)
{
    const int32_t typed = TFieldText::ToInt(rateText);
    if (typed <= 0) return Refusal(IDS_RATE_NOT_POSITIVE_TEXT, TEngineHost::MsgIconStop);
    // The settings door refuses a rate outside the wave format's range: say so
    // here, while the user can still correct it.
    if (!TWaveFormat::IsValidRate(uint32_t(typed))) {
        char text[96];
        std::snprintf(text, sizeof text, "Sampling rate must be between %u and %u Hz",
                      unsigned(TWaveFormat::MinSamplingRate), unsigned(TWaveFormat::MaxSamplingRate));
        return Refusal(text, TEngineHost::MsgIconStop);
    }
    rate = uint32_t(typed);
    return {};
}

TProcessingSettingsForm::TFields TProcessingSettingsForm::FieldsOf(const AnalysisSettingsStruct& record)
{
    TFields f;
    f.FftIndex = FftSizeIndex(record.FFTsize);
    f.Decimation = std::to_string(record.DecimationRatio);
    f.LowPass = record.ApplyLowPassFilter != 0;
    f.AverageMode = record.AverageMode;
    f.AverageType = record.AverageType;
    f.PeakHold = record.PeakHold;
    f.Window = record.SmoothingWindow;
    f.Overlap = std::to_string(record.OverlapPercent);
    f.Independent = record.IndependentScalingAndCalibration == 1;
    f.ChannelProcessing = record.ChannelProcessing < ChannelModeCount ? record.ChannelProcessing : -1;
    char delay[32];
    std::snprintf(delay, sizeof delay, "%6.3f", double(record.DelayTimeMsec));
    f.Delay = delay;
    f.LeftDelayed = record.DelayChannel == 0;
    f.RightDelayed = !f.LeftDelayed;
    f.OverloadDetection = record.EnableOverloadDetection != 0;
    f.ExcludeOverloaded = record.ExcludeOverloadFlag != 0;
    return f;
}

TProcessingSettingsForm::TOutcome TProcessingSettingsForm::Store(const TFields& f, bool postProcess,
                                                                 AnalysisSettingsStruct& record)
{
    if (f.FftIndex >= 0 && f.FftIndex < FftSizeCount) record.FFTsize = FftSize(f.FftIndex);

    const int32_t decimation = TFieldText::ToInt(f.Decimation);
    if (decimation < 1 || decimation > MaxDecimation) {
        char text[96];
        std::snprintf(text, sizeof text, IDS_DECIMATION_RANGE_TEXT, MaxDecimation);
        return {TField::Decimation, Refusal(text, TEngineHost::MsgIconInformation)};
    }
    record.DecimationRatio = uint16_t(decimation);
    record.ApplyLowPassFilter = f.LowPass ? 1 : 0;

    if (f.AverageMode >= 0) record.AverageMode = uint16_t(f.AverageMode);
    if (f.AverageType >= 0) record.AverageType = uint16_t(f.AverageType);
    if (record.AverageMode == AnalysisSettingsStruct::TimedAveraging) {
        record.AverageType = 0;
        if (f.SpeedIndex >= 0) record.AverageSpeed = uint16_t(f.SpeedIndex);
    } else if (f.SpeedIndex >= 0) {
        record.AverageBlocks = TAveragingChoices::BlocksOf(f.SpeedText);
    }

    if (f.PeakHold >= 0) record.PeakHold = uint16_t(f.PeakHold);
    if (f.Window >= 0) record.SmoothingWindow = uint16_t(f.Window);
    record.Format.Set(record.Format.SamplingRate, record.Format.NumChannels, record.Format.BytesPerSample);

    if (postProcess) {
        const int32_t overlap = TFieldText::ToInt(f.Overlap);
        if (overlap < 0 || overlap > AnalysisSettingsStruct::MaxOverlapPercent)
            return {TField::Overlap, Refusal(IDS_OVERLAP_RANGE_TEXT, TEngineHost::MsgIconStop)};
        record.OverlapPercent = uint16_t(overlap);
    }

    record.IndependentScalingAndCalibration = f.Independent ? 1 : 0;
    if (f.ChannelProcessing >= 0) record.ChannelProcessing = uint16_t(f.ChannelProcessing);
    const double delay = TFieldText::ToFloat(f.Delay);
    if (delay < 0.0 || delay > MaxDelayMsec)
        return {TField::Delay, Refusal("Delay must be between 0 and 1,000 milliseconds", TEngineHost::MsgIconStop)};
    record.DelayTimeMsec = float(delay);

    if (f.LeftDelayed) record.DelayChannel = 0;
    if (f.RightDelayed) record.DelayChannel = 1;
    record.EnableOverloadDetection = f.OverloadDetection ? 1 : 0;
    record.ExcludeOverloadFlag = f.ExcludeOverloaded ? 1 : 0;
    return {};
}
