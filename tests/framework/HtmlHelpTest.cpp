#include <gtest/gtest.h>
#include <string>
#include <vector>
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

TEST(HtmlHelpTest, TheViewerLoadedAtRunTimeAnswersAMissingFileWithoutAWindow)
{
    EXPECT_EQ(THtmlHelp::ShowContext(nullptr, "Z:\\no\\such\\help.chm", 80), nullptr);
    THtmlHelp::Call(nullptr, nullptr, THtmlHelp::CloseAll, 0);
    EXPECT_NE(::GetModuleHandleA("hhctrl.ocx"), nullptr);
}
