#include "dialogs/TFileImportProcessDialog.h"

#include <algorithm>
#include "dialogs/TFieldText.h"
#include "dialogs/TGetInputDialog.h"
#include "engine/TWaveFile.h"
#include "resources/StringIds.h"

// The data file as the reader sees it.
class TFileImportProcessDialog::TFileInput : public TDataImport::TInput {
public:
    explicit TFileInput(std::FILE* file) : File(file) {}
    size_t Read(uint8_t* dest, size_t size) override { return std::fread(dest, 1, size, File); }
    bool Rewind() override { return std::fseek(File, 0, SEEK_SET) == 0; }

private:
    std::FILE* File;
};

TFileImportProcessDialog::TFileImportProcessDialog(TWindow* parent, TResId templateName, TWaveFile& wave,
                                                   std::string fileName, ImportOptions options,
                                                   const CalibrationStruct& calibration, bool askRescale)
    : TProcessingStatusDialog(parent, templateName, IDS_IMPORT_CANCEL_TEXT), Wave(wave), FileName(std::move(fileName)),
      Options(options), Calibration(calibration), AskRescale(askRescale)
{
}

TFileImportProcessDialog::~TFileImportProcessDialog()
{
    if (File)
        std::fclose(File);
}

void TFileImportProcessDialog::SetupWindow()
{
    TProcessingStatusDialog::SetupWindow();
    ShowStatus(IDS_IMPORT_EXAMINING_TEXT);
    if (!Examine())
        return;
    const TWaveFormat format = Wave.GetFormat();
    Block = std::make_unique<TWaveData>(FramesPerStep, format);
    if (Block->Error) {
        Fail(IDS_NO_MEMORY_TEXT);
        return;
    }
    if (!Wave.IsDiskBased() && !Wave.SetLength(Total)) {
        Fail(IDS_IMPORT_NO_MEMORY_TEXT);
        return;
    }
    Wave.Rewind();
    ShowStatus(IDS_IMPORT_RUNNING_TEXT);
    StartSteps();
}

bool TFileImportProcessDialog::Examine()
{
    File = std::fopen(FileName.c_str(), "rb");
    if (!File) {
        char text[600];
        std::snprintf(text, sizeof text, IDS_OPEN_DATA_FILE_FAILED_TEXT, FileName.c_str());
        Fail(text);
        return false;
    }
    Input = std::make_unique<TFileInput>(File);
    Import = std::make_unique<TDataImport>(*Input, Options.SourceType, Options.Channels);
    Import->Restart(Options.HeaderPresent, Options.HeaderSize);
    const TDataImport::TExamination examined = Import->Examine();
    if (examined.Refusal != TDataImport::TRefusal::None) {
        Fail(TDataImport::RefusalText(examined, FileName.c_str()));
        return false;
    }
    Total = examined.Frames;
    Scale = TDataImport::Scale(Options.ScalingOption, examined.Minimum, examined.Maximum, Wave.GetFormat());
    if (Options.ScalingOption == TDataImport::Rescale && AskRescale)
        AdjustRescale();
    TDataImport::Calibrate(Options, Scale, Wave.GetFormat(), Calibration);
    Import->Restart(Options.HeaderPresent, Options.HeaderSize);
    return true;
}

void TFileImportProcessDialog::AdjustRescale()
{
    char text[21];
    std::snprintf(text, sizeof text, "%6.3f", double(Scale.Multiplier));
    TGetInputDialog prompt(this, "Adjust Rescale Factor", "Rescale Multiplier:", text, sizeof text);
    if (prompt.Execute() != IDOK)
        return;
    Scale.Multiplier = float(TFieldText::ToFloat(text));
    Scale.Offset = 0.0f;
}

void TFileImportProcessDialog::Step()
{
    const uint32_t remaining = Total - Done;
    if (remaining < 1) {
        Finish(IDOK);
        return;
    }
    const uint32_t chunk = std::min(remaining, FramesPerStep);
    const TWaveFormat format = Wave.GetFormat();
    for (uint32_t i = 0; i < chunk; ++i) {
        const TDataImport::TFrame frame = Import->ReadFrame();
        if (frame.HasLeft)
            Block->PutSample(TDataImport::ConvertSample(frame.Left, Scale, format), i, 0);
        if (frame.HasRight && format.NumChannels == 2)
            Block->PutSample(TDataImport::ConvertSample(frame.Right, Scale, format), i, 1);
    }
    if (!Wave.WriteStream(Block->GetBuffer(), Block->FramesToBytes(chunk))) {
        Fail(IDS_WRITE_WAVE_FAILED_TEXT);
        return;
    }
    SetProgress(int(100 - uint64_t(remaining) * 100 / Total));
    Done += chunk;
}

void TFileImportProcessDialog::Abandon()
{
    if (File)
        std::fclose(File);
    File = nullptr;
}
