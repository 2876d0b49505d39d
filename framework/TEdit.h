#pragma once
#include <string>
#include <vector>
#include "framework/TControl.h"

// A single- or multi-line edit control. Lines are numbered from 0.
class TEdit : public TControl {
public:
    TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit = 0,
          bool multiline = false, TModule* module = nullptr);
    TEdit(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr)
        : TControl(parent, resourceId, module), TextLimit(textLimit) {}

    const char* GetClassName() override { return "EDIT"; }
    void SetupWindow() override;

    void SetText(const char* text) { ::SetWindowTextA(HWindow, text); }
    int GetText(char* text, int size) const { return ::GetWindowTextA(HWindow, text, size); }
    std::string GetText() const { return GetWindowText(); }
    void Clear() { SetText(""); }
    void LimitText(UINT limit) { TextLimit = limit; SendMessage(EM_LIMITTEXT, limit); }

    int GetNumLines() const { return int(Send(EM_GETLINECOUNT)); }
    // Characters before line (the line's first character offset); -1 past the end.
    int GetLineIndex(int line) const { return int(Send(EM_LINEINDEX, WPARAM(line))); }
    int GetLineLength(int line) const;
    int GetLineFromPos(int charPos) const { return int(Send(EM_LINEFROMCHAR, WPARAM(charPos))); }
    // Copies line into text (at most size - 1 characters) and terminates it; false when it does not fit or is missing.
    bool GetLine(char* text, int size, int line) const;
    std::string GetLine(int line) const;
    void GetSelection(int& start, int& end) const;
    void SetSelection(int start, int end) { SendMessage(EM_SETSEL, WPARAM(start), LPARAM(end)); }
    // Replaces the selection (or inserts at the caret).
    void Insert(const char* text) { SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
    void DeleteSelection() { Insert(""); }
    void Scroll(int chars, int lines) { SendMessage(EM_LINESCROLL, WPARAM(chars), LPARAM(lines)); }
    bool IsModified() const { return Send(EM_GETMODIFY) != 0; }
    void ClearModify() { SendMessage(EM_SETMODIFY, FALSE); }
    void SetReadOnly(bool readOnly) { SendMessage(EM_SETREADONLY, readOnly); }
    bool CanUndo() const { return Send(EM_CANUNDO) != 0; }
    void Undo() { SendMessage(EM_UNDO); }
    void Cut() { SendMessage(WM_CUT); }
    void Copy() { SendMessage(WM_COPY); }
    void Paste() { SendMessage(WM_PASTE); }

    // The width at which each of texts shows whole in the control's font, and
    // never less than least.
    int FittingWidth(const std::vector<std::string>& texts, int least) const;

    UINT TextLimit;

private:
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(HWindow, msg, w, l); }
};
