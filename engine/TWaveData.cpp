#include "engine/TWaveData.h"

#include "engine/TWaveLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "base/TEngineHost.h"

namespace {

// count samples of width W, stride bytes apart, packed into out. The width
// is a constant, so each copy is a plain move rather than a call.
template <size_t W>
void CopyChannel(uint8_t* out, const uint8_t* in, size_t stride, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        std::memcpy(out + size_t{i} * W, in + size_t{i} * stride, W);
}

}  // namespace

TWaveData::TWaveData()
{
    SetCalibration(1.0f, 1.0f);
}

TWaveData::TWaveData(uint32_t frames, TWaveFormat format)
{
    Format.Set(format.SamplingRate, format.NumChannels, format.BytesPerSample);
    SetCalibration(1.0f, 1.0f);
    if (frames == 0)
        return;
    const uint64_t bytes = static_cast<uint64_t>(frames) * Format.BytesPerFrame();
    TEngineWait wait;
    if (frames > MaxFrames() || !Allocate(static_cast<uint32_t>(bytes))) {
        Error = 1;
        return;
    }
    FrameCount = frames;
    BufferSize = static_cast<uint32_t>(bytes);
}

bool TWaveData::Allocate(uint32_t bytes)
{
    try {
        Buffer.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        Buffer.clear();
        return false;
    }
    return true;
}

void TWaveData::SetFormat(uint32_t samplingRate, uint16_t numChannels, uint16_t bytesPerSample)
{
    Format.Set(samplingRate, numChannels, bytesPerSample);
    // The same bytes read as other samples.
    ForgetSummary();
    // The scales follow the full scale of the new width.
    SetCalibration(CalibrationLeft, CalibrationRight);
}

void TWaveData::SetCalibration(float left, float right)
{
    CalibrationLeft = left == 0.0f ? 2.0f : left;
    CalibrationRight = right == 0.0f ? 2.0f : right;
    const double fullScale = Format.FullScale();
    ScaleLeft = static_cast<float>(CalibrationLeft / fullScale);
    ScaleRight = static_cast<float>(CalibrationRight / fullScale);
}

uint32_t TWaveData::MaxFrames() const
{
    return TWaveLayout::MaxFrames(TWaveLayout::HeaderSize, Format.BytesPerFrame());
}

int TWaveData::SetLength(uint32_t frames)
{
    const uint64_t wanted = static_cast<uint64_t>(frames) * Format.BytesPerFrame();
    if (frames > MaxFrames()) {
        if (Buffer.empty())
            Error = 1;
        return 0;
    }
    const uint32_t bytes = static_cast<uint32_t>(wanted);
    const uint32_t oldFrames = Buffer.empty() ? 0 : BytesToFrames(static_cast<uint32_t>(Buffer.size()));
    if (Buffer.empty()) {
        if (!Allocate(bytes)) {
            Error = 1;
            return 0;
        }
    } else if (bytes == Buffer.size()) {
        return 1;
    } else if (bytes < Buffer.size()) {
        Buffer.resize(bytes);
        Buffer.shrink_to_fit();
    } else {
        TEngineWait wait;
        try {
            Buffer.resize(bytes);
        } catch (const std::bad_alloc&) {
            return 0;
        }
    }
    BufferSize = bytes;
    FrameCount = frames;
    for (uint32_t f = oldFrames; f < frames; ++f)
        for (uint16_t c = 0; c < Format.NumChannels; ++c)
            StoreSample(&Buffer[SampleOffset(f, c)], Format.SilenceValue);
    Position = std::min(Position, FrameCount);
    HighWaterMark = std::min(HighWaterMark, FrameCount);
    Touch(std::min(oldFrames, frames), frames);
    return 1;
}

uint32_t TWaveData::Rewind()
{
    Seek(0);
    return Position;
}

uint32_t TWaveData::SeekEnd()
{
    Seek(FrameCount);
    return Position;
}

uint32_t TWaveData::SetPosition(uint32_t frame)
{
    Seek(frame <= FrameCount ? frame : Position);
    return Position;
}

uint32_t TWaveData::Advance(uint32_t frames)
{
    const uint64_t target = static_cast<uint64_t>(Position) + frames;
    const uint32_t last = FrameCount == 0 ? 0 : FrameCount - 1;
    Seek(static_cast<uint32_t>(std::min<uint64_t>(target, last)));
    return Position;
}

void TWaveData::Seek(uint32_t frame)
{
    Position = frame;
}

