#pragma once
#include <cstdint>

struct CalibrationStruct;
class TDialogHost;
class TWaveData;

// What the calibration dialogs ask of the main window: its calibration
// operations over a record, the analysis format's channels and the file
// dialogs, folders and help of the other settings dialogs.
class TCalibrationHost {
public:
    // 1 when capture holds a fresh recording of the input, else 0.
    virtual int AcquireCalibrationSignal(uint16_t channel, TWaveData* capture) = 0;
    virtual void MeasureCalibrationLevel(uint16_t channel, TWaveData* source, CalibrationStruct& record) = 0;
    virtual void ComputeCalibrationRatio(CalibrationStruct& record) = 0;
    // False when the file could not be read (or written); the messages are the host's.
    virtual bool ReadCalibrationFile(const char* fileName, CalibrationStruct& record) = 0;
    virtual bool WriteCalibrationFile(const char* fileName, CalibrationStruct& record) = 0;
    virtual uint16_t AnalysisChannels() const = 0;
    virtual TDialogHost& DialogHost() = 0;

protected:
    ~TCalibrationHost() = default;
};
