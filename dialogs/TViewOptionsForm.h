#pragma once
#include <cstdint>
#include <string>
#include "views/PhaseOpts.h"
#include "views/SeriesOpts.h"
#include "views/SpectrogramOpts.h"
#include "views/SpectrumOpts.h"
#include "views/SurfaceOpts.h"

// The five view options dialogs without their windows: the spin limits, what
// the controls show of a record, OK's checks in their order (each field
// stored as it passes, the first refusal ends it) and what Defaults shows.
class TViewOptionsForm {
public:
    static constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
    static constexpr float MaxIntervalSecs = 3600.0f;
    static constexpr float MinIntervalSecs = 0.1f;
    static constexpr float IntervalStep = 0.1f;
    static constexpr float FrequencyStep = 100.0f;
    static constexpr float MinZoomOutSecs = 0.1f;
    static constexpr float MaxZoomOutSecs = 1000.0f;
    // Series values in order tracking mode are shown in RPM and stored in thousands.
    static constexpr float RpmPerStoredUnit = 1000.0f;
    static constexpr int ChannelCount = 8;

    enum class TKind { Spectrum, Phase, Spectrogram, Surface, Series };

    // The plot-top limits and step of the spins and of the plot-top check,
    // and the plot-range spin's own limits.
    struct TLimits {
        float TopMax, TopMin, Step;
        float RangeMax, RangeMin;
    };
    // Amplitude scale word: 0 linear, 1 logarithmic (for the series the
    // record's AmpScaleType: 0 amplitude, 1 energy).
    static TLimits LimitsOf(TKind kind, uint16_t scale);
    // The series limits once a scale radio is chosen (the range spin follows).
    static TLimits SeriesLimitsAfterRadio(uint16_t scale);
    // OK's checks of a plot top and of a plot range, for a command that sets
    // one of them alone: false where the dialog refuses the value.
    static bool AcceptsTop(TKind kind, uint16_t scale, double top);
    static bool AcceptsRange(TKind kind, uint16_t scale, double range);

    // What the caller knows of the data: amplitude scale and displayable range.
    struct TContext {
        uint16_t Scale = 1;
        float Low = 0.0f;
        float High = 22050.0f;
    };

    // The controls' states and texts, one set for the five dialogs; each
    // dialog binds what its template has.
    struct TFields {
        int PlotType = 0;
        int GridX = 0, GridY = 0, Toolbar = 0;
        int PowerMeter = 0, RmsLevel = 0, OverlayControls = 0, GrabCursor = 0;
        std::string PlotTop, PlotRange, Start, Stop, Interval, MaxZoomOut;
        int AtIntervals = 0;   // 1: at the interval, 0: as often as possible
        int FullSpan = 1;
        int ColorMode = 0;
        int Direction = 0;
        int ScrollType = 0;
        int AmpScale = 0;
        int Channel = 0;
    };

    struct TOutcome {
        bool Refused = false;
        std::string Message;
        unsigned Style = 0;
    };

    static TFields FieldsOf(const SpectrumOpts& r, const TContext& c);
    static TFields FieldsOf(const PhaseOpts& r);
    static TFields FieldsOf(const SpectrogramOpts& r);
    static TFields FieldsOf(const SurfaceOpts& r, const TContext& c);
    // Mono shows the first channel; order tracking shows times in RPM.
    static TFields FieldsOf(const SeriesOpts& r, int channels, bool orderTracking);

    static TOutcome Store(const TFields& f, SpectrumOpts& r, const TContext& c);
    static TOutcome Store(const TFields& f, PhaseOpts& r, const TContext& c);
    static TOutcome Store(const TFields& f, SpectrogramOpts& r, const TContext& c);
    static TOutcome Store(const TFields& f, SurfaceOpts& r, const TContext& c);
    // limits: the dialog's plot-top limits as its scale radios left them.
    static TOutcome Store(const TFields& f, SeriesOpts& r, const TLimits& limits, bool orderTracking);

    // Defaults over the fields shown now: the span texts stay; the record's
    // colours (and Intensity) change at once, as the colour buttons do.
    static void Defaults(TFields& f, SpectrumOpts& r, uint16_t scale);
    static void Defaults(TFields& f, PhaseOpts& r);
    static void Defaults(TFields& f, SpectrogramOpts& r);
    static void Defaults(TFields& f, SurfaceOpts& r);
    static void Defaults(TFields& f, SeriesOpts& r, int channels);

    // The text of a plot range the linear scale does not use.
    static constexpr const char* NotApplicable = "N/A";
    static std::string Format(const char* format, double value);
};
