#pragma once
#include <cstdint>

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
