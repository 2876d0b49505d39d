#pragma once
#include <cstdint>
#include <string>

struct CalibrationChannel;

// The rules behind the spectrogram's control bar and live drawing: the line
// interval, the once-a-second readout refresh, and the texts of the cursor
// copy and of annotations.
class TSpectrogramControls {
public:
    // The cursor values as the clipboard takes them: frequency first when
    // frequency runs along x (directions 2 and 3), time first otherwise.
    static std::string CursorText(uint16_t direction, float x, float y, float amplitude);
    // The unit an annotation writes after its amplitude.
    static std::string AnnotationUnit(const CalibrationChannel& calibration, const char* engineUnit,
                                      uint16_t ampScaleType);
};

// Lines drawn at least interval seconds of data time apart. The first needs
// a time of at least interval; a time earlier than the last line starts the
// count again.
class TLineInterval {
public:
    bool Accept(bool enabled, float interval, float time);
    void Reset() { Last = 0.0f; }
    float LastTime() const { return Last; }

private:
    float Last = 0.0f;
};

// True at most once per calendar second.
class TOncePerSecond {
public:
    bool Due(long long nowSeconds);

private:
    long long Last = -1;
};
