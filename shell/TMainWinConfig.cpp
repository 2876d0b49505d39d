// Configuration files and the window placements kept in them and in the INI
// file.
#include "shell/TMainWin.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "base/TSettingsTable.h"
#include "base/TEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "framework/TMDIClient.h"
#include "framework/TProfileFile.h"
#include "generator/TSignalGenerator.h"
#include "shell/StatusBar.h"

namespace {
const char* const Placement = "Placement";

// Keys and places when none is stored of the types whose window is not in
// the window table (the main window's is the desktop); the others' come
// from their kinds.
struct TPlacementEntry {
    TMainWin::ViewType Type;
    const char* Key;
    TWindowSlots::TPlacementDefault Default;
};
const TPlacementEntry OtherPlacements[] = {
    {TMainWin::ViewType::MainWindow, "Main", {0, 0, 0, 0, true, true}},
};

const TPlacementEntry* OtherPlacement(TMainWin::ViewType type)
{
    for (const TPlacementEntry& entry : OtherPlacements)
        if (entry.Type == type) return &entry;
    return nullptr;
}

const char* PlacementKey(TMainWin::ViewType type)
{
    if (const TWindowSlots::TKind* kind = TWindowSlots::KindOf(type)) return kind->PlacementKey;
    const TPlacementEntry* entry = OtherPlacement(type);
    return entry ? entry->Key : nullptr;
}

// The type's place when none is stored; the main window's for a type without one.
const TWindowSlots::TPlacementDefault& DefaultPlacement(TMainWin::ViewType type)
{
    if (const TWindowSlots::TKind* kind = TWindowSlots::KindOf(type)) return kind->Default;
    const TPlacementEntry* entry = OtherPlacement(type);
    return (entry ? *entry : OtherPlacements[0]).Default;
}

// Windows in the order a configuration saves them.
using ViewType = TMainWin::ViewType;
const ViewType SaveOrder[] = {
    ViewType::MainWindow, ViewType::TimeSeries, ViewType::Spectrum, ViewType::Spectrum2, ViewType::Phase,
    ViewType::Phase2, ViewType::Spectrogram, ViewType::Spectrogram2, ViewType::Surface, ViewType::Surface2,
    ViewType::Generator, ViewType::Thd, ViewType::Thdn, ViewType::Imd, ViewType::Snr, ViewType::Sinad,
    ViewType::Sfdr, ViewType::NoiseFigure, ViewType::PeakFrequency, ViewType::PeakAmplitude, ViewType::TotalPower,
    ViewType::DelayFinder, ViewType::Leq, ViewType::Reverb, ViewType::Macro, ViewType::PhaseScope, ViewType::ThdFreq,
};

bool HasPlacement(ViewType type)
{
    return PlacementKey(type) != nullptr;
}

RECT Desktop()
{
    RECT r{};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return r;
}

// Reads a type's entry over the record; false when there is none. Numbers
// that do not parse keep the record's values.
bool ReadPlacement(ViewType type, const char* fileName, WINDOWPLACEMENT& wp)
{
    TProfileFile file(fileName);
    const std::string text = TSettingsTable::ReadText(file, Placement, PlacementKey(type), "", 128);
    if (text.empty()) return false;
    wp.length = sizeof wp;
    int v[10] = {int(wp.flags), int(wp.showCmd), int(wp.ptMinPosition.x), int(wp.ptMinPosition.y),
                 int(wp.ptMaxPosition.x), int(wp.ptMaxPosition.y), int(wp.rcNormalPosition.left),
                 int(wp.rcNormalPosition.top), int(wp.rcNormalPosition.right), int(wp.rcNormalPosition.bottom)};
    std::sscanf(text.c_str(), "%d, %d, {%d,%d}, {%d,%d}, {%d,%d,%d,%d}", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                &v[7], &v[8], &v[9]);
    // Off-screen and negative coordinates come back onto the desktop.
    for (int i = 2; i < 10; ++i)
        if (v[i] < 0) v[i] = 0;
    const RECT desktop = Desktop();
    const int width = desktop.right - desktop.left, height = desktop.bottom - desktop.top;
    if (width < v[6]) v[6] = width / 2;
    if (height < v[7]) v[7] = height / 2;
    wp.flags = UINT(v[0]);
    wp.showCmd = UINT(v[1]);
    wp.ptMinPosition = {v[2], v[3]};
    wp.ptMaxPosition = {v[4], v[5]};
    wp.rcNormalPosition = {v[6], v[7], v[8], v[9]};
    return true;
}
}

