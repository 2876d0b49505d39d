#pragma once
#include <cstdint>

// The data log (section "Logging").
struct LoggingSettings {
    uint32_t IntervalFlag = 1;
    float IntervalSecs = 1.0f;
    uint32_t UseFullSpan = 1;
    float StartFreq = 0.0f;
    float StopFreq = 1000.0f;
    float Threshold = -999.0f;
    uint16_t DataType = 0;
    char LogFileName[260] = "datalog.txt";
    char LogViewerProgram[260] = "notepad.exe";
    uint32_t OverwriteFlag = 1;
    uint32_t IncludeHeaderFlag = 1;
    uint32_t IncludeTimeStampFlag = 1;
    // Total-power columns after Spectrum Values records; INI only, not in the dialog.
    uint32_t VantorFlag = 0;
};
