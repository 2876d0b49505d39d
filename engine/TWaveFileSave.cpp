// Saving: the memory-mode writer, and finishing and delivering a working file.
#include "engine/TWaveFile.h"

#include "base/TEngineHost.h"
#include "engine/TWaveLayout.h"
#include "engine/WaveFileIo.h"

#include <algorithm>

using namespace WaveFileIo;

namespace {

constexpr size_t kNameLength = 260;

// Copies a file by way of a new file beside the destination, so that a failed
// copy leaves the old destination as it was.
bool SafeCopy(const std::string& source, const std::string& destination)
{
    const std::string staging = destination + ".new";
    if (!CopyFileA(source.c_str(), staging.c_str(), FALSE)) {
        DeleteFileA(staging.c_str());
        return false;
    }
    if (!MoveFileExA(staging.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        DeleteFileA(staging.c_str());
        return false;
    }
    return true;
}

bool SameFile(const std::string& a, const std::string& b)
{
    return _strnicmp(a.c_str(), b.c_str(), kNameLength) == 0;
}

}  // namespace

// ---- saving ------------------------------------------------------------------------

bool TWaveFile::SaveMemory()
{
    const std::string staging = Name + ".new";
    void* file = OpenFile(staging, TAccess::Create);
    if (!file) {
        SayOpenFailed(Name);
        Error = 1;
        return false;
    }
    // The header goes out whole with its final sizes, and the pad byte after
    // odd data is written too, so the file is as long as its RIFF size says.
    const uint32_t dataBytes = FramesToBytes(std::min(HighWaterMark, FrameCount));
    const auto header = TWaveLayout::Header(Format, dataBytes);
    const uint64_t end = header.size() + uint64_t(dataBytes);
    bool ok = WaveFileIo::WriteAt(file, 0, header.data(), header.size()) &&
              (dataBytes == 0 || WaveFileIo::WriteAt(file, header.size(), Buffer.data(), dataBytes)) &&
              (!(dataBytes & 1) || WaveFileIo::WriteAt(file, end, "", 1));
    if (ok && CalibrationPresent) {
        const uint64_t chunk = end + (dataBytes & 1);
        if (!WriteChunkHeaderAt(file, chunk, TWaveLayout::CalibrationChunkId, sizeof Calibration)) {
            Say("Error on mmioCreateChunk for Calibration data");
            CalibrationPresent = 0;
        } else if (!WaveFileIo::WriteAt(file, chunk + 8, &Calibration, sizeof Calibration)) {
            Say("Error writing Calibration data to wave file");
            CalibrationPresent = 0;
        }
    }
    // The file named is replaced only by one the program reads back as written.
    ok = ok && ReadsBack(file, dataBytes);
    ok = CloseFile(file) && ok;
    if (ok)
        ok = MoveFileExA(staging.c_str(), Name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
    if (!ok) {
        DeleteFileA(staging.c_str());
        Say(kWriteFailed);
        Error = 1;
        return false;
    }
    Changed = 0;
    Untitled = 0;
    return true;
}

bool TWaveFile::WriteCalibrationChunk(void* file, uint64_t offset) const
{
    return WriteChunkHeaderAt(file, offset, TWaveLayout::CalibrationChunkId, sizeof Calibration) &&
           WaveFileIo::WriteAt(file, offset + 8, &Calibration, sizeof Calibration);
}

// Leaves the working file one valid RIFF file: the data chunk ends at the
// high-water mark, the RIFF size counts it, and one calibration chunk follows.
bool TWaveFile::FinishWorkingFile()
{
    const uint32_t dataBytes = FramesToBytes(std::min(HighWaterMark, FrameCount));
    const uint64_t end = DataOffset + static_cast<uint64_t>(dataBytes);
    if (!Truncate(end)) {
        Error = 1;
        return false;
    }
    HasTail = false;
    FrameCount = std::min(HighWaterMark, FrameCount);
    BufferSize = dataBytes;
    DataCapacity = dataBytes;
    bool ok = !(dataBytes & 1) || WaveFileIo::WriteAt(File, end, "", 1);
    WriteSizes();
    // The chunk goes after the pad byte, where the file now ends.
    if (ok && CalibrationPresent) {
        ok = WriteCalibrationChunk(File, end + (dataBytes & 1));
        HasTail = true;
    }
    if (!ok || !ReadsBack(File, dataBytes)) {
        Error = 1;
        return false;
    }
    return true;
}

bool TWaveFile::SaveWorking(bool reopen)
{
    if (!File)
        return true;
    if (!FinishWorkingFile()) {
        Say(kWriteFailed);
        return false;
    }
    if (SameFile(WorkingFile, Name)) {
        Changed = 0;
        return true;
    }
    const bool closed = CloseFile(File);
    File = nullptr;
    if (!closed) {
        Say(kWriteFailed);
        return KeepWorkingFile();
    }
    bool delivered;
    if (NewFile) {
        delivered = MoveFileExA(WorkingFile.c_str(), Name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
        if (!delivered && SafeCopy(WorkingFile, Name)) {
            DeleteFileA(WorkingFile.c_str());
            delivered = true;
        }
    } else {
        delivered = RebuildFile(WorkingFile.c_str(), Name.c_str(), HighWaterMark) != 0;
    }
    if (!delivered) {
        Say(kWriteFailed);
        return KeepWorkingFile();
    }
    if (!reopen)
        return true;
    if (NewFile || !Copy) {
        WorkingFile = Name;
        Copy = 0;
    }
    NewFile = 0;
    const uint32_t position = Position;
    const CalibrationStruct calibration = Calibration;
    const uint32_t present = CalibrationPresent;
    if (!Load(WorkingFile, true))
        return false;
    Calibration = calibration;
    CalibrationPresent = present;
    CalibrationChanged = 0;
    Position = std::min(position, FrameCount);
    Changed = 0;
    return true;
}

// A save that could not deliver the working file leaves it the only copy of
// the wave: it stays open for further work and a later save.
bool TWaveFile::KeepWorkingFile()
{
    Error = 1;
    OpenHandle(false);
    return false;
}

int TWaveFile::Save()
{
    if (Mode == Memory)
        return (!Untitled && SaveMemory()) ? 1 : 0;
    if (Mode == Disk)
        return SaveWorking(true) ? 1 : 0;
    return 0;
}

int TWaveFile::SaveAs()
{
    if (Mode != Disk)
        return Save();
    const bool inPlace = File && SameFile(WorkingFile, Name);
    if (!SaveWorking(false))
        return 0;
    if (inPlace)
        return 1;
    if (Copy)
        DeleteFileA(WorkingFile.c_str());
    DiscardUndo();
    Clear();
    TempDirectory.clear();
    Untitled = 0;
    NewFile = Copy = 0;
    Buffer.clear();
    BufferSize = FrameCount = Position = HighWaterMark = 0;
    return 1;
}

int TWaveFile::RebuildFile(const char* source, const char* destination, uint32_t frames)
{
    // The working file already holds exactly `frames` frames and the current
    // calibration chunk, so delivering it is a copy.
    (void)frames;
    TEngineWait wait;
    return SafeCopy(source, destination) ? 1 : 0;
}
