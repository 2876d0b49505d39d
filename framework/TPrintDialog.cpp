#include "framework/TPrintDialog.h"
#include "framework/TWindow.h"

int TPrintDialog::Execute(bool setupOnly)
{
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = Parent ? Parent->GetHandle() : nullptr;
    pd.hDevMode = Data.DevMode;
    pd.hDevNames = Data.DevNames;
    pd.Flags = Data.Flags | (setupOnly ? PD_PRINTSETUP : 0);
    pd.nFromPage = WORD(Data.FromPage);
    pd.nToPage = WORD(Data.ToPage);
    pd.nMinPage = WORD(Data.MinPage);
    pd.nMaxPage = WORD(Data.MaxPage);
    pd.nCopies = WORD(Data.Copies);

    Data.Error = 0;
    BOOL ok = ::PrintDlgA(&pd);
    // The dialog may have replaced the handles even when cancelled.
    Data.DevMode = pd.hDevMode;
    Data.DevNames = pd.hDevNames;
    if (!ok) {
        Data.Error = ::CommDlgExtendedError();
        return IDCANCEL;
    }
    Data.Flags = pd.Flags & ~DWORD(PD_PRINTSETUP);
    Data.FromPage = pd.nFromPage;
    Data.ToPage = pd.nToPage;
    Data.Copies = pd.nCopies;
    Data.Dc = pd.hDC;
    return IDOK;
}