uint32_t TWaveData::FramesToBytes(uint32_t frames) const
{
    return static_cast<uint32_t>(Format.NumChannels) * frames * Format.BytesPerSample;
}

uint32_t TWaveData::BytesToFrames(uint32_t bytes) const
{
    if (Format.NumChannels == 0 || Format.BytesPerSample == 0)
        return 0;
    return bytes / Format.NumChannels / Format.BytesPerSample;
}

float TWaveData::FrameToTime(uint32_t frame) const
{
    if (Format.SamplingRate == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(frame) / Format.SamplingRate);
}

uint32_t TWaveData::TimeToFrame(float seconds) const
{
    const double frames = static_cast<double>(seconds) * Format.SamplingRate;
    if (!(frames > 0.0))
        return 0;
    if (frames >= static_cast<double>(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(frames);
}

float TWaveData::SetPositionTime(float seconds)
{
    SetPosition(TimeToFrame(seconds));
    return GetPositionTime();
}

uint32_t TWaveData::SampleOffset(uint32_t frame, uint16_t channel) const
{
    return frame * Format.BytesPerFrame() + (IsRight(channel) ? Format.BytesPerSample : 0);
}

int32_t TWaveData::LoadSample(const uint8_t* p) const
{
    switch (Format.BytesPerSample) {
    case 1: return p[0];
    case 2: return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    case 3: return SignExtend24(p[0] | (p[1] << 8) | (p[2] << 16));
    default: return Format.SilenceValue;
    }
}

void TWaveData::StoreSample(uint8_t* p, int32_t value) const
{
    const uint32_t bits =
        static_cast<uint32_t>(Format.BytesPerSample == 3 ? TWaveFormat::Pack24(value) : value);
    for (uint16_t b = 0; b < Format.BytesPerSample; ++b)
        p[b] = static_cast<uint8_t>(bits >> (8 * b));
}

float TWaveData::GetSample(uint32_t frame, uint16_t channel, int scaled)
{
    const int32_t s = (Buffer.empty() || frame >= FrameCount) ? Format.SilenceValue
                                                              : LoadSample(&Buffer[SampleOffset(frame, channel)]);
    if (!scaled)
        return static_cast<float>(s);
    return static_cast<float>((s - Format.SilenceValue) * static_cast<double>(GetScale(channel)));
}

int TWaveData::PutSample(int32_t value, uint32_t frame, uint16_t channel)
{
    if (Buffer.empty() || frame >= FrameCount)
        return 0;
    if (Format.BytesPerSample == 1 && (value > 255 || value < -255))
        return 0;
    if (Format.BytesPerSample <= 3)
        StoreSample(&Buffer[SampleOffset(frame, channel)], value);
    Touch(frame, frame + 1);
    Position = std::min(Position + 1, FrameCount);
    HighWaterMark = std::max(HighWaterMark, Position);
    Changed = 1;
    return 1;
}

int TWaveData::ReadFrames(void* dest, uint32_t start, uint32_t count, uint16_t channel)
{
    if (Buffer.empty() || dest == nullptr || count > FrameCount)
        return 0;
    if (start > FrameCount)
        start = 0;
    const uint16_t width = Format.BytesPerSample;
    uint8_t* out = static_cast<uint8_t*>(dest);
    if (FrameCount - start < count) {
        for (uint32_t i = 0; i < count; ++i)
            StoreSample(out + i * width, Format.SilenceValue);
        return 0;
    }
    const uint8_t* in = &Buffer[SampleOffset(start, channel)];
    const size_t stride = Format.BytesPerFrame();
    switch (width) {
    case 1: CopyChannel<1>(out, in, stride, count); break;
    case 2: CopyChannel<2>(out, in, stride, count); break;
    case 3: CopyChannel<3>(out, in, stride, count); break;
    default: CopyChannel<4>(out, in, stride, count); break;
    }
    return 1;
}

int TWaveData::WriteFrames(const void* src, uint32_t start, uint32_t count, uint16_t channel)
{
    if (Buffer.empty() || src == nullptr || count > FrameCount || start > FrameCount)
        return 0;
    count = std::min(count, FrameCount - start);
    const uint16_t width = Format.BytesPerSample;
    const uint8_t* in = static_cast<const uint8_t*>(src);
    for (uint32_t i = 0; i < count; ++i)
        std::memcpy(&Buffer[SampleOffset(start + i, channel)], in + i * width, width);
    Touch(start, start + count);
    Changed = 1;
    return 1;
}

int TWaveData::ReadStream(void* dest, uint32_t bytes)
{
    if (dest == nullptr || Buffer.empty() || FrameCount == 0 || Position >= FrameCount - 1)
        return 0;
    const uint32_t from = GetPositionBytes();
    const uint32_t copied = std::min(bytes, BufferSize - from);
    std::memcpy(dest, Buffer.data() + from, copied);
    std::memset(static_cast<uint8_t*>(dest) + copied, 0, bytes - copied);
    Advance(BytesToFrames(copied));
    return 1;
}

int TWaveData::WriteStream(const void* src, uint32_t bytes)
{
    const uint32_t from = GetPositionBytes();
    if (src == nullptr || Buffer.empty() || from > BufferSize || bytes > BufferSize - from)
        return 0;
    std::memcpy(Buffer.data() + from, src, bytes);
    const uint32_t end = Position + BytesToFrames(bytes);
    Touch(Position, end);
    Advance(BytesToFrames(bytes));
    Changed = 1;
    // The mark counts the frames written even where the position stops at the
    // last frame, so a block that fills the buffer keeps its last frame.
    HighWaterMark = std::max(HighWaterMark, end);
    return 1;
}

int TWaveData::ReadInterleaved(void* dest, uint32_t start, uint32_t count)
{
    if (Buffer.empty() || dest == nullptr || start > FrameCount || count > FrameCount - start)
        return 0;
    std::memcpy(dest, Buffer.data() + FramesToBytes(start), FramesToBytes(count));
    return 1;
}

int TWaveData::WriteInterleaved(const void* src, uint32_t start, uint32_t count)
{
    if (src == nullptr || start > FrameCount || count > FrameCount - start)
        return 0;
    if (count == 0)
        return 1;
    const uint32_t position = Position;
    const uint32_t mark = HighWaterMark;
    SetPosition(start);
    const int written = WriteStream(src, FramesToBytes(count));
    HighWaterMark = mark;
    SetPosition(position);
    return written;
}

void TWaveData::ClearBuffer()
{
    std::fill(Buffer.begin(), Buffer.end(), Format.BytesPerSample == 1 ? 127 : 0);
    Touch(0, FrameCount);
}

void TWaveData::SilenceFrames(uint32_t from, uint32_t to)
{
    if (Buffer.empty() || to <= from || from > FrameCount)
        return;
    const uint32_t end = std::min(to, FrameCount);
    for (uint32_t f = from; f < end; ++f) {
        for (uint16_t c = 0; c < Format.NumChannels; ++c) {
            // Stored directly so that 4-byte samples are silenced too.
            StoreSample(&Buffer[SampleOffset(f, c)], Format.SilenceValue);
            Position = std::min(Position + 1, FrameCount);
        }
    }
    Touch(from, end);
    Changed = 1;
    HighWaterMark = std::max(HighWaterMark, end);
}

double TWaveData::MeanSquare(uint32_t from, uint32_t to, uint16_t channel)
{
    to = std::min(to, FrameCount);
    if (Buffer.empty() || to <= from || from > FrameCount)
        return 0.0;
    double sum = 0.0;
    for (uint32_t f = from; f < to; ++f) {
        const double v = TWaveData::GetSample(f, channel, 1);
        sum += v * v;
    }
    return sum / (to - from);
}

double TWaveData::SumOfMagnitudes(uint32_t from, uint32_t to, uint16_t channel)
{
    to = std::min(to, FrameCount);
    if (Buffer.empty() || to <= from || from > FrameCount)
        return 0.0;
    double sum = 0.0;
    for (uint32_t f = from; f < to; ++f)
        sum += std::fabs(TWaveData::GetSample(f, channel, 1));
    return sum;
}

void TWaveData::GetMinMax(uint32_t from, uint32_t to, float* max, float* min, uint16_t channel, int scaled,
                          int rms)
{
    if (Buffer.empty() || FrameCount == 0 || from > FrameCount - 1 || max == nullptr || min == nullptr)
        return;
    to = std::min(to, FrameCount - 1);
    double hi = Format.MinValue;
    double lo = Format.MaxValue;
    if (!rms && SummaryExtremes(from, to, channel, hi, lo)) {
        PutExtremes(hi, lo, max, min, channel, scaled);
        return;
    }
    double positiveSum = 0.0, negativeSum = 0.0;
    uint32_t positiveCount = 0, negativeCount = 0;
    for (uint32_t f = from; f < to; ++f) {
        const double s = LoadSample(&Buffer[SampleOffset(f, channel)]);
        hi = std::max(hi, s);
        lo = std::min(lo, s);
        if (rms && s > 0.0) {
            positiveSum += s * s;
            ++positiveCount;
        } else if (rms && s < 0.0) {
            negativeSum += s * s;
            ++negativeCount;
        }
    }
    if (rms && positiveSum > 0.0 && positiveCount >= 1)
        hi = std::sqrt(positiveSum / positiveCount);
    if (rms && negativeSum > 0.0 && negativeCount >= 1)
        lo = -std::sqrt(negativeSum / negativeCount);
    PutExtremes(hi, lo, max, min, channel, scaled);
}

void TWaveData::PutExtremes(double hi, double lo, float* max, float* min, uint16_t channel, int scaled) const
{
    if (scaled) {
        const double scale = GetScale(channel);
        hi = (hi - Format.SilenceValue) * scale;
        lo = (lo - Format.SilenceValue) * scale;
    }
    *max = static_cast<float>(hi);
    *min = static_cast<float>(lo);
}

// ---- the min/max summary ------------------------------------------------------------

void TWaveData::SetSummaryEnabled(bool enabled)
{
    SummaryEnabled = enabled;
    if (!enabled)
        Summary.Clear();
}

bool TWaveData::RefreshSummary()
{
    if (!SummaryEnabled)
        return false;
    if (Summary.IsEmpty() || !Summary.Matches(Format))
        Summary.Reset(Format, FrameCount);
    else
        Summary.Resize(FrameCount);
    return Summary.Refresh([this](uint32_t frame, uint32_t count) { return SummaryFrames(frame, count); });
}

const uint8_t* TWaveData::SummaryFrames(uint32_t frame, uint32_t count)
{
    if (Buffer.empty() || uint64_t(frame) + count > FrameCount)
        return nullptr;
    return &Buffer[FramesToBytes(frame)];
}

bool TWaveData::EdgeExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo)
{
    to = std::min(to, FrameCount);
    if (from >= to || Buffer.empty())
        return true;
    const TWaveSummary::TExtremes e = Summary.ScanChannel(&Buffer[FramesToBytes(from)], to - from, IsRight(channel) ? 1 : 0);
    hi = std::max(hi, double(e.Max));
    lo = std::min(lo, double(e.Min));
    return true;
}

bool TWaveData::SummaryExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo)
{
    // Ranges without a whole block read their frames; nothing to build for them.
    const uint32_t block = TWaveSummary::BlockFramesFor(Format.BytesPerSample);
    if (!SummaryEnabled || to <= from || (from + uint64_t(block) - 1) / block >= to / block || !RefreshSummary())
        return false;
    uint32_t coveredFrom = 0, coveredTo = 0;
    TWaveSummary::TExtremes e;
    if (!Summary.Cover(from, to, IsRight(channel) ? 1 : 0, coveredFrom, coveredTo, e))
        return false;
    double h = std::max(hi, double(e.Max)), l = std::min(lo, double(e.Min));
    if (!EdgeExtremes(from, coveredFrom, channel, h, l) || !EdgeExtremes(coveredTo, to, channel, h, l))
        return false;
    hi = h;
    lo = l;
    return true;
}

