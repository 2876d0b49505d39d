// The steps the Edit commands share: the backup question before a disk wave
// changes, and the message for an empty segment.
#include <gtest/gtest.h>
#include <memory>
#include "base/THeadlessEngineHost.h"
#include "framework/UiHelpers.h"
#include "shell/TClientMain.h"
#include "shell/TMainWin.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/shell/TMainWinState.h"

namespace {

THeadlessEngineHost& Host()
{
    return static_cast<THeadlessEngineHost&>(TEngineHost::Get());
}

struct TEditSteps : ::testing::Test {
    TTempFolder Folder;
    std::string Program = Folder.File("Tonalyx.exe");
    std::unique_ptr<TMainWin> Main = std::make_unique<TMainWin>(nullptr, Program.c_str(), nullptr, *new TClientMain);

    void SetUp() override
    {
        SetStringInstance(::GetModuleHandleA(nullptr));
        Host().Messages.clear();
    }
    void TearDown() override { Host().Reply = THeadlessEngineHost::AnswerOk; }
};

}  // namespace

TEST_F(TEditSteps, ADiskWaveWithoutBackupIsChangedOnlyAfterYes)
{
    struct Case {
        int32_t mode, backup;
        int reply;
        bool asked, goesOn;
    };
    const Case cases[] = {{1, 0, THeadlessEngineHost::AnswerYes, true, true},
                          {1, 0, THeadlessEngineHost::AnswerNo, true, false},
                          {1, 1, THeadlessEngineHost::AnswerNo, false, true},
                          {0, 0, THeadlessEngineHost::AnswerNo, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << c.backup << c.reply);
        Host().Messages.clear();
        Host().Reply = c.reply;
        State(Main).FileIO().WaveFileMode = c.mode;
        State(Main).FileIO().MakeBackup = c.backup;
        EXPECT_EQ(Main->ConfirmDiskEdit(), c.goesOn);
        ASSERT_EQ(Host().Messages.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(Host().Messages[0].Text,
                      "You are about to modify the disk file and have not selected the \"Make Backup\" file "
                      "option.\r\rDo you want to continue?");
            EXPECT_EQ(Host().Messages[0].Style, unsigned(MB_YESNO | MB_ICONEXCLAMATION));
        }
    }
}

TEST_F(TEditSteps, AnEmptySegmentEndsTheCommandWithItsMessage)
{
    EXPECT_TRUE(Main->RequireSegment(0.5f, 1.25f));
    EXPECT_TRUE(Host().Messages.empty());
    EXPECT_FALSE(Main->RequireSegment(0.75f, 0.75f));
    ASSERT_EQ(Host().Messages.size(), 1u);
    EXPECT_EQ(Host().Messages[0].Text, "You must first select a time segment.");
    EXPECT_EQ(Host().Messages[0].Caption, "Tonalyx");
    EXPECT_EQ(Host().Messages[0].Style, unsigned(MB_OK));

    // With no view open and none active, the selection is the caller's 0 and 0.
    float start = 0.0f, end = 0.0f;
    EXPECT_TRUE(Main->GetSelectedSegment(start, end));
    EXPECT_EQ(start, 0.0f);
    EXPECT_EQ(end, 0.0f);
}
