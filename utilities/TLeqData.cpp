#include "utilities/TLeqData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

float TLeqData::LeqAveragingFactor(uint16_t code)
{
    static constexpr float Factors[] = {1.0f, 1.8f, 2.7097f, 11.365f, 100000.0f};
    return code < std::size(Factors) ? Factors[code] : 1.0f;
}

uint16_t TLeqData::GroupWeighting(const LeqSettings& s, Group group)
{
    const uint16_t codes[GroupCount] = {s.LeqT_Weight, s.Leq_Weight, s.Lsel_Weight,
                                        s.Lpk_Weight,  s.Lmaxmin_Weight, s.Lstats_Weight};
    return codes[group];
}

uint16_t TLeqData::GroupAveraging(const LeqSettings& s, Group group)
{
    const uint16_t codes[GroupCount] = {s.LeqT_Avg, s.Leq_Avg, s.Lsel_Avg, s.Lpk_Avg, s.Lmaxmin_Avg, s.Lstats_Avg};
    return codes[group];
}

TLeqData::TLeqData(const LeqSettings& settings, const AnalysisSettingsStruct& analysis,
                   const DisplaySettingsStruct& display, const CalibrationChannel* calibration, float elapsedSeconds,
                   int32_t capacity)
    : Settings(settings), Window(BlockSize, TSmoothing::Hanning), ElapsedSeconds(elapsedSeconds),
      Capacity(std::max(capacity, 1))
{
    // The peak group follows every block.
    Settings.Lpk_Avg = AverageOff;
    bool ok = Window.Error == 0;
    for (int g = 0; g < GroupCount && ok; ++g) {
        const Group group = static_cast<Group>(g);
        const uint16_t averaging = GroupAveraging(Settings, group);
        AnalysisSettingsStruct a;
        a.Format = TWaveFormat(analysis.Format.SamplingRate, analysis.Format.NumChannels, analysis.Format.BytesPerSample);
        a.FFTsize = BlockSize;
        a.DecimationRatio = 1;
        a.ApplyLowPassFilter = 0;
        a.AverageBlocks = static_cast<uint32_t>(LeqAveragingFactor(averaging));
        a.AverageType = TSpectralData::ExponentialAveraging;
        a.AverageMode = AnalysisSettingsStruct::TimedAveraging;
        a.AverageSpeed = averaging;
        a.PeakHold = 0;
        a.SmoothingWindow = TSmoothing::Hanning;
        a.OverlapPercent = 50;
        a.HopSize = BlockSize / 2;
        a.ChannelProcessing = 0;
        a.DelayChannel = 0;
        a.DelayTimeMsec = 0.0f;
        a.DelaySamples = 0;
        a.EnableOverloadDetection = 0;
        a.ExcludeOverloadFlag = 0;
        a.IndependentScalingAndCalibration = 0;
        a.SamplingRateCorrectionFactor = 1.0f;
        DisplaySettingsStruct d = display;
        d.AmpScaleType = DisplaySettingsStruct::DecibelAmplitude;
        d.FreqScaleType = DisplaySettingsStruct::OctaveBands;
        d.OctaveNumber = 3;
        d.SpectralDensityFlag = 0;
        d.SpectralDensityType = 0;
        d.StandardWeighting = d.TotalPowerWeighting = GroupWeighting(Settings, group);
        try {
            Engines[g] = std::make_unique<TSpectralData>(a, d, 1);
        } catch (const std::exception&) {
            ok = false;
            break;
        }
        ok = Engines[g]->Error == 0;
        if (ok && calibration && calibration->IsEnabled) Engines[g]->SetCalibration(calibration);
    }
    try {
        PeakRing.resize(static_cast<size_t>(Capacity));
        MaxMinRing.resize(static_cast<size_t>(Capacity));
        StatsRing.resize(static_cast<size_t>(Capacity));
        Sorted.reserve(static_cast<size_t>(Capacity));
    } catch (const std::exception&) {
        ok = false;
    }
    Ready = ok;
}

float TLeqData::GroupPower(Group group)
{
    TSpectralData& e = *Engines[group];
    return e.ComputeTotalPower(e.GetLowIndex(), e.GetHighIndex(), 1,
                               static_cast<int16_t>(GroupWeighting(Settings, group)));
}