HWND TMainWin::PlacementWindow(ViewType type)
{
    if (type == ViewType::MainWindow) return HWindow;
    TWindow* window = Windows.Window(type);
    return window ? window->GetHandle() : nullptr;
}

void TMainWin::SaveUtilityPlacements(ViewType type, const char* fileName)
{
    if (!HasPlacement(type)) return;
    HWND window = PlacementWindow(type);
    if (!window) return;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(window, &wp)) return;
    char text[128];
    std::snprintf(text, sizeof text, "%d, %d, {%d,%d}, {%d,%d}, {%d,%d,%d,%d}", int(wp.flags), int(wp.showCmd),
                  int(wp.ptMinPosition.x), int(wp.ptMinPosition.y), int(wp.ptMaxPosition.x), int(wp.ptMaxPosition.y),
                  int(wp.rcNormalPosition.left), int(wp.rcNormalPosition.top), int(wp.rcNormalPosition.right),
                  int(wp.rcNormalPosition.bottom));
    TProfileFile file(fileName);
    TSettingsTable::WriteText(file, Placement, PlacementKey(type), text);
}

int TMainWin::RestoreWindowPlacement(ViewType type, const char* fileName)
{
    if (!HasPlacement(type)) return 0;
    HWND window = PlacementWindow(type);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (window) ::GetWindowPlacement(window, &wp);
    if (!ReadPlacement(type, fileName, wp)) return 0;
    if (HWindow && ::IsIconic(HWindow)) wp.showCmd = SW_MINIMIZE;
    else if (wp.showCmd == SW_SHOWMINIMIZED) wp.showCmd = SW_SHOWNORMAL;
    int result = 1;
    if (ApplicationHidden) {
        wp.showCmd = SW_HIDE;
        result = 0;
    }
    if (window) ::SetWindowPlacement(window, &wp);
    return result;
}

void TMainWin::GetInitialPlacement(RECT& rect, ViewType type, const char* fileName, int& showCommand)
{
    const RECT desktop = Desktop();
    const int w = desktop.right - desktop.left, h = desktop.bottom - desktop.top - 26;
    const TWindowSlots::TPlacementDefault& d = DefaultPlacement(type);
    rect = {d.Left, d.Top, d.Right + (d.RightFromW ? w : 0), d.Bottom + (d.BottomFromH ? h : 0)};
    if (!d.RightFromW && d.Right <= d.Left) rect = {d.Left, d.Top, d.Left + d.Right, d.Top + d.Bottom};
    showCommand = SW_SHOWNORMAL;
    if (HasPlacement(type)) {
        WINDOWPLACEMENT wp{};
        if (ReadPlacement(type, fileName, wp)) {
            rect = wp.rcNormalPosition;
            showCommand = int(wp.showCmd);
        }
    }
    if (ApplicationHidden) showCommand = SW_HIDE;
}

void TMainWin::CmLoadConfiguration()
{
    if (RunState != Stopped) StopAnalyzer();
    TOpenSaveDialog::TData data;
    data.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Configuration Files (*.cfg)|*.cfg|";
    data.FileName = "*.cfg";
    data.DefExt = "cfg";
    data.InitialDir = LastConfigFolder();
    if (RunFileDialog(data, "Open Configuration File", false) != IDOK || !FitsFileBuffer(data.FileName)) return;
    std::snprintf(LastConfigFile, sizeof LastConfigFile, "%s", data.FileName.c_str());
    LoadConfiguration(LastConfigFile);
}

