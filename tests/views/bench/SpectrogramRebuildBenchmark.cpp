// The spectrogram's rebuild from a wave file: every history line of a view
// about 1000 pixels wide, the lines' times spread evenly over the wave (FFT
// 4096, Hanning, both channels in two panes). Prints the lines and seconds
// for spectrogram_rebuild.py, which times scipy on the same spectra. A second
// argument repeats the rebuild that many times (for profiling).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/TSmoothing.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "views/TSpectrogram.h"
#include "tests/shell/TMainWinState.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: spectrogram_rebuild_benchmark <stereo wave>\n");
        return 2;
    }
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tonalyx_bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\Tonalyx.exe";
    TMainWin main(nullptr, program.c_str(), nullptr, *new TClientMain);
    main.ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main.ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().FFTsize = 4096;
    State(main).Settings().SmoothingWindow = TSmoothing::Hanning;
    State(main).Settings().ChannelProcessing = 2;
    State(main).Settings().AverageBlocks = 1;
    State(main).ViewStatus() = ViewStatusFlags{};
    State(main).ViewStatus().Spectrogram = 1;
    State(main).SpectrogramOptions()[0].Direction = 0;
    State(main).SpectrogramOptions()[0].ScrollType = 0;
    if (!main.Create())
        return 1;
    main.Show(SW_SHOW);
    main.MoveWindow(0, 0, 1280, 1000, true);
    main.ReplaceWave(std::make_unique<TWaveFile>(argv[1], TWaveFile::Memory, 0, folder.c_str()));
    if (main.Wave()->Error || main.Wave()->GetFormat().NumChannels != 2)
        return 1;
    State(main).Settings().Format = main.Wave()->GetFormat();
    TSpectrogram& view = *main.SpectrogramView(0);
    view.MoveWindow(0, 0, 1000 + view.LeftMargin + view.RightMargin + 8, 760, true);
    main.ApplySettings(TMainWin::RefreshKind::Full);

    const int lines = view.GetHistoryLineCount() - 1;
    const float duration = main.Wave()->GetDuration();
    const float half = main.GetAnalysisSettings().FFTsize * 0.5f / main.GetAnalysisSettings().Format.SamplingRate;
    // Newest line first, the oldest at the start of the wave.
    for (int line = 0; line < lines; ++line)
        view.SetHistoryRecord(line, half + (duration - 2 * half) * float(lines - 1 - line) / float(lines - 1));
    const auto start = std::chrono::steady_clock::now();
    main.RebuildSpectrogram(view);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // More rebuilds on request, so that a profile of the run is mostly theirs.
    for (int i = 1; i < (argc > 2 ? std::atoi(argv[2]) : 1); ++i)
        main.RebuildSpectrogram(view);
    std::printf("graph %d pixels, lines %d, panes %d, seconds %.4f\n", view.GraphRect.Width(), lines, view.PaneMode,
                seconds);
    main.Destroy();
    return 0;
}
