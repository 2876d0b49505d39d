// The DDE items of the analyser's settings and run state: analysis
// settings, each channel's scaling, the generator, the run's counters, the
// macro window, the closed file and the program's version.
#include "shell/TMainWin.h"

#include <cstring>
#include "automation/TMacro.h"
#include "dialogs/TAboutDialog.h"
#include "engine/TSmoothing.h"
#include "generator/TSignalGenerator.h"
#include "shell/TDdeItemRows.h"

namespace {

using TText = TDdeItemRows::TText;
using D = TDdeItem;
using S = DisplaySettingsStruct;

TText Integer(long value)
{
    return TDdeItemRows::Integer(value);
}

// A field of a channel's scaling record, as a number.
template <auto Field, int Channel>
TText Scaling(TMainWin& main)
{
    return Integer(long(main.GetScaling(Channel).*Field));
}

template <int Channel>
TText MicCompensationFile(TMainWin& main)
{
    const char (&name)[sizeof S::MicCompFilename] = main.GetScaling(Channel).MicCompFilename;
    return std::string(name, strnlen(name, sizeof name));
}

const TDdeItemRows::Row SettingsRows[] = {
    {D::FFTCount, [](TMainWin& m) { return Integer(m.GetBlocksProcessed()); }},
    {D::CurrentTime, [](TMainWin& m) -> TText { return TDdeItemRows::Printed("%3.4f", m.TimePosition()); }},
    {D::PeakHold, [](TMainWin& m) { return Integer(m.GetAnalysisSettings().PeakHold); }},
    {D::FFTOverlap, [](TMainWin& m) { return Integer(m.GetAnalysisSettings().OverlapPercent); }},
    {D::FFTSize, [](TMainWin& m) { return Integer(long(m.GetAnalysisSettings().FFTsize)); }},
    {D::AverageSize, [](TMainWin& m) {
         // Any averaging beyond 1000 blocks reads as the averaging without end.
         const uint32_t blocks = m.GetAnalysisSettings().AverageBlocks;
         return Integer(blocks < 1001 ? long(blocks) : 1001L);
     }},
    {D::SmoothingWindow, [](TMainWin& m) -> TText {
         char name[32] = {};
         TSmoothing::GetWindowName(m.GetAnalysisSettings().SmoothingWindow, name);
         return std::string(name);
     }},
    {D::MacroStatus, [](TMainWin& m) -> TText {
         return m.MacroWindow() ? Integer(m.MacroWindow()->IsRunning() ? 1 : 0) : "-1";
     }},
    // Read once: the next request finds it empty.
    {D::FileClosed, [](TMainWin& m) -> TText { return m.TakeLastClosedFile(); }},
    {D::VersionNumber, [](TMainWin&) -> TText { return std::string(TAboutDialog::Version); }},
    {D::AverageType, [](TMainWin& m) { return Integer(m.GetAnalysisSettings().AverageType); }},
    {D::AverageMode, [](TMainWin& m) { return Integer(m.GetAnalysisSettings().AverageMode); }},
    {D::DecimationRatio, [](TMainWin& m) { return Integer(m.GetAnalysisSettings().DecimationRatio); }},
    {D::Mode, [](TMainWin& m) { return Integer(m.GetOpMode()); }},
    {D::AmplitudeAxisScalingLeft, Scaling<&S::AmpScaleType, 0>},
    {D::AmplitudeAxisScalingRight, Scaling<&S::AmpScaleType, 1>},
    {D::FrequencyAxisScalingLeft, Scaling<&S::FreqScaleType, 0>},
    {D::FrequencyAxisScalingRight, Scaling<&S::FreqScaleType, 1>},
    {D::SpectrumWeightingLeft, Scaling<&S::StandardWeighting, 0>},
    {D::SpectrumWeightingRight, Scaling<&S::StandardWeighting, 1>},
    {D::PSDLeft, Scaling<&S::SpectralDensityFlag, 0>},
    {D::PSDRight, Scaling<&S::SpectralDensityFlag, 1>},
    {D::PSDTypeLeft, Scaling<&S::SpectralDensityType, 0>},
    {D::PSDTypeRight, Scaling<&S::SpectralDensityType, 1>},
    {D::MicCompensationLeft, Scaling<&S::MicCompEnable, 0>},
    {D::MicCompensationRight, Scaling<&S::MicCompEnable, 1>},
    {D::MicCompensationFileLeft, MicCompensationFile<0>},
    {D::MicCompensationFileRight, MicCompensationFile<1>},
    {D::SignalGeneratorTypeLeft, [](TMainWin& m) {
         return Integer(m.SignalGenerator() ? m.SignalGenerator()->Left.SigType : 0);
     }},
    {D::SignalGeneratorTypeRight, [](TMainWin& m) {
         return Integer(m.SignalGenerator() ? m.SignalGenerator()->Right.SigType : 0);
     }},
    {D::OverloadStatus, [](TMainWin& m) { return Integer(m.GetOverloadFlag()); }},
    {D::OverloadCount, [](TMainWin& m) { return Integer(m.GetOverloadBlocks()); }},
    {D::TotalPowerWeightingLeft, Scaling<&S::TotalPowerWeighting, 0>},
    {D::TotalPowerWeightingRight, Scaling<&S::TotalPowerWeighting, 1>},
    {D::SamplingRate, [](TMainWin& m) { return Integer(long(m.GetAnalysisSettings().Format.SamplingRate)); }},
};

}  // namespace

std::span<const TDdeItemRows::Row> TDdeItemRows::SettingsAndState()
{
    return SettingsRows;
}

std::string TMainWin::TakeLastClosedFile()
{
    std::string name(LastClosedFile, strnlen(LastClosedFile, sizeof LastClosedFile));
    LastClosedFile[0] = '\0';
    return name;
}
