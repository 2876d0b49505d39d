#pragma once
#include <string>
#include "framework/TControl.h"

// A combo box; sorted unless the style says otherwise.
class TComboBox : public TControl {
public:
    TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style = CBS_DROPDOWNLIST,
              UINT textLimit = 0, TModule* module = nullptr);
    TComboBox(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr)
        : TControl(parent, resourceId, module), TextLimit(textLimit) {}

    const char* GetClassName() override { return "COMBOBOX"; }
    void SetupWindow() override;

    int AddString(const char* text) { return int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(const char* text, int index) { return int(SendMessage(CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text))); }
    int DeleteString(int index) { return int(SendMessage(CB_DELETESTRING, WPARAM(index))); }
    void ClearList() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return int(::SendMessageA(HWindow, CB_GETCOUNT, 0, 0)); }
    int GetSelIndex() const { return int(::SendMessageA(HWindow, CB_GETCURSEL, 0, 0)); }
    int SetSelIndex(int index) { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
    int GetStringLen(int index) const { return int(::SendMessageA(HWindow, CB_GETLBTEXTLEN, WPARAM(index), 0)); }
    std::string GetString(int index) const;
    int FindString(const char* text, int startIndex = -1) const
    {
        return int(::SendMessageA(HWindow, CB_FINDSTRING, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
    int FindExactString(const char* text, int startIndex = -1) const
    {
        return int(::SendMessageA(HWindow, CB_FINDSTRINGEXACT, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
    int SetSelString(const char* text, int startIndex = -1)
    {
        return int(SendMessage(CB_SELECTSTRING, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
    void SetText(const char* text) { ::SetWindowTextA(HWindow, text); }
    std::string GetText() const { return GetWindowText(); }
    void ShowList(bool show = true) { SendMessage(CB_SHOWDROPDOWN, show); }
    bool GetDroppedState() const { return ::SendMessageA(HWindow, CB_GETDROPPEDSTATE, 0, 0) != 0; }

    UINT TextLimit;
};
