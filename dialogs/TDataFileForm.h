#pragma once
// The rules of the data import and export option dialogs: their lists, the
// labels a unit brings, and the checks of the typed fields with their messages.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/TDataExport.h"
#include "engine/TDataImport.h"

class TDataFileForm {
public:
    // An entry of the import's units list: its code in the calibration
    // record and the axis labels choosing it sets.
    struct TUnits {
        uint16_t Code;
        const char* Name;
        const char* LinearLabel;
        const char* LogLabel;
    };
    static const std::vector<TUnits>& UnitsList();
    // The labels of a units code; both empty for "Custom" and unknown codes.
    static const char* LinearLabel(uint16_t code);
    static const char* LogLabel(uint16_t code);
    // The entry of a units code in the list, -1 when it has none.
    static int UnitsIndex(uint16_t code);
    // What the header size counts for a source type: lines or bytes.
    static const char* HeaderUnit(uint16_t sourceType);

    // The import dialog's controls as its binding fills and collects them:
    // list entries, radio indexes and the typed texts.
    struct TImportFields {
        int SourceType = 0;
        std::string Rate;
        int ChannelIndex = 0;
        int PrecisionIndex = 1;
        int Header = 0;
        std::string HeaderSize;
        int Scaling = 1;
        std::string DataValue, EqualsValue;
        int UnitsIndex = 0;
        char LinearLabel[60] = "";
        char LogLabel[60] = "";
    };
    static TImportFields FieldsOf(const ImportOptions& options);
    // Stores the fields into options in the dialog's order; the first one
    // refused ends it with its message, the fields before it stored.
    static std::string Store(const TImportFields& fields, ImportOptions& options);

    struct TExportFields {
        int Format = 0;
        int Left = 1, Right = 0;
        std::string Ratio;
    };
    static TExportFields FieldsOf(const ExportOptions& options);
    // As for the import; a one-channel analysis exports the left channel only.
    static std::string Store(const TExportFields& fields, uint16_t channels, ExportOptions& options);

    // The sampling rate typed, refused when not above zero.
    static std::string CheckRate(const std::string& text, uint32_t& rate);
    // The header size typed, refused below zero while a header is present.
    static std::string CheckHeaderSize(const std::string& text, bool headerPresent, int32_t& size);
};
