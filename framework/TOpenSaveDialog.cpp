#include "framework/TOpenSaveDialog.h"
#include <vector>
#include "framework/TWindow.h"

TOpenSaveDialog::TOpenSaveDialog(TWindow* parent, TData& data, const char* title)
    : Parent(parent), Data(data), Title(title ? title : "")
{
}

int TOpenSaveDialog::Run(BOOL (WINAPI* show)(OPENFILENAMEA*))
{
    std::string filter = Data.Filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> name(MAX_PATH * 4, '\0');
    Data.FileName.copy(name.data(), name.size() - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Parent ? Parent->GetHandle() : nullptr;
    ofn.lpstrFilter = Data.Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = DWORD(Data.FilterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrInitialDir = Data.InitialDir.empty() ? nullptr : Data.InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = Data.DefExt.empty() ? nullptr : Data.DefExt.c_str();
    ofn.Flags = Data.Flags;

    Data.Error = 0;
    if (!show(&ofn)) {
        Data.Error = ::CommDlgExtendedError();
        return IDCANCEL;
    }
    Data.FileName = name.data();
    Data.FilterIndex = int(ofn.nFilterIndex);
    return IDOK;
}
