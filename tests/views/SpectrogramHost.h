// Spectrogram views over a fake host, in an MDI frame of the framework's own:
// nothing of the shell is linked into these tests.
#pragma once
#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/TSpectralData.h"
#include "framework/TMDIClient.h"
#include "framework/TMDIFrame.h"
#include "tests/engine/SpectralTestSupport.h"
#include "tests/framework/GuiTest.h"
#include "tests/views/TFakeViewHost.h"
#include "views/TSpectrogram.h"

// The colour rule of a 0 to -60 dB scale: the band of a level among count
// colours, and the level where a band starts.
inline int BandOfDb(double db, int count)
{
    return std::clamp(int(std::floor(count * (db + 60.0) / 60.0)), 0, count - 1);
}
inline float DbOfBand(int band, int count)
{
    return float(band * 60.0 / count - 60.0);
}

// A frame with room for a view or two, and a 3 kHz tone at -20 dB of full
// scale analysed with FFT 4096 at 44.1 kHz on a linear axis.
class TSpectrogramOverFakeHost : public GuiTest {
protected:
    static constexpr uint32_t Rate = 44100;
    static constexpr uint32_t FftSize = 4096;

    void SetUp() override
    {
        GuiTest::SetUp();
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        Host.IniPath = std::string(temp) + "tonalyx_view_host_absent.ini";
        Host.Settings = Analysis(Rate, FftSize);
        for (SpectrogramOpts& o : Opts) {
            o.PlotTop = 0.0f;
            o.PlotRange = 60.0f;
        }
        Data = std::make_unique<TSpectralData>(Host.Settings, Display(1, 0), 0);
        Analyse(*Data, Tone(FftSize, 3000.0 * FftSize / Rate, 0.1), TSmoothing::Hanning);

        Client = new TMDIClient;
        Frame = new TMDIFrame("Views", TResId(), *Client);
        Frame->Attr.X = 0;
        Frame->Attr.Y = 0;
        Frame->Attr.W = 1200;
        Frame->Attr.H = 900;
        App.SetMainWindow(Frame);
        ASSERT_TRUE(Frame->Create());
        Frame->Show(SW_SHOW);
    }

    void TearDown() override
    {
        for (auto& view : Views)
            view.reset();
        delete App.SetMainWindow(nullptr);
        Pump();
        GuiTest::TearDown();
    }

    TSpectrogram& Open(int index = 0, TRect placement = TRect(0, 0, 900, 600))
    {
        Views[index] = std::make_unique<TSpectrogram>(*Client, &Host, "Spectrogram", placement, Display(1, 0),
                                                      &Opts[index], Data.get(), nullptr, index + 1);
        EXPECT_TRUE(Views[index]->Create());
        Pump();
        return *Views[index];
    }

    // Waits while the queue (timers included) is served.
    void Wait(DWORD ms)
    {
        const DWORD end = ::GetTickCount() + ms;
        while (::GetTickCount() < end) {
            Pump();
            ::Sleep(10);
        }
    }

    TFakeViewHost Host;
    SpectrogramOpts Opts[2];
    std::unique_ptr<TSpectralData> Data;
    TMDIClient* Client = nullptr;
    TMDIFrame* Frame = nullptr;
    std::unique_ptr<TSpectrogram> Views[2];
};
