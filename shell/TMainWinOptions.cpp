// The Options commands for acquisition and analysis settings, what the
// settings dialogs ask of the main window, and the sound device lookups by name.
#include "shell/TMainWin.h"

#include <mmsystem.h>
#include <cstring>
#include <iterator>
#include <strings.h>
#include "dialogs/TCalibrationBasicDialog.h"
#include "dialogs/TCalibrationIndependentDialog.h"
#include "dialogs/TDeviceDialog.h"
#include "dialogs/TMarkersDialog.h"
#include "dialogs/TScalingDialog.h"
#include "dialogs/TScalingIndependentDialog.h"
#include "dialogs/TSettingsDialog.h"
#include "dialogs/TTHDFreqOptsDialog.h"
#include "dialogs/TTriggerDialog.h"
#include "engine/TChannelProcessing.h"
#include "base/TEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "generator/TSignalGenerator.h"
#include "shell/StatusBar.h"
#include "shell/TRunPause.h"
#include "shell/Toolbar.h"
#include "views/TSpectrumPlot.h"

namespace {

// Device names are compared over the 32 characters the devices report.
constexpr size_t DeviceNameLength = 32;

template <class Port> int32_t FindDeviceByName(const char* name, uint32_t count)
{
    for (uint32_t id = 0; name && id < count; ++id) {
        char product[DeviceNameLength + 1] = {};
        Port(id).GetDeviceCaps(product);
        if (strncasecmp(name, product, DeviceNameLength) == 0) return int32_t(id);
    }
    return 0;
}

// The families of channel views, each its first member's type (the second
// is its SecondChannel), in the order they are opened again.
const TMainWin::ViewType ViewFamilies[] = {
    TMainWin::ViewType::Spectrum, TMainWin::ViewType::Phase, TMainWin::ViewType::Spectrogram,
    TMainWin::ViewType::Surface,
};

bool FamilyShown(const TMainWin& main, TMainWin::ViewType family)
{
    return main.GetViewStatus().*TWindowSlots::KindOf(family)->Flag != 0;
}

// What the input port and the engines are built for.
bool AcquisitionChanged(const AnalysisSettingsStruct& a, const AnalysisSettingsStruct& b)
{
    return a.FFTsize != b.FFTsize || a.Format.NumChannels != b.Format.NumChannels
        || a.Format.BytesPerSample != b.Format.BytesPerSample || a.Format.SamplingRate != b.Format.SamplingRate
        || a.DecimationRatio != b.DecimationRatio || a.ApplyLowPassFilter != b.ApplyLowPassFilter
        || a.DelayTimeMsec != b.DelayTimeMsec
        || a.IndependentScalingAndCalibration != b.IndependentScalingAndCalibration
        || a.ChannelProcessing != b.ChannelProcessing;
}

int FolderOfKind(const char* kind)
{
    for (int folder = 0; kind && folder < TMainWin::FolderCount; ++folder)
        if (std::strcmp(TMainWin::FolderKeys[folder], kind) == 0) return folder;
    return -1;
}

}

int TMainWin::ExecuteDialog(TDialog& dialog) { return dialog.Execute(); }

void TMainWin::CmSettings()
{
    TRunPause pause(*this);
    AnalysisSettingsStruct edited = Settings;
    TSettingsDialog dialog(this, *this, "DIALOG_SETTINGS", &edited, WaveFile && OpMode != RealTime,
                           uint16_t(InputDeviceID));
    if (ExecuteDialog(dialog) == IDOK) SetProcessingSettings(edited);
}

// The engines are told of averaging and peak hold only when they exist (a
// failed allocation leaves none), but everything after goes on: a smaller
// setting rebuilds them.
bool TMainWin::SetProcessingSettings(const AnalysisSettingsStruct& edited)
{
    if (!IsValidProcessingSettings(edited)) return false;
    TRunPause pause(*this);
    const AnalysisSettingsStruct previous = Settings;
    Settings = edited;
    UpdateHopSize();
    ShapeWindow();
    Pipeline.RestoreAveraging();
    SetPeakHold(Settings.PeakHold);

    if (Settings.ChannelProcessing != previous.ChannelProcessing && TChannelProcessing::ShowsTwoResults(Settings.ChannelProcessing))
        for (ViewType family : ViewFamilies) {
            if (ViewStatus.*TWindowSlots::KindOf(family)->Flag != 1) continue;
            for (ViewType type : {family, SecondChannel(family)})
                if (!PlacementWindow(type)) CreateViewWindow(type, IniPath);
        }

    if (AcquisitionChanged(previous, Settings)) {
        if (SoundInput) {
            SoundInput->Close();
            SoundInput->SetFormat(Settings.Format);
        }
        if (Settings.IndependentScalingAndCalibration != previous.IndependentScalingAndCalibration) {
            // Closed and reopened with the members the new scaling mode allows.
            bool shown[std::size(ViewFamilies)];
            for (size_t f = 0; f < std::size(ViewFamilies); ++f) shown[f] = FamilyShown(*this, ViewFamilies[f]);
            for (int pass = 0; pass < 2; ++pass)
                for (size_t f = 0; f < std::size(ViewFamilies); ++f)
                    if (shown[f]) Windows.Toggle(ViewFamilies[f]);
        }
        if (Settings.IndependentScalingAndCalibration == 0) Scaling[1].CopyScalesFrom(Scaling[0]);
    }

    ApplySettings(RefreshKind::Full);
    UpdateDelaySamples();
    if (TransportToolbar) TransportToolbar->SetMode();
    RefreshStatusBar(StatusBar::WholeBar);
    for (TSpectrumPlot* view : SpectrumViews())
        if (view && view->GetHandle()) {
            view->UpdateLayout();
            view->Invalidate(true);
        }
    return true;
}

