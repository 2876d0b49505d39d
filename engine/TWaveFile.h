#pragma once
#include "engine/CalibrationStruct.h"
#include "engine/TWaveData.h"
#include "engine/TWaveFormat.h"
#include "engine/TWaveLayout.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A RIFF WAVE file held in memory (mode 0), worked on through a working file
// on disk (mode 1: the file itself, a temporary copy, or a new temporary
// file), or loaded from a wave resource (mode 2). The two-channel calibration
// record travels in a chunk of its own after the RIFF chunk.
class TWaveFile : public TWaveData {
public:
    enum TMode : uint16_t { Memory = 0, Disk = 1, Resource = 2 };
    enum TUndo : uint16_t { UndoInsert = 0, UndoOverwrite = 1, UndoCut = 2 };
    static constexpr uint32_t BlockFrames = 4096;
    static constexpr unsigned ClipboardFormat = 12;  // CF_WAVE
    // Said when a wave would grow past what a wave file can hold.
    static constexpr const char* TooLargeText =
        "The wave would be larger than a wave file can hold.  Nothing was inserted.";

    // An existing file: mode 0 reads it into memory, mode 1 works on it in
    // place or, with copy, on a temporary copy. Error is 1 on failure.
    TWaveFile(const char* fileName, uint16_t mode, uint32_t copy, const char* tempDirectory);
    // A new, untitled wave of that many frames in memory.
    TWaveFile(uint32_t frames, TWaveFormat format, const char* tempDirectory);
    // A new, untitled, empty wave on a temporary working file. A new file has
    // no original to protect, so copy changes nothing: its first save moves
    // the working file to its name.
    TWaveFile(TWaveFormat format, uint32_t copy, const char* tempDirectory);
    // A new, untitled and changed wave of the clipboard's CF_WAVE image, held
    // as mode says. Error is 1, and nothing is left on disk, when the
    // clipboard holds no wave or its image cannot be written whole; the
    // latter is said.
    struct TFromClipboard {};
    TWaveFile(TFromClipboard, uint16_t mode, const char* tempDirectory);
    // A wave resource of the executable (type "PinkWave"); module is an HINSTANCE.
    TWaveFile(void* module, const char* resource);
    ~TWaveFile() override;

    uint16_t IsDiskBased() const { return Mode; }
    void SetFileName(const char* name);
    void GetFileName(char* dest) const;
    const std::string& FileName() const { return Name; }
    void SetCalibrationData(const CalibrationStruct& block);
    void GetCalibrationData(CalibrationStruct& block) const { block = Calibration; }
    uint32_t HasCalibration() const { return CalibrationPresent; }
    uint32_t IsUntitled() const { return Untitled; }
    uint32_t GetDataOffset() const { return DataOffset; }

    void Seek(uint32_t frame) override;
    float GetSample(uint32_t frame, uint16_t channel, int scaled) override;
    int PutSample(int32_t value, uint32_t frame, uint16_t channel) override;
    int ReadFrames(void* dest, uint32_t start, uint32_t count, uint16_t channel) override;
    int WriteFrames(const void* src, uint32_t start, uint32_t count, uint16_t channel) override;
    int ReadStream(void* dest, uint32_t bytes) override;
    int WriteStream(const void* src, uint32_t bytes) override;
    int ReadInterleaved(void* dest, uint32_t start, uint32_t count) override;
    void SilenceFrames(uint32_t from, uint32_t to) override;
    void SilenceTime(float start, float end);
    double MeanSquare(uint32_t from, uint32_t to, uint16_t channel) override;
    double SumOfMagnitudes(uint32_t from, uint32_t to, uint16_t channel) override;
    float SumOfSquaresTime(float start, float end, uint16_t channel);
    float SumOfMagnitudesTime(float start, float end, uint16_t channel);
    void GetMinMax(uint32_t from, uint32_t to, float* max, float* min, uint16_t channel, int scaled,
                   int rms) override;

    int Save();
    int SaveAs();
    int RebuildFile(const char* source, const char* destination, uint32_t frames);

    void SaveUndo(uint16_t operation, float start, float end);
    void Undo();
    void DiscardUndo();
    void GetUndoRange(float& start, float& end) const;
    uint32_t IsUndoAvailable() const { return UndoAvailable; }
    uint16_t GetUndoOperation() const { return UndoOperation; }

    static int CopyFrames(TWaveFile* source, TWaveFile* destination, uint32_t sourceFrame, uint32_t destinationFrame,
                          uint32_t count);
    static int CopyTime(TWaveFile* source, TWaveFile* destination, float sourceStart, float destinationStart,
                        float length);
    static int InsertTime(TWaveFile* source, TWaveFile* destination, float sourceStart, float destinationStart,
                          float length);
    static int InsertFrames(TWaveFile* source, TWaveFile* destination, uint32_t sourceFrame,
                            uint32_t destinationFrame, uint32_t count);
    static void DeleteTime(TWaveFile* wave, float start, float end);
    static void DeleteFrames(TWaveFile* wave, uint32_t first, uint32_t last);

