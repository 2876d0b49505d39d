// The item names of the DDE topic "Data".
#include "automation/TDdeItemTable.h"

#include <iterator>
#include "automation/TKeywordTable.h"

namespace {

constexpr TDdeItemTable::Row Rows[] = {
    {TDdeItem::PeakFrequency, "Peak Frequency"},
    {TDdeItem::PeakAmplitude, "Peak Amplitude"},
    {TDdeItem::TotalPower, "Total Power"},
    {TDdeItem::TotalPowerA, "Total Power A"},
    {TDdeItem::TotalPowerB, "Total Power B"},
    {TDdeItem::TotalPowerC, "Total Power C"},
    {TDdeItem::THD, "THD"},
    {TDdeItem::THDN, "THD+N"},
    {TDdeItem::IMD, "IMD"},
    {TDdeItem::SNR, "SNR"},
    {TDdeItem::Spectrum, "Spectrum"},
    {TDdeItem::Phase, "Phase"},
    {TDdeItem::TimeSeries, "Time Series"},
    {TDdeItem::Marker1Amplitude, "Marker1 Amplitude"},
    {TDdeItem::Marker2Amplitude, "Marker2 Amplitude"},
    {TDdeItem::Marker3Amplitude, "Marker3 Amplitude"},
    {TDdeItem::Marker4Amplitude, "Marker4 Amplitude"},
    {TDdeItem::Marker5Amplitude, "Marker5 Amplitude"},
    {TDdeItem::Marker6Amplitude, "Marker6 Amplitude"},
    {TDdeItem::Marker7Amplitude, "Marker7 Amplitude"},
    {TDdeItem::Marker8Amplitude, "Marker8 Amplitude"},
    {TDdeItem::FFTCount, "FFT Count"},
    {TDdeItem::CurrentTime, "Current Time"},
    {TDdeItem::TotalTime, "Total Time"},
    {TDdeItem::LoggingStatus, "Logging Status"},
    {TDdeItem::PeakHold, "Peak Hold"},
    {TDdeItem::FFTOverlap, "FFT Overlap"},
    {TDdeItem::FFTSize, "FFT Size"},
    {TDdeItem::AverageSize, "Average Size"},
    {TDdeItem::SmoothingWindow, "Smoothing Window"},
    {TDdeItem::Peak1Frequency, "Peak1 Frequency"},
    {TDdeItem::Peak2Frequency, "Peak2 Frequency"},
    {TDdeItem::Peak3Frequency, "Peak3 Frequency"},
    {TDdeItem::Peak4Frequency, "Peak4 Frequency"},
    {TDdeItem::Peak5Frequency, "Peak5 Frequency"},
    {TDdeItem::Peak6Frequency, "Peak6 Frequency"},
    {TDdeItem::Peak1Amplitude, "Peak1 Amplitude"},
    {TDdeItem::Peak2Amplitude, "Peak2 Amplitude"},
    {TDdeItem::Peak3Amplitude, "Peak3 Amplitude"},
    {TDdeItem::Peak4Amplitude, "Peak4 Amplitude"},
    {TDdeItem::Peak5Amplitude, "Peak5 Amplitude"},
    {TDdeItem::Peak6Amplitude, "Peak6 Amplitude"},
    {TDdeItem::TotalPowerInTimeSegment, "Total Power in Time Segment"},
    {TDdeItem::ZoomedSpectrum, "Zoomed Spectrum"},
    {TDdeItem::ZoomedPhase, "Zoomed Phase"},
    {TDdeItem::MarkedSpectrum, "Marked Spectrum"},
    {TDdeItem::MarkedPhase, "Marked Phase"},
    {TDdeItem::ZoomedTimeSeries, "Zoomed Time Series"},
    {TDdeItem::TotalPowerFlat, "Total Power Flat"},
    {TDdeItem::SINAD, "SINAD"},
    {TDdeItem::SFDR, "SFDR"},
    {TDdeItem::NF, "NF"},
    {TDdeItem::DelayFinder, "Delay Finder"},
    {TDdeItem::MacroStatus, "Macro Status"},
    {TDdeItem::FileClosed, "File Closed"},
    {TDdeItem::VersionNumber, "Version Number"},
    {TDdeItem::AverageType, "Average Type"},
    {TDdeItem::AverageMode, "Average Mode"},
    {TDdeItem::DecimationRatio, "Decimation Ratio"},
    {TDdeItem::Mode, "Mode"},
    {TDdeItem::AmplitudeAxisScalingLeft, "Amplitude Axis Scaling Left"},
    {TDdeItem::AmplitudeAxisScalingRight, "Amplitude Axis Scaling Right"},
    {TDdeItem::FrequencyAxisScalingLeft, "Frequency Axis Scaling Left"},
    {TDdeItem::FrequencyAxisScalingRight, "Frequency Axis Scaling Right"},
    {TDdeItem::SpectrumWeightingLeft, "Spectrum Weighting Left"},
    {TDdeItem::SpectrumWeightingRight, "Spectrum Weighting Right"},
    {TDdeItem::PSDLeft, "PSD Left"},
    {TDdeItem::PSDRight, "PSD Right"},
    {TDdeItem::PSDTypeLeft, "PSD Type Left"},
    {TDdeItem::PSDTypeRight, "PSD Type Right"},
    {TDdeItem::MicCompensationLeft, "Mic Compensation Left"},
    {TDdeItem::MicCompensationRight, "Mic Compensation Right"},
    {TDdeItem::MicCompensationFileLeft, "Mic Compensation File Left"},
    {TDdeItem::MicCompensationFileRight, "Mic Compensation File Right"},
    {TDdeItem::SignalGeneratorTypeLeft, "Signal Generator Type Left"},
    {TDdeItem::SignalGeneratorTypeRight, "Signal Generator Type Right"},
    {TDdeItem::SpectrumLeft, "Spectrum Left"},
    {TDdeItem::SpectrumRight, "Spectrum Right"},
    {TDdeItem::ZoomedSpectrumLeft, "Zoomed Spectrum Left"},
    {TDdeItem::ZoomedSpectrumRight, "Zoomed Spectrum Right"},
    {TDdeItem::MarkedSpectrumLeft, "Marked Spectrum Left"},
    {TDdeItem::MarkedSpectrumRight, "Marked Spectrum Right"},
    {TDdeItem::PhaseLeft, "Phase Left"},
    {TDdeItem::PhaseRight, "Phase Right"},
    {TDdeItem::ZoomedPhaseLeft, "Zoomed Phase Left"},
    {TDdeItem::ZoomedPhaseRight, "Zoomed Phase Right"},
    {TDdeItem::MarkedPhaseLeft, "Marked Phase Left"},
    {TDdeItem::MarkedPhaseRight, "Marked Phase Right"},
    {TDdeItem::TimeSeriesLeft, "Time Series Left"},
    {TDdeItem::TimeSeriesRight, "Time Series Right"},
    {TDdeItem::ZoomedTimeSeriesLeft, "Zoomed Time Series Left"},
    {TDdeItem::ZoomedTimeSeriesRight, "Zoomed Time Series Right"},
    {TDdeItem::LastLoggingTime, "Last Logging Time"},
    {TDdeItem::LeqValues, "Leq Values"},
    {TDdeItem::LeqT, "LeqT"},
    {TDdeItem::Leq, "Leq"},
    {TDdeItem::Lsel, "Lsel"},
    {TDdeItem::Lpk, "Lpk"},
    {TDdeItem::Lmax, "Lmax"},
    {TDdeItem::Lmin, "Lmin"},
    {TDdeItem::L10, "L10"},
    {TDdeItem::L50, "L50"},
    {TDdeItem::L90, "L90"},
    {TDdeItem::WaveSegment, "Wave Segment"},
    {TDdeItem::WaveSegmentLeft, "Wave Segment Left"},
    {TDdeItem::WaveSegmentRight, "Wave Segment Right"},
    {TDdeItem::OverloadStatus, "Overload Status"},
    {TDdeItem::OverloadCount, "Overload Count"},
    {TDdeItem::TotalPowerWeightingLeft, "Total Power Weighting Left"},
    {TDdeItem::TotalPowerWeightingRight, "Total Power Weighting Right"},
    {TDdeItem::PeakHoldSpectrum, "Peak Hold Spectrum"},
    {TDdeItem::PeakHoldSpectrumLeft, "Peak Hold Spectrum Left"},
    {TDdeItem::PeakHoldSpectrumRight, "Peak Hold Spectrum Right"},
    {TDdeItem::ZoomedPeakHoldSpectrum, "Zoomed Peak Hold Spectrum"},
    {TDdeItem::ZoomedPeakHoldSpectrumLeft, "Zoomed Peak Hold Spectrum Left"},
    {TDdeItem::ZoomedPeakHoldSpectrumRight, "Zoomed Peak Hold Spectrum Right"},
    {TDdeItem::MarkedPeakHoldSpectrum, "Marked Peak Hold Spectrum"},
    {TDdeItem::MarkedPeakHoldSpectrumLeft, "Marked Peak Hold Spectrum Left"},
    {TDdeItem::MarkedPeakHoldSpectrumRight, "Marked Peak Hold Spectrum Right"},
    {TDdeItem::SamplingRate, "Sampling Rate"},
    {TDdeItem::MarkedPeakFrequency, "Marked Peak Frequency"},
    {TDdeItem::MarkedPeakAmplitude, "Marked Peak Amplitude"},
    {TDdeItem::MarkedTotalPower, "Marked Total Power"},
    {TDdeItem::MarkedTotalPowerFlat, "Marked Total Power Flat"},
    {TDdeItem::MarkedTotalPowerA, "Marked Total Power A"},
    {TDdeItem::MarkedTotalPowerB, "Marked Total Power B"},
    {TDdeItem::MarkedTotalPowerC, "Marked Total Power C"},
    {TDdeItem::THDVsFrequency, "THD vs Frequency"},
    {TDdeItem::CompareLeftTHDVsFreqToLimits, "Compare Left THD vs Freq to Limits"},
    {TDdeItem::CompareRightTHDVsFreqToLimits, "Compare Right THD vs Freq to Limits"},
    {TDdeItem::CurrentSample, "Current Sample"},
    {TDdeItem::TotalSamples, "Total Samples"},
    {TDdeItem::CompareLeftSpectrumToOverlay1, "Compare Left Spectrum To Overlay 1"},
    {TDdeItem::CompareLeftSpectrumToOverlay2, "Compare Left Spectrum To Overlay 2"},
    {TDdeItem::CompareLeftSpectrumToOverlay3, "Compare Left Spectrum To Overlay 3"},
    {TDdeItem::CompareLeftSpectrumToOverlay4, "Compare Left Spectrum To Overlay 4"},
    {TDdeItem::CompareLeftPeakHoldToOverlay1, "Compare Left Peak Hold To Overlay 1"},
    {TDdeItem::CompareLeftPeakHoldToOverlay2, "Compare Left Peak Hold To Overlay 2"},
    {TDdeItem::CompareLeftPeakHoldToOverlay3, "Compare Left Peak Hold To Overlay 3"},
    {TDdeItem::CompareLeftPeakHoldToOverlay4, "Compare Left Peak Hold To Overlay 4"},
    {TDdeItem::CompareRightSpectrumToOverlay1, "Compare Right Spectrum To Overlay 1"},
    {TDdeItem::CompareRightSpectrumToOverlay2, "Compare Right Spectrum To Overlay 2"},
    {TDdeItem::CompareRightSpectrumToOverlay3, "Compare Right Spectrum To Overlay 3"},
    {TDdeItem::CompareRightSpectrumToOverlay4, "Compare Right Spectrum To Overlay 4"},
    {TDdeItem::CompareRightPeakHoldToOverlay1, "Compare Right Peak Hold To Overlay 1"},
    {TDdeItem::CompareRightPeakHoldToOverlay2, "Compare Right Peak Hold To Overlay 2"},
    {TDdeItem::CompareRightPeakHoldToOverlay3, "Compare Right Peak Hold To Overlay 3"},
    {TDdeItem::CompareRightPeakHoldToOverlay4, "Compare Right Peak Hold To Overlay 4"},
    {TDdeItem::WaveSampleLeft, "Wave Sample Left"},
    {TDdeItem::WaveSampleRight, "Wave Sample Right"},
};

// In number order, so that a number's row is found by its place.
constexpr bool Ascending()
{
    for (size_t i = 1; i < std::size(Rows); ++i)
        if (int(Rows[i].Item) <= int(Rows[i - 1].Item)) return false;
    return int(std::end(Rows)[-1].Item) + 1 == TDdeItemTable::Count;
}
static_assert(Ascending());

}  // namespace

std::span<const TDdeItemTable::Row> TDdeItemTable::Items() { return Rows; }

const char* TDdeItemTable::Name(int index)
{
    for (const Row& row : Rows)
        if (int(row.Item) == index) return row.Name;
    return nullptr;
}

int TDdeItemTable::Find(std::string_view name)
{
    for (const Row& row : Rows)
        if (TKeywordTable::EqualsNoCase(name, row.Name)) return int(row.Item);
    return -1;
}
