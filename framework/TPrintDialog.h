#pragma once
#include <windows.h>
#include <commdlg.h>

class TWindow;

// The common print and print set-up dialog. The DEVMODE and DEVNAMES handles
// go in and come back out (the dialog may replace them); the caller owns them
// and frees them with GlobalFree. With PD_RETURNDC the printer context comes
// back in Dc, owned by the caller (a TPrintDC can take it).
class TPrintDialog {
public:
    struct TData {
        DWORD Flags = PD_ALLPAGES;
        DWORD Error = 0;
        int FromPage = 1, ToPage = 1, MinPage = 1, MaxPage = 1, Copies = 1;
        HGLOBAL DevMode = nullptr;
        HGLOBAL DevNames = nullptr;
        HDC Dc = nullptr;
    };

    TPrintDialog(TWindow* parent, TData& data) : Parent(parent), Data(data) {}

    // IDOK or IDCANCEL; setupOnly shows the printer set-up form.
    int Execute(bool setupOnly = false);

private:
    TWindow* Parent;
    TData& Data;
};
