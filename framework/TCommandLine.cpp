#include "framework/TCommandLine.h"

std::vector<std::string> TCommandLine::Split(const char* commandLine)
{
    std::vector<std::string> words;
    const char* p = commandLine ? commandLine : "";
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string word;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                size_t slashes = 0;
                while (*p == '\\') { ++slashes; ++p; }
                if (*p == '"') {
                    word.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        word += '"';
                        ++p;
                    }
                } else {
                    word.append(slashes, '\\');
                }
            } else if (*p == '"') {
                if (quoted && p[1] == '"') {
                    word += '"';
                    p += 2;
                } else {
                    quoted = !quoted;
                    ++p;
                }
            } else {
                word += *p++;
            }
        }
        words.push_back(word);
    }
    return words;
}
