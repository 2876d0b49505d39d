#pragma once
// Writing the samples of a wave as a data file of plain numbers: the
// export's options, the bytes of one frame in each data format, and the
// whole wave written a chunk at a time as one decimated stream.
#include <cstdint>
#include <memory>
#include <string>

class TSeriesData;
class TWaveData;
class TWaveFormat;

// The export's options, one record for the program run; not stored in the INI.
struct ExportOptions {
    uint32_t Left = 1;
    uint32_t Right = 0;
    uint16_t DecimationRatio = 1;
    uint16_t Format = 0;  // TDataImport::TSourceType: the import reads what this writes
};

class TDataExport {
public:
    static constexpr uint16_t MaxDecimationRatio = 50;
    // Wave frames read in one step, at most.
    static constexpr uint32_t ChunkFrames = 8192;

    static bool IsText(uint16_t format) { return format <= 1; }
    // Appends one frame of count values (1 or 2, left first) to out. A value
    // is a sample less the silence of the wave's width, unscaled; text ends
    // the frame with a line feed, binary is little-endian. 8-bit binary
    // holds unsigned codes centred on 127, as the import reads them: an
    // 8-bit wave's stored byte, wider waves scaled by their full scale.
    // 24- and 32-bit samples are scaled into 16 bits the same way.
    static void AppendFrame(std::string& out, const float* values, int count, uint16_t format,
                            uint16_t bytesPerSample);
    // Why a wave of this format cannot be exported with these options;
    // empty when it can.
    static std::string Refusal(const TWaveFormat& format, const ExportOptions& options);

    // The export of frames 0 up to the wave's high-water mark, with one
    // analysis block per exported channel.
    TDataExport(TWaveData& wave, const ExportOptions& options);
    ~TDataExport();

    // False when a block could not be had.
    bool Good() const;
    bool Finished() const { return Done >= End; }
    // The share written before the next step, 0 to 100.
    int Percent() const;
    // Appends the frames of the next chunk to out: a multiple of the ratio
    // of wave frames (the end aside), filtered with the frames after it in
    // the low-pass's reach, so the chunks join into one filtering and
    // decimation of the wave. False when the wave could not be read.
    bool Step(std::string& out);

private:
    TWaveData& Wave;
    ExportOptions Options;
    uint32_t End;
    uint32_t Done = 0;
    uint32_t Chunk;
    std::unique_ptr<TSeriesData> Blocks[2];
};
