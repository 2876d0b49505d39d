#pragma once
#include <string>

#include "framework/TStatic.h"

// A static of a dialog template whose text holds one "%s": when set up, its
// text becomes the template's with the "%s" replaced by a text of its own,
// cut to fit the 80 characters a static of the print dialogs shows.
class TReplaceStatic : public TStatic {
public:
    static constexpr size_t TextLimit = 79;

    TReplaceStatic(TWindow* parent, int resourceId, const char* text);
    void SetupWindow() override;

    // The template's text with its first "%s" replaced, at most TextLimit characters.
    static std::string Replaced(const std::string& pattern, const std::string& text);

private:
    std::string Text;
};
