#include "dialogs/TFileOptionsForm.h"

#include <climits>
#include <cstdlib>
#include "base/TEngineHost.h"

namespace {

// A leading decimal integer as the runtime reads it; no number gives 0,
// one past the 32-bit range its nearest end.
long ReadInteger(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return long(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

TFileOptionsForm::TOutcome Refused(const char* message)
{
    return {false, message, TEngineHost::MsgIconStop};
}

}

TFileOptionsForm::TOutcome TFileOptionsForm::Store(const TFields& f, FileIOSettings& record)
{
    const long buffer = ReadInteger(f.BufferSecs);
    if (buffer < 4) return Refused("Real Time Data buffer length must be at least 4 seconds.");
    record.RealTimeWaveBufferLengthSecs = int32_t(buffer);

    const long ram = ReadInteger(f.MaxRamSecs);
    if (ram < 4) return Refused("Maximum RAM recording time must be at least 4 seconds.");
    if (ram > 3600) return Refused("Maximum RAM recording time must be less than 3600 seconds.");
    record.MaxRamRecordingTimeSecs = int32_t(ram);

    const long disk = ReadInteger(f.MaxDiskMB);
    if (disk < 1) return Refused("Maximum Hard Disk recording size must be at least 1 MB");
    if (disk > 2000) return Refused("Maximum Hard Disk recording size cannot be greater than 2,000 MB (2GB)");
    record.MaxDiskRecordingSizeBytes = int32_t(disk * BytesPerMB);

    record.RealTimeWaveBufferEnableFlag = f.Buffering ? 1 : 0;
    if (f.Mode == 0 || f.Mode == 1) record.WaveFileMode = f.Mode;
    record.MakeBackup = f.MakeBackup ? 1 : 0;
    record.IncludeCalibrationData = f.IncludeCalibration ? 1 : 0;
    return {true, {}, 0};
}

TFileOptionsForm::TFields TFileOptionsForm::FieldsOf(const FileIOSettings& r)
{
    TFields f;
    f.BufferSecs = std::to_string(r.RealTimeWaveBufferLengthSecs);
    f.MaxRamSecs = std::to_string(r.MaxRamRecordingTimeSecs);
    f.MaxDiskMB = std::to_string(r.MaxDiskRecordingSizeBytes / BytesPerMB);
    f.Mode = r.WaveFileMode;
    f.Buffering = r.RealTimeWaveBufferEnableFlag != 0;
    f.MakeBackup = r.MakeBackup != 0;
    f.IncludeCalibration = r.IncludeCalibrationData != 0;
    return f;
}
