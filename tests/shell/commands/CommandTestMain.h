#pragma once
// A main window for the command families' tables, with every folder one
// temporary folder and a sox tone to open in Post Process. Its frame (for
// commands on open views and utility windows, or that post to the frame)
// is made on demand and then kept for the cases that follow, as making and
// tearing down a frame costs far more than a case.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include "base/THeadlessEngineHost.h"
#include "engine/TSoundInput.h"
#include "engine/TSoundOutput.h"
#include "engine/TWaveFile.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

// The waits after commands are counted, not slept.
class TQuickMain : public TMainWin {
public:
    using TMainWin::TMainWin;
    void PauseAfterCommand(uint32_t milliseconds) override { Paused += milliseconds; }
    uint32_t Paused = 0;
};

struct TCommandTestMain : ::testing::Test {
    static constexpr uint32_t Done = 0x8000;
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::string Ini = Folder.File("Tonalyx.ini");
    std::unique_ptr<TQuickMain> Main;

    static THeadlessEngineHost& Host() { return static_cast<THeadlessEngineHost&>(TEngineHost::Get()); }
    static std::string Fixture(const char* path) { return std::string(TONALYX_FIXTURES) + "/" + path; }

    void SetUp() override
    {
        if (Main && Main->GetHandle()) {
            ResetFrame();
            return;
        }
        TearDown();
        ClearFolder();
        std::ofstream(Ini) << "[Main]\nShowSplashScreen=0\n";
        Main = std::make_unique<TQuickMain>(nullptr, Program.c_str(), nullptr, *new TClientMain);
        Main->ReplaceInputPort(std::make_unique<TSoundInput>(0));
        Main->ReplaceOutputPort(std::make_unique<TSoundOutput>(0));
        State(Main).ViewStatus() = ViewStatusFlags{};
        State(Main).OpMode() = TMainWin::PostProcess;
        for (int folder = 0; folder < TMainWin::FolderCount; ++folder)
            Main->SetConfiguredFolder(folder, Folder.Path.c_str());
        Host().Messages.clear();
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
        State(Main).Settings().Format = TWaveFormat(48000, channels, 2);
        State(Main).Settings().FFTsize = 4096;
        State(Main).Settings().ChannelProcessing = channels == 2 ? 2 : 0;
        Main->ReplaceWave(std::make_unique<TWaveFile>(Fixture(file).c_str(), TWaveFile::Memory, 0, Folder.Path.c_str()));
        ASSERT_EQ(Main->Wave()->Error, 0u);
        Main->ApplySettings(TMainWin::RefreshKind::Full);
    }
    void OpenView(ViewType type) { State(Main).Windows().Open(type, Ini.c_str()); }
    // The posted messages, until none is left.
    void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    std::string File(const char* name) const { return Folder.File(name); }
    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
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