    int CopyToClipboard(float start, float end);
    int Cut(float start, float end);
    int PasteOver(float start);
    int PasteInsert(float start);

protected:
    const uint8_t* SummaryFrames(uint32_t frame, uint32_t count) override;
    bool EdgeExtremes(uint32_t from, uint32_t to, uint16_t channel, double& hi, double& lo) override;

private:
    static constexpr size_t MaxEdgeMemo = 65536;
    // Frames [from, to) of the working file, through the cached edge block
    // when they lie in one finest summary block; null when they cannot be read.
    const uint8_t* EdgeFrames(uint32_t from, uint32_t to);
    void Clear();
    bool Load(const std::string& file, bool working);
    // The first calibration chunk of the file, when its record is one the
    // program could have written; a record that is not says so, naming the file.
    void ReadCalibration(TWaveLayout::TSource& source, const TWaveLayout& layout);
    bool WorkOnOrderedCopy(const std::string& file, const TWaveLayout& layout);
    // The calibration chunk at that offset of the file.
    bool WriteCalibrationChunk(void* file, uint64_t offset) const;
    // Whether the open file reads back as a wave of this format with
    // dataBytes of frames and, when the wave has one, its calibration chunk.
    bool ReadsBack(void* file, uint32_t dataBytes) const;
    bool CreateWorkingFile();
    bool SaveMemory();
    bool SaveWorking(bool reopen);
    bool KeepWorkingFile();
    bool FinishWorkingFile();
    bool Working() const { return Mode == Disk && File; }
    bool OpenHandle(bool create);
    void CloseHandle();
    bool Truncate(uint64_t size);
    bool ReadAt(uint64_t offset, void* dest, uint32_t bytes);
    bool WriteAt(uint64_t offset, const void* src, uint32_t bytes);
    // The most frames the working file's data chunk can hold.
    uint32_t MaxWorkingFrames() const;
    void WriteSizes();
    // Frames as raw bytes, from memory or the working file.
    bool RawRead(uint32_t frame, uint32_t count, uint8_t* dest);
    bool RawWrite(uint32_t frame, uint32_t count, const uint8_t* src);
    // A scratch wave holding frames [from, from + count) with this calibration.
    bool LoadRange(TWaveData& scratch, uint32_t from, uint32_t count);
    // A measure of frames [from, to) of the working file, taken on a scratch copy.
    using TRangeMeasure = double (TWaveData::*)(uint32_t from, uint32_t to, uint16_t channel);
    double MeasureRange(uint32_t from, uint32_t to, uint16_t channel, TRangeMeasure measure);
    // A new working file in folder, which is made first when it does not exist
    // yet; empty on failure, with FolderProblem set.
    std::string NewTempName(const std::string& folder) const;
    // The message for a working file that cannot be made in folder: the
    // folder as a full path and the system's reason, never the wave's name.
    void NoteFolderProblem(const std::string& folder) const;
    static bool EnsureFrames(TWaveFile* wave, uint64_t frames);
    bool GrowWorkingFile(uint64_t frames);
    // Frames first .. first + Count - 1.
    struct TFrameRange {
        uint32_t First = 0;
        uint32_t Count = 0;
    };
    // The frames of a time range, as far as the wave holds them. Edits take
    // their frames from both ends' times, never from a start and a length.
    TFrameRange FramesOf(float start, float end) const;
    void SaveUndoFrames(uint16_t operation, float start, float end, TFrameRange range);
    // insertedFrames: the frames an insert added, which its undo removes.
    void RecordUndo(uint16_t operation, float start, float end, uint32_t insertedFrames = 0);
    // Opens the clipboard's wave as a temporary file and, when its format is
    // this wave's, applies the edit to it, its frames and its length in seconds.
    int PasteWith(const std::function<int(TWaveFile& pasted, uint32_t frames, float length)>& edit);

    uint32_t Untitled = 0;
    uint32_t UndoAvailable = 0;
    uint32_t CalibrationPresent = 0;
    uint32_t CalibrationChanged = 0;
    uint16_t Mode = Memory;
    uint32_t NewFile = 0;
    uint32_t Copy = 0;
    std::string TempDirectory;
    std::string Name;
    std::string WorkingFile;
    mutable std::string FolderProblem;
    std::string UndoFile;
    float UndoStart = 0.0f;
    float UndoEnd = 0.0f;
    uint16_t UndoOperation = 0;
    uint32_t UndoInserted = 0;
    uint32_t DataOffset = 44;
    CalibrationStruct Calibration{};
    void* File = nullptr;  // HANDLE of the working file
    uint64_t RiffOffset = 0;
    // Bytes the data chunk may fill before it reaches chunks that follow it.
    uint64_t DataCapacity = 0;
    bool HasTail = false;
    // Frames of the working file read for the summary.
    std::vector<uint8_t> SummaryBlock;
    // The finest summary block last read for the ends of a range: the end of
    // one column and the start of the next share it.
    std::vector<uint8_t> EdgeBlock;
    uint32_t EdgeBlockIndex = 0;
    uint64_t EdgeBlockGeneration = UINT64_MAX;
    // The extremes of both channels over the edges already read: the traces
    // of the two channels are built one after the other over the same
    // columns, so the second reads nothing from disk.
    std::unordered_map<uint64_t, std::array<TWaveSummary::TExtremes, 2>> EdgeMemo;
    uint64_t EdgeMemoGeneration = UINT64_MAX;
};
