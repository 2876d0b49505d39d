#pragma once
#include <string>
#include "framework/TWindow.h"

// A dialog from a template resource (or an in-memory template), run modally
// with Execute or modelessly with Create. Controls bound to template items
// are built with their alias constructors before the dialog runs; SetupWindow
// binds them.
class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, TResId resId, TModule* module = nullptr);
    TDialog(TWindow* parent, const DLGTEMPLATE* dialogTemplate, TModule* module = nullptr);

    // Runs the dialog modally; returns the result given to CloseWindow or
    // Destroy (IDOK, IDCANCEL, ...), or -1 when it could not be created.
    virtual int Execute();
    // Creates the dialog modelessly.
    bool Create() override;
    void Destroy(int retVal = IDCANCEL) override;
    void CloseWindow(int retVal = IDCANCEL) override;
    bool PreProcessMsg(MSG& msg) override;
    const char* GetClassName() override { return "#32770"; }
    bool IsModal() const { return Modal; }

    virtual void CmOk();
    virtual void CmCancel();

    // Item helpers.
    int GetItemText(int id, char* text, int size) const { return ::GetDlgItemTextA(HWindow, id, text, size); }
    std::string GetItemText(int id) const;
    void SetItemText(int id, const char* text) { ::SetDlgItemTextA(HWindow, id, text); }
    UINT GetItemInt(int id, bool* ok = nullptr, bool isSigned = true) const;
    void SetItemInt(int id, UINT value, bool isSigned = true) { ::SetDlgItemInt(HWindow, id, value, isSigned); }
    void CheckItem(int id, UINT state = BST_CHECKED) { ::CheckDlgButton(HWindow, id, state); }
    UINT IsItemChecked(int id) const { return ::IsDlgButtonChecked(HWindow, id); }
    void CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(HWindow, first, last, check); }

    bool EvInitDialog(HWND focus);
    int EvCreate(CREATESTRUCT& cs);
    void EvClose();

protected:
    TResId ResId;
    const DLGTEMPLATE* Template = nullptr;

private:
    static INT_PTR CALLBACK DlgProc(HWND h, UINT msg, WPARAM w, LPARAM l);
    bool Modal = false;

    DECLARE_RESPONSE_TABLE(TDialog);
};
