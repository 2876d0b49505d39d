#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include "dialogs/TProcessingStatusDialog.h"
#include "engine/CalibrationStruct.h"
#include "engine/TDataImport.h"

class TWaveData;
class TWaveFile;

// The import's progress box: examines the data file once, then converts
// at most 8,192 frames a tick into the wave. The calibration of the new
// wave is built in a copy, read by the caller once the box ended with OK.
class TFileImportProcessDialog : public TProcessingStatusDialog {
public:
    static constexpr uint32_t FramesPerStep = 8192;

    // askRescale: let the user adjust the automatic rescale multiplier.
    TFileImportProcessDialog(TWindow* parent, TResId templateName, TWaveFile& wave, std::string fileName,
                             ImportOptions options, const CalibrationStruct& calibration, bool askRescale);
    ~TFileImportProcessDialog() override;

    void SetupWindow() override;
    const CalibrationStruct& GetCalibration() const { return Calibration; }

protected:
    void Step() override;
    void Abandon() override;

private:
    class TFileInput;
    // Whether the examination leaves a file to convert.
    bool Examine();
    void AdjustRescale();

    TWaveFile& Wave;
    std::string FileName;
    ImportOptions Options;
    CalibrationStruct Calibration;
    bool AskRescale;
    std::FILE* File = nullptr;
    std::unique_ptr<TFileInput> Input;
    std::unique_ptr<TDataImport> Import;
    std::unique_ptr<TWaveData> Block;
    TDataImport::TScale Scale;
    uint32_t Total = 0;
    uint32_t Done = 0;
};
