#include <gtest/gtest.h>
#include <cfloat>
#include <climits>
#include "dialogs/TFieldText.h"

TEST(TFieldText, IntegersAreTheLeadingDecimalNumber)
{
    const struct {
        const char* Text;
        int32_t Value;
    } cases[] = {
        {"", 0}, {"abc", 0}, {"  42xyz", 42}, {"-7", -7}, {"+5", 5}, {"- 5", 0}, {"12.9", 12},
        {"1e3", 1}, {"0x10", 0}, {"2147483647", INT_MAX}, {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN}, {"4294967296", INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TFieldText::ToInt(c.Text), c.Value);
    }
}

TEST(TFieldText, FloatsAreFiniteDecimalNumbers)
{
    const struct {
        const char* Text;
        double Value;
    } cases[] = {
        {"1000.5", 1000.5}, {" -0.25ms", -0.25}, {".5", 0.5}, {"5.", 5.0}, {"1e3", 1000.0}, {"2.5E-1", 0.25},
        {"1e", 1.0}, {"1e+", 1.0}, {"inf", 0.0}, {"nan", 0.0}, {"0x1p3", 0.0}, {"", 0.0}, {".", 0.0},
        {"1e999", FLT_MAX}, {"-1e999", -FLT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TFieldText::ToFloat(c.Text), c.Value);
    }
}
