#include <gtest/gtest.h>
#include "framework/TCommandLine.h"

TEST(CommandLine, SplitsByTheUsualQuotingRules)
{
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"prog", {"prog"}},
        {"prog file.wav", {"prog", "file.wav"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        // A path with blanks is one word, quotes removed, even mid-word.
        {"\"C:\\Program Files\\Tonalyx.exe\" \"D:\\My Data\\x.wav\"", {"C:\\Program Files\\Tonalyx.exe", "D:\\My Data\\x.wav"}},
        {"prog D:\\My\" \"Data\\x.wav", {"prog", "D:\\My Data\\x.wav"}},
        {"prog \"\"", {"prog", ""}},
        {"prog \"unterminated path", {"prog", "unterminated path"}},
        // Backslashes are literal unless they precede a quote.
        {"prog C:\\dir\\ next", {"prog", "C:\\dir\\", "next"}},
        {"prog a\\\\\"b c\"", {"prog", "a\\b c"}},
        {"prog a\\\"b", {"prog", "a\"b"}},
        {"prog a\\\\\\\"b", {"prog", "a\\\"b"}},
        // Two quotes inside a quoted word give one.
        {"prog \"say \"\"hi\"\"\"", {"prog", "say \"hi\""}},
    };
    for (const Case& c : cases) EXPECT_EQ(TCommandLine::Split(c.line), c.words) << "line: " << c.line;
    EXPECT_TRUE(TCommandLine::Split(nullptr).empty());
}
