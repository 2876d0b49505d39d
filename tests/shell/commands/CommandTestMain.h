#pragma once
// What the command families' tests share: the helpers every family uses, a
// main window object on silent ports, a fixture wave opened in Post Process,
// a real frame made for each case (TCommandFrame), and a main window whose
// frame is made on demand and then kept for the cases that follow
// (TCommandTestMain), as making and tearing down a frame costs far more than
// a case.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

// The answer of a command that was done.
inline constexpr uint32_t Done = 0x8000;
// The settings file of a frame without splash screen or spectrum view.
inline constexpr const char* FrameIni = "[Main]\nShowSplashScreen=0\n[ViewStatus]\nSpectrumPlot=0\n";

inline THeadlessEngineHost& Host() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }
// The messages the program told, in order.
inline std::vector<THeadlessEngineHost::Message>& Messages() { return Host().Messages; }
inline std::string Fixture(const std::string& path) { return std::string(TONALYX_FIXTURES) + "/" + path; }
inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
// The posted messages, until none is left.
inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A main window object (no frame yet) on silent sound ports, no view
// counted open and no message told.
template <class Window = TMainWin> std::unique_ptr<Window> NewQuietMain(const std::string& program)
{
    auto main = std::make_unique<Window>(nullptr, program.c_str(), nullptr, *new TClientMain);
    main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
    main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
    State(main).ViewStatus() = ViewStatusFlags{};
    Messages().clear();
    return main;
}

// A fixture wave read into memory in Post Process at this format and FFT
// size, the settings applied; the caller sets any other setting before.
inline void OpenInPostProcess(TMainWin& main, const std::string& fixture, TWaveFormat format, uint32_t fftSize,
                              const std::string& folder)
{
    State(main).OpMode() = TMainWin::PostProcess;
    State(main).Settings().Format = format;
    State(main).Settings().FFTsize = fftSize;
    main.ReplaceWave(std::make_unique<TWaveFile>(Fixture(fixture).c_str(), TWaveFile::Memory, 0, folder.c_str()));
    ASSERT_EQ(main.Wave()->Error, 0u);
    main.ApplySettings(TMainWin::RefreshKind::Full);
}

// A real frame for each case in Post Process, without spectrum view, every
// folder the case's own, and digital zero on both generator channels (quick
// to build). BeforeFrame sets what a family needs before the frame is made.
template <class Window = TMainWin> struct TCommandFrame : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main;

    void SetUp() override
    {
        WriteIni(Folder.File("Tonalyx.ini"),
                 "[Main]\nShowSplashScreen=0\nSigType=15\nSigTypeR=15\n[ViewStatus]\nSpectrumPlot=0\n");
        Main = std::make_unique<Window>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        State(Main).OpMode() = TMainWin::PostProcess;
        for (int folder = 0; folder < TMainWin::FolderCount; ++folder)
            Main->SetConfiguredFolder(folder, Folder.Path.c_str());
        BeforeFrame();
        ASSERT_TRUE(Main->Create());
        Pump();
        Messages().clear();
    }
    virtual void BeforeFrame() {}
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }
};

// The waits after commands are counted, not slept.
class TQuickMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    void PauseAfterCommand(uint32_t milliseconds) override { Paused += milliseconds; }
    uint32_t Paused = 0;
};

struct TCommandTestMain : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::unique_ptr<TQuickMain> Main;

    void SetUp() override
    {
        if (Main && Main->GetHandle()) {
            ResetFrame();
            return;
        }
        TearDown();
        ClearFolder();
        std::ofstream(Ini) << "[Main]\nShowSplashScreen=0\n";
        Main = NewQuietMain<TQuickMain>(Program);
        State(Main).OpMode() = TMainWin::PostProcess;
        for (int folder = 0; folder < TMainWin::FolderCount; ++folder)
            Main->SetConfiguredFolder(folder, Folder.Path.c_str());
        Host().Reply = TEngineHost::AnswerOk;
    }
    void Frame()
    {
        if (!Main->GetHandle()) {
            ASSERT_TRUE(Main->Create());
        }
    }
    // The kept frame as a new case wants it: no views, no wave, no files,
    // default view options, channel layout and markers.
    void ResetFrame()
    {
        Main->StopAnalyzer();
        for (ViewType type : {ViewType::Spectrum, ViewType::Spectrum2}) State(Main).Windows().Close(type);
        Main->ReplaceWave(nullptr);
        ClearFolder();
        std::ofstream(Ini) << "[Main]\nShowSplashScreen=0\n";
        State(Main).SpectrumOptions()[0] = SpectrumOpts{};
        State(Main).SpectrumOptions()[1] = SpectrumOpts{};
        State(Main).Settings().IndependentScalingAndCalibration = 0;
        State(Main).Settings().ChannelProcessing = 0;
        State(Main).Markers() = MarkerSettings{};
        State(Main).OpMode() = TMainWin::PostProcess;
        Host().Messages.clear();
        Main->Paused = 0;
    }
    // Each case starts without the files of the one before.
    void ClearFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((Folder.Path + "\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return;
        do {
            ::DeleteFileA((Folder.Path + "\\" + found.cFileName).c_str());
        } while (::FindNextFileA(h, &found));
        ::FindClose(h);
    }
    void TearDown() override
    {
        if (Main && Main->GetHandle()) Main->Destroy();
        Main.reset();
    }

    // A sox tone (stereo unless channels is 1) in Post Process at 4096 points.
    void Open(const char* file = "automation/tone_1k_h3.wav", uint16_t channels = 2)
    {
        State(Main).Settings().ChannelProcessing = channels == 2 ? 2 : 0;
        OpenInPostProcess(*Main, file, TWaveFormat(48000, channels, 2), 4096, Folder.Path);
    }
    void OpenView(ViewType type) { State(Main).Windows().Open(type, Ini.c_str()); }
    std::string File(const char* name) const { return Folder.File(name); }
};

template <class Fixture> struct TCommandCase {
    std::string Command;
    std::function<void(Fixture&)> Prepare;
    uint32_t Answer;
    std::function<void(Fixture&)> Check;
};

// Each case on a fresh window: prepared, sent, answered and checked.
template <class Fixture, class Cases> void RunCases(Fixture& t, const Cases& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command.substr(0, 60));
        t.SetUp();
        if (c.Prepare) c.Prepare(t);
        EXPECT_EQ(t.Main->ExecuteCommand(c.Command), c.Answer);
        if (c.Check) c.Check(t);
    }
}
