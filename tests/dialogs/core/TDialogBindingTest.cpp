#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include "dialogs/TFieldText.h"
#include "framework/TDialogBinding.h"

namespace {

// Controls as a dialog's would hold them, by id.
class TFakeControls : public TDialogControls {
public:
    std::string ControlText(int id, int length) const override { return Texts.at(id).substr(0, size_t(length)); }
    void SetControlText(int id, const std::string& text) override { Texts[id] = text; }
    bool ControlChecked(int id) const override { return Checks.at(id); }
    void CheckControl(int id, bool checked) override { Checks[id] = checked; }
    int ControlSelection(int id) const override { return Selections.at(id); }
    void SelectControl(int id, int index) override { Selections[id] = index; }

    std::map<int, std::string> Texts;
    std::map<int, bool> Checks;
    std::map<int, int> Selections;
};

struct TRecord {
    char Name[6] = "abc";
    std::string Note = "note";
    float Level = 1.5f;
    uint16_t Ratio = 4;
    float Rows[2] = {10.0f, 20.0f};
    uint32_t On = 1;
    uint32_t Mode = 1;
    int32_t Choice = 2;
    int32_t Slope = 1;
    int32_t Sweep = 2;
};

enum : int { NameId = 1, NoteId, LevelId, RatioId, RowId, OnId = RowId + 2, ModeId, Mode2Id, Mode3Id, ChoiceId, RisingId, FallingId, LinearId, LogId };

TDialogBindingBase::TReading AnyFloat(const std::string& text) { return {TFieldText::ToFloat(text), "", 0}; }

// Ratios of 1 to 50, refused with the form's kind of message otherwise.
TDialogBindingBase::TReading RatioRule(const std::string& text)
{
    const int32_t ratio = TFieldText::ToInt(text);
    if (ratio < 1 || ratio > 50) return {0.0, "Decimation Ratio must be between 1 and 50", 0x40};
    return {double(ratio), "", 0};
}

TDialogBinding<TRecord> Binding()
{
    TDialogBinding<TRecord> b;
    b.Text(NameId, &TRecord::Name)
        .Text(NoteId, &TRecord::Note, 8)
        .Number(LevelId, &TRecord::Level, "%6.3f", 19, AnyFloat)
        .Number(RatioId, &TRecord::Ratio, nullptr, 19, RatioRule);
    for (int row = 0; row < 2; ++row)
        b.Number(RowId + row, [row](auto& r) -> auto& { return r.Rows[row]; }, "%6.1f", 20, AnyFloat);
    b.Check(OnId, &TRecord::On).Radio({ModeId, Mode2Id, Mode3Id}, &TRecord::Mode).Selection(ChoiceId, &TRecord::Choice, 5);
    // Any slope but a rising one shows and stores as falling.
    b.Radio({RisingId, FallingId}, &TRecord::Slope, {1, -1}, 1);
    // Any other sweep shows no button and stores as linear.
    b.Radio({LinearId, LogId}, &TRecord::Sweep, {1, 2}, 0, TDialogBindingBase::TFallback::StoredOnly);
    return b;
}

}

TEST(TDialogBinding, FillShowsEveryKindOfRowInItsFormat)
{
    TFakeControls c;
    Binding().Fill(c, TRecord{});
    const std::map<int, std::string> texts = {{NameId, "abc"}, {NoteId, "note"}, {LevelId, " 1.500"},
                                              {RatioId, "4"},   {RowId, "  10.0"}, {RowId + 1, "  20.0"}};
    EXPECT_EQ(c.Texts, texts);
    const std::map<int, bool> checks = {{OnId, true},      {ModeId, false},    {Mode2Id, true},
                                        {Mode3Id, false},  {RisingId, true},   {FallingId, false},
                                        {LinearId, false}, {LogId, true}};
    EXPECT_EQ(c.Checks, checks);
    EXPECT_EQ(c.Selections, (std::map<int, int>{{ChoiceId, 2}}));
}

TEST(TDialogBinding, FillShowsNoButtonOrEntryForAValueNoneStandsFor)
{
    const struct {
        uint32_t Mode;
        int32_t Choice;
    } cases[] = {{3, 5}, {0xFFFFFFFFu, -1}, {7, 1000}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Mode);
        TRecord r;
        r.Mode = k.Mode;
        r.Choice = k.Choice;
        TFakeControls c;
        Binding().Fill(c, r);
        EXPECT_FALSE(c.Checks[ModeId] || c.Checks[Mode2Id] || c.Checks[Mode3Id]);
        EXPECT_EQ(c.Selections[ChoiceId], -1);
    }
}

