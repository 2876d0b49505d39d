#pragma once
#include <memory>

#include "framework/TDialog.h"
#include "views/TReplaceStatic.h"

// The modeless dialog a print job shows while it spools: the document, the
// printer and its port, and Cancel, which sets the abort flag the printer
// driver reads through AbortProc. The job ends the dialog itself.
class PrintAbortDialog : public TDialog {
public:
    PrintAbortDialog(TWindow* parent, const char* resourceName, const char* document, const char* device,
                     const char* port);
    void SetupWindow() override;
    void CmCancel() override;

    // The flag Cancel sets; each job clears it before it starts.
    static bool UserAbort();
    static void ClearUserAbort();

private:
    std::unique_ptr<TReplaceStatic> Document;
    std::unique_ptr<TReplaceStatic> Device;
    std::unique_ptr<TReplaceStatic> Port;
};

// The abort procedure of every print job: runs the message loop while the
// job spools; nonzero to go on, zero once Cancel was pressed.
extern "C" __declspec(dllexport) BOOL CALLBACK AbortProc(HDC dc, int code);
