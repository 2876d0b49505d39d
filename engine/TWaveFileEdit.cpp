// Undo, block copies between waves and the wave clipboard.
#include "engine/TWaveFile.h"

#include "base/TEngineHost.h"
#include "engine/TWaveLayout.h"
#include "engine/WaveFileIo.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <memory>

using namespace WaveFileIo;

namespace {

constexpr const char* kDiffering = "Files are of differing formats.  Cannot perform edit.";
constexpr const char* kTooLarge = TWaveFile::TooLargeText;

}  // namespace

// ---- undo --------------------------------------------------------------------------

void TWaveFile::SaveUndo(uint16_t operation, float start, float end)
{
    start = std::max(start, 0.0f);
    end = std::min(end, GetHighWaterTime());
    if (end < start)
        return;
    SaveUndoFrames(operation, start, end, FramesOf(start, end));
}

void TWaveFile::SaveUndoFrames(uint16_t operation, float start, float end, TFrameRange range)
{
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
        CopyFrames(this, &copy, range.First, 0, range.Count);
        copy.Save();
    }
    RecordUndo(operation, start, end);
}

void TWaveFile::RecordUndo(uint16_t operation, float start, float end, uint32_t insertedFrames)
{
    UndoAvailable = 1;
    UndoStart = start;
    UndoEnd = end;
    UndoOperation = operation;
    UndoInserted = insertedFrames;
}

