#pragma once
#include <cstdint>

// Recording and file options (section "FileIO", always in the program's INI file).
struct FileIOSettings {
    int32_t WaveFileMode = 1;
    int32_t MaxRamRecordingTimeSecs = 300;
    int32_t MakeBackup = 1;
    int32_t IncludeCalibrationData = 1;
    int32_t RecordIOBufferSizeSecs = 1;
    int32_t RealTimeIOBufferSizeSecs = 1;
    int32_t RealTimeWaveBufferEnableFlag = 1;
    int32_t RealTimeWaveBufferLengthSecs = 60;
    int32_t AllowSplitBuffers = 1;
    int32_t DALSelfMonitor = 0;
    int32_t DarlaDelay = 100;
    int32_t MaxDiskRecordingSizeBytes = 2000000000;
};
