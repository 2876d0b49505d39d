#include "shell/TMainWin.h"

#include "framework/THtmlHelp.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include "base/TSettingsTable.h"
#include "automation/TMacro.h"
#include "dialogs/TAboutDialog.h"
#include "engine/TSeriesData.h"
#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFile.h"
#include "framework/TModule.h"
#include "framework/TProfileFile.h"
#include "framework/UiHelpers.h"
#include "resources/CommandIds.h"
#include "shell/FileTypes.h"
#include "shell/StatusBar.h"
#include "shell/TDdeServer.h"
#include "shell/Toolbar.h"
#include "shell/Toolbar2.h"
#include "utilities/TDataLog.h"
#include "views/TSeriesPlot.h"
#include "views/TPhasePlot.h"
#include "views/TSpectrumPlot.h"
#include "views/TSurfacePlot.h"
#include "utilities/TTHDFreq.h"
#include "utilities/TReverb.h"

TMainWin* MainWindow = nullptr;

DEFINE_RESPONSE_TABLE1(TMainWin, TMDIFrame)
    EV_WM_DESTROY
    EV_WM_DROPFILES
    EV_WM_SYSCOLORCHANGE
    EV_COMMAND(CM_EXIT, CmExit)
    EV_COMMAND(CM_FILENEW, CmFileNew)
    EV_COMMAND(CM_FILEOPEN, CmFileOpen)
    EV_COMMAND(CM_FILECLOSE, CmFileClose)
    EV_COMMAND(CM_FILESAVE, CmFileSave)
    EV_COMMAND(CM_FILESAVEAS, CmFileSaveAs)
    EV_COMMAND(CM_FILEDELETE, CmFileDelete)
    EV_COMMAND_ENABLE(CM_FILENEW, CeFileNew)
    EV_COMMAND_ENABLE(CM_FILECLOSE, CeWaveFileCommand)
    EV_COMMAND_ENABLE(CM_FILESAVE, CeWaveFileCommand)
    EV_COMMAND_ENABLE(CM_FILESAVEAS, CeWaveFileCommand)
    EV_COMMAND_ENABLE(CM_FILEDELETE, CeFileDelete)
    EV_COMMAND(CM_RECENTFILE1, CmRecentFile1)
    EV_COMMAND(CM_RECENTFILE2, CmRecentFile2)
    EV_COMMAND(CM_RECENTFILE3, CmRecentFile3)
    EV_COMMAND(CM_RECENTFILE4, CmRecentFile4)
    EV_COMMAND_ENABLE(CM_RECENTFILE1, CeRecentFile)
    EV_COMMAND_ENABLE(CM_RECENTFILE2, CeRecentFile)
    EV_COMMAND_ENABLE(CM_RECENTFILE3, CeRecentFile)
    EV_COMMAND_ENABLE(CM_RECENTFILE4, CeRecentFile)
    EV_COMMAND(CM_LOADCONFIGURATION, CmLoadConfiguration)
    EV_COMMAND(CM_SAVECONFIGURATION, CmSaveConfiguration)
    EV_MESSAGE(TMainWin::LoadConfigRequest, EvLoadConfigRequest)
    EV_WM_SIZE
    EV_COMMAND(CM_RUN, CmRun)
    EV_COMMAND(CM_VIEWTIMESERIES, CmViewTimeSeries)
    EV_COMMAND(CM_VIEWSPECTRUM, CmViewSpectrum)
    EV_COMMAND(CM_VIEWPHASE, CmViewPhase)
    EV_COMMAND(CM_VIEWSPECTROGRAM, CmViewSpectrogram)
    EV_COMMAND(CM_VIEWSURFACE, CmViewSurface)
    EV_COMMAND(CM_CLEARALLVIEWS, CmClearAllViews)
    EV_COMMAND_ENABLE(CM_CLEARALLVIEWS, CeAnyViewOpen)
    EV_COMMAND(CM_CLOSEALLVIEWS, CmCloseAllViews)
    EV_COMMAND_ENABLE(CM_CLOSEALLVIEWS, CeAnyViewOpen)
    EV_COMMAND(CM_MODEREALTIME, CmModeRealTime)
    EV_COMMAND(CM_MODEPOSTPROCESS, CmModePostProcess)
    EV_COMMAND(CM_MODERECORDER, CmModeRecorder)
    EV_COMMAND(CM_ACCELRUN, CmAccelRun)
    EV_COMMAND(CM_ACCELSTOP, CmAccelStop)
    EV_COMMAND(CM_ACCELPLAY, CmAccelPlay)
    EV_COMMAND(CM_ACCELREWIND, CmAccelRewind)
    EV_MESSAGE(MM_WIM_DATA, EvWaveBufferDone)
    EV_MESSAGE(MM_WOM_DONE, EvWaveBufferDone)
    EV_MESSAGE(WM_DEVICECHANGE, EvDeviceChange)
    EV_COMMAND(CM_EDITCUT, CmEditCut)
    EV_COMMAND(CM_EDITCOPY, CmEditCopy)
    EV_COMMAND(CM_EDITPASTEINSERT, CmEditPasteInsert)
    EV_COMMAND(CM_EDITPASTEOVER, CmEditPasteOver)
    EV_COMMAND(CM_EDITMUTE, CmEditMute)
    EV_COMMAND(CM_EDITUNDO, CmEditUndo)
    EV_COMMAND(CM_EDITSELECTALL, CmEditSelectAll)
    EV_COMMAND(CM_EDITGAINADJUST, CmEditGainAdjust)
    EV_COMMAND(CM_EDITDCOFFSET, CmEditDCOffset)
    EV_COMMAND(CM_EDITFILTER, CmEditFilter)
    EV_COMMAND(CM_PLAY, CmPlay)
    EV_COMMAND(CM_PLAYLOOP, CmPlayLoop)
    EV_COMMAND(CM_PLAYHALFSPEED, CmPlayHalfSpeed)
    EV_COMMAND(CM_PLAYDOUBLESPEED, CmPlayDoubleSpeed)
    EV_COMMAND(CM_PLAYARBITRARYSPEED, CmPlayArbitrarySpeed)
    EV_COMMAND_ENABLE(CM_EDITUNDO, CeEditUndo)
    EV_COMMAND_ENABLE(CM_EDITCUT, CeEditCut)
    EV_COMMAND_ENABLE(CM_EDITMUTE, CeEditCut)
    EV_COMMAND_ENABLE(CM_EDITCOPY, CeEditCopy)
    EV_COMMAND_ENABLE(CM_EDITPASTEINSERT, CeEditPasteInsert)
    EV_COMMAND_ENABLE(CM_EDITPASTEOVER, CeEditPasteOver)
    EV_COMMAND_ENABLE(CM_EDITGAINADJUST, CeEditGainAdjust)
    EV_COMMAND_ENABLE(CM_EDITDCOFFSET, CeEditGainAdjust)
    EV_COMMAND_ENABLE(CM_EDITSELECTALL, CeEditSelectAll)
    EV_COMMAND_ENABLE(CM_EDITFILTER, CeEditFilter)
    EV_COMMAND_ENABLE(CM_PLAY, CePlay)
    EV_COMMAND_ENABLE(CM_PLAYLOOP, CePlay)
    EV_COMMAND_ENABLE(CM_PLAYHALFSPEED, CePlay)
    EV_COMMAND_ENABLE(CM_PLAYDOUBLESPEED, CePlay)
    EV_COMMAND(CM_EDITPASTELINK, CmEditPasteLink)
    EV_COMMAND_ENABLE(CM_EDITPASTELINK, CeEditPasteLink)
    // Options commands for acquisition and analysis settings.
    EV_COMMAND(CM_SETTINGS, CmSettings)
    EV_COMMAND(CM_SCALING, CmScaling)
    EV_COMMAND(CM_MARKERS, CmMarkers)
    EV_COMMAND(CM_TRIGGER, CmTrigger)
    EV_COMMAND(CM_DEVICE, CmDevice)
    EV_COMMAND(CM_CALIBRATION, CmCalibration)
    EV_COMMAND_ENABLE(CM_CALIBRATION, CeCalibration)
    // Options commands for the plot views.
    EV_COMMAND(CM_TIMESERIESOPTIONS, CmTimeSeriesOptions)
    EV_COMMAND(CM_SPECTRUMOPTIONS, CmSpectrumOptions)
    EV_COMMAND(CM_PHASEOPTIONS, CmPhaseOptions)
    EV_COMMAND(CM_SURFACEOPTIONS, CmSurfaceOptions)
    EV_COMMAND(CM_SPECTROGRAMOPTIONS, CmSpectrogramOptions)
    // Automation: the macro window and the readouts.
    EV_COMMAND(CM_MACROPROCESSOR, CmMacroProcessor)
    EV_COMMAND_ENABLE(CM_MACROPROCESSOR, CeMacroProcessor)
    EV_COMMAND(CM_REVERBTIME, CmReverbTime)
    EV_COMMAND_ENABLE(CM_REVERBTIME, CeReverbTime)
    EV_COMMAND(CM_PHASESCOPE, CmPhaseScope)
    EV_COMMAND_ENABLE(CM_PHASESCOPE, CePhaseScope)
    EV_COMMAND(CM_THDNVSFREQUENCY, CmTHDNvsFrequency)
    EV_COMMAND_ENABLE(CM_THDNVSFREQUENCY, CeTHDNvsFrequency)
    EV_COMMAND(CM_REVERBOPTIONS, CmReverbOptions)
    EV_COMMAND(CM_PHASESCOPEOPTIONS, CmPhaseScopeOptions)
    EV_COMMAND(CM_THDNVSFREQUENCYOPTIONS, CmTHDNvsFrequencyOptions)
    EV_COMMAND(CM_FILEIOOPTIONS, CmFileIOOptions)
    EV_COMMAND_ENABLE(CM_FILEIOOPTIONS, CeFileIOOptions)
    EV_COMMAND(CM_SETPATHS, CmSetPaths)
    EV_COMMAND(CM_THD, CmTHD)
    EV_COMMAND(CM_THDN, CmTHDN)
    EV_COMMAND(CM_IMD, CmIMD)
    EV_COMMAND(CM_SNR, CmSNR)
    EV_COMMAND(CM_SINAD, CmSINAD)
    EV_COMMAND(CM_SFDR, CmSFDR)
    EV_COMMAND(CM_PEAKFREQUENCY, CmPeakFrequency)
    EV_COMMAND(CM_PEAKAMPLITUDE, CmPeakAmplitude)
    EV_COMMAND(CM_TOTALPOWER, CmTotalPower)
    EV_COMMAND(CM_NOISEFIGURELEFTRIGHT, CmNoiseFigureLeftRight)
    EV_COMMAND(CM_NOISEFIGURERIGHTLEFT, CmNoiseFigureRightLeft)
    EV_COMMAND_ENABLE(CM_THD, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_THDNVSFREQUENCY, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_THDN, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_IMD, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_SNR, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_SINAD, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_SFDR, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_PEAKFREQUENCY, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_PEAKAMPLITUDE, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_TOTALPOWER, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_NOISEFIGURELEFTRIGHT, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_NOISEFIGURERIGHTLEFT, CeAlwaysEnabled)
    EV_MESSAGE(TMainWin::AdviseAllRequest, EvAdviseAllRequest)
    EV_MESSAGE(TMainWin::ShowKeptMessagesRequest, EvShowKeptMessages)
    EV_MESSAGE(TMainWin::MacroScriptRequest, EvMacroScriptRequest)
    // File menu commands that make a new wave.
    EV_COMMAND(CM_FILEDECIMATE, CmFileDecimate)
    EV_COMMAND(CM_FILEMERGE, CmFileMerge)
    EV_COMMAND_ENABLE(CM_FILEDECIMATE, CeFileDecimate)
    EV_COMMAND_ENABLE(CM_FILEMERGE, CeFileMerge)
    EV_COMMAND(CM_FILEIMPORT, CmFileImport)
    EV_COMMAND(CM_FILEEXPORT, CmFileExport)
    EV_COMMAND_ENABLE(CM_FILEIMPORT, CeFileImport)
    EV_COMMAND_ENABLE(CM_FILEEXPORT, CeFileExport)
    // The signal generator.
    EV_COMMAND(CM_SIGNALGENERATOR, CmSignalGenerator)
    EV_COMMAND(CM_PRINT, CmPrint)
    EV_COMMAND_ENABLE(CM_PRINT, CePrint)
    EV_COMMAND(CM_PRINTERSETUP, CmPrinterSetup)
    EV_COMMAND(CM_ANNOTATIONS, CmAnnotations)
    EV_COMMAND(CM_VIEWCONFIGURATION, CmViewConfiguration)
    EV_COMMAND(CM_PRINTCONFIGURATION, CmPrintConfiguration)
    EV_COMMAND(CM_HELPCONTENTS, CmHelpContents)
    EV_COMMAND(CM_HELPSEARCH, CmHelpSearch)
    EV_COMMAND(CM_HELPAPPNOTES, CmHelpAppNotes)
    EV_COMMAND(CM_RUNDEMOMACRO, CmRunDemoMacro)
    EV_COMMAND(CM_RELEASENOTES, CmReleaseNotes)
    EV_COMMAND(CM_GOTOWEBSITE, CmGoToWebsite)
    EV_COMMAND(CM_LICENSEAGREEMENT, CmLicenseAgreement)
    EV_COMMAND(CM_ABOUT, CmAbout)
    EV_COMMAND(CM_CASCADE, CmCascade)
    EV_COMMAND(CM_TILEVERTICAL, CmTileVertical)
    EV_COMMAND(CM_TILEHORIZONTAL, CmTileHorizontal)
    EV_COMMAND(CM_ARRANGEICONS, CmArrangeIcons)
    EV_COMMAND_ENABLE(CM_CASCADE, CeWindowArrange)
    EV_COMMAND_ENABLE(CM_TILEVERTICAL, CeWindowArrange)
    EV_COMMAND_ENABLE(CM_TILEHORIZONTAL, CeWindowArrange)
    EV_COMMAND_ENABLE(CM_ARRANGEICONS, CeWindowArrange)
    EV_COMMAND(CM_TOGGLEMAINTOOLBAR, CmToggleMainToolbar)
    EV_COMMAND(CM_TOGGLESECONDARYTOOLBAR, CmToggleSecondaryToolbar)
    EV_COMMAND(CM_TOGGLESTATUSBAR, CmToggleStatusBar)
    EV_COMMAND(CM_CLOSEALLUTILITIES, CmCloseAllUtilities)
    EV_COMMAND_ENABLE(CM_CLOSEALLUTILITIES, CeCloseAllUtilities)
    EV_COMMAND(CM_DELAYFINDER, CmDelayFinder)
    EV_COMMAND(CM_LEQ, CmLeq)
    EV_COMMAND_ENABLE(CM_DELAYFINDER, CeAlwaysEnabled)
    EV_COMMAND_ENABLE(CM_LEQ, CeAlwaysEnabled)
    EV_COMMAND(CM_DELAYFINDEROPTIONS, CmDelayFinderOptions)
    EV_COMMAND(CM_LEQOPTIONS, CmLeqOptions)
    EV_COMMAND(CM_DATALOGSETUP, CmDataLogSetup)
    EV_COMMAND(CM_DATALOGON, CmDataLogOn)
    EV_COMMAND(CM_DATALOGOFF, CmDataLogOff)
    EV_COMMAND(CM_DATALOGVIEW, CmDataLogView)
    EV_COMMAND_ENABLE(CM_DATALOGON, CeDataLogOn)
    EV_COMMAND_ENABLE(CM_DATALOGOFF, CeDataLogOff)
    EV_COMMAND(CM_SAVESIGNALTOWAVE, CmSaveSignalToWave)
    EV_COMMAND_ENABLE(CM_SAVESIGNALTOWAVE, CeSaveSignalToWave)
    EV_COMMAND(CM_LOCKGENERATORCHANNELS, CmLockGeneratorChannels)
