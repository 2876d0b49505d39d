#pragma once
#include <cstdint>

class TProfile;
struct AnalysisSettingsStruct;
struct CalibrationStruct;
struct DelayFinderSettings;
struct FileIOSettings;
struct FilterSettings;
struct LeqSettings;
struct LoggingSettings;
struct MacroSettings;
struct MarkerSettings;
struct PhaseOpts;
struct PhaseScopeSettingsStruct;
struct ReverbSettings;
struct DisplaySettingsStruct;
struct SeriesOpts;
struct SpectrogramOpts;
struct SpectrumOpts;
struct SurfaceOpts;
struct TPrintOptions;
struct THDFreqSettings;
struct TriggerSettings;
struct ViewStatusFlags;

// The settings blocks of the main window that the settings files hold; the
// channel pairs point at their first of two.
struct TSettingsFields {
    static constexpr int PathSize = 260;
    static constexpr int FolderCount = 11;
    // The index of "macro" in FolderKeys.
    static constexpr int MacroFolder = 9;

    char (*Caption)[256];
    char (*Folders)[FolderCount][PathSize];
    FileIOSettings* FileIO;
    int32_t* MainToolbar;
    int32_t* ButtonToolbar;
    int32_t* StatusBar;
    CalibrationStruct* Calibration;
    TPrintOptions* Print;
    int32_t* OpMode;
    AnalysisSettingsStruct* Settings;
    DisplaySettingsStruct* Scaling;
    MarkerSettings* Markers;
    TriggerSettings* Trigger;
    int32_t* GeneratorLocked;
    ViewStatusFlags* ViewStatus;
    uint16_t* NoiseFigureOrder;
    SpectrumOpts* Spectrum;
    PhaseOpts* Phase;
    SpectrogramOpts* Spectrogram;
    SurfaceOpts* Surface;
    SeriesOpts* Series;
    FilterSettings* Filter;
    LoggingSettings* Logging;
    DelayFinderSettings* DelayFinder;
    LeqSettings* Leq;
    ReverbSettings* Reverb;
    THDFreqSettings* ThdFreq;
    PhaseScopeSettingsStruct* PhaseScope;
    MacroSettings* Macro;
};

// The sound devices, held as ids and kept in the files by name.
class TSettingsDevices {
public:
    virtual ~TSettingsDevices() = default;
    virtual void Read(TProfile& file, bool input) = 0;
    virtual void Write(TProfile& file, bool input) = 0;
};

// The whole key list of the main window's settings files in the order a
// written file holds it, each row with its default and the range of values
// the dialogs and value codes allow. Reading keeps a row's default for a
// value out of its range, for a real that is no finite number and for text
// that is no number; writing never writes a real that is not finite.
class TSettingsKeys {
public:
    static constexpr int32_t CurrentStructTypeId = 102;
    static const char* const FolderKeys[TSettingsFields::FolderCount];
    // Their defaults, relative to the program's folder.
    static const char* const FolderDefaults[TSettingsFields::FolderCount];

    // INI-only keys come from ini, the others from file. keepMacroOptions
    // leaves section "MacroOpts" alone (a macro is running).
    static void Read(TProfile& file, TProfile& ini, const TSettingsFields& fields, TSettingsDevices& devices,
                     bool keepMacroOptions);
    static void Write(TProfile& file, TProfile& ini, const TSettingsFields& fields, TSettingsDevices& devices);
};