TWaveFile::TFrameRange TWaveFile::FramesOf(float start, float end) const
{
    const uint32_t first = TimeToFrame(start);
    const uint32_t last = std::min(TimeToFrame(end), HighWaterMark);
    return {first, last > first ? last - first : 0};
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
        DeleteFrames(this, TimeToFrame(UndoStart), TimeToFrame(UndoStart) + UndoInserted);
        break;
    // The saved frames go back whole: a length taken through times can lose
    // the last frame to rounding.
    case UndoOverwrite:
        if (saved)
            CopyFrames(saved.get(), this, 0, TimeToFrame(UndoStart), saved->HighWaterMark);
        break;
    case UndoCut:
        if (saved)
            InsertFrames(saved.get(), this, 0, TimeToFrame(UndoStart), saved->HighWaterMark);
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
    UndoInserted = 0;
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
    // A memory wave is saved with the plain header: it holds what such a file can.
    if (frames > TWaveLayout::MaxFrames(TWaveLayout::HeaderSize, wave->Format.BytesPerFrame())) {
        Say(kTooLarge);
        return false;
    }
    if (!wave->SetLength(static_cast<uint32_t>(frames))) {
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
    return InsertFrames(source, destination, from, destination->TimeToFrame(destinationStart),
                        end > from ? end - from : 0);
}

int TWaveFile::InsertFrames(TWaveFile* source, TWaveFile* destination, uint32_t from, uint32_t destinationFrame,
                            uint32_t n)
{
    if (!source || !destination || static_cast<uint64_t>(from) + n > source->FrameCount)
        return 0;
    const uint32_t mark = destination->HighWaterMark;
    const uint32_t d = std::min(destinationFrame, mark);
    const uint64_t total = static_cast<uint64_t>(mark) + n;
    TEngineWait wait;
    TWaveData block(BlockFrames, destination->Format);
    if (block.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return 0;
    }
    if (!EnsureFrames(destination, total) || !destination->GrowWorkingFile(total))
        return 0;
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
    if (!result)
        Say(kWriteFailed);
    destination->HighWaterMark = mark + n;
    source->Position = sourcePosition;
    destination->Position = destinationPosition;
    return result;
}

// The frames an insert moves up must land inside the file, so a working file
// grows to its new length with silence before anything moves. A growth past
// the RIFF limit is refused before anything is written; one that fails on
// the way (disk full) is taken back, leaving the wave as it was.
bool TWaveFile::GrowWorkingFile(uint64_t frames)
{
    if (!Working() || frames <= FrameCount)
        return true;
    if (frames > MaxWorkingFrames()) {
        Say(kTooLarge);
        return false;
    }
    TWaveData silence(BlockFrames, Format);
    if (silence.Error) {
        Say(IDS_NO_MEMORY_TEXT);
        return false;
    }
    silence.SilenceFrames(0, BlockFrames);
    const uint32_t frameCount = FrameCount, bufferSize = BufferSize, mark = HighWaterMark;
    const uint32_t error = Error, changed = Changed;
    const uint64_t capacity = DataCapacity, fileSize = FileSize(WorkingFile);
    const bool hadTail = HasTail;
    bool grown = true;
    while (grown && FrameCount < frames) {
        const uint32_t k = static_cast<uint32_t>(std::min<uint64_t>(BlockFrames, frames - FrameCount));
        grown = RawWrite(FrameCount, k, silence.GetBuffer());
    }
    if (grown)
        return true;
    FrameCount = frameCount;
    BufferSize = bufferSize;
    HighWaterMark = mark;
    Changed = changed;
    DataCapacity = capacity;
    // Chunks after the data that the growth cut off are written again on saving.
    if (!HasTail && FileSize(WorkingFile) != fileSize)
        Truncate(hadTail ? DataOffset + capacity : fileSize);
    WriteSizes();
    Error = error;
    Say(kWriteFailed);
    return false;
}

void TWaveFile::DeleteTime(TWaveFile* wave, float start, float end)
{
    if (wave)
        DeleteFrames(wave, wave->TimeToFrame(start), wave->TimeToFrame(end));
}

void TWaveFile::DeleteFrames(TWaveFile* wave, uint32_t first, uint32_t last)
{
    const uint32_t mark = wave->HighWaterMark;
    const uint32_t s = std::min(first, mark);
    const uint32_t e = std::min(std::max(last, s), mark);
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
        const TFrameRange range = FramesOf(start, end);
        CopyFrames(this, &clip, range.First, 0, range.Count);
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

enum class TImage { Written, NoWave, WriteFailed };

// Writes the clipboard's CF_WAVE image to the named file.
TImage ClipboardToFile(const std::string& name)
{
    if (!IsClipboardFormatAvailable(TWaveFile::ClipboardFormat) || !OpenClipboard(nullptr))
        return TImage::NoWave;
    TImage result = TImage::NoWave;
    HANDLE block = GetClipboardData(TWaveFile::ClipboardFormat);
    const void* bytes = block ? GlobalLock(block) : nullptr;
    if (bytes) {
        const SIZE_T size = GlobalSize(block);
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
        if (file != INVALID_HANDLE_VALUE && !::CloseHandle(file))
            result = TImage::WriteFailed;
        else
            result = ok ? TImage::Written : TImage::WriteFailed;
        GlobalUnlock(block);
    }
    CloseClipboard();
    return result;
}

}  // namespace

TWaveFile::TWaveFile(TFromClipboard, uint16_t mode, const char* tempDirectory)
{
    Clear();
    TempDirectory = TempFolderOr(tempDirectory);
    Mode = mode == Disk ? Disk : Memory;
    Untitled = 1;
    Error = 1;
    if (!IsClipboardFormatAvailable(ClipboardFormat))
        return;
    const std::string image = NewTempName(TempDirectory);
    if (image.empty()) {
        Say(FolderProblem);
        return;
    }
    const TImage written = ClipboardToFile(image);
    if (written != TImage::Written) {
        DeleteFileA(image.c_str());
        if (written == TImage::WriteFailed)
            Say(kWriteFailed);
        return;
    }
    Error = 0;
    if (Mode == Memory) {
        Name = image;
        Load(image, false);
        Name.clear();
        DeleteFileA(image.c_str());
    } else {
        // The image is the working file of a new wave: dropped when the wave
        // is closed unsaved, moved to its name by the first save.
        WorkingFile = image;
        NewFile = 1;
        Load(image, true);
        if (WorkingFile != image)
            DeleteFileA(image.c_str());
    }
    if (!Error)
        Changed = 1;
}

int TWaveFile::PasteWith(const std::function<int(TWaveFile& pasted, uint32_t frames, float length)>& edit)
{
    const std::string image = NewTempName(TempDirectory);
    if (image.empty())
        return 0;
    int result = 0;
    const TImage written = ClipboardToFile(image);
    if (written == TImage::WriteFailed)
        Say(kWriteFailed);
    if (written == TImage::Written) {
        TWaveFile pasted(image.c_str(), Disk, 0, TempDirectory.c_str());
        if (!pasted.Error) {
            if (!pasted.GetFormat().IsEqual(Format)) {
                Say(kDiffering, TEngineHost::MsgIconStop);
            } else {
                result = edit(pasted, pasted.HighWaterMark, pasted.GetHighWaterTime());
                Changed = 1;
            }
        }
    }
    DeleteFileA(image.c_str());
    return result;
}

int TWaveFile::PasteOver(float start)
{
    return PasteWith([&](TWaveFile& pasted, uint32_t frames, float length) {
        // Frames, not a sum of times that can round a frame away.
        const uint32_t first = TimeToFrame(start);
        const uint32_t kept = first < HighWaterMark ? std::min(frames, HighWaterMark - first) : 0;
        SaveUndoFrames(UndoOverwrite, start, start + length, {first, kept});
        return CopyFrames(&pasted, this, 0, first, frames);
    });
}

int TWaveFile::PasteInsert(float start)
{
    return PasteWith([&](TWaveFile& pasted, uint32_t frames, float length) {
        const int result = InsertFrames(&pasted, this, 0, TimeToFrame(start), frames);
        // A refused insert left the wave as it was: the former undo still applies to it.
        if (result) {
            DiscardUndo();
            RecordUndo(UndoInsert, start, start + length, frames);
        }
        return result;
    });
}