void TMainWin::CmSaveConfiguration()
{
    if (RunState != Stopped) StopAnalyzer();
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    data.Filter = "Configuration Files (*.cfg)|*.cfg|";
    data.FileName = "*.cfg";
    data.DefExt = "cfg";
    data.InitialDir = LastConfigFolder();
    if (RunFileDialog(data, "Save Configuration File", true) != IDOK || !FitsFileBuffer(data.FileName)) return;
    std::snprintf(LastConfigFile, sizeof LastConfigFile, "%s", data.FileName.c_str());
    SaveConfiguration(LastConfigFile);
}

std::string TMainWin::LastConfigFolder() const
{
    if (!LastConfigFile[0]) return CurrentFolders[CfgFolder];
    std::string folder = LastConfigFile;
    const size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? folder : folder.substr(0, slash);
}

namespace {

// Why a file cannot be loaded as a configuration, the text before its name;
// null when it holds settings.
const char* ConfigurationFault(const char* name)
{
    FILE* file = std::fopen(name, "rb");
    if (!file) return "Failure opening file: ";
    bool blank = true;
    for (int c; blank && (c = std::fgetc(file)) != EOF;) blank = std::isspace(c) != 0;
    std::fclose(file);
    if (blank) return "The configuration file is empty: ";
    return TProfileFile(name).HasSection("Settings") ? nullptr : "The file holds no configuration settings that can be read: ";
}

}

LRESULT TMainWin::EvLoadConfigRequest(WPARAM, LPARAM lParam)
{
    if (!lParam) return 0;
    char name[256];
    std::snprintf(name, sizeof name, "%s", reinterpret_cast<const char*>(lParam));
    LoadConfiguration(name);
    return 1;
}

bool TMainWin::LoadConfiguration(const char* path)
{
    if (!path || !*path) return false;
    if (RunState != Stopped) StopAnalyzer();
    char name[PathSize];
    if (!FindConfiguration(path, name)) return false;
    SaveUndoConfiguration(name);
    CloseWaveFile();
    CmCloseAllViews();
    CloseSignalGenerator();
    TakeConfiguredSettings(name);
    ReopenConfiguredViews(name);
    OpenConfiguredWave(name);
    UpdateButtonToolbar();
    return true;
}

