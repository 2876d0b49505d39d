#include "engine/TWaveFile.h"

#include "engine/TEngineHost.h"
#include "engine/TWaveLayout.h"
#include "resources/StringIds.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr const char* kInvalid = "The wave file format is invalid";
constexpr const char* kWriteFailed = "Failure writing wave file.";
constexpr const char* kDiffering = "Files are of differing formats.  Cannot perform edit.";
constexpr size_t kNameLength = 260;

void Say(const std::string& text, unsigned style = TEngineHost::MsgOk)
{
    TEngineHost::Get().ShowMessage(text, "", style);
}

void SayOpenFailed(const std::string& name)
{
    Say("Failure Opening file: " + name);
}

HMMIO Mmio(void* file) { return static_cast<HMMIO>(file); }

bool MmioReadAt(HMMIO file, uint64_t offset, void* dest, size_t bytes)
{
    return file && offset <= 0x7FFFFFFF &&
           mmioSeek(file, static_cast<LONG>(offset), SEEK_SET) == static_cast<LONG>(offset) &&
           mmioRead(file, static_cast<HPSTR>(dest), static_cast<LONG>(bytes)) == static_cast<LONG>(bytes);
}

class MmioSource : public TWaveLayout::TSource {
public:
    explicit MmioSource(HMMIO file) : File(file) {}
    uint64_t Size() override
    {
        const LONG size = mmioSeek(File, 0, SEEK_END);
        return size < 0 ? 0 : static_cast<uint64_t>(size);
    }
    bool Read(uint64_t offset, void* dest, size_t bytes) override { return MmioReadAt(File, offset, dest, bytes); }

private:
    HMMIO File;
};

// Writes the RIFF chunk and its PCM format chunk, and descends into a data
// chunk of the given size.
bool BeginWave(HMMIO h, const TWaveFormat& format, uint32_t dataBytes, MMCKINFO& riff, MMCKINFO& data)
{
    PCMWAVEFORMAT pcm = {};
    pcm.wf.wFormatTag = WAVE_FORMAT_PCM;
    pcm.wf.nChannels = format.NumChannels;
    pcm.wf.nSamplesPerSec = format.SamplingRate;
    pcm.wf.nAvgBytesPerSec = format.SamplingRate * format.BytesPerFrame();
    pcm.wf.nBlockAlign = static_cast<WORD>(format.BytesPerFrame());
    pcm.wBitsPerSample = format.BitsPerSample;
    MMCKINFO fmt = {};
    riff = {};
    data = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    fmt.cksize = sizeof pcm;
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    data.cksize = dataBytes;
    return !mmioCreateChunk(h, &riff, MMIO_CREATERIFF) && !mmioCreateChunk(h, &fmt, 0) &&
           mmioWrite(h, reinterpret_cast<HPSTR>(&pcm), sizeof pcm) == sizeof pcm && !mmioAscend(h, &fmt, 0) &&
           !mmioCreateChunk(h, &data, 0);
}

