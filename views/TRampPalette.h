#pragma once
#include <windows.h>
#include <memory>

#include "framework/TPalette.h"
#include "views/TColourRamp.h"

// The colour ramp of a spectrogram or surface as a display shows it. On a
// palette display the colours go into a logical palette after half of its
// reserved entries, shifted by the intensity, and the table holds
// palette-index references to them; elsewhere (and on a display that
// reports a palette but draws its entries in colours of its own) each
// colour becomes the display's nearest, equal neighbours collapsed, and the
// intensity counts for nothing.
class TRampPalette {
public:
    struct TResult {
        std::unique_ptr<TPalette> Palette;   // null without one
        int Count = 0;
        // The palette block could not be had: plain colours are kept.
        bool NoMemory = false;
    };
    // The ramp of ramp's colours (the spectrogram has modes of its own), or
    // of the colour ramp's spectrum.
    static TResult Build(HWND window, int intensity, const TColourRamp::Table& ramp, TColourRamp::Table& colours);
    static TResult Build(HWND window, int intensity, TColourRamp::Table& colours)
    {
        return Build(window, intensity, TColourRamp::Spectrum(), colours);
    }
    static bool IsPaletteDisplay(HWND window);
    // The palette entry of the ramp's first colour.
    static int FirstSlot(HWND window);
};
