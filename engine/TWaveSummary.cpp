#include "engine/TWaveSummary.h"

#include <algorithm>
#include <bit>
#include <climits>

namespace {

constexpr uint32_t ChunkBlocks = TWaveSummary::Fanout;

uint64_t CeilDiv(uint64_t a, uint64_t b)
{
    return (a + b - 1) / b;
}

void Merge(TWaveSummary::TExtremes& into, const TWaveSummary::TExtremes& e)
{
    into.Min = std::min(into.Min, e.Min);
    into.Max = std::max(into.Max, e.Max);
}

constexpr TWaveSummary::TExtremes Empty{INT32_MAX, INT32_MIN};

// The extremes of each channel over count frames of width W a sample; a
// constant width lets the loop run without a call per sample.
template <uint16_t W>
void ScanFrames(const uint8_t* p, uint32_t count, uint32_t channels, TWaveSummary::TExtremes* out,
                uint32_t first = 0, uint32_t last = UINT32_MAX)
{
    for (uint32_t c = first; c < std::min(channels, last); ++c) {
        int32_t lo = INT32_MAX, hi = INT32_MIN;
        const uint8_t* q = p + c * W;
        const size_t stride = size_t(W) * channels;
        for (uint32_t i = 0; i < count; ++i, q += stride) {
            int32_t s;
            if constexpr (W == 1)
                s = q[0];
            else if constexpr (W == 2)
                s = int16_t(uint16_t(q[0] | (q[1] << 8)));
            else
                s = SignExtend24(q[0] | (q[1] << 8) | (q[2] << 16));
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        out[c - first] = {lo, hi};
    }
}

}  // namespace

uint32_t TWaveSummary::BlockFramesFor(uint16_t bytesPerSample)
{
    // At least 1 KB of samples per block and channel against 8 bytes of extremes.
    return std::bit_ceil(uint32_t(CeilDiv(1024, std::max<uint16_t>(bytesPerSample, 1))));
}

size_t TWaveSummary::Blocks(size_t level) const
{
    return Levels[level].size() / Channels;
}

void TWaveSummary::Reset(TWaveFormat format, uint32_t frames)
{
    Format = format;
    Channels = std::max<uint32_t>(format.NumChannels, 1);
    Block = BlockFramesFor(format.BytesPerSample);
    FrameCount = 0;
    Levels.clear();
    DirtyFrom = DirtyTo = 0;
    Resize(frames);
}

void TWaveSummary::Resize(uint32_t frames)
{
    if (frames == FrameCount && !Levels.empty())
        return;
    const uint32_t kept = std::min(frames, FrameCount);
    FrameCount = frames;
    size_t blocks = CeilDiv(frames, Block);
    size_t level = 0;
    for (;; ++level) {
        if (Levels.size() <= level)
            Levels.emplace_back();
        Levels[level].resize(blocks * Channels, Empty);
        if (blocks <= Fanout)
            break;
        blocks = CeilDiv(blocks, Fanout);
    }
    Levels.resize(level + 1);
    // The old last block may have been partly filled.
    Invalidate(kept - kept % Block, frames);
}

void TWaveSummary::Invalidate(uint32_t from, uint32_t to)
{
    to = std::min(to, FrameCount);
    ++Changes;
    if (from >= to)
        return;
    if (IsCurrent()) {
        DirtyFrom = from;
        DirtyTo = to;
    } else {
        DirtyFrom = std::min(DirtyFrom, from);
        DirtyTo = std::max(DirtyTo, to);
    }
}

void TWaveSummary::Scan(const uint8_t* frames, uint32_t count, TExtremes* out) const
{
    switch (Format.BytesPerSample) {
    case 1: ScanFrames<1>(frames, count, Channels, out); break;
    case 2: ScanFrames<2>(frames, count, Channels, out); break;
    case 3: ScanFrames<3>(frames, count, Channels, out); break;
    default:
        for (uint32_t c = 0; c < Channels; ++c)
            out[c] = {Format.SilenceValue, Format.SilenceValue};
        break;
    }
}

TWaveSummary::TExtremes TWaveSummary::ScanChannel(const uint8_t* frames, uint32_t count, uint16_t channel) const
{
    const uint32_t c = channel < Channels ? channel : 0;
    TExtremes e = Empty;
    switch (Format.BytesPerSample) {
    case 1: ScanFrames<1>(frames, count, Channels, &e, c, c + 1); break;
    case 2: ScanFrames<2>(frames, count, Channels, &e, c, c + 1); break;
    case 3: ScanFrames<3>(frames, count, Channels, &e, c, c + 1); break;
    default: e = {Format.SilenceValue, Format.SilenceValue}; break;
    }
    return e;
}

void TWaveSummary::Gather(size_t level, size_t first, size_t last)
{
    const size_t below = Blocks(level - 1);
    for (size_t b = first; b < last; ++b) {
        for (uint32_t c = 0; c < Channels; ++c) {
            TExtremes e = Empty;
            for (size_t i = b * Fanout; i < std::min(below, (b + 1) * Fanout); ++i)
                Merge(e, Levels[level - 1][i * Channels + c]);
            Levels[level][b * Channels + c] = e;
        }
    }
}

bool TWaveSummary::Refresh(const TSource& source)
{
    if (IsCurrent())
        return true;
    const size_t firstBlock = DirtyFrom / Block;
    const size_t lastBlock = CeilDiv(std::min(DirtyTo, FrameCount), Block);
    const uint32_t frameBytes = Format.BytesPerFrame();
    for (size_t b = firstBlock; b < lastBlock; b += ChunkBlocks) {
        const uint32_t start = uint32_t(b * Block);
        const uint32_t count = uint32_t(std::min<uint64_t>(uint64_t(ChunkBlocks) * Block, FrameCount - start));
        const uint8_t* p = source(start, count);
        if (!p)
            return false;
        for (uint32_t done = 0, i = 0; done < count; done += Block, ++i) {
            const uint32_t n = std::min(Block, count - done);
            Scan(p + size_t(done) * frameBytes, n, &Levels[0][(b + i) * Channels]);
        }
    }
    size_t first = firstBlock, last = lastBlock;
    for (size_t level = 1; level < Levels.size(); ++level) {
        first /= Fanout;
        last = CeilDiv(last, Fanout);
        Gather(level, first, last);
    }
    DirtyFrom = DirtyTo = 0;
    return true;
}

size_t TWaveSummary::MemoryBytes() const
{
    size_t bytes = sizeof(*this);
    for (const auto& level : Levels)
        bytes += level.capacity() * sizeof(TExtremes);
    return bytes;
}

void TWaveSummary::Extend(size_t level, size_t first, size_t last, uint16_t channel, TExtremes& extremes) const
{
    if (first >= last)
        return;
    // Whole blocks of the level above where they fit, this level's at both ends.
    if (level + 1 < Levels.size()) {
        const size_t upFirst = CeilDiv(first, Fanout);
        const size_t upLast = last / Fanout;
        if (upFirst < upLast) {
            Extend(level, first, upFirst * Fanout, channel, extremes);
            Extend(level + 1, upFirst, upLast, channel, extremes);
            Extend(level, upLast * Fanout, last, channel, extremes);
            return;
        }
    }
    for (size_t b = first; b < last; ++b)
        Merge(extremes, Levels[level][b * Channels + channel]);
}

bool TWaveSummary::Cover(uint32_t from, uint32_t to, uint16_t channel, uint32_t& coveredFrom, uint32_t& coveredTo,
                         TExtremes& extremes) const
{
    to = std::min(to, FrameCount);
    const size_t first = CeilDiv(from, Block);
    const size_t last = to / Block;
    if (!IsCurrent() || Levels.empty() || first >= last)
        return false;
    extremes = Empty;
    Extend(0, first, last, channel < Channels ? channel : 0, extremes);
    coveredFrom = uint32_t(first * Block);
    coveredTo = uint32_t(last * Block);
    return true;
}

bool TWaveSummary::SameAs(const TWaveSummary& other) const
{
    return Format.IsEqual(other.Format) && FrameCount == other.FrameCount && IsCurrent() && other.IsCurrent() &&
           Levels == other.Levels;
}
