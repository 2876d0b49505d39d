#pragma once
#include <cstdint>

// Settings of the measurement utilities, each one section of the settings
// files. The utilities read and edit them in the main window.

// Section "DelayFinderOpts".
struct DelayFinderSettings {
    uint16_t DisplayUnits = 0;
    float SpeedOfSound = 1130.0f;
    int32_t MaxDelayMsec = 500;
};

// Section "LEQ".
struct LeqSettings {
    uint16_t LeqT_Weight = 1;
    uint16_t Leq_Weight = 1;
    uint16_t Lsel_Weight = 1;
    uint16_t Lpk_Weight = 1;
    uint16_t Lmaxmin_Weight = 1;
    uint16_t Lstats_Weight = 1;
    uint16_t LeqT_Avg = 3;
    uint16_t Leq_Avg = 3;
    uint16_t Lsel_Avg = 3;
    uint16_t Lpk_Avg = 0;    // the peak group never averages
    uint16_t Lmaxmin_Avg = 1;
    uint16_t Lstats_Avg = 1;
    int32_t LeqT_RefTimeSec = 3600;
    float UpdateIntervalSec = 1.0f;
    uint16_t RecalculationMode = 0;
};

// Section "ReverbOpts".
struct ReverbSettings {
    int32_t SmoothingMethod = 1;
    float SmoothingAverageTime = 0.1f;
    int32_t ExtrapolationMethod = 1;
    float MaxDecayTime = 10.0f;
    float DisplayedDecayTime = 10.0f;
    int32_t DisplayedRTTime = 5;
    int32_t DisplayedDecayBand = 10;
    uint32_t BarColor = 0xFF0000;
    uint32_t BackgroundColor = 0xC4FFFF;
    uint32_t DecayColor = 0x000080;
    uint32_t SurfaceColor = 0xFF0000;
    uint32_t GridColor = 0x808080;
    float PlotTop = 20.0f;
    float PlotRange = 80.0f;
};

// Section "THDFreqOpts".
struct THDFreqSettings {
    uint32_t LineColor = 0x00FFFF;
    uint32_t BackgroundColor = 0x000000;
    uint32_t GridColor = 0x008000;
    uint32_t LimitColor = 0x0000FF;
    float PlotTop = 10.0f;
    float PlotBottom = 0.001f;
    int32_t NumChannels = 1;
    float StartFreq = 20.0f;
    float StopFreq = 20000.0f;
    int32_t StepType = 1;
    float StepSizeHz = 1000.0f;
    int32_t OctaveNumber = 3;
    int32_t DwellTimeMSec = 1000;
    float SignalLevelL = 0.0f;
    float SignalLevelR = 0.0f;
    uint16_t StandardWeighting = 0;
    uint32_t PromptToSave = 1;
    uint16_t FreqScaleType = 1;
    uint16_t AmpScaleType = 1;
    uint32_t LimitEnableL = 0;
    char LimitFilenameL[260] = {};
    uint32_t LimitEnableR = 0;
    char LimitFilenameR[260] = {};
};

// Section "PhaseScope"; the five words without keys are set to fixed values
// whenever the settings are read.
struct PhaseScopeSettingsStruct {
    uint16_t DisplayFormat = 0;
    uint16_t Unused1 = 0;
    uint16_t Unused2 = 6;
    uint32_t Unused3 = 1;
    float Unused4 = 100.0f;
    float Unused5 = 100.0f;
    uint32_t BackgroundColor = 0x000000;
    uint32_t LineColor = 0x00FFFF;
    uint32_t GridColor = 0xC0C0C0;
};

// Section "MacroOpts".
struct MacroSettings {
    static constexpr int ButtonCount = 6;

    char MacroFilename[260] = {};
    uint32_t OverwriteFlag = 1;
    char OutputFilename[260] = {};
    char OutputViewerProgram[260] = "notepad.exe";
    uint32_t ShowUserBtnToolbar = 0;
    char BtnLabel[ButtonCount][12] = {"Test 1", "Test 2", "Test 3", "Test 4", "Test 5", "Test 6"};
    char BtnFilename[ButtonCount][260] = {};
};
