// A RIFF WAVE file: construction, names, the calibration block and reading a file.
#include "engine/TWaveFile.h"

#include "base/TEngineHost.h"
#include "engine/TWaveLayout.h"
#include "engine/WaveFileIo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace WaveFileIo;

namespace {

constexpr const char* kInvalid = "The wave file format is invalid";
constexpr size_t kNameLength = 260;

// The bytes of an open file. Its size is given, not sought: a file being
// written may be longer than the part of it that is read.
class FileSource : public TWaveLayout::TSource {
public:
    FileSource(void* file, uint64_t size) : File(file), Length(size) {}
    uint64_t Size() override { return Length; }
    bool Read(uint64_t offset, void* dest, size_t bytes) override { return ReadAt(File, offset, dest, bytes); }

private:
    void* File;
    uint64_t Length;
};

void CopyName(char* dest, const char* src, size_t size)
{
    std::strncpy(dest, src, size - 1);
    dest[size - 1] = '\0';
}

}  // namespace

// ---- construction -----------------------------------------------------------

void TWaveFile::Clear()
{
    Name.clear();
    WorkingFile.clear();
    UndoFile.clear();
    Calibration = {};
    CalibrationPresent = CalibrationChanged = 0;
    UndoStart = UndoEnd = 0.0f;
    DataOffset = 44;
}

TWaveFile::TWaveFile(const char* fileName, uint16_t mode, uint32_t copy, const char* tempDirectory)
{
    Clear();
    TempDirectory = TempFolderOr(tempDirectory);
    Name = fileName ? std::string(fileName).substr(0, kNameLength - 1) : std::string();
    Mode = mode == Disk ? Disk : Memory;
    TEngineWait wait;
    if (Mode == Memory) {
        Load(Name, false);
        return;
    }
    WorkingFile = Name;
    if (copy) {
        // The wave was found readable before; a failure here lies with the working folder.
        WorkingFile = NewTempName(TempDirectory);
        if (!WorkingFile.empty() && !CopyFileA(Name.c_str(), WorkingFile.c_str(), FALSE)) {
            NoteFolderProblem(TempDirectory);
            DeleteFileA(WorkingFile.c_str());
            WorkingFile.clear();
        }
        if (WorkingFile.empty()) {
            Say(FolderProblem);
            Error = 1;
            return;
        }
        Copy = 1;
    }
    Load(WorkingFile, true);
}

TWaveFile::TWaveFile(uint32_t frames, TWaveFormat format, const char* tempDirectory) : TWaveData(frames, format)
{
    Clear();
    TempDirectory = TempFolderOr(tempDirectory);
    Mode = Memory;
    Untitled = 1;
    NewFile = 1;
    HighWaterMark = 0;
}

TWaveFile::TWaveFile(TWaveFormat format, [[maybe_unused]] uint32_t copy, const char* tempDirectory)
{
    Clear();
    TempDirectory = TempFolderOr(tempDirectory);
    SetFormat(format);
    Mode = Disk;
    Untitled = 1;
    NewFile = 1;
    Copy = 0;
    CreateWorkingFile();
}

TWaveFile::TWaveFile(void* module, const char* resource)
{
    Clear();
    TempDirectory = SystemTempFolder();
    Mode = Resource;
    HMODULE instance = static_cast<HMODULE>(module);
    HRSRC info = FindResourceA(instance, resource, "PinkWave");
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    const uint8_t* bytes = handle ? static_cast<const uint8_t*>(LockResource(handle)) : nullptr;
    const uint32_t size = info ? SizeofResource(instance, info) : 0;
    if (!bytes || size < 44 + 1000) {
        Error = 1;
        return;
    }
    auto le16 = [&](size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); };
    const uint16_t channels = le16(22), align = le16(32);
    const uint32_t rate = le16(24) | static_cast<uint32_t>(le16(26)) << 16;
    if (channels == 0 || rate == 0 || align == 0 || align % channels != 0) {
        Error = 1;
        return;
    }
    SetFormat(rate, channels, static_cast<uint16_t>(align / channels));
    // The resource ends 1,000 bytes past the part that is played.
    const uint32_t dataBytes = (size - 44 - 1000) & ~1u;
    if (!SetLength(BytesToFrames(dataBytes))) {
        Error = 1;
        return;
    }
    Rewind();
    WriteStream(bytes + 44, FramesToBytes(FrameCount));
    Rewind();
    Changed = 0;
}