END_RESPONSE_TABLE;

namespace {
// path with the extension of its file name replaced (or added).
void ReplaceExtension(char* destination, const char* path, const char* extension)
{
    std::snprintf(destination, TMainWin::PathSize, "%s", path);
    char* file = destination;
    for (char* p = destination; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') file = p + 1;
    char* dot = std::strrchr(file, '.');
    size_t stem = dot ? size_t(dot - destination) : std::strlen(destination);
    if (stem + 1 + std::strlen(extension) < size_t(TMainWin::PathSize))
        std::snprintf(destination + stem, TMainWin::PathSize - stem, ".%s", extension);
}
}

TMainWin::TMainWin(TWindow*, const char* programPath, const char* commandLineArg, TMDIClient& client,
                   TModule* module)
    : TMDIFrame("Tonalyx", "MENU_TONALYX", client, module)
{
    std::snprintf(ModulePath, sizeof ModulePath, "%s", programPath ? programPath : "");
    TakeCommandLineFile(commandLineArg);
    ReplaceExtension(IniPath, ModulePath, "ini");
    ReplaceExtension(HelpPath, ModulePath, "chm");

    Attr.Style |= WS_CLIPCHILDREN;

    Calibration.Left.CalRatio = 1.0f;
    Calibration.Right.CalRatio = 1.0f;
    std::strcpy(Calibration.Left.ChannelName, "Left");
    std::strcpy(Calibration.Right.ChannelName, "Right");

    ReadSettings(IniPath);
    std::memcpy(CurrentFolders, ConfiguredFolders, sizeof CurrentFolders);
    ApplicationHidden = ViewStatus.HideApplicationWindow != 0 ? 1 : 0;
    RECT frame;
    GetInitialPlacement(frame, ViewType::MainWindow, IniPath, InitialShowCommand);
    Attr.X = frame.left;
    Attr.Y = frame.top;
    Attr.W = frame.right - frame.left;
    Attr.H = frame.bottom - frame.top;
    DataSource = OpMode == RealTime ? 1 : 0;
    CreateFaceBrush();
    UpdateDelaySamples();
    RunState = Stopped;
    MainWindow = this;
}

TMainWin::~TMainWin()
{
    ShutdownDdeServer();
    CloseSignalGenerator();
    if (PrinterDevMode) ::GlobalFree(PrinterDevMode);
    if (PrinterDevNames) ::GlobalFree(PrinterDevNames);
    PrinterDevMode = PrinterDevNames = nullptr;
    SoundOutput.reset();
    SoundInput.reset();
    ReplaceWave(nullptr);
    for (TWaveData*& block : CaptureBlocks) {
        delete block;
        block = nullptr;
    }
    for (TSeriesData** series : {&SeriesLeft, &SeriesRight, &TriggerSeriesLeft, &TriggerSeriesRight}) {
        delete *series;
        *series = nullptr;
    }
    PlaybackCopy.reset();
    if (MainWindow == this) MainWindow = nullptr;
}

void TMainWin::TakeCommandLineFile(const char* argument)
{
    CommandLineFile[0] = '\0';
    if (!argument || !*argument) return;
    char upper[PathSize];
    std::snprintf(upper, sizeof upper, "%s", argument);
    for (char* p = upper; *p; ++p) *p = char(std::toupper(static_cast<unsigned char>(*p)));
    std::strcpy(CommandLineFile, upper);
    // A launcher may pass the program's own name first: skip it and the one
    // separator after it, when there is one.
    static const char Name[] = "TONALYX.EXE";
    if (const char* match = std::strstr(upper, Name)) {
        const char* rest = match + sizeof Name - 1;
        if (*rest) ++rest;
        std::memmove(CommandLineFile, rest, std::strlen(rest) + 1);
    }
}

void TMainWin::CreateFaceBrush()
{
    FaceBrush = std::make_unique<TBrush>(IsWin32s() ? RGB(192, 192, 192) : ::GetSysColor(COLOR_BTNFACE));
}

void TMainWin::GetWindowClass(WNDCLASSA& wc)
{
    TMDIFrame::GetWindowClass(wc);
    wc.hIcon = ::LoadIconA(GetModule()->GetInstance(), "ICON_SPECTRUM");
}

void TMainWin::SetupWindow()
{
    UpdateHopSize();
    AllocateSeriesBuffers();
    AllocateSpectralData();
    MainFont = std::make_unique<TFont>("Arial", 15);

    TMDIFrame::SetupWindow();

    // The splash stands over the frame while the set-up goes on, so that the
    // frame is shown and painted behind it; it closes itself on its timer.
    TProfileFile ini(IniPath);
    if (TSettingsTable::ReadInt(ini, "Main", "ShowSplashScreen", 1) != 0) {
        Splash = std::make_unique<TAboutDialog>(this, this, "ABOUT_TONALYX", 1);
        if (Splash->Create()) Splash->Show(SW_SHOWNORMAL);
    }
    AttachWindowMenu();
    BuildRecentFileMenu();

    Pipeline.AdoptWindow(std::make_unique<TSmoothing>(Settings.FFTsize, Settings.SmoothingWindow));
    ReplaceOutputPort(std::make_unique<TSoundOutput>(uint32_t(OutputDeviceID)));
    ReplaceInputPort(std::make_unique<TSoundInput>(uint32_t(InputDeviceID)));
    SoundInput->SetFormat(Settings.Format);

    CreateStatusBar();
    DragAcceptFiles(true);
    if (InitialShowCommand == SW_SHOWMAXIMIZED) Show(SW_SHOWMAXIMIZED);
    // Here, in order: reopen the views and utility windows whose ViewStatus flag is set;
    // set the View menu checks from those flags.
    ReopenViews();
    SetStartupMenuChecks();
    LayoutForMode();
    CreateButtonToolbar();
    UpdateBarMenuChecks();

    if (CommandLineFile[0]) {
        OpenStartupFile(CommandLineFile);
    } else {
        OpenWaveFile(TSettingsTable::ReadText(ini, "FileHistory", "OpenFileName", "", PathSize).c_str());
    }
    RefreshRunDisplays();
    if (TSettingsTable::ReadInt(ini, "FileIO", "RunOnLaunch", 0) == 1 && OpMode == RealTime) StartAnalyzer();
    InitDdeServer();
}

void TMainWin::SetMenuCheck(UINT id, bool checked)
{
    if (HMENU menu = GetMenu()) ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TMainWin::SetStartupMenuChecks()
{
    SetMenuCheck(CM_LOCKGENERATORCHANNELS, GeneratorLocked != 0);
    SetMenuCheck(CM_MODEREALTIME, OpMode == RealTime);
    SetMenuCheck(CM_MODEPOSTPROCESS, OpMode == PostProcess);
    SetMenuCheck(CM_MODERECORDER, OpMode == Recorder);
}

void TMainWin::AttachWindowMenu()
{
    HMENU menu = GetMenu();
    TWindow* client = GetClientWindow();
    if (!menu || !client) return;
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub && ::GetMenuState(sub, CM_CASCADE, MF_BYCOMMAND) != UINT(-1))
            client->SendMessage(WM_MDISETMENU, WPARAM(menu), LPARAM(sub));
    }
    DrawMenuBar();
}

