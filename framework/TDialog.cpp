#include "framework/TDialog.h"
#include "framework/TModule.h"

namespace {
thread_local TDialog* CreatingDialog = nullptr;
}

DEFINE_RESPONSE_TABLE1(TDialog, TWindow)
    EV_WM_INITDIALOG
    EV_WM_CREATE
    EV_WM_CLOSE
    EV_COMMAND(IDOK, CmOk)
    EV_COMMAND(IDCANCEL, CmCancel)
END_RESPONSE_TABLE;

// A dialog is owned by its parent window but is not one of its children.
TDialog::TDialog(TWindow* parent, TResId resId, TModule* module) : TWindow(parent, nullptr, module), ResId(resId)
{
    if (Parent) Parent->RemoveChild(this);
    Attr.Style = 0;
}

TDialog::TDialog(TWindow* parent, const DLGTEMPLATE* dialogTemplate, TModule* module)
    : TWindow(parent, nullptr, module), Template(dialogTemplate)
{
    if (Parent) Parent->RemoveChild(this);
    Attr.Style = 0;
}

// The first message of a new dialog binds it and replaces the dialog's window
// procedure, so from then on messages arrive through the framework's
// procedure and this one only returns "not handled" to the default handling.
INT_PTR CALLBACK TDialog::DlgProc(HWND h, UINT msg, WPARAM w, LPARAM l)
{
    if (FromHandle(h) || !CreatingDialog) return FALSE;
    TDialog* dialog = CreatingDialog;
    CreatingDialog = nullptr;
    dialog->Attach(h);
    if (msg == WM_INITDIALOG) return dialog->ReceiveMessage(msg, w, l);
    return FALSE;
}

int TDialog::Execute()
{
    if (HWindow) return -1;
    Modal = true;
    CreatingDialog = this;
    INT_PTR result = Template
        ? ::DialogBoxIndirectParamA(Module->GetInstance(), Template, GetParentH(), &DlgProc, 0)
        : ::DialogBoxParamA(Module->GetInstance(), ResId, GetParentH(), &DlgProc, 0);
    CreatingDialog = nullptr;
    Modal = false;
    return int(result);
}

bool TDialog::Create()
{
    if (HWindow) return true;
    Modal = false;
    CreatingDialog = this;
    HWND h = Template ? ::CreateDialogIndirectParamA(Module->GetInstance(), Template, GetParentH(), &DlgProc, 0)
                      : ::CreateDialogParamA(Module->GetInstance(), ResId, GetParentH(), &DlgProc, 0);
    CreatingDialog = nullptr;
    return h != nullptr;
}

void TDialog::Destroy(int retVal)
{
    if (!HWindow) return;
    if (Modal)
        ::EndDialog(HWindow, retVal);
    else
        ::DestroyWindow(HWindow);
}

void TDialog::CloseWindow(int retVal)
{
    if (CanClose()) Destroy(retVal);
}

void TDialog::CmOk() { CloseWindow(IDOK); }

void TDialog::CmCancel() { Destroy(IDCANCEL); }

bool TDialog::PreProcessMsg(MSG& msg)
{
    return HWindow && !Modal && ::IsDialogMessageA(HWindow, &msg);
}

bool TDialog::EvInitDialog(HWND)
{
    SetupWindow();
    return true;
}

// The template's controls exist only from WM_INITDIALOG on; set-up waits for it.
int TDialog::EvCreate(CREATESTRUCT&) { return int(DefaultProcessing()); }

// The dialog manager turns the close box into IDCANCEL.
void TDialog::EvClose() { DefaultProcessing(); }

std::string TDialog::GetItemText(int id) const
{
    HWND item = ::GetDlgItem(HWindow, id);
    std::string text(item ? ::GetWindowTextLengthA(item) : 0, '\0');
    int n = ::GetDlgItemTextA(HWindow, id, text.data(), int(text.size() + 1));
    text.resize(n > 0 ? n : 0);
    return text;
}

std::string TDialog::ControlText(int id, int length) const
{
    std::string text(size_t(length) + 1, '\0');
    const int n = ::GetDlgItemTextA(HWindow, id, text.data(), length + 1);
    text.resize(n > 0 ? size_t(n) : 0);
    return text;
}

int TDialog::ControlSelection(int id) const
{
    const LRESULT index = ::SendDlgItemMessageA(HWindow, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : int(index);
}

void TDialog::SelectControl(int id, int index) { ::SendDlgItemMessageA(HWindow, id, CB_SETCURSEL, WPARAM(index), 0); }

UINT TDialog::GetItemInt(int id, bool* ok, bool isSigned) const
{
    BOOL translated = FALSE;
    UINT value = ::GetDlgItemInt(HWindow, id, &translated, isSigned);
    if (ok) *ok = translated != FALSE;
    return value;
}
