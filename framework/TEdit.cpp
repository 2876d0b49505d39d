#include "framework/TEdit.h"

#include <algorithm>

#include "framework/TClientDC.h"

TEdit::TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit, bool multiline,
             TModule* module)
    : TControl(parent, id, text, x, y, w, h, module), TextLimit(textLimit)
{
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT;
    Attr.Style |= multiline ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : ES_AUTOHSCROLL;
}

void TEdit::SetupWindow()
{
    TControl::SetupWindow();
    if (TextLimit) SendMessage(EM_LIMITTEXT, TextLimit);
}

int TEdit::GetLineLength(int line) const
{
    int index = GetLineIndex(line);
    return index < 0 ? 0 : int(Send(EM_LINELENGTH, WPARAM(index)));
}

bool TEdit::GetLine(char* text, int size, int line) const
{
    if (size <= 0) return false;
    text[0] = '\0';
    if (line < 0 || line >= GetNumLines()) return false;
    int length = GetLineLength(line);
    if (length >= size) return false;
    if (length == 0) return true;
    // EM_GETLINE reads the buffer size from the buffer's first word.
    *reinterpret_cast<WORD*>(text) = WORD(size);
    int n = int(Send(EM_GETLINE, WPARAM(line), reinterpret_cast<LPARAM>(text)));
    text[n] = '\0';
    return true;
}

std::string TEdit::GetLine(int line) const
{
    if (line < 0 || line >= GetNumLines()) return std::string();
    std::string text(size_t(GetLineLength(line)) + 2, '\0');
    GetLine(text.data(), int(text.size()), line);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

void TEdit::GetSelection(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = int(s);
    end = int(e);
}

int TEdit::FittingWidth(const std::vector<std::string>& texts, int least) const
{
    if (!HWindow)
        return least;
    TClientDC dc(HWindow);
    // A control given no font draws in the system font, the context's own.
    if (HGDIOBJ font = HGDIOBJ(Send(WM_GETFONT)))
        ::SelectObject(dc, font);
    int widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, int(dc.GetTextExtent(text.c_str()).cx));
    // Text is drawn in the formatting rectangle: inside the borders and
    // margins, and under Wine a little further in; plus the caret's room.
    RECT window, format{};
    ::GetWindowRect(HWindow, &window);
    Send(EM_GETRECT, 0, LPARAM(&format));
    const int chrome = (window.right - window.left) - (format.right - format.left) + 2;
    return std::max(least, widest + chrome);
}
