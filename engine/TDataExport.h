#pragma once
// Writing the samples of a wave as a data file of plain numbers: the
// export's options and the bytes of one frame in each data format.
#include <cstdint>
#include <string>

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

    static bool IsText(uint16_t format) { return format <= 1; }
    // Appends one frame of count values (1 or 2, left first) to out. A value
    // is a sample less the silence of the wave's width, unscaled; text ends
    // the frame with a line feed, binary is little-endian. Waves wider than
    // the format are scaled into it by their full scale: 16- to 32-bit
    // samples into 8 bits as unsigned codes centred on 127, 24- and 32-bit
    // samples into 16 bits.
    static void AppendFrame(std::string& out, const float* values, int count, uint16_t format,
                            uint16_t bytesPerSample);
};
