#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One pixel row (or column) along the time axis of a spectrogram or 3-D
// surface: which line shows there, the time (or RPM tag) of its spectrum and
// the largest peak and smallest value of that spectrum in the displayed band.
struct THistoryRecord {
    int32_t LineIndex;
    float Time;
    float Tag;
    float Peak;
    float Minimum;
};

// The history of the lines a spectrogram or 3-D surface shows: one record
// per pixel along the time axis, a line covering LinesPerStep records with
// the same time, tag and levels. Record 0 is at the image's newest edge. The
// time labels, the cursor readouts, the selected segment, autoscaling and the
// rebuild of the image from the wave file all read it.
class TLineHistory {
public:
    // The start of the smallest-time search, returned when no line has a time.
    static constexpr float NoMinimumTime = 1215752192.0f;

    explicit TLineHistory(int linesPerStep) : Step(linesPerStep > 0 ? linesPerStep : 1) {}

    int LinesPerStep() const { return Step; }
    int Count() const { return int(Records.size()); }
    const THistoryRecord& Record(int row) const { return Records[std::size_t(row)]; }

    // Sizes the history to count records: those that still fit keep their
    // contents, new ones start zeroed.
    void Resize(int count);
    // Zeroes every record, keeping the size.
    void Clear();
    // Moves every line one line further from the newest edge (the oldest
    // falls off), as a scrolling image does.
    void ScrollOneLine();
    // The live line drawn at row: its records get their place within the
    // line as LineIndex, the time, tag and levels.
    void WriteLine(int row, float time, float tag, float peak, float minimum);
    // A line written by the main window when it fills the view: LineIndex is
    // the line number; the levels stay for SetLevels. Nothing outside.
    void SetLine(int line, float time, float tag);
    // The levels of the records of the line drawn at row.
    void SetLevels(int row, float peak, float minimum);
    void ShiftTimes(float offset);

    int LineCount() const { return Count() / Step + 1; }
    // Time (or tag) of a record, row clamped into the history; 0 without records.
    float RecordTime(int row, bool tag) const;
    // Time (or tag) of a line, clamped into the history; 0 without records.
    float LineTime(int line, bool tag) const;
    // Smallest positive time of the lines; NoMinimumTime when none is
    // positive; 0 without records.
    float MinTime() const;
    // Largest time of the lines, not below 0.
    float MaxTime() const;
    // The first line whose time and the next line's enclose time, the times
    // rising or falling with the line; 0 when none does.
    int FindLine(float time) const;
    // The largest Peak and smallest Minimum over the records lines have
    // reached, starting from -999.9 and 999.9.
    void LevelExtremes(float& peak, float& minimum) const;

private:
    int Step;
    std::vector<THistoryRecord> Records;
};
