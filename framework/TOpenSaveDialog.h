#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

class TWindow;

// The common file dialog's settings and result. The filter lists pairs of
// description and pattern separated by '|' ("Macro Files (*.mac)|*.mac|").
class TOpenSaveDialog {
public:
    struct TData {
        DWORD Flags = OFN_HIDEREADONLY;
        DWORD Error = 0;            // CommDlgExtendedError after a failure
        std::string FileName;       // in: proposed name; out: the chosen full path
        std::string Filter;
        int FilterIndex = 1;
        std::string InitialDir;
        std::string DefExt;         // without the dot
    };

    TOpenSaveDialog(TWindow* parent, TData& data, const char* title = nullptr);
    virtual ~TOpenSaveDialog() = default;

    // IDOK with the choice in the data, or IDCANCEL (Error says whether it failed).
    virtual int Execute() = 0;

protected:
    int Run(BOOL (WINAPI* show)(OPENFILENAMEA*));

    TWindow* Parent;
    TData& Data;
    std::string Title;
};
