#pragma once
// Reading a data file of plain numbers, text or binary, as the frames of a
// new wave: the import's options, the file's values frame by frame, the one
// examination of the whole file, and the scaling of values into samples.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/TWaveFormat.h"

// The import's options, one record for the program run; not stored in the INI.
struct ImportOptions {
    uint16_t SourceType = 0;  // TDataImport::TSourceType
    uint32_t SamplingRate = 11025;
    uint16_t BytesPerSample = 2;
    uint16_t Channels = 1;  // of the data file and of the new wave
    uint32_t HeaderPresent = 0;
    int32_t HeaderSize = 1;  // lines of a text file, bytes of a binary one
    uint16_t ScalingOption = 1;  // TDataImport::TScaling
    float DataValue = 1.0f;
    float EqualsValue = 1.0f;
    uint16_t Units = 0;  // a RefUnits code of the calibration record
    char LinearLabel[60] = "Volts";
    char LogLabel[60] = "dBV";
};

class TDataImport {
public:
    enum TSourceType : uint16_t { AsciiInteger, AsciiFloat, Binary8, Binary16, Binary32, BinaryFloat };
    enum TScaling : uint16_t { Truncate = 0, Rescale = 1, DefinedValues = 2 };
    // A text value is read from at most this many characters of a line.
    static constexpr size_t LinePiece = 255;

    // The data file's bytes from its start, in order.
    class TInput {
    public:
        virtual ~TInput() = default;
        // Up to size bytes; fewer only at the end of the file.
        virtual size_t Read(uint8_t* dest, size_t size) = 0;
        // Back to the start; false when the file cannot go back.
        virtual bool Rewind() = 0;
    };

    // One frame as read: a value is there only when it was read.
    struct TFrame {
        double Left = 0.0, Right = 0.0;
        bool HasLeft = false, HasRight = false;
    };

    struct TExamination {
        uint32_t Frames = 0;
        // The range of the values, zero always within it except for binary
        // floating point; -1 .. 1 when the file gave no range.
        double Minimum = -1.0, Maximum = 1.0;
    };

    struct TScale {
        float Multiplier = 1.0f;
        float Offset = 0.0f;
    };

    // Text types read lines ended by LF or CR LF; a value that is not a
    // finite number reads as 0.
    TDataImport(TInput& input, uint16_t sourceType, uint16_t channels);

    bool IsText() const { return Type == AsciiInteger || Type == AsciiFloat; }
    // Back to the start of the file and past its header: lines for text,
    // bytes for binary, only when present and above zero.
    bool Restart(uint32_t headerPresent, int32_t headerSize);
    // Counts the whole frames from the current position to the end and the
    // range of their values. A last line, pair or value that runs into the
    // end of the file is not counted.
    TExamination Examine();
    // The next frame; AtEnd() tells whether its read met the end of the file.
    TFrame ReadFrame();
    bool AtEnd() const { return Eof; }

    // Multiplier and offset of a scaling option for values in [minimum, maximum].
    static TScale Scale(uint16_t option, double minimum, double maximum, const TWaveFormat& format);
    // (value - offset) x multiplier + silence, truncated toward zero and held
    // to the format's range.
    static int32_t ConvertSample(double value, const TScale& scale, const TWaveFormat& format);

private:
    int Get();
    void Unget(int c);
    bool ReadLine(double& value);
    // One "%d,%d" or "%f,%f" pair: the number of values read, -1 at the end.
    int ReadPair(double& left, double& right);
    // One number after white space; false when none stands there.
    bool ReadNumber(double& value, int& firstByte);
    bool ReadBinary(double& value);
    // One read of the type for the examination: the values and whether it succeeded.
    bool ReadForCount(double& a, double& b, bool& counted);

    TInput& Input;
    TSourceType Type;
    uint16_t Channels;
    std::vector<uint8_t> Buffer;
    size_t Next = 0, Filled = 0;
    int Pushed = -1;
    bool Eof = false;
};
