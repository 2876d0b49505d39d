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
    HMMIO h = mmioOpenA(const_cast<char*>(staging.c_str()), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_ALLOCBUF);
    if (!h) {
        SayOpenFailed(Name);
        Error = 1;
        return false;
    }
    // The header goes out whole with its final sizes, and the pad byte after
    // odd data is written here: ascending from a chunk only seeks past it on
    // some systems, which leaves the file one byte shorter than its RIFF size.
    const uint32_t dataBytes = FramesToBytes(std::min(HighWaterMark, FrameCount));
    const auto header = TWaveLayout::Header(Format, dataBytes);
    bool ok = MmioWriteAll(h, header.data(), header.size()) &&
              (dataBytes == 0 || MmioWriteAll(h, Buffer.data(), dataBytes)) &&
              (!(dataBytes & 1) || MmioWriteAll(h, "", 1));
    if (ok && CalibrationPresent) {
        if (!WriteChunkHeader(h, TWaveLayout::CalibrationChunkId, sizeof Calibration)) {
            Say("Error on mmioCreateChunk for Calibration data");
            CalibrationPresent = 0;
        } else if (!MmioWriteAll(h, &Calibration, sizeof Calibration)) {
            Say("Error writing Calibration data to wave file");
            CalibrationPresent = 0;
        }
    }
    ok = mmioClose(h, 0) == 0 && ok;
    // The file named is replaced only by one the program reads back as written.
    if (ok) {
        h = mmioOpenA(const_cast<char*>(staging.c_str()), nullptr, MMIO_READ | MMIO_ALLOCBUF);
        ok = h && ReadsBack(h, staging, dataBytes);
        if (h)
            mmioClose(h, 0);
    }
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

bool TWaveFile::WriteCalibrationChunk(void* file) const
{
    return WriteChunkHeader(Mmio(file), TWaveLayout::CalibrationChunkId, sizeof Calibration) &&
           MmioWriteAll(Mmio(file), &Calibration, sizeof Calibration);
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
    HMMIO h = Mmio(File);
    bool ok = true;
    if (dataBytes & 1)
        ok = mmioSeek(h, static_cast<LONG>(end), SEEK_SET) == static_cast<LONG>(end) && MmioWriteAll(h, "", 1);
    WriteSizes();
    // The chunk goes after the pad byte, where the file now ends.
    const LONG chunk = static_cast<LONG>(end + (dataBytes & 1));
    if (ok && CalibrationPresent) {
        ok = mmioSeek(h, chunk, SEEK_SET) == chunk && WriteCalibrationChunk(File);
        HasTail = true;
    }
    if (mmioFlush(h, 0) != 0 || !ok || !ReadsBack(File, WorkingFile, dataBytes)) {
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
    const bool closed = mmioClose(Mmio(File), 0) == 0;
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
