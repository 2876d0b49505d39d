// Readouts of the displayed spectra: peak frequency, bandwidth and Q,
// smoothing, the comparison with an overlay curve served to DDE clients, and
// the ambient-noise capture that becomes the channels' compensation.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "dialogs/TOverlaySourceDialog.h"
#include "engine/TOverlayComparison.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSpectralData.h"
#include "engine/TWaveData.h"
#include "views/TOverlayData.h"
#include "views/TSpectrumPlot.h"

namespace {

constexpr const char* SmoothingRefusal =
    "This feature requires narrowband frequency scaling and logarithmic amplitude scaling.";

constexpr const char* NoBandwidth = "not found in the shown range";

const char* const AmbientFiles[2] = {"AmbientLeft.mic", "AmbientRight.mic"};

}  // namespace

void TMainWin::PeakBandwidth(float low, float high)
{
    if (!DisplayPrimary)
        return;
    if (Scaling[0].FreqScaleType == ScalingStruct::OctaveBands) {
        MessageBox("You must use narrowband frequency scaling for this feature.", "Bandwidth calculation error",
                   MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (Settings.PeakHold == 0) {
        BandwidthSource = 0;
    } else {
        TOverlaySourceDialog dialog(this, "DIALOG_SELECT_SPECTRUM_SOURCE", &BandwidthSource);
        if (ExecuteDialog(dialog) == IDCANCEL)
            return;
    }
    // A bandwidth of 0 means an edge of it lies outside the range: no width
    // and no Q to show.
    auto lines = [&](const TSpectralData& s, const char* bandwidthLabel) {
        const float bandwidth = s.ComputeBandwidth(low, high, BandwidthSource);
        char figures[100];
        if (bandwidth > 0.0f)
            std::snprintf(figures, sizeof figures, "%6.3f Hz\rQuality Factor = %6.3f", double(bandwidth),
                          double(s.ComputeQFactor(low, high, BandwidthSource)));
        else
            std::snprintf(figures, sizeof figures, "%s\rQuality Factor = %s", NoBandwidth, NoBandwidth);
        char text[200];
        std::snprintf(text, sizeof text, "Peak Frequency = %6.3f Hz\r%s = %s",
                      double(s.FindNthPeakInRange(low, high, 0, BandwidthSource)), bandwidthLabel, figures);
        return std::string(text);
    };
    std::string text = lines(*DisplayPrimary, "Bandwidth (-3dB)");
    if (DisplaySecondary)
        text += "\r\r" + lines(*DisplaySecondary, "Bandwidth");
    MessageBox(text.c_str(), "Quality Factor", MB_OK);
}

void TMainWin::SmoothSpectra(int width)
{
    if (Scaling[0].FreqScaleType == ScalingStruct::OctaveBands
        || Scaling[0].AmpScaleType == ScalingStruct::LinearAmplitude) {
        MessageBox(SmoothingRefusal, "Tonalyx", MB_OK);
        return;
    }
    for (TSpectralData* spectrum : {static_cast<TSpectralData*>(SpectralLeft), static_cast<TSpectralData*>(SpectralRight)})
        if (spectrum)
            spectrum->SmoothSpectrum(width);
    for (TSpectrumPlot* view : SpectrumViews())
        if (view)
            view->NewData(0.0f);
}

int TMainWin::CompareSpectrumToOverlay(uint16_t side, int usePeakHold, uint16_t slot, uint32_t first, uint32_t last)
{
    if (!TOverlayComparison::IsValidSlot(slot))
        return TOverlayComparison::BadSlot;
    if (last < first)
        return TOverlayComparison::NoData;
    const TSpectralData* spectrum = side == 0 ? DisplayPrimary : DisplaySecondary;
    if (!spectrum)
        return TOverlayComparison::NoData;
    char path[PathSize + 16];
    std::snprintf(path, sizeof path, "%s\\%c%d.ovl", ConfiguredFolders[OvlFolder], side == 0 ? 'L' : 'R', slot);
    const SpectrumOpts& options = SpectrumOptions[0];
    const float offset = (side == 0 ? options.Offset1 : options.Offset2)[slot - 1];
    const TOverlayData overlay(path, Scaling[side == 0 ? 0 : 1].FreqScaleType, offset, 0);
    if (overlay.Error)
        return TOverlayComparison::BadSlot;
    if (usePeakHold == 1 && Settings.PeakHold == 0)
        return TOverlayComparison::NoData;
    return TOverlayComparison::Compare(
        first, last,
        [&](uint32_t i) {
            return usePeakHold == 1 ? spectrum->GetPeakHoldValue(int(i)) : spectrum->GetDisplayValue(int(i));
        },
        [&](uint32_t i) { return overlay.GetValue(spectrum->GetFrequency(int(i))); });
}

// Averages the two capture blocks in half-overlapping FFT-size blocks (whole
// blocks only) into each channel's spectrum, writes the averages as
// compensation files and compensates with them from now on.
void TMainWin::CaptureAmbient()
{
    if (!SeriesLeft || !SpectralLeft || !Smoothing || !SoundInput || !CaptureBlocks[0] || !CaptureBlocks[1])
        return;
    if (Scaling[0].AmpScaleType == ScalingStruct::LinearAmplitude) {
        MessageBox(SmoothingRefusal, "Tonalyx", MB_OK);
        return;
    }
    const uint32_t size = Settings.FFTsize, half = size / 2;
    Scaling[0].MicCompEnable = 0;
    Scaling[1].MicCompEnable = 0;
    AllocateSpectralData();
    if (!SpectralLeft || !SeriesLeft)
        return;
    const bool right = SpectralRight && SeriesRight;
    struct TChannel {
        TSpectralData* Spectrum;
        TSeriesData* Series;
    };
    std::vector<TChannel> channels = {{SpectralLeft, SeriesLeft}};
    if (right)
        channels.push_back({SpectralRight, SeriesRight});
    for (const TChannel& c : channels) {
        c.Spectrum->SetAveraging(10000.0f, 0);
        c.Spectrum->ResetAll();
    }
    for (TWaveData* capture : CaptureBlocks) {
        const uint32_t frames = capture->GetFrameCount();
        const uint32_t blocks = frames >= size ? (frames - size) / half + 1 : 0;
        for (uint32_t b = 0; b < blocks; ++b) {
            for (uint16_t ch = 0; ch < channels.size(); ++ch) {
                const TChannel& c = channels[ch];
                capture->ReadFrames(c.Series->GetSamplePtr(0), b * half, size, ch);
                for (uint32_t i = 0; i < size; ++i)
                    c.Spectrum->SetTimeSample(i, c.Series->GetSample(i, 0));
                Smoothing->Apply(c.Spectrum->GetFFTBuffer(), Scaling[ch].FreqScaleType, Scaling[ch].SpectralDensityFlag);
                c.Spectrum->ComputeSpectrum();
                c.Spectrum->Average(0);
            }
        }
    }
    const std::string name = AmbientName();
    for (uint16_t ch = 0; ch < channels.size(); ++ch) {
        TSpectralData& spectrum = *channels[ch].Spectrum;
        char file[PathSize + 32];
        std::snprintf(file, sizeof file, "%s\\%s", ConfiguredFolders[MicFolder], AmbientFiles[ch]);
        TOverlayData(&spectrum, 0.0f, 0).Write(file, name.c_str());
        Scaling[ch].MicCompEnable = 1;
        std::snprintf(Scaling[ch].MicCompFilename, sizeof Scaling[ch].MicCompFilename, "%s", file);
        spectrum.LoadMicCompensation(file, 1);
        spectrum.SetAveraging(float(Settings.AverageBlocks), Settings.AverageType);
        spectrum.ResetAll();
    }
}

// The local date and time as the runtime's ctime gives it, without its line end.
std::string TMainWin::AmbientName()
{
    static const char* const Days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %4d", Days[t.wDayOfWeek % 7],
                  Months[(t.wMonth + 11) % 12], t.wDay, t.wHour, t.wMinute, t.wSecond, t.wYear);
    return std::string(text).substr(0, 24);
}
