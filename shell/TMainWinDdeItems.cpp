// The texts of the DDE items: measurements of the displayed results and the
// analyser's settings and state, one row per item.
#include "shell/TMainWin.h"

#include <cstdio>
#include <functional>
#include "automation/TMacro.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "generator/TSignalGenerator.h"

namespace {

using TText = std::optional<std::string>;

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Integer(long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

// A measure of the first displayed result, and of the second one as well
// when both channels are shown (modes 2, 11 and 12 with a second result).
// channel is 0 for the first result, 1 for the second.
TText Pair(TMainWin& main, const std::function<float(TSpectralData&, int channel)>& measure)
{
    if (!main.DisplayPrimary) return std::nullopt;
    const uint16_t mode = main.Settings.ChannelProcessing;
    const bool both = (mode == 2 || mode == 11 || mode == 12) && main.DisplaySecondary;
    std::string text = Format("%3.6f", measure(*main.DisplayPrimary, 0));
    if (both) text += "\t" + Format("%3.6f", measure(*main.DisplaySecondary, 1));
    return text;
}

// The largest peak in the peak-search band: its frequency or its value.
float PeakInBand(TMainWin& main, TSpectralData& s, bool amplitude)
{
    float frequency = 0.0f;
    float value = -999.9f;
    s.FindNthPeak(s.GetIndex(main.PeakSearchLow), s.GetIndex(main.PeakSearchHigh), &frequency, &value, 0);
    return amplitude ? value : frequency;
}

TText TotalPower(TMainWin& main, int16_t weighting)
{
    return Pair(main, [&](TSpectralData& s, int channel) {
        return s.ComputeTotalPower(s.GetLowIndex(), s.GetHighIndex(), main.Scaling[channel].AmpScaleType == 1 ? 1 : 0,
                                   weighting);
    });
}

struct TItemRow {
    int Index;
    TText (*Text)(TMainWin&);
};

const TItemRow ItemRows[] = {
    {0, [](TMainWin& m) { return Pair(m, [&](TSpectralData& s, int) { return PeakInBand(m, s, false); }); }},
    {1, [](TMainWin& m) { return Pair(m, [&](TSpectralData& s, int) { return PeakInBand(m, s, true); }); }},
    {2, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightAsDisplayed); }},
    {3, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightA); }},
    {4, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightB); }},
    {5, [](TMainWin& m) { return TotalPower(m, TSpectralData::WeightC); }},
    {6, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeTHD(); }); }},
    {7, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeTHDN(); }); }},
    {8, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeIMD(); }); }},
    {9, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSNR(); }); }},
    {21, [](TMainWin& m) -> TText { return Integer(m.BlocksProcessed); }},
    {22, [](TMainWin& m) -> TText { return Format("%3.4f", m.CurrentTime); }},
    {25, [](TMainWin& m) -> TText { return Integer(m.Settings.PeakHold); }},
    {26, [](TMainWin& m) -> TText { return Integer(m.Settings.OverlapPercent); }},
    {27, [](TMainWin& m) -> TText { return Integer(long(m.Settings.FFTsize)); }},
    {28, [](TMainWin& m) -> TText {
         return m.Settings.AverageBlocks < 1001 ? Integer(long(m.Settings.AverageBlocks)) : std::string("1001");
     }},
    {29, [](TMainWin& m) -> TText {
         char name[32] = {};
         TSmoothing::GetWindowName(m.Settings.SmoothingWindow, name);
         return std::string(name);
     }},
    {51, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSINAD(); }); }},
    {52, [](TMainWin& m) { return Pair(m, [](TSpectralData& s, int) { return s.ComputeSFDR(); }); }},
    {53, [](TMainWin& m) -> TText { return Format("%3.6f", m.GetNoiseFigure()); }},
    {57, [](TMainWin& m) -> TText { return m.MacroWindow ? Integer(m.MacroWindow->IsRunning() ? 1 : 0) : "-1"; }},
    {58, [](TMainWin& m) -> TText {
         // Read once: the next request finds it empty.
         std::string name = m.LastClosedFile;
         m.LastClosedFile[0] = '\0';
         return name;
     }},
    {62, [](TMainWin& m) -> TText { return Integer(m.Settings.AverageType); }},
    {63, [](TMainWin& m) -> TText { return Integer(m.Settings.AverageMode); }},
    {64, [](TMainWin& m) -> TText { return Integer(m.Settings.DecimationRatio); }},
    {65, [](TMainWin& m) -> TText { return Integer(m.OpMode); }},
    {80, [](TMainWin& m) -> TText { return Integer(m.SignalGenerator ? m.SignalGenerator->Left.SigType : 0); }},
    {81, [](TMainWin& m) -> TText { return Integer(m.SignalGenerator ? m.SignalGenerator->Right.SigType : 0); }},
    {112, [](TMainWin& m) -> TText { return Integer(m.OverloadFlag); }},
    {113, [](TMainWin& m) -> TText { return Integer(m.OverloadBlocks); }},
    {125, [](TMainWin& m) -> TText { return Integer(long(m.Settings.Format.SamplingRate)); }},
};

}  // namespace

std::optional<std::string> TMainWin::DdeItemText(int index)
{
    for (const TItemRow& row : ItemRows)
        if (row.Index == index) return row.Text(*this);
    return std::nullopt;
}
