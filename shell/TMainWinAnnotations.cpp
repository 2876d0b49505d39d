// The printed page's annotation and comment lines as the command language
// sets them; the annotation dialog edits the same record.
#include "shell/TMainWin.h"

#include <algorithm>
#include <cstring>

namespace {
// The text's first characters that fit the field with its terminating zero.
template <size_t N> void Store(char (&field)[N], std::string_view text)
{
    const size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}
}  // namespace

void TMainWin::SetAnnotation(int line, std::string_view text)
{
    Store(line == 0 ? PrintOptions.Annotation1 : PrintOptions.Annotation2, text);
}

void TMainWin::SetCommentLine(int line, std::string_view text)
{
    if (line < 0 || line >= TPrintOptions::CommentCount) return;
    Store(PrintOptions.Comment[line], text);
}

void TMainWin::EnableCommentBlock(bool enable)
{
    PrintOptions.EnableCommentBlock = enable ? 1 : 0;
}