bool TMainWin::FindConfiguration(const char* path, char (&name)[PathSize])
{
    if (!ResolvePath(name, ConfiguredFolders[CfgFolder], path)) return false;
    // A file that is missing or holds no settings would replace every
    // setting by its default: keep the current ones instead, and say which.
    const char* fault = ConfigurationFault(name);
    if (!fault) return true;
    char text[PathSize + 96];
    std::snprintf(text, sizeof text, "%s%s", fault, name);
    MessageBox(text, Product, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TMainWin::SaveUndoConfiguration(const char* name)
{
    char undo[PathSize + 16];
    std::snprintf(undo, sizeof undo, "%s\\-Undo.cfg", ConfiguredFolders[CfgFolder]);
    if (_stricmp(name, undo) != 0) SaveConfiguration(undo);
}

void TMainWin::TakeConfiguredSettings(const char* name)
{
    // A load the user asked for reports the files it reads, also those reported before.
    TEngineHost::Get().ForgetFileMessages();
    ReadSettings(name);
    UpdateDelaySamples();
    ReplaceInputPort(std::make_unique<TSoundInput>(uint32_t(InputDeviceID)));
    ReplaceOutputPort(std::make_unique<TSoundOutput>(uint32_t(OutputDeviceID)));
    SoundInput->SetFormat(Settings.Format);
    RestoreWindowPlacement(ViewType::MainWindow, name);
    DataSource = OpMode == RealTime ? 1 : 0;
    ApplySettings(RefreshKind::Full);
    SetStartupMenuChecks();
    LayoutForMode();
    RefreshStatusBar(StatusBar::WholeBar);
}

void TMainWin::ReopenConfiguredViews(const char* name)
{
    // Each open view or utility in the configuration, with its second channel's window.
    constexpr ViewType None = ViewType(-1);
    const struct { int32_t ViewStatusFlags::*Flag; ViewType Types[2]; } Reopen[] = {
        {&ViewStatusFlags::TimeSeries, {ViewType::TimeSeries, None}},
        {&ViewStatusFlags::SpectrumPlot, {ViewType::Spectrum, ViewType::Spectrum2}},
        {&ViewStatusFlags::PhasePlot, {ViewType::Phase, ViewType::Phase2}},
        {&ViewStatusFlags::Spectrogram, {ViewType::Spectrogram, ViewType::Spectrogram2}},
        {&ViewStatusFlags::SurfacePlot, {ViewType::Surface, ViewType::Surface2}},
        {&ViewStatusFlags::SignalGenerator, {ViewType::Generator, None}},
        {&ViewStatusFlags::THD, {ViewType::Thd, None}},
        {&ViewStatusFlags::THD_N, {ViewType::Thdn, None}},
        {&ViewStatusFlags::IMD, {ViewType::Imd, None}},
        {&ViewStatusFlags::SNR, {ViewType::Snr, None}},
        {&ViewStatusFlags::SINAD, {ViewType::Sinad, None}},
        {&ViewStatusFlags::SFDR, {ViewType::Sfdr, None}},
        {&ViewStatusFlags::NF, {ViewType::NoiseFigure, None}},
        {&ViewStatusFlags::PeakFreq, {ViewType::PeakFrequency, None}},
        {&ViewStatusFlags::PeakAmp, {ViewType::PeakAmplitude, None}},
        {&ViewStatusFlags::TotalPwr, {ViewType::TotalPower, None}},
        {&ViewStatusFlags::DelayFinder, {ViewType::DelayFinder, None}},
        {&ViewStatusFlags::LeqAnalysis, {ViewType::Leq, None}},
        {&ViewStatusFlags::Reverb, {ViewType::Reverb, None}},
        {&ViewStatusFlags::PhaseScope, {ViewType::PhaseScope, None}},
        {&ViewStatusFlags::THD_vs_Freq, {ViewType::ThdFreq, None}},
    };
    for (const auto& r : Reopen)
        if (ViewStatus.*r.Flag)
            for (ViewType type : r.Types)
                if (type != None) CreateViewWindow(type, name);
    if (MacroWindow()) ViewStatus.Macro = 1;
    else if (ViewStatus.Macro) CreateViewWindow(ViewType::Macro, name);
    UpdateViewMenuChecks();
}

void TMainWin::OpenConfiguredWave(const char* name)
{
    TProfileFile file(name);
    OpenWaveFile(TSettingsTable::ReadText(file, "FileHistory", "OpenFileName", "", PathSize).c_str());
    ArrangeWindows(TSettingsTable::ReadInt(file, Placement, "Special", 0));
    // Through the message, so that the frame's default sizing runs as well.
    if (HWindow) {
        const TRect client = GetClientRect();
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
}

void TMainWin::ArrangeWindows(int arrangement)
{
    static const struct { int Code; UINT Message; WPARAM How; } Arrangements[] = {
        {1, WM_MDITILE, MDITILE_HORIZONTAL},
        {2, WM_MDITILE, MDITILE_VERTICAL},
        {3, WM_MDICASCADE, 0},
    };
    for (const auto& a : Arrangements) {
        if (a.Code != arrangement) continue;
        if (HWindow) Show(SW_SHOWMAXIMIZED);
        if (TWindow* client = GetClientWindow(); client && client->GetHandle())
            client->SendMessage(a.Message, a.How, 0);
    }
}

bool TMainWin::SaveConfiguration(const char* path)
{
    if (!path || !*path) return false;
    if (RunState != Stopped) StopAnalyzer();
    if (!ReadyToWrite(path)) return false;
    WriteSettings(path);
    if (TSignalGenerator* generator = SignalGenerator()) generator->SaveSettings(path);
    for (ViewType type : SaveOrder) SaveUtilityPlacements(type, path);
    TProfileFile file(path);
    TSettingsTable::WriteText(file, "FileHistory", "OpenFileName", "");
    if (WaveFile && !WaveFile->IsUntitled())
        TSettingsTable::WriteText(file, "FileHistory", "OpenFileName", WaveFile->FileName());
    return true;
}