void TMainWin::OpenStartupFile(const char* name)
{
    if (IsMacroFileName(name)) RunMacroFile(name);
    if (IsWaveFileName(name)) OpenWaveFile(name);
    if (IsConfigFileName(name)) LoadConfiguration(name);
}

bool TMainWin::CanClose()
{
    if (RunState != Stopped) StopAnalyzer();
    if (TReverb* reverb = ReverbWindow(); reverb && !reverb->QuerySave()) return false;
    if (TMacro* macro = MacroWindow(); macro && !macro->CanClose()) return false;
    if (TTHDFreq* thd = ThdFreqWindow(); thd && !thd->QuerySave()) return false;
    if (!TemporaryWaveFile) {
        TProfileFile ini(IniPath);
        TSettingsTable::WriteText(ini, "FileHistory", "OpenFileName", "");
        if (WaveFile && !WaveFile->IsUntitled())
            TSettingsTable::WriteText(ini, "FileHistory", "OpenFileName", WaveFile->FileName());
    }
    return CloseWaveFile() == 1;
}

void TMainWin::EvDestroy()
{
    if (RunState != Stopped) StopAnalyzer();
    WriteSettings(IniPath);
    SaveUtilityPlacements(ViewType::MainWindow, IniPath);
    CmCloseAllViews();
    CloseReadouts();
    Windows.Close(ViewType::Macro);
    Windows.Close(ViewType::ThdFreq);
    Windows.Close(ViewType::Reverb);
    CmCloseAllUtilities();
    THtmlHelp::CloseAllViewers();
    DestroyViewsAndBars();
    TMDIFrame::EvDestroy();
}

