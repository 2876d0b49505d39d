#include "engine/TSampleText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

// Every line equals Python's "%3.4f" of the same float values, whatever its
// length, for separate channels and the time series view's combinations.
TEST(TSampleText, LinesEqualPythonFormatting)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/edit_text_lines.txt");
    std::string header, inputs, expected;
    std::getline(in, header);
    int cases = 0;
    while (std::getline(in, inputs) && std::getline(in, expected)) {
        SCOPED_TRACE(inputs);
        std::istringstream fields(inputs);
        float seconds, left, right;
        int channels, combine;
        fields >> seconds >> left >> right >> channels >> combine;
        std::string text = "x";
        TSampleText::AppendLine(text, seconds, left, right, uint16_t(channels), combine);
        EXPECT_EQ(text, "x" + expected + "\r\n");
        ++cases;
    }
    EXPECT_EQ(cases, 9);
}
