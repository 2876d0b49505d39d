#pragma once
#include <string>
#include <vector>

// Splits a command line into words by the usual rules: blanks separate words;
// double quotes group blanks into a word and are removed; inside quotes two
// quotes give one; 2n backslashes before a quote give n backslashes, 2n + 1
// give n and a literal quote; other backslashes are kept.
class TCommandLine {
public:
    static std::vector<std::string> Split(const char* commandLine);
};
