// The wave's working folder and working file on disk, and the frame operations that read and write it.
#include "engine/TWaveFile.h"

#include "engine/TFolder.h"
#include "engine/TWaveLayout.h"
#include "engine/WaveFileIo.h"
#include "resources/StringIds.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

using namespace WaveFileIo;

// ---- the working folder ---------------------------------------------------------

std::string TWaveFile::NewTempName(const std::string& folder) const
{
    char name[MAX_PATH] = {};
    if (!TFolder::Make(folder) || !GetTempFileNameA(folder.c_str(), "wav", 0, name)) {
        NoteFolderProblem(folder);
        return {};
    }
    return name;
}

void TWaveFile::NoteFolderProblem(const std::string& folder) const
{
    FolderProblem = "Failure creating a working file in folder: " + TFolder::Full(folder) + "\r\n" + TFolder::LastErrorText();
}

// ---- the working file -----------------------------------------------------------

bool TWaveFile::CreateWorkingFile()
{
    WorkingFile = NewTempName(TempDirectory);
    if (!WorkingFile.empty() && !OpenHandle(true))
        NoteFolderProblem(TempDirectory);
    if (WorkingFile.empty() || !File) {
        Say(FolderProblem);
        Error = 1;
        return false;
    }
    const auto header = TWaveLayout::Header(Format, 0);
    if (!WaveFileIo::WriteAt(File, 0, header.data(), header.size())) {
        CloseHandle();
        Error = 1;
        return false;
    }
    DataOffset = TWaveLayout::HeaderSize;
    RiffOffset = 0;
    DataCapacity = 0;
    HasTail = false;
    BufferSize = FrameCount = Position = HighWaterMark = 0;
    ForgetSummary();
    return true;
}

bool TWaveFile::Truncate(uint64_t size)
{
    return SetSize(File, size);
}

bool TWaveFile::ReadAt(uint64_t offset, void* dest, uint32_t bytes)
{
    return WaveFileIo::ReadAt(File, offset, dest, bytes);
}

uint32_t TWaveFile::MaxWorkingFrames() const
{
    return TWaveLayout::MaxFrames(DataOffset - RiffOffset, Format.BytesPerFrame());
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
    const bool ok = WaveFileIo::WriteAt(File, offset, src, bytes);
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
    const uint32_t riffSize = static_cast<uint32_t>(
        std::min(TWaveLayout::RiffSizeFor(DataOffset - RiffOffset, dataBytes), TWaveLayout::MaxRiffSize));
    DataCapacity = std::max<uint64_t>(DataCapacity, dataBytes);
    WaveFileIo::WriteAt(File, DataOffset - 4, &dataBytes, 4);
    WaveFileIo::WriteAt(File, RiffOffset + 4, &riffSize, 4);
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
        // Frames past the RIFF limit are refused before any is written.
        if (frame > FrameCount || end > MaxWorkingFrames() ||
            !WriteAt(DataOffset + static_cast<uint64_t>(FramesToBytes(frame)), src, FramesToBytes(count)))
            return false;
        if (end > FrameCount) {
            FrameCount = static_cast<uint32_t>(end);
            BufferSize = FramesToBytes(FrameCount);
            WriteSizes();
        }
    }
    Touch(frame, static_cast<uint32_t>(end));
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

int TWaveFile::ReadInterleaved(void* dest, uint32_t start, uint32_t count)
{
    if (!Working())
        return TWaveData::ReadInterleaved(dest, start, count);
    return dest && RawRead(start, count, static_cast<uint8_t*>(dest)) ? 1 : 0;
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
    double hi = Format.MinValue, lo = Format.MaxValue;
    if (!rms && max && min && SummaryExtremes(from, std::min(to, FrameCount - 1), channel, hi, lo)) {
        PutExtremes(hi, lo, max, min, channel, scaled);
        return;
    }
    to = std::min(to, FrameCount);
    // One frame past the range so that the scratch block cuts `to` as the block itself would.
    const uint32_t count = std::min(to - std::min(to, from) + 1, FrameCount - from);
    TWaveData scratch(count, Format);
    if (LoadRange(scratch, from, count))
        scratch.GetMinMax(0, to - std::min(to, from), max, min, channel, scaled, rms);
}

const uint8_t* TWaveFile::SummaryFrames(uint32_t frame, uint32_t count)
{
    if (!Working())
        return TWaveData::SummaryFrames(frame, count);
    try {
        SummaryBlock.resize(FramesToBytes(count));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return RawRead(frame, count, SummaryBlock.data()) ? SummaryBlock.data() : nullptr;
}

bool TWaveFile::EdgeExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo)
{
    to = std::min(to, FrameCount);
    if (!Working() || from >= to)
        return TWaveData::EdgeExtremes(from, to, channel, hi, lo);
    const TWaveSummary& summary = GetSummary();
    if (EdgeMemoGeneration != summary.Generation()) {
        EdgeMemo.clear();
        EdgeMemoGeneration = summary.Generation();
    }
    const uint64_t key = (uint64_t(from) << 32) | to;
    auto known = EdgeMemo.find(key);
    if (known == EdgeMemo.end()) {
        const uint8_t* frames = EdgeFrames(from, to);
        if (!frames)
            return false;
        // A bounded memo: a draw needs a few thousand edges.
        if (EdgeMemo.size() >= MaxEdgeMemo)
            EdgeMemo.clear();
        std::array<TWaveSummary::TExtremes, 2> both{summary.ScanChannel(frames, to - from, 0), {}};
        if (Format.NumChannels == 2)
            both[1] = summary.ScanChannel(frames, to - from, 1);
        known = EdgeMemo.emplace(key, both).first;
    }
    const TWaveSummary::TExtremes& e = known->second[IsRight(channel) ? 1 : 0];
    hi = std::max(hi, double(e.Max));
    lo = std::min(lo, double(e.Min));
    return true;
}

const uint8_t* TWaveFile::EdgeFrames(uint32_t from, uint32_t to)
{
    const TWaveSummary& summary = GetSummary();
    const uint32_t size = summary.BlockFrames();
    const uint32_t index = from / size;
    if ((to - 1) / size != index) {
        EdgeBlock.resize(FramesToBytes(to - from));
        EdgeBlockGeneration = UINT64_MAX;
        return RawRead(from, to - from, EdgeBlock.data()) ? EdgeBlock.data() : nullptr;
    }
    if (EdgeBlockIndex != index || EdgeBlockGeneration != summary.Generation()) {
        const uint32_t first = index * size;
        const uint32_t count = std::min(size, FrameCount - first);
        EdgeBlock.resize(FramesToBytes(count));
        EdgeBlockGeneration = UINT64_MAX;
        if (!RawRead(first, count, EdgeBlock.data()))
            return nullptr;
        EdgeBlockIndex = index;
        EdgeBlockGeneration = summary.Generation();
    }
    return EdgeBlock.data() + FramesToBytes(from - index * size);
}