std::string SystemTempFolder()
{
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

std::string TempFolderOr(const char* folder)
{
    return folder && *folder ? folder : SystemTempFolder();
}

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

uint64_t FileSize(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool SameFile(const std::string& a, const std::string& b)
{
    return _strnicmp(a.c_str(), b.c_str(), kNameLength) == 0;
}

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
        WorkingFile = NewTempName(TempDirectory);
        if (WorkingFile.empty() || !CopyFileA(Name.c_str(), WorkingFile.c_str(), FALSE)) {
            SayOpenFailed(Name);
            if (!WorkingFile.empty())
                DeleteFileA(WorkingFile.c_str());
            WorkingFile.clear();
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
        if (mmioClose(Mmio(File), 0) != 0)
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

std::string TWaveFile::NewTempName(const std::string& folder) const
{
    char name[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "wav", 0, name))
        return {};
    return name;
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
    DWORD flags = MMIO_READWRITE | MMIO_ALLOCBUF | (create ? MMIO_CREATE : 0);
    if (!create && Mode == Memory)
        flags = MMIO_READ | MMIO_ALLOCBUF;
    File = mmioOpenA(const_cast<char*>((Mode == Memory ? Name : WorkingFile).c_str()), nullptr, flags);
    return File != nullptr;
}

void TWaveFile::CloseHandle()
{
    if (File)
        mmioClose(Mmio(File), 0);
    File = nullptr;
}

void TWaveFile::ReadCalibration(void* source)
{
    auto& src = *static_cast<MmioSource*>(source);
    const TWaveLayout found = TWaveLayout::Parse(src);
    CalibrationPresent = 0;
    if (found.CalibrationOffset) {
        CalibrationPresent = src.Read(found.CalibrationOffset, &Calibration, sizeof Calibration);
    } else if (found.LegacyCalibrationOffset) {
        uint8_t old[TWaveLayout::LegacyCalibrationChunkSize];
        if (src.Read(found.LegacyCalibrationOffset, old, sizeof old)) {
            ConvertOldCalibration(old, Calibration);
            CalibrationPresent = 1;
        }
    }
    if (CalibrationPresent) DefaultChannelNames(Calibration);
}

bool TWaveFile::Load(const std::string& file, bool working)
{
    if (!OpenHandle(false)) {
        SayOpenFailed(file);
        Error = 1;
        return false;
    }
    MmioSource source(Mmio(File));
    const uint64_t fileSize = source.Size();
    ReadCalibration(&source);
    const TWaveLayout layout = TWaveLayout::Parse(source);
    if (layout.Status != TWaveLayout::Valid) {
        if (layout.Status == TWaveLayout::Invalid)
            Say(kInvalid);
        CloseHandle();
        Error = 1;
        return false;
    }
    SetFormat(layout.SamplesPerSec, layout.Channels, layout.BytesPerSample());
    const uint32_t frames = layout.DataSize / layout.BlockAlign;
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
        std::snprintf(text, sizeof text, "Insufficient memory to load wave data.  %ld bytes needed.",
                      static_cast<long>(layout.DataSize));
        Say(text);
    }
    if (!allocated || !source.Read(layout.DataOffset, Buffer.data(), bytes)) {
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

// ---- the working file -----------------------------------------------------------

bool TWaveFile::CreateWorkingFile()
{
    WorkingFile = NewTempName(TempDirectory);
    if (WorkingFile.empty() || !OpenHandle(true)) {
        SayOpenFailed(WorkingFile);
        Error = 1;
        return false;
    }
    MMCKINFO riff, data;
    HMMIO h = Mmio(File);
    if (!BeginWave(h, Format, 0, riff, data)) {
        CloseHandle();
        Error = 1;
        return false;
    }
    DataOffset = data.dwDataOffset;
    RiffOffset = 0;
    DataCapacity = 0;
    HasTail = false;
    BufferSize = FrameCount = Position = HighWaterMark = 0;
    mmioFlush(h, 0);
    return true;
}

bool TWaveFile::Truncate(uint64_t size)
{
    CloseHandle();
    HANDLE h = CreateFileA(WorkingFile.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool ok = h != INVALID_HANDLE_VALUE;
    if (ok) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size);
        ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
        ::CloseHandle(h);
    }
    if (!OpenHandle(false))
        ok = false;
    return ok;
}

bool TWaveFile::ReadAt(uint64_t offset, void* dest, uint32_t bytes)
{
    return MmioReadAt(Mmio(File), offset, dest, bytes);
}

bool TWaveFile::WriteAt(uint64_t offset, const void* src, uint32_t bytes)
{
    // Data that grows into chunks following it would overwrite them: they go
    // first (the calibration is kept in memory and written again on saving).
    if (HasTail && offset + bytes > DataOffset + DataCapacity) {
        if (!Truncate(DataOffset + DataCapacity)) {
            Error = 1;
            return false;
        }
        HasTail = false;
    }
    HMMIO h = Mmio(File);
    const bool ok = h && offset + bytes <= 0x7FFFFFFF &&
                    mmioSeek(h, static_cast<LONG>(offset), SEEK_SET) == static_cast<LONG>(offset) &&
                    mmioWrite(h, static_cast<const char*>(src), static_cast<LONG>(bytes)) == static_cast<LONG>(bytes);
    if (!ok)
        Error = 1;
    else if (Copy)
        Changed = 1;
    return ok;
}

// The sizes on disk follow the data written, so the working file is a
// readable wave at any time.
void TWaveFile::WriteSizes()
{
    if (HasTail)
        return;
    const uint32_t dataBytes = FramesToBytes(FrameCount);
    const uint32_t riffSize = static_cast<uint32_t>(DataOffset + dataBytes + (dataBytes & 1) - RiffOffset - 8);
    DataCapacity = std::max<uint64_t>(DataCapacity, dataBytes);
    HMMIO h = Mmio(File);
    mmioSeek(h, static_cast<LONG>(DataOffset - 4), SEEK_SET);
    mmioWrite(h, reinterpret_cast<const char*>(&dataBytes), 4);
    mmioSeek(h, static_cast<LONG>(RiffOffset + 4), SEEK_SET);
    mmioWrite(h, reinterpret_cast<const char*>(&riffSize), 4);
}

bool TWaveFile::RawRead(uint32_t frame, uint32_t count, uint8_t* dest)
{
    if (static_cast<uint64_t>(frame) + count > FrameCount)
        return false;
    if (!Working()) {
        if (count)
            std::memcpy(dest, &Buffer[FramesToBytes(frame)], FramesToBytes(count));
        return true;
    }
    return ReadAt(DataOffset + static_cast<uint64_t>(FramesToBytes(frame)), dest, FramesToBytes(count));
}

bool TWaveFile::RawWrite(uint32_t frame, uint32_t count, const uint8_t* src)
{
    const uint64_t end = static_cast<uint64_t>(frame) + count;
    if (!Working()) {
        if (end > FrameCount)
            return false;
        if (count)
            std::memcpy(&Buffer[FramesToBytes(frame)], src, FramesToBytes(count));
        Changed = 1;
    } else {
        if (frame > FrameCount || !WriteAt(DataOffset + static_cast<uint64_t>(FramesToBytes(frame)), src,
                                           FramesToBytes(count)))
            return false;
        if (end > FrameCount) {
            FrameCount = static_cast<uint32_t>(end);
            BufferSize = FramesToBytes(FrameCount);
            WriteSizes();
        }
    }
    HighWaterMark = std::max<uint32_t>(HighWaterMark, static_cast<uint32_t>(end));
    return true;
}

bool TWaveFile::LoadRange(TWaveData& scratch, uint32_t from, uint32_t count)
{
    if (count && scratch.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return false;
    }
    scratch.SetCalibration(CalibrationLeft, CalibrationRight);
    return !count || RawRead(from, count, scratch.GetBuffer());
}

// ---- frame operations on the working file ------------------------------------------

void TWaveFile::Seek(uint32_t frame)
{
    Position = frame;
}

float TWaveFile::GetSample(uint32_t frame, uint16_t channel, int scaled)
{
    if (!Working())
        return TWaveData::GetSample(frame, channel, scaled);
    if (frame >= FrameCount)
        return static_cast<float>(Format.SilenceValue);
    TWaveData one(1, Format);
    if (!LoadRange(one, frame, 1))
        return static_cast<float>(Format.SilenceValue);
    return one.GetSample(0, channel, scaled);
}

int TWaveFile::PutSample(int32_t value, uint32_t frame, uint16_t channel)
{
    if (!Working())
        return TWaveData::PutSample(value, frame, channel);
    if (Format.BytesPerSample == 1 && (value > 255 || value < -255))
        return 0;
    TWaveData one(1, Format);
    if (frame < FrameCount && !LoadRange(one, frame, 1))
        return 0;
    one.PutSample(value, 0, channel);
    if (!RawWrite(frame, 1, one.GetBuffer()))
        return 0;
    Position = frame + 1;
    return 1;
}

int TWaveFile::ReadFrames(void* dest, uint32_t start, uint32_t count, uint16_t channel)
{
    if (!Working())
        return TWaveData::ReadFrames(dest, start, count, channel);
    if (!dest || count > FrameCount)
        return 0;
    if (start > FrameCount)
        start = 0;
    TWaveData scratch(count, Format);
    if (FrameCount - start < count || !LoadRange(scratch, start, count)) {
        TWaveData silence(count, Format);
        silence.SilenceFrames(0, count);
        if (!silence.Error)
            silence.ReadFrames(dest, 0, count, channel);
        return 0;
    }
    return scratch.ReadFrames(dest, 0, count, channel);
}

int TWaveFile::WriteFrames(const void* src, uint32_t start, uint32_t count, uint16_t channel)
{
    if (!Working())
        return TWaveData::WriteFrames(src, start, count, channel);
    if (!src || count > FrameCount || start > FrameCount)
        return 0;
    count = std::min(count, FrameCount - start);
    TWaveData scratch(count, Format);
    if (!LoadRange(scratch, start, count))
        return 0;
    scratch.WriteFrames(src, 0, count, channel);
    const uint32_t mark = HighWaterMark;
    const bool ok = RawWrite(start, count, scratch.GetBuffer());
    HighWaterMark = mark;
    return ok ? 1 : 0;
}

int TWaveFile::ReadStream(void* dest, uint32_t bytes)
{
    if (!Working())
        return TWaveData::ReadStream(dest, bytes);
    if (!dest || FrameCount == 0 || Position >= FrameCount - 1)
        return 0;
    const uint32_t frames = std::min(BytesToFrames(bytes), FrameCount - Position);
    const uint32_t got = FramesToBytes(frames);
    if (!RawRead(Position, frames, static_cast<uint8_t*>(dest)))
        return 0;
    std::memset(static_cast<uint8_t*>(dest) + got, 0, bytes - got);
    Position += frames;
    if (got < bytes)
        Position = FrameCount - 1;
    return frames ? 1 : 0;
}

int TWaveFile::WriteStream(const void* src, uint32_t bytes)
{
    if (!Working())
        return TWaveData::WriteStream(src, bytes);
    const uint32_t frames = BytesToFrames(bytes);
    if (!src || !RawWrite(Position, frames, static_cast<const uint8_t*>(src)))
        return 0;
    Position += frames;
    return 1;
}

void TWaveFile::SilenceFrames(uint32_t from, uint32_t to)
{
    if (!Working()) {
        TWaveData::SilenceFrames(from, to);
        return;
    }
    from += from & 1;
    to -= to & 1;
    to = std::min(to, FrameCount);
    if (to <= from || from > FrameCount)
        return;
    TWaveData scratch(to - from, Format);
    if (scratch.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return;
    }
    scratch.SilenceFrames(0, to - from);
    RawWrite(from, to - from, scratch.GetBuffer());
}

void TWaveFile::SilenceTime(float start, float end)
{
    SilenceFrames(TimeToFrame(start), TimeToFrame(end));
}

double TWaveFile::MeasureRange(uint32_t from, uint32_t to, uint16_t channel, TRangeMeasure measure)
{
    to = std::min(to, FrameCount);
    if (to <= from || from > FrameCount)
        return 0.0;
    TWaveData scratch(to - from, Format);
    return LoadRange(scratch, from, to - from) ? (scratch.*measure)(0, to - from, channel) : 0.0;
}

double TWaveFile::MeanSquare(uint32_t from, uint32_t to, uint16_t channel)
{
    if (!Working())
        return TWaveData::MeanSquare(from, to, channel);
    return MeasureRange(from, to, channel, &TWaveData::MeanSquare);
}

double TWaveFile::SumOfMagnitudes(uint32_t from, uint32_t to, uint16_t channel)
{
    if (!Working())
        return TWaveData::SumOfMagnitudes(from, to, channel);
    return MeasureRange(from, to, channel, &TWaveData::SumOfMagnitudes);
}

float TWaveFile::SumOfSquaresTime(float start, float end, uint16_t channel)
{
    return static_cast<float>(MeanSquare(TimeToFrame(start), TimeToFrame(end), channel));
}

float TWaveFile::SumOfMagnitudesTime(float start, float end, uint16_t channel)
{
    return static_cast<float>(SumOfMagnitudes(TimeToFrame(start), TimeToFrame(end), channel));
}

void TWaveFile::GetMinMax(uint32_t from, uint32_t to, float* max, float* min, uint16_t channel, int scaled, int rms)
{
    if (!Working()) {
        TWaveData::GetMinMax(from, to, max, min, channel, scaled, rms);
        return;
    }
    if (FrameCount == 0 || from > FrameCount - 1)
        return;
    to = std::min(to, FrameCount);
    // One frame past the range so that the scratch block cuts `to` as the block itself would.
    const uint32_t count = std::min(to - std::min(to, from) + 1, FrameCount - from);
    TWaveData scratch(count, Format);
    if (LoadRange(scratch, from, count))
        scratch.GetMinMax(0, to - std::min(to, from), max, min, channel, scaled, rms);
}

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
    const uint32_t dataBytes = FramesToBytes(std::min(HighWaterMark, FrameCount));
    MMCKINFO riff, data;
    bool ok = BeginWave(h, Format, dataBytes, riff, data) &&
              (dataBytes == 0 ||
               mmioWrite(h, reinterpret_cast<HPSTR>(Buffer.data()), static_cast<LONG>(dataBytes)) ==
                   static_cast<LONG>(dataBytes)) &&
              !mmioAscend(h, &data, 0) && !mmioAscend(h, &riff, 0);
    if (ok && CalibrationPresent) {
        MMCKINFO cal = {};
        cal.ckid = TWaveLayout::CalibrationChunkId;
        cal.cksize = sizeof Calibration;
        if (mmioCreateChunk(h, &cal, 0)) {
            Say("Error on mmioCreateChunk for Calibration data");
            CalibrationPresent = 0;
        } else if (mmioWrite(h, reinterpret_cast<HPSTR>(&Calibration), sizeof Calibration) != sizeof Calibration) {
            Say("Error writing Calibration data to wave file");
            CalibrationPresent = 0;
        } else if (mmioAscend(h, &cal, 0)) {
            CalibrationPresent = 0;
        }
    }
    ok = mmioClose(h, 0) == 0 && ok;
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
    if (dataBytes & 1) {
        const char pad = 0;
        ok = mmioSeek(h, static_cast<LONG>(end), SEEK_SET) == static_cast<LONG>(end) && mmioWrite(h, &pad, 1) == 1;
    }
    WriteSizes();
    if (ok && CalibrationPresent) {
        const uint32_t header[2] = {TWaveLayout::CalibrationChunkId, sizeof Calibration};
        ok = mmioSeek(h, 0, SEEK_END) >= 0 && mmioWrite(h, reinterpret_cast<const char*>(header), 8) == 8 &&
             mmioWrite(h, reinterpret_cast<const char*>(&Calibration), sizeof Calibration) == sizeof Calibration;
        HasTail = true;
    }
    if (mmioFlush(h, 0) != 0 || !ok) {
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

// ---- undo --------------------------------------------------------------------------

void TWaveFile::SaveUndo(uint16_t operation, float start, float end)
{
    start = std::max(start, 0.0f);
    end = std::min(end, GetHighWaterTime());
    if (end < start)
        return;
    DiscardUndo();
    UndoFile = NewTempName(TempDirectory);
    if (UndoFile.empty())
        return;
    {
        TWaveFile copy(Format, 0, SystemTempFolder().c_str());
        if (copy.Error) {
            DeleteFileA(UndoFile.c_str());
            UndoFile.clear();
            return;
        }
        copy.SetFileName(UndoFile.c_str());
        CopyTime(this, &copy, start, 0.0f, end - start);
        copy.Save();
    }
    RecordUndo(operation, start, end);
}

void TWaveFile::RecordUndo(uint16_t operation, float start, float end)
{
    UndoAvailable = 1;
    UndoStart = start;
    UndoEnd = end;
    UndoOperation = operation;
}

void TWaveFile::Undo()
{
    std::unique_ptr<TWaveFile> saved;
    if (!UndoFile.empty()) {
        saved = std::make_unique<TWaveFile>(UndoFile.c_str(), Disk, 0, TempDirectory.c_str());
        if (saved->Error)
            saved.reset();
    }
    switch (UndoOperation) {
    case UndoInsert:
        DeleteTime(this, UndoStart, UndoEnd);
        break;
    case UndoOverwrite:
        if (saved)
            CopyTime(saved.get(), this, 0.0f, UndoStart, UndoEnd - UndoStart);
        break;
    case UndoCut:
        if (saved)
            InsertTime(saved.get(), this, 0.0f, UndoStart, UndoEnd - UndoStart);
        break;
    }
    saved.reset();
    DiscardUndo();
}

void TWaveFile::DiscardUndo()
{
    if (!UndoFile.empty())
        DeleteFileA(UndoFile.c_str());
    UndoFile.clear();
    UndoStart = UndoEnd = 0.0f;
    UndoAvailable = 0;
}

void TWaveFile::GetUndoRange(float& start, float& end) const
{
    start = UndoStart;
    end = UndoEnd;
}

// ---- block copies --------------------------------------------------------------------

bool TWaveFile::EnsureFrames(TWaveFile* wave, uint64_t frames)
{
    if (wave->Mode == Disk || frames <= wave->FrameCount)
        return true;
    if (frames > 0xFFFFFFFFu || !wave->SetLength(static_cast<uint32_t>(frames))) {
        Say(IDS_NO_MEMORY_TEXT);
        return false;
    }
    return true;
}

int TWaveFile::CopyFrames(TWaveFile* source, TWaveFile* destination, uint32_t sourceFrame,
                          uint32_t destinationFrame, uint32_t count)
{
    if (!source || !destination)
        return 0;
    if (!EnsureFrames(destination, static_cast<uint64_t>(destinationFrame) + count))
        return 0;
    TEngineWait wait;
    TWaveData block(BlockFrames, source->Format);
    if (block.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return 0;
    }
    const uint32_t sourcePosition = source->Position, destinationPosition = destination->Position;
    int result = 1;
    for (uint32_t done = 0; done < count;) {
        const uint32_t n = std::min(BlockFrames, count - done);
        if (!source->RawRead(sourceFrame + done, n, block.GetBuffer()) ||
            !destination->RawWrite(destinationFrame + done, n, block.GetBuffer())) {
            result = 0;
            break;
        }
        done += n;
    }
    source->Position = sourcePosition;
    destination->Position = destinationPosition;
    return result;
}

int TWaveFile::CopyTime(TWaveFile* source, TWaveFile* destination, float sourceStart, float destinationStart,
                        float length)
{
    if (!source || !destination)
        return 0;
    const uint32_t from = source->TimeToFrame(sourceStart);
    const uint32_t end = std::min(source->TimeToFrame(sourceStart + length), source->FrameCount);
    return CopyFrames(source, destination, from, destination->TimeToFrame(destinationStart), end > from ? end - from : 0);
}

int TWaveFile::InsertTime(TWaveFile* source, TWaveFile* destination, float sourceStart, float destinationStart,
                          float length)
{
    if (!source || !destination)
        return 0;
    const uint32_t from = source->TimeToFrame(sourceStart);
    const uint32_t end = std::min(source->TimeToFrame(sourceStart + length), source->FrameCount);
    const uint32_t n = end > from ? end - from : 0;
    const uint32_t mark = destination->HighWaterMark;
    const uint32_t d = std::min(destination->TimeToFrame(destinationStart), mark);
    if (!EnsureFrames(destination, static_cast<uint64_t>(mark) + n))
        return 0;
    TEngineWait wait;
    TWaveData block(BlockFrames, destination->Format);
    if (block.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return 0;
    }
    const uint32_t sourcePosition = source->Position, destinationPosition = destination->Position;
    int result = 1;
    // The tail moves up from its end backwards, so nothing is overwritten before it is moved.
    for (uint32_t left = mark - d; left > 0 && result;) {
        const uint32_t k = std::min(BlockFrames, left);
        left -= k;
        if (!destination->RawRead(d + left, k, block.GetBuffer()) ||
            !destination->RawWrite(d + left + n, k, block.GetBuffer()))
            result = 0;
    }
    if (result)
        result = CopyFrames(source, destination, from, d, n);
    destination->HighWaterMark = mark + n;
    source->Position = sourcePosition;
    destination->Position = destinationPosition;
    return result;
}

void TWaveFile::DeleteTime(TWaveFile* wave, float start, float end)
{
    if (!wave)
        return;
    const uint32_t mark = wave->HighWaterMark;
    const uint32_t s = std::min(wave->TimeToFrame(start), mark);
    const uint32_t e = std::min(std::max(wave->TimeToFrame(end), s), mark);
    if (s == mark)
        return;
    const uint32_t position = wave->Position;
    CopyFrames(wave, wave, e, s, mark - e);
    wave->HighWaterMark = mark - (e - s);
    wave->Position = position;
    wave->Changed = 1;
}

// ---- clipboard -----------------------------------------------------------------------

int TWaveFile::CopyToClipboard(float start, float end)
{
    TEngineWait wait;
    const std::string image = NewTempName(TempDirectory);
    if (image.empty())
        return 0;
    {
        TWaveFile clip(Format, 0, TempDirectory.c_str());
        if (clip.Error) {
            DeleteFileA(image.c_str());
            return 0;
        }
        clip.SetFileName(image.c_str());
        CopyTime(this, &clip, start, 0.0f, end - start);
        if (!clip.Save()) {
            DeleteFileA(image.c_str());
            return 0;
        }
    }
    // The image is the temporary file as it lies on disk, whatever its header size.
    const uint64_t size = FileSize(image);
    HGLOBAL block = size ? GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, static_cast<SIZE_T>(size)) : nullptr;
    if (!block) {
        DeleteFileA(image.c_str());
        Say(IDS_NO_MEMORY_TEXT, TEngineHost::MsgIconStop);
        return 0;
    }
    void* bytes = GlobalLock(block);
    HANDLE file = CreateFileA(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    const bool ok = file != INVALID_HANDLE_VALUE && ReadFile(file, bytes, static_cast<DWORD>(size), &read, nullptr) &&
                    read == size;
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    GlobalUnlock(block);
    DeleteFileA(image.c_str());
    if (!ok || !OpenClipboard(nullptr)) {
        GlobalFree(block);
        return 0;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(ClipboardFormat, block) != nullptr;
    CloseClipboard();
    if (!set)
        GlobalFree(block);
    return set ? 1 : 0;
}

int TWaveFile::Cut(float start, float end)
{
    if (!CopyToClipboard(start, end))
        return 0;
    SaveUndo(UndoCut, start, end);
    DeleteTime(this, start, end);
    return 1;
}

namespace {

// Writes the clipboard's CF_WAVE image to the named file.
bool ClipboardToFile(const std::string& name)
{
    if (!IsClipboardFormatAvailable(TWaveFile::ClipboardFormat) || !OpenClipboard(nullptr))
        return false;
    bool ok = false;
    if (HANDLE block = GetClipboardData(TWaveFile::ClipboardFormat)) {
        const SIZE_T size = GlobalSize(block);
        const void* bytes = GlobalLock(block);
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ok = bytes && file != INVALID_HANDLE_VALUE &&
             WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        GlobalUnlock(block);
    }
    CloseClipboard();
    return ok;
}

}  // namespace

int TWaveFile::PasteWith(const std::function<int(TWaveFile& pasted, float length)>& edit)
{
    const std::string image = NewTempName(TempDirectory);
    if (image.empty())
        return 0;
    int result = 0;
    if (ClipboardToFile(image)) {
        TWaveFile pasted(image.c_str(), Disk, 0, TempDirectory.c_str());
        if (!pasted.Error) {
            if (!pasted.GetFormat().IsEqual(Format)) {
                Say(kDiffering, TEngineHost::MsgIconStop);
            } else {
                result = edit(pasted, pasted.GetHighWaterTime());
                Changed = 1;
            }
        }
    }
    DeleteFileA(image.c_str());
    return result;
}

int TWaveFile::PasteOver(float start)
{
    return PasteWith([&](TWaveFile& pasted, float length) {
        SaveUndo(UndoOverwrite, start, start + length);
        return CopyTime(&pasted, this, 0.0f, start, length);
    });
}

int TWaveFile::PasteInsert(float start)
{
    return PasteWith([&](TWaveFile& pasted, float length) {
        const int result = InsertTime(&pasted, this, 0.0f, start, length);
        DiscardUndo();
        RecordUndo(UndoInsert, start, start + length);
        return result;
    });
}