void TLeqData::AddSpectrum(const TSeriesData& block)
{
    if (!Ready) return;
    for (uint32_t i = 0; i < BlockSize; ++i) {
        const float s = block.GetSample(i, 0);
        for (auto& e : Engines) e->SetTimeSample(i, s);
    }
    for (auto& e : Engines) {
        Window.Apply(e->GetFFTBuffer(), DisplaySettingsStruct::OctaveBands, 0);
        e->ComputeSpectrum();
    }
    for (auto& e : Engines) e->Average(0);
    PeakRing[WritePosition] = GroupPower(LpkGroup);
    MaxMinRing[WritePosition] = GroupPower(LmaxminGroup);
    StatsRing[WritePosition] = GroupPower(LstatsGroup);
    Count = std::min(Count + 1, Capacity);
    if (++WritePosition == Capacity) WritePosition = 0;
}

void TLeqData::Compute()
{
    if (!Ready) return;
    auto timed = [](float level, double seconds) {
        auto x = static_cast<float>(std::pow(10.0, 0.1 * level) * seconds);
        if (!(x > 0.0f)) x = 1.0e-8f;
        return static_cast<float>(10.0 * std::log10(x));
    };
    const int32_t reference = Settings.LeqT_RefTimeSec > 0 ? Settings.LeqT_RefTimeSec : 3600;
    Figures.LeqT = timed(GroupPower(LeqTGroup), double(ElapsedSeconds) / reference);
    Figures.Leq = GroupPower(LeqGroup);
    Figures.Lsel = timed(GroupPower(LselGroup), ElapsedSeconds);
    ComputeRingFigures();
}

// The ring figures over the filled slots, sorted in a copy so that the ring
// keeps its order for the blocks still to come; with none they stay.
void TLeqData::ComputeRingFigures()
{
    const int32_t m = Count;
    if (m < 1) return;
    auto sorted = [this, m](const std::vector<float>& ring) -> const std::vector<float>& {
        Sorted.assign(ring.begin(), ring.begin() + m);
        std::sort(Sorted.begin(), Sorted.end());
        return Sorted;
    };
    auto rank = [m](double fraction) { return std::clamp(static_cast<int32_t>(m * fraction + 0.5), 0, m - 1); };
    Figures.Lpk = sorted(PeakRing)[m - 1];
    const auto& extremes = sorted(MaxMinRing);
    Figures.Lmax = extremes[m - 1];
    Figures.Lmin = extremes[0];
    const auto& stats = sorted(StatsRing);
    Figures.L10 = stats[rank(0.9)];
    Figures.L50 = stats[rank(0.5)];
    Figures.L90 = stats[rank(0.1)];
}

std::string TLeqData::ReportText(const Results& r, const LeqSettings& s, bool right)
{
    static const char* const Units[] = {" dB", " dB(A)", " dB(B)", " dB(C)"};
    auto unit = [](uint16_t weighting) { return weighting < 4 ? Units[weighting] : Units[0]; };
    // The two channels' texts have always differed in their blanks; both are kept.
    const char* format =
        right ? "Right Channel\r\nLeq(t) Ref Time = %d sec\r\n\r\nLeq(t)  \t%6.2f  \t%s\r\nLeq  \t%6.2f  \t%s\r\n"
                "Lsel  \t%6.2f  \t%s\r\nLpk  \t%6.2f  \t%s\r\nLmax  \t%6.2f  \t%s\r\nLmin  \t%6.2f  \t%s\r\n"
                "L10  \t%6.2f  \t%s\r\nL50  \t%6.2f  \t%s\r\nL90  \t%6.2f \t%s"
              : "Left Channel\r\nLeq(t) Ref Time = %d sec\r\n\r\nLeq(t)  \t%6.2f \t%s\r\nLeq  \t%6.2f \t%s\r\n"
                "Lsel  \t%6.2f  \t%s\r\nLpk  \t%6.2f  \t%s\r\nLmax  \t%6.2f  \t%s\r\nLmin   \t%6.2f  \t%s\r\n"
                "L10  \t%6.2f  \t%s\r\nL50   \t%6.2f  \t%s\r\nL90  \t%6.2f \t%s";
    char text[4000];
    std::snprintf(text, sizeof text, format, s.LeqT_RefTimeSec, double(r.LeqT), unit(s.LeqT_Weight), double(r.Leq),
                  unit(s.Leq_Weight), double(r.Lsel), unit(s.Lsel_Weight), double(r.Lpk), unit(s.Lpk_Weight),
                  double(r.Lmax), unit(s.Lmaxmin_Weight), double(r.Lmin), unit(s.Lmaxmin_Weight), double(r.L10),
                  unit(s.Lstats_Weight), double(r.L50), unit(s.Lstats_Weight), double(r.L90), unit(s.Lstats_Weight));
    return text;
}

void TLeqData::Reset()
{
    if (!Ready) return;
    for (auto& e : Engines) e->ResetAll();
    WritePosition = 0;
    Count = 0;
}