void TMainWin::CmExit()
{
    CloseWindow();
}

void TMainWin::EvDropFiles(TDropInfo drop)
{
    if (RunState != Stopped) StopAnalyzer();
    char name[PathSize] = {};
    drop.DragQueryFile(0, name, sizeof name);
    drop.DragFinish();
    if (!CloseWaveFile()) return;
    if (IsConfigFileName(name)) {
        LoadConfiguration(name);
        return;
    }
    OpenWaveFile(name);
    AddRecentFile(name);
    if (OpMode == Recorder && WaveFile) {
        RunState = Playback;
        StartAnalyzer();
    }
}

void TMainWin::EvSysColorChange()
{
    // The old brush goes only once no window class names it any more.
    const std::unique_ptr<TBrush> old = std::move(FaceBrush);
    CreateFaceBrush();
    SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*FaceBrush)));
    if (TransportToolbar)
        TransportToolbar->EvSysColorChange();
    if (ButtonToolbar)
        ButtonToolbar->EvSysColorChange();
    if (StatusBarWindow && StatusBarWindow->GetHandle())
        StatusBarWindow->SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*FaceBrush)));
    for (TSpectrumPlot* view : SpectrumViews())
        if (view)
            view->UpdateBackgroundBrush();
    if (TimeSeriesView())
        TimeSeriesView()->UpdateBackgroundBrush();
    if (TTHDFreq* thd = ThdFreqWindow(); thd && thd->GetHandle())
        thd->SetClassLong(GCLP_HBRBACKGROUND, LONG_PTR(HBRUSH(*FaceBrush)));
    for (TSurfacePlot* view : SurfaceViews())
        if (view)
            view->UpdateBackgroundBrush();
    for (TPhasePlot* view : PhaseViews())
        if (view)
            view->UpdateBackgroundBrush();
    if (TReverb* reverb = ReverbWindow()) reverb->UpdateBackgroundBrush();
}
