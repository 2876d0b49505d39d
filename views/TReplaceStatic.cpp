#include "views/TReplaceStatic.h"

TReplaceStatic::TReplaceStatic(TWindow* parent, int resourceId, const char* text)
    : TStatic(parent, resourceId), Text(text ? text : "")
{
}

void TReplaceStatic::SetupWindow()
{
    TStatic::SetupWindow();
    SetText(Replaced(GetText(), Text).c_str());
}

std::string TReplaceStatic::Replaced(const std::string& pattern, const std::string& text)
{
    std::string result = pattern;
    const size_t at = result.find("%s");
    if (at != std::string::npos)
        result.replace(at, 2, text);
    if (result.size() > TextLimit)
        result.resize(TextLimit);
    return result;
}
