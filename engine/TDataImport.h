#pragma once
// Reading a data file of plain numbers, text or binary, as the frames of a
// new wave: the import's options, the file's values frame by frame, the one
// examination of the whole file, and the scaling of values into samples.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/CalibrationStruct.h"
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

    // What stands where a value should: a value read, the end of the data,
    // a blank text line, or text that is not data.
    enum class TValue { Read, End, Blank, NotANumber, NotAPair, NotFinite };
    // Why a file is not imported; None when it is.
    enum class TRefusal { None, NotANumber, NotAPair, NotFinite, NoData };

    struct TExamination {
        uint32_t Frames = 0;
        // The range of the values, zero always within it except for binary
        // floating point; -1 .. 1 when the file gave no range.
        double Minimum = -1.0, Maximum = 1.0;
        TRefusal Refusal = TRefusal::None;
        // The line (text) or the value (binary, from 1) refused.
        uint32_t Where = 0;
        bool Text = true;
    };

    struct TScale {
        float Multiplier = 1.0f;
        float Offset = 0.0f;
    };

    // Text types read lines ended by LF or CR LF.
    TDataImport(TInput& input, uint16_t sourceType, uint16_t channels);

    bool IsText() const { return Type == AsciiInteger || Type == AsciiFloat; }
    // Back to the start of the file and past its header: lines for text,
    // bytes for binary, only when present and above zero.
    bool Restart(uint32_t headerPresent, int32_t headerSize);
    // Counts the whole frames from the current position to the end and the
    // range of their values; a last line, pair or value without a line end
    // counts. Text that is not data, a value that is not finite or a file
    // without a frame is refused: no frame is counted then.
    TExamination Examine();
    // The next frame, as the examination read it.
    TFrame ReadFrame();
    // The message of a refusal, naming the file and the line or value.
    static std::string RefusalText(const TExamination& examination, const char* fileName);

    // Multiplier and offset of a scaling option for values in [minimum, maximum].
    static TScale Scale(uint16_t option, double minimum, double maximum, const TWaveFormat& format);
    // (value - offset) x multiplier + silence, truncated toward zero and held
    // to the format's range.
    static int32_t ConvertSample(double value, const TScale& scale, const TWaveFormat& format);
    // The calibration of the new wave, built into record: with defined
    // values both channels in the options' units, at the level the scale
    // gives the data value; otherwise both off. The right channel copies the
    // left and is named "Right".
    static void Calibrate(const ImportOptions& options, const TScale& scale, const TWaveFormat& format,
                          CalibrationStruct& record);

private:
    int Get();
    void Unget(int c);
    // One line, or a piece of at most LinePiece characters of a longer one.
    TValue ReadLine(double& value, uint32_t& line);
    // One "%d,%d" or "%f,%f" pair, its numbers after optional white space.
    TValue ReadPair(double& left, double& right, uint32_t& line);
    // One number after white space.
    TValue ReadNumber(double& value, int& firstByte);
    TValue ReadBinary(double& value);
    // The text of a number as a finite value of the type.
    TValue Parse(const std::string& text, double& value) const;

    TInput& Input;
    TSourceType Type;
    uint16_t Channels;
    std::vector<uint8_t> Buffer;
    size_t Next = 0, Filled = 0;
    int Pushed = -1;
    // Line ends read so far, header included.
    uint32_t LineEnds = 0;
};