TWaveFile::~TWaveFile()
{
    if (Mode == Disk && File) {
        if (!CloseFile(File))
            Say(kWriteFailed);
        File = nullptr;
    }
    if (Mode == Disk && (Copy || Untitled || NewFile) && !WorkingFile.empty()) {
        if (!DeleteFileA(WorkingFile.c_str()) && GetFileAttributesA(WorkingFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            Say("Failure Deleting Temp file");
    }
    if (!UndoFile.empty())
        DeleteFileA(UndoFile.c_str());
}

void TWaveFile::SetFileName(const char* name)
{
    Name = std::string(name ? name : "").substr(0, kNameLength - 1);
    Untitled = 0;
}

void TWaveFile::GetFileName(char* dest) const
{
    CopyName(dest, Name.c_str(), kNameLength);
}

void TWaveFile::SetCalibrationData(const CalibrationStruct& block)
{
    if (std::memcmp(&block, &Calibration, sizeof Calibration) != 0)
        CalibrationChanged = 1;
    Calibration = block;
    CalibrationPresent = 1;
}

// ---- reading ------------------------------------------------------------------

bool TWaveFile::OpenHandle(bool create)
{
    const TAccess access = create ? TAccess::Create : Mode == Memory ? TAccess::Read : TAccess::ReadWrite;
    File = OpenFile(Mode == Memory ? Name : WorkingFile, access);
    return File != nullptr;
}

void TWaveFile::CloseHandle()
{
    CloseFile(File);
    File = nullptr;
}

void TWaveFile::ReadCalibration(TWaveLayout::TSource& source, const TWaveLayout& layout)
{
    CalibrationPresent = 0;
    std::vector<uint8_t> record;
    if (layout.CalibrationOffset)
        record.resize(TWaveLayout::CalibrationChunkSize);
    else if (layout.LegacyCalibrationOffset)
        record.resize(TWaveLayout::LegacyCalibrationChunkSize);
    const uint64_t at = layout.CalibrationOffset ? layout.CalibrationOffset : layout.LegacyCalibrationOffset;
    if (record.empty() || !source.Read(at, record.data(), record.size()))
        return;
    if (ReadCalibrationRecord(record.data(), record.size(), Calibration))
        CalibrationPresent = 1;
    else
        Say("The calibration data in " + Name + " is invalid.  The current calibration is kept.");
}

bool TWaveFile::Load(const std::string& file, bool working)
{
    if (!OpenHandle(false)) {
        SayOpenFailed(file);
        Error = 1;
        return false;
    }
    const uint64_t fileSize = SizeOf(File);
    FileSource source(File, fileSize);
    const TWaveLayout layout = TWaveLayout::Parse(source);
    if (layout.Status == TWaveLayout::Invalid || layout.Status == TWaveLayout::UnsupportedRate) {
        if (layout.Status == TWaveLayout::Invalid) {
            Say(kInvalid);
        } else {
            char text[400];
            std::snprintf(text, sizeof text, "The sampling rate of %s, %lu Hz, is not one from %lu to %lu Hz.",
                          Name.c_str(), static_cast<unsigned long>(layout.SamplesPerSec),
                          static_cast<unsigned long>(TWaveFormat::MinSamplingRate),
                          static_cast<unsigned long>(TWaveFormat::MaxSamplingRate));
            Say(text);
        }
        CloseHandle();
        Error = 1;
        return false;
    }
    ReadCalibration(source, layout);
    SetFormat(layout.SamplesPerSec, layout.Channels, layout.BytesPerSample());
    if (working && layout.FormatAfterData) {
        CloseHandle();
        return WorkOnOrderedCopy(file, layout);
    }
    // Data running past the RIFF limit (a pipe's endless size) gives the
    // frames a wave file can hold, so that what is shown can be saved.
    const uint32_t frames =
        std::min(layout.Frames(), TWaveLayout::MaxFrames(layout.DataOffset - layout.RiffOffset, layout.BlockAlign));
    const uint32_t bytes = frames * layout.BlockAlign;
    RiffOffset = layout.RiffOffset;
    if (working) {
        DataOffset = static_cast<uint32_t>(layout.DataOffset);
        DataCapacity = layout.DataSize;
        HasTail = fileSize > layout.DataOffset + layout.DataSize + (layout.DataSize & 1);
        BufferSize = bytes;
        FrameCount = HighWaterMark = frames;
        Position = 0;
        Changed = 0;
        return true;
    }
    const bool allocated = SetLength(frames);
    if (!allocated) {
        char text[96];
        std::snprintf(text, sizeof text, "Insufficient memory to load wave data.  %lu bytes needed.",
                      static_cast<unsigned long>(layout.DataSize));
        Say(text);
    }
    if (!allocated || (bytes && !source.Read(layout.DataOffset, Buffer.data(), bytes))) {
        CloseHandle();
        Buffer.clear();
        BufferSize = FrameCount = 0;
        Error = 1;
        return false;
    }
    CloseHandle();
    HighWaterMark = FrameCount;
    Position = 0;
    Changed = 0;
    return true;
}

// A working file is cut after its data when it is saved, which would drop a
// format chunk standing after the data: such a file is worked on through a
// temporary copy in the usual order, and the file itself is left as it is.
bool TWaveFile::WorkOnOrderedCopy(const std::string& file, const TWaveLayout& layout)
{
    const std::string ordered = NewTempName(TempDirectory);
    void* from = OpenFile(file, TAccess::Read);
    void* to = ordered.empty() ? nullptr : OpenFile(ordered, TAccess::Create);
    const uint32_t bytes =
        std::min(layout.Frames(), TWaveLayout::MaxFrames(TWaveLayout::HeaderSize, layout.BlockAlign)) * layout.BlockAlign;
    const auto header = TWaveLayout::Header(Format, bytes);
    bool ok = from && to && WaveFileIo::WriteAt(to, 0, header.data(), header.size());
    std::vector<char> block(1024 * 1024);
    for (uint32_t done = 0; ok && done < bytes;) {
        const uint32_t n = std::min(static_cast<uint32_t>(block.size()), bytes - done);
        ok = WaveFileIo::ReadAt(from, layout.DataOffset + done, block.data(), n) &&
             WaveFileIo::WriteAt(to, header.size() + uint64_t(done), block.data(), n);
        done += n;
    }
    const uint64_t end = header.size() + uint64_t(bytes);
    if (ok && (bytes & 1))
        ok = WaveFileIo::WriteAt(to, end, "", 1);
    if (ok && CalibrationPresent)
        ok = WriteCalibrationChunk(to, end + (bytes & 1));
    CloseFile(from);
    if (to && !CloseFile(to))
        ok = false;
    if (!ok) {
        if (!ordered.empty())
            DeleteFileA(ordered.c_str());
        SayOpenFailed(Name);
        Error = 1;
        return false;
    }
    if (Copy)
        DeleteFileA(WorkingFile.c_str());
    WorkingFile = ordered;
    Copy = 1;
    return Load(WorkingFile, true);
}

bool TWaveFile::ReadsBack(void* file, uint32_t dataBytes) const
{
    FileSource source(file, SizeOf(file));
    const TWaveLayout l = TWaveLayout::Parse(source);
    const uint64_t dataEnd = l.DataOffset + dataBytes + (dataBytes & 1);
    return (l.Status == TWaveLayout::Valid || l.Status == TWaveLayout::EmptyData) && !l.FormatAfterData && l.Channels == Format.NumChannels &&
           l.SamplesPerSec == Format.SamplingRate && l.BlockAlign == Format.BytesPerFrame() &&
           l.StatedDataSize == dataBytes && l.DataSize == dataBytes && l.RiffOffset + 8 + l.RiffSize == dataEnd &&
           (!CalibrationPresent || l.CalibrationOffset != 0);
}