TEST(TDialogBinding, CollectStoresEveryKindOfRow)
{
    TFakeControls c;
    Binding().Fill(c, TRecord{});
    c.Texts = {{NameId, "longer name"}, {NoteId, "a longer note"}, {LevelId, "-2.25 dB"},
               {RatioId, " 12x"},       {RowId, "abc"},             {RowId + 1, "1e3"}};
    c.Checks[OnId] = false;
    c.Checks[Mode2Id] = false;
    c.Checks[Mode3Id] = true;
    c.Selections[ChoiceId] = 4;
    TRecord r;
    std::memset(r.Name, 'x', sizeof r.Name);
    const auto refusal = Binding().Collect(c, r);
    EXPECT_FALSE(refusal.Refused());
    // An array field takes what fits before its terminating zero.
    EXPECT_EQ(std::string(r.Name), "longe");
    EXPECT_EQ(r.Note, "a longer");
    EXPECT_FLOAT_EQ(r.Level, -2.25f);
    EXPECT_EQ(r.Ratio, 12);
    EXPECT_EQ(r.Rows[0], 0.0f);
    EXPECT_EQ(r.Rows[1], 1000.0f);
    EXPECT_EQ(r.On, 0u);
    EXPECT_EQ(r.Mode, 2u);
    EXPECT_EQ(r.Choice, 4);
}

TEST(TDialogBinding, ShortTextLeavesTheArrayPastItsZeroAndNoChoiceLeavesTheField)
{
    TFakeControls c;
    Binding().Fill(c, TRecord{});
    c.Texts[NameId] = "z";
    c.Checks[Mode2Id] = false;
    c.Selections[ChoiceId] = -1;
    TRecord r;
    std::memcpy(r.Name, "pqrst", sizeof r.Name);
    r.Mode = 7;
    r.Choice = 9;
    Binding().Collect(c, r);
    EXPECT_EQ(std::string(r.Name, sizeof r.Name), std::string("z\0rst\0", 6));
    EXPECT_EQ(r.Mode, 7u);
    EXPECT_EQ(r.Choice, 9);
}

TEST(TDialogBinding, RadioValuesAndFallbackStandForWhatNoButtonShows)
{
    const struct {
        int32_t Stored;
        bool Rising, Falling;   // shown
        bool TickRising, TickFalling;
        int32_t Collected;
    } cases[] = {
        {1, true, false, false, true, -1},
        {-1, false, true, true, false, 1},
        {0, false, true, false, false, -1},
        {7, false, true, false, true, -1},
    };
    // The sweep's fallback only stores.
    TRecord odd;
    odd.Sweep = 5;
    TFakeControls shown;
    Binding().Fill(shown, odd);
    EXPECT_FALSE(shown.Checks[LinearId] || shown.Checks[LogId]);
    Binding().Collect(shown, odd);
    EXPECT_EQ(odd.Sweep, 1);
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Stored);
        TRecord r;
        r.Slope = k.Stored;
        TFakeControls c;
        Binding().Fill(c, r);
        EXPECT_EQ(c.Checks[RisingId], k.Rising);
        EXPECT_EQ(c.Checks[FallingId], k.Falling);
        c.Checks[RisingId] = k.TickRising;
        c.Checks[FallingId] = k.TickFalling;
        Binding().Collect(c, r);
        EXPECT_EQ(r.Slope, k.Collected);
    }
}

TEST(TDialogBinding, RefusedTextEndsCollectWithItsFieldAndTheRestUnchanged)
{
    for (const char* ratio : {"0", "51", "", "-3"}) {
        SCOPED_TRACE(ratio);
        TFakeControls c;
        Binding().Fill(c, TRecord{});
        c.Texts[NameId] = "new";
        c.Texts[LevelId] = "7";
        c.Texts[RatioId] = ratio;
        c.Texts[RowId] = "99";
        c.Checks[OnId] = false;
        TRecord r;
        const auto refusal = Binding().Collect(c, r);
        ASSERT_TRUE(refusal.Refused());
        EXPECT_EQ(refusal.Id, RatioId);
        EXPECT_EQ(refusal.Message, "Decimation Ratio must be between 1 and 50");
        EXPECT_EQ(refusal.Style, 0x40u);
        // The rows before it are stored, as a form stores each field as it passes.
        EXPECT_EQ(std::string(r.Name), "new");
        EXPECT_EQ(r.Level, 7.0f);
        EXPECT_EQ(r.Ratio, 4);
        EXPECT_EQ(r.Rows[0], 10.0f);
        EXPECT_EQ(r.On, 1u);
    }
}