// In common scaling the right channel takes the left's scales whatever the
// dialog's end, so that the two never differ but for their files.
void TMainWin::CmScaling()
{
    TRunPause pause(*this);
    int result;
    if (Settings.IndependentScalingAndCalibration == 1) {
        TScalingIndependentDialog dialog(this, *this, "DIALOG_SCALING_INDEPENDENT", &Scaling[0], &Scaling[1]);
        result = ExecuteDialog(dialog);
    } else {
        TScalingDialog dialog(this, *this, "DIALOG_SCALING_ADVANCED", &Scaling[0], &Scaling[1]);
        result = ExecuteDialog(dialog);
        Scaling[1].CopyScalesFrom(Scaling[0]);
    }
    if (result != IDOK) return;
    if (TransportToolbar) TransportToolbar->SetMode();
    // The compensation files just chosen are read anew and report their problems.
    TEngineHost::Get().ForgetFileMessages();
    ApplySettings(RefreshKind::Full);
}

void TMainWin::CmMarkers()
{
    TRunPause pause(*this);
    TMarkersDialog dialog(this, *this, "DIALOG_MARKERS", &Markers);
    if (ExecuteDialog(dialog) == IDOK) InvalidateAllViews();
}

void TMainWin::CmTrigger()
{
    TRunPause pause(*this);
    TriggerSettings edited = Trigger;
    TTriggerDialog dialog(this, *this, "DIALOG_TRIGGER", &edited);
    if (ExecuteDialog(dialog) != IDOK) return;
    Trigger = edited;
    AllocateSeriesBuffers();
}

void TMainWin::CmDevice()
{
    TRunPause pause(*this);
    int32_t input = InputDeviceID, output = OutputDeviceID;
    TDeviceDialog dialog(this, *this, "DIALOG_DEVICE", &input, &output);
    if (ExecuteDialog(dialog) == IDOK) TakeDevices(input, output);
}

void TMainWin::TakeDevices(int32_t input, int32_t output)
{
    if (input != InputDeviceID) {
        InputDeviceID = input;
        ReplaceInputPort(std::make_unique<TSoundInput>(uint32_t(input)));
        SoundInput->SetFormat(Settings.Format);
    }
    if (output != OutputDeviceID) {
        OutputDeviceID = output;
        ReplaceOutputPort(std::make_unique<TSoundOutput>(uint32_t(output)));
        SoundOutput->SetFormat(Settings.Format);
        // The generator moves to the new device.
        if (SignalGenerator()) SignalGenerator()->FormatChanged(uint32_t(output), 0);
    }
}

void TMainWin::ReplaceInputPort(std::unique_ptr<TSoundInput> port) { SoundInput = std::move(port); }

void TMainWin::ReplaceOutputPort(std::unique_ptr<TSoundOutput> port) { SoundOutput = std::move(port); }

// The dialog edits a copy; only OK hands it to the wave and the views.
void TMainWin::CmCalibration()
{
    TRunPause pause(*this);
    CalibrationStruct edited = Calibration;
    int result;
    if (Settings.IndependentScalingAndCalibration == 1) {
        TCalibrationIndependentDialog dialog(this, *this, "DIALOG_CALIBRATE_INDEPENDENT", &edited);
        result = ExecuteDialog(dialog);
    } else {
        TCalibrationBasicDialog dialog(this, *this, "DIALOG_CALIBRATE_BASIC", &edited);
        result = ExecuteDialog(dialog);
    }
    if (result != IDOK) return;
    Calibration = edited;
    ApplyWaveCalibration();
    ApplySettings(RefreshKind::RecomputeHistory);
}

// A wave the automation opened as a temporary file keeps its calibration.
void TMainWin::CeCalibration(TCommandEnabler& ce)
{
    ce.Enable(false);
    if (!TemporaryWaveFile) ce.Enable(true);
}

void TMainWin::InvalidateAllViews()
{
    for (ViewType family : ViewFamilies)
        for (ViewType type : {family, SecondChannel(family)})
            if (HWND view = PlacementWindow(type)) ::InvalidateRect(view, nullptr, TRUE);
}

std::string TMainWin::CurrentFolder(const char* kind) const
{
    if (kind && std::strcmp(kind, TTHDFreqOptsDialog::LimitFileKind) == 0) {
        const size_t slash = LimitFilePath.find_last_of('\\');
        return slash == std::string::npos ? std::string(CurrentFolders[OvlFolder]) : LimitFilePath.substr(0, slash);
    }
    const int folder = FolderOfKind(kind);
    return folder < 0 ? std::string() : std::string(CurrentFolders[folder]);
}

void TMainWin::KeepFolder(const char* kind, const char* chosenPath)
{
    if (kind && chosenPath && std::strcmp(kind, TTHDFreqOptsDialog::LimitFileKind) == 0) {
        LimitFilePath = chosenPath;
        return;
    }
    const int folder = FolderOfKind(kind);
    if (folder >= 0 && chosenPath) StoreCurrentFolder(folder, chosenPath);
}

int32_t TMainWin::FindInputDeviceByName(const char* name)
{
    return FindDeviceByName<TSoundInput>(name, ::waveInGetNumDevs());
}

int32_t TMainWin::FindOutputDeviceByName(const char* name)
{
    return FindDeviceByName<TSoundOutput>(name, ::waveOutGetNumDevs());
}
