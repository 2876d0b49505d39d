#pragma once
#include <string>
#include "framework/TControl.h"

class TListBox : public TControl {
public:
    TListBox(TWindow* parent, int id, int x, int y, int w, int h, TModule* module = nullptr);
    TListBox(TWindow* parent, int resourceId, TModule* module = nullptr) : TControl(parent, resourceId, module) {}

    const char* GetClassName() override { return "LISTBOX"; }

    int AddString(const char* text) { return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(const char* text, int index) { return int(SendMessage(LB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(text))); }
    int DeleteString(int index) { return int(SendMessage(LB_DELETESTRING, WPARAM(index))); }
    void ClearList() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return int(::SendMessageA(HWindow, LB_GETCOUNT, 0, 0)); }
    int GetSelIndex() const { return int(::SendMessageA(HWindow, LB_GETCURSEL, 0, 0)); }
    int SetSelIndex(int index) { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }
    int GetStringLen(int index) const { return int(::SendMessageA(HWindow, LB_GETTEXTLEN, WPARAM(index), 0)); }
    std::string GetString(int index) const;
    int FindString(const char* text, int startIndex = -1) const
    {
        return int(::SendMessageA(HWindow, LB_FINDSTRING, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
    int FindExactString(const char* text, int startIndex = -1) const
    {
        return int(::SendMessageA(HWindow, LB_FINDSTRINGEXACT, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
    int SetSelString(const char* text, int startIndex = -1)
    {
        return int(SendMessage(LB_SELECTSTRING, WPARAM(startIndex), reinterpret_cast<LPARAM>(text)));
    }
};
