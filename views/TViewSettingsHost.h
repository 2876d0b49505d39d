#pragma once
#include <cstdint>

struct AnalysisSettingsStruct;
struct CalibrationStruct;
struct MarkerSettings;
struct TPrintOptions;
class TBrush;
class TFont;

// The settings, files and drawing objects a view shows or draws with.
class TViewSettingsHost {
public:
    virtual ~TViewSettingsHost() = default;

    virtual const AnalysisSettingsStruct& GetAnalysisSettings() const = 0;
    virtual const MarkerSettings& GetMarkers() const = 0;
    virtual const TPrintOptions& GetPrintOptions() const = 0;
    virtual const CalibrationStruct& GetCalibration() const = 0;
    // The INI file, for the switches a view reads as it draws ("HideLogo",
    // "PrintPlotTitle").
    virtual const char* GetIniPath() const = 0;
    virtual const char* GetHelpPath() const = 0;
    // The folder of the overlay slot files (section "Paths", key "ovl").
    virtual const char* GetOverlayFolder() const = 0;
    // Fonts and brushes the host owns; null until it has made them.
    virtual const TFont* GetMainFont() const = 0;
    virtual const TBrush* GetFaceBrush() const = 0;
};
