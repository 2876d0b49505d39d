// The command language's keyword matching and argument reading, and the DDE
// item names.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "automation/TDdeItemTable.h"
#include "automation/TKeywordTable.h"

namespace {

struct TCase {
    std::string Command;
    std::optional<TKeyword> Keyword;
    const char* Argument;
};

// What a client or a macro line could send, and what the interpreter must make of it.
const TCase Cases[] = {
    {"[Run]", TKeyword::Run, ""},
    {"[run]", TKeyword::Run, ""},
    {"[RUN]", TKeyword::Run, ""},
    {"[Run] ", std::nullopt, ""},
    {"[Run 5]", TKeyword::RunBlocks, "5"},
    {"[Run 0]", TKeyword::RunBlocks, "0"},
    {"[Run x]", TKeyword::RunBlocks, "x"},
    // Without its bracket the count stays whole.
    {"[Run 10", TKeyword::RunBlocks, "10"},
    {"[Run ", TKeyword::RunBlocks, ""},
    {"[Run ]", TKeyword::RunBlocks, ""},
    {"[Set FFT Size 4096]", TKeyword::SetFFTSize, "4096"},
    {"[set fft size 1000]", TKeyword::SetFFTSize, "1000"},
    {"[FFT Size 2048]", TKeyword::FFTSize, "2048"},
    {"[Set FFT Size4096]", std::nullopt, ""},
    // Leading parts of the leading-part keywords, and a command longer than one.
    {"[Pause Rec", TKeyword::PauseRecorder, ""},
    {"[", TKeyword::PauseRecorder, ""},
    {"[Open Leq", TKeyword::OpenLeq, ""},
    {"[Open Leq]", TKeyword::OpenLeq, ""},
    {"[Open Leq] ", std::nullopt, ""},
    {"[Pause Recorder]x", std::nullopt, ""},
    {"[Resume", TKeyword::ResumeRecorder, ""},
    // The longer keyword stands first.
    {"[Go To Sample 100]", TKeyword::GoToSample, "100"},
    {"[Go To -1]", TKeyword::GoTo, "-1"},
    {"[Set Overlay Offset 1 -3]", TKeyword::SetOverlayOffset, " 1 -3"},
    {"[Set Overlay 2]", TKeyword::SetOverlay, " 2"},
    // Any character may stand where these keywords have their blank.
    {"[Set Marker_1 1000]", TKeyword::SetMarker, "_1 1000"},
    {"[Set Delay 1.5]", TKeyword::SetDelay, " 1.5"},
    {"[Load Config x.cfg]", TKeyword::LoadConfig, "x.cfg"},
    {"[Load Config_x.cfg]", TKeyword::LoadConfig, "x.cfg"},
    {"[Set Spectrum Plot Top 10]", TKeyword::SetSpectrumPlotTop, "10"},
    {"[Build Surface 1 2]", TKeyword::BuildSurface, "1 2"},
    // Keywords that end in a letter skip the character after it.
    {"[Set Channel Right]", TKeyword::SetChannel, "Right"},
    {"[Set ChannelXBoth]", TKeyword::SetChannel, "Both"},
    {"[Marker1 1000]", TKeyword::Marker1, "1000"},
    {"[File Open c:\\x.wav]", TKeyword::FileOpen, "c:\\x.wav"},
    {"[Trigger]", TKeyword::ForceTrigger, ""},
    {"[Trigger On]", TKeyword::TriggerOn, ""},
    {"[Window Hanning]", TKeyword::WindowHanning, ""},
    {"[Close Peak Amp Util", TKeyword::ClosePeakAmpUtility, ""},
    {"[Ambient Compensate Disable]", TKeyword::AmbientCompensateDisable, ""},
    {"", std::nullopt, ""},
    {"Run", std::nullopt, ""},
};

}  // namespace

TEST(TKeywordTable, MatchesCommandsAndReadsTheirArguments)
{
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Command);
        const auto parsed = TKeywordTable::Parse(c.Command);
        ASSERT_EQ(parsed.has_value(), c.Keyword.has_value());
        if (!parsed) continue;
        EXPECT_EQ(int(parsed->Keyword), int(*c.Keyword)) << TKeywordTable::Entry(parsed->Keyword).Text;
        EXPECT_EQ(parsed->Argument, c.Argument);
    }
}

TEST(TKeywordTable, RefusesCommandsThatDoNotFitTheBuffer)
{
    const std::string longest = "[Run " + std::string(TKeywordTable::MaxCommandLength - 6, '1') + "]";
    ASSERT_EQ(longest.size(), 279u);
    ASSERT_TRUE(TKeywordTable::Parse(longest));
    EXPECT_FALSE(TKeywordTable::Parse("[Run " + std::string(TKeywordTable::MaxCommandLength - 5, '1') + "]"));
    EXPECT_FALSE(TKeywordTable::Parse(std::string(5000, '[')));
}

// No keyword is hidden behind an earlier one: each reaches its own row when
// sent as a command of its own kind.
TEST(TKeywordTable, EveryKeywordReachesItsOwnRow)
{
    int count = 0;
    for (const TKeywordTable::TEntry& e : TKeywordTable()) {
        std::string command = e.Text;
        if (e.Match != TKeywordTable::Whole && e.Match != TKeywordTable::LeadingPart) command += "1]";
        SCOPED_TRACE(command);
        const auto parsed = TKeywordTable::Parse(command);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(int(parsed->Keyword), count);
        ++count;
    }
    EXPECT_EQ(count, 283);
}

TEST(TKeywordTable, ReadsNumbersLeniently)
{
    const struct { const char* Text; int32_t Integer; double Number; } cases[] = {
        {"42", 42, 42.0},
        {" \t42x", 42, 42.0},
        {"-7]", -7, -7.0},
        {"+3", 3, 3.0},
        {"x", 0, 0.0},
        {"", 0, 0.0},
        {"2.5", 2, 2.5},
        {".5", 0, 0.5},
        {"-1e3x", -1, -1000.0},
        {"1e", 1, 1.0},
        {"99999999999", INT32_MAX, 99999999999.0},
        {"-99999999999", INT32_MIN, -99999999999.0},
        {"inf", 0, 0.0},
        {"nan", 0, 0.0},
        {"0x10", 0, 0.0},
        {"1e999", 1, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TKeywordTable::ReadInteger(c.Text), c.Integer);
        EXPECT_DOUBLE_EQ(TKeywordTable::ReadNumber(c.Text), c.Number);
    }
}

TEST(TDdeItemTable, FindsItemsByNameInAnyCase)
{
    EXPECT_EQ(TDdeItemTable::Find("Peak Frequency"), 0);
    EXPECT_EQ(TDdeItemTable::Find("peak frequency"), 0);
    EXPECT_EQ(TDdeItemTable::Find("FFT Size"), 27);
    EXPECT_EQ(TDdeItemTable::Find("Macro Status"), int(TDdeItem::MacroStatus));
    EXPECT_EQ(TDdeItemTable::Find("Version Number"), 61);
    EXPECT_EQ(TDdeItemTable::Find("Wave Sample Right"), 155);
    EXPECT_EQ(TDdeItemTable::Find("Peak Frequency "), -1);
    EXPECT_EQ(TDdeItemTable::Find(""), -1);
    for (int empty : {48, 49, 55, 56, 59, 60, -1, 156}) EXPECT_EQ(TDdeItemTable::Name(empty), nullptr) << empty;
}
