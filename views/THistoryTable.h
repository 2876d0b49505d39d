#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// One row of a line history: the line it belongs to, the time (or the RPM
// tag) of its spectrum and the spectrum's peak and minimum value over the
// band shown.
struct THistoryRecord {
    uint32_t LineIndex;
    float Time;
    float Tag;
    float Peak;
    float Minimum;
};

// The history a spectrogram or surface keeps of the spectrum lines it shows:
// one record per pixel row (or column) of its image, a line covering
// LinesPerStep records, line 0 the newest. Cursor readouts, selections,
// autoscale and the rebuild of the image from the wave file read it.
class THistoryTable {
public:
    explicit THistoryTable(int linesPerStep) : LinesPerStep(linesPerStep > 0 ? linesPerStep : 1) {}

    int Count() const { return static_cast<int>(Records.size()); }
    bool Empty() const { return Records.empty(); }
    const THistoryRecord& operator[](int row) const { return Records[static_cast<size_t>(row)]; }
    int GetLinesPerStep() const { return LinesPerStep; }

    // Keeps the records that still fit; new ones are zero.
    void Resize(int count);
    void Clear();
    // A new line at the front: every line moves back one, the oldest drops
    // out, and the first line's records get the values.
    void Push(float time, float tag, float peak, float minimum);
    // The levels of a line drawn in front of the image, which moves the
    // image's older lines back one: the levels move with them, the times
    // stay where their owner set them.
    void PushLevels(float peak, float minimum);
    // Time and tag of a line, where a rebuild from stored data puts them.
    void SetLine(int line, float time, float tag);
    // The levels of a line drawn at its place (a rebuild's, or wrap mode's
    // live line); nothing outside the records.
    void SetLevels(int line, float peak, float minimum);
    void ShiftTimes(float offset);

    // Records per line into the count, plus one.
    int LineCount() const;
    // The first record of the oldest line drawn so far: while the lines fill
    // only part of the image, the older records hold no line.
    int OldestLineRow() const { return std::max(FilledRows() - LinesPerStep, 0); }
    int FilledRows() const { return std::min(Filled, Count()); }
    // The smallest time above 0 among the lines' first records, or start
    // when it is smaller; 0 without records.
    float MinTime(float start) const;
    // The largest time among the lines' first records, from 0.
    float MaxTime() const;
    // The line whose time is nearest to t among the two lines around it,
    // whether times rise or fall with the line; 0 for a t beyond line 0 or
    // none found, the last line for a t beyond the last.
    int FindLine(float t) const;
    // Time (or tag) of a line, the line clamped to the records.
    float LineValue(int line, bool tag) const;
    // Time (or tag) of a record, the row clamped to the records.
    float RowValue(int row, bool tag) const;
    // The largest peak and the smallest minimum of the records a line has
    // filled (rows never filled are all zero); false when there is none.
    bool LevelSpan(float& largest, float& smallest) const;

private:
    float LineTime(int line) const { return Records[static_cast<size_t>(line * LinesPerStep)].Time; }

    int LinesPerStep;
    std::vector<THistoryRecord> Records;
    // Records from the newest edge that a line has reached.
    int Filled = 0;
};
