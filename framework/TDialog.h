#pragma once
#include <string>
#include "framework/TDialogControls.h"
#include "framework/TWindow.h"

// A dialog from a template resource (or an in-memory template), run modally
// with Execute or modelessly with Create. Controls bound to template items
// are built with their alias constructors before the dialog runs; SetupWindow
// binds them. Its items answer a dialog binding by id (lists are combo boxes).
class TDialog : public TWindow, public TDialogControls {
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

    std::string ControlText(int id, int length) const override;
    void SetControlText(int id, const std::string& text) override { SetItemText(id, text.c_str()); }
    bool ControlChecked(int id) const override { return IsItemChecked(id) == BST_CHECKED; }
    void CheckControl(int id, bool checked) override { CheckItem(id, checked ? BST_CHECKED : BST_UNCHECKED); }
    int ControlSelection(int id) const override;
    void SelectControl(int id, int index) override;

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