void TWaveData::Touch(uint32_t from, uint32_t to)
{
    // A summary not set up yet is built whole at its first use.
    if (Summary.IsEmpty() || !Summary.Matches(Format))
        return;
    Summary.Resize(FrameCount);
    Summary.Invalidate(from, to);
}

int TWaveData::TestTrigger(const TriggerSettings& trigger, uint32_t from, uint32_t to, uint16_t channel)
{
    to = std::min(to, FrameCount);
    if (Buffer.empty() || from > FrameCount || Format.BytesPerSample > 3 ||
        trigger.TriggerType > TriggerSettings::Edge || trigger.TriggerSlope > TriggerSettings::Negative)
        return 0;
    const int64_t level =
        static_cast<int64_t>(trigger.Threshold) * (Format.MaxValue - Format.SilenceValue) / 100;
    const bool rising = trigger.TriggerSlope == TriggerSettings::Positive;
    int64_t previous = 0;
    for (uint32_t f = from; f < to; ++f) {
        const int64_t s = LoadSample(&Buffer[SampleOffset(f, channel)]) - Format.SilenceValue;
        if (f == from)
            previous = s;
        if (trigger.TriggerType == TriggerSettings::Level) {
            if (rising ? s >= level : s <= -level)
                return 1;
        } else if ((rising ? s - previous : previous - s) >= level) {
            return 1;
        }
        previous = s;
    }
    return 0;
}
