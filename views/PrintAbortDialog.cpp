#include "views/PrintAbortDialog.h"

#include "resources/PrintAbortDialogRes.h"

namespace {

bool Aborted = false;

}  // namespace

PrintAbortDialog::PrintAbortDialog(TWindow* parent, const char* resourceName, const char* document,
                                   const char* device, const char* port)
    : TDialog(parent, resourceName),
      Document(std::make_unique<TReplaceStatic>(this, IDC_ABORT_DOCUMENT, document)),
      Device(std::make_unique<TReplaceStatic>(this, IDC_ABORT_DEVICE, device)),
      Port(std::make_unique<TReplaceStatic>(this, IDC_ABORT_PORT, port))
{
}

void PrintAbortDialog::SetupWindow()
{
    TDialog::SetupWindow();
    // Only Cancel ends the job early.
    ::EnableMenuItem(::GetSystemMenu(HWindow, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void PrintAbortDialog::CmCancel()
{
    Aborted = true;
}

bool PrintAbortDialog::UserAbort() { return Aborted; }

void PrintAbortDialog::ClearUserAbort() { Aborted = false; }

extern "C" BOOL CALLBACK AbortProc(HDC, int)
{
    MSG msg;
    while (!Aborted && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return !Aborted;
}
