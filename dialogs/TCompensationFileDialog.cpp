#include "dialogs/TCompensationFileDialog.h"

#include "dialogs/TDialogHost.h"

bool TCompensationFileDialog::Run(TDialogHost& host, std::string& path)
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = std::string("Mic comp *.mic; Overlay *.ovl; Filter *.flt|") + Patterns + "|";
    data.FileName = Patterns;
    data.InitialDir = host.CurrentFolder(FolderKind);
    data.DefExt = "mic";
    if (host.RunFileDialog(data, Title, false) != IDOK || !host.FitsFileBuffer(data.FileName)) return false;
    host.KeepFolder(FolderKind, data.FileName.c_str());
    path = data.FileName;
    return true;
}
