#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "base/THeadlessEngineHost.h"
#include "framework/THtmlHelp.h"

namespace {
struct TCall {
    HWND Owner;
    std::string File;
    UINT Command;
    DWORD_PTR Data;
};
std::vector<TCall> Calls;

HWND WINAPI RecordCall(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)
{
    Calls.push_back({owner, file ? file : "", command, data});
    return nullptr;
}
}

TEST(HtmlHelpTest, ContextHelpIsCommand15WithTheContextId)
{
    Calls.clear();
    THtmlHelp::SetEntry(RecordCall);
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    THtmlHelp::ShowContext(owner, "C:\\Tonalyx\\Tonalyx.chm", 80);
    THtmlHelp::SetEntry(nullptr);
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Owner, owner);
    EXPECT_EQ(Calls[0].File, "C:\\Tonalyx\\Tonalyx.chm");
    EXPECT_EQ(Calls[0].Command, 15u);
    EXPECT_EQ(Calls[0].Data, DWORD_PTR(80));
}

TEST(HtmlHelpTest, TheViewerLoadedAtRunTimeAnswersAMissingFileWithABoxAndNoWindow)
{
    auto& host = static_cast<THeadlessEngineHost&>(TEngineHost::Get());
    host.Messages.clear();
    EXPECT_EQ(THtmlHelp::ShowContext(nullptr, "Z:\\no\\such\\help.chm", 80), nullptr);
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "The help file Z:\\no\\such\\help.chm was not found.");
    EXPECT_EQ(host.Messages[0].Caption, "Tonalyx");
    THtmlHelp::CloseAllViewers();
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(::GetModuleHandleA("hhctrl.ocx"), nullptr);
}
