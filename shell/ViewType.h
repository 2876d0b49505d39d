#pragma once

// Window types of the view factory and of the stored placements, numbered
// as the configuration files store them; the right channel's views follow
// the left's at TMainWin::SecondChannelOffset.
enum class ViewType : int {
    MainWindow = 0, TimeSeries = 1, Spectrum = 2, Spectrogram = 3, Surface = 4, Phase = 5, Generator = 6,
    Thd = 7, Thdn = 8, Imd = 9, Snr = 10, PeakFrequency = 11, PeakAmplitude = 12, TotalPower = 13,
    DelayFinder = 15, Sinad = 16, Sfdr = 17, NoiseFigure = 18, Reverb = 19, Macro = 20, PhaseScope = 21,
    Spectrum2 = 22, Spectrogram2 = 23, Surface2 = 24, Phase2 = 25, Leq = 26, ThdFreq = 27,
};
