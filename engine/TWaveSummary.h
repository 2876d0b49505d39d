#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/TWaveFormat.h"

// The exact largest and smallest stored sample of every block of a wave, per
// channel, at a few levels: the finest block holds at least 1 KB of one
// channel's samples (so the summary stays under 1/100 of the wave), each
// coarser level Fanout blocks of the one below. A range of frames then costs
// a few hundred blocks whatever its length; only the frames outside whole
// blocks are read.
//
// Writes mark their frames stale; the next Refresh reads them again. Stored
// samples are read as the wave reads them: 8-bit codes unsigned, 4-byte
// samples as silence.
class TWaveSummary {
public:
    static constexpr uint32_t Fanout = 64;

    struct TExtremes {
        int32_t Min = 0;
        int32_t Max = 0;
        bool operator==(const TExtremes&) const = default;
    };
    // Gives count frames from frame on, interleaved as stored, or null when
    // they cannot be read.
    using TSource = std::function<const uint8_t*(uint32_t frame, uint32_t count)>;

    // Frames of a finest block for that sample width.
    static uint32_t BlockFramesFor(uint16_t bytesPerSample);

    // Forgets everything: a wave of that format and length, all stale.
    void Reset(TWaveFormat format, uint32_t frames);
    // The wave's length changed: frames from the old end (from the start of
    // its last block) on are stale.
    void Resize(uint32_t frames);
    // Frames [from, to) were written.
    void Invalidate(uint32_t from, uint32_t to);
    // Reads the stale frames again; false, and still stale, when the source fails.
    bool Refresh(const TSource& source);

    // The extremes of one channel over count frames as stored.
    TExtremes ScanChannel(const uint8_t* frames, uint32_t count, uint16_t channel) const;
    // Counts the changes (writes, new lengths, resets), so that copies of
    // frames can tell they are out of date.
    uint64_t Generation() const { return Changes; }

    uint32_t Frames() const { return FrameCount; }
    uint32_t BlockFrames() const { return Block; }
    bool IsCurrent() const { return DirtyFrom >= DirtyTo; }
    // Not set up since construction or Clear.
    bool IsEmpty() const { return Levels.empty(); }
    void Clear()
    {
        const uint64_t changes = Changes + 1;
        *this = TWaveSummary{};
        Changes = changes;
    }
    bool Matches(TWaveFormat format) const { return Format.IsEqual(format); }
    // The summary's own memory in bytes.
    size_t MemoryBytes() const;

    // The whole finest blocks inside [from, to), as frames [coveredFrom,
    // coveredTo), and the extremes of one channel over them. False when
    // the range holds no whole block or the summary is stale.
    bool Cover(uint32_t from, uint32_t to, uint16_t channel, uint32_t& coveredFrom, uint32_t& coveredTo,
               TExtremes& extremes) const;

    // The same levels, block for block: a summary kept across edits equals one
    // built from scratch.
    bool SameAs(const TWaveSummary& other) const;

private:
    void Scan(const uint8_t* frames, uint32_t count, TExtremes* out) const;
    // Level `level`'s blocks [first, last) rebuilt from the level below.
    void Gather(size_t level, size_t first, size_t last);
    void Extend(size_t level, size_t first, size_t last, uint16_t channel, TExtremes& extremes) const;
    size_t Blocks(size_t level) const;

    TWaveFormat Format;
    uint32_t Channels = 1;
    uint32_t FrameCount = 0;
    uint32_t Block = 1024;
    // Levels[l][block * Channels + channel]; level l blocks hold Block x Fanout^l frames.
    std::vector<std::vector<TExtremes>> Levels;
    uint32_t DirtyFrom = 0;
    uint32_t DirtyTo = 0;
    uint64_t Changes = 0;
};
