#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "dialogs/TAnnotationForm.h"

namespace {

TPrintOptions Filled()
{
    TPrintOptions record;
    std::memset(&record, 'x', sizeof record);
    for (auto& line : record.Comment) line[sizeof line - 1] = '\0';
    return record;
}

}

TEST(TAnnotationForm, CommentLinesJoinAndSplitByCrLf)
{
    TPrintOptions record{};
    EXPECT_EQ(TAnnotationForm::CommentText(record), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    std::strcpy(record.Comment[0], "First");
    std::strcpy(record.Comment[9], "Last");
    // A line filling its field has no terminating zero.
    std::memset(record.Comment[4], 'm', sizeof record.Comment[4]);
    const std::string text = TAnnotationForm::CommentText(record);
    EXPECT_EQ(text, "First\r\n\r\n\r\n\r\n" + std::string(256, 'm') + "\r\n\r\n\r\n\r\n\r\nLast");

    TPrintOptions back = Filled();
    TAnnotationForm::StoreComments(text, back);
    EXPECT_STREQ(back.Comment[0], "First");
    EXPECT_EQ(std::string(back.Comment[4]), std::string(255, 'm'));
    EXPECT_STREQ(back.Comment[9], "Last");
    for (int k : {1, 2, 3, 5, 6, 7, 8}) EXPECT_STREQ(back.Comment[k], "") << k;
}

TEST(TAnnotationForm, StoredLinesAreTheFirstTenEachCutAndTheRestEmptied)
{
    const struct {
        const char* Name;
        std::string Text;
        std::vector<std::string> Lines;
    } cases[] = {
        {"twelve lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"a long line", std::string(300, 'c') + "\r\nnext", {std::string(255, 'c'), "next"}},
        {"no text", "", {""}},
        {"a bare line feed", "one\ntwo\r\n", {"one", "two", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPrintOptions record = Filled();
        TAnnotationForm::StoreComments(c.Text, record);
        for (int k = 0; k < TPrintOptions::CommentCount; ++k) {
            const std::string expected = size_t(k) < c.Lines.size() ? c.Lines[size_t(k)] : "";
            EXPECT_EQ(std::string(record.Comment[k]), expected) << k;
            // Whole fields are cleared, not only up to their terminating zero.
            for (size_t b = expected.size(); b < sizeof record.Comment[k]; ++b)
                ASSERT_EQ(record.Comment[k][b], '\0') << k << " " << b;
        }
    }
}

TEST(TAnnotationForm, AMarginIsTheNumberTypedOrZero)
{
    const struct {
        const char* Text;
        double Value;
    } cases[] = {
        {"0.75", 0.75}, {"-0.25", -0.25}, {" 1.5in", 1.5}, {"abc", 0.0}, {"", 0.0}, {"1e999", 0.0}, {"1e39", 0.0},
        {"nan", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const TDialogBindingBase::TReading r = TAnnotationForm::ReadMargin(c.Text);
        EXPECT_TRUE(r.Refusal.empty());
        EXPECT_EQ(r.Value, double(float(c.Value)));
    }
}
