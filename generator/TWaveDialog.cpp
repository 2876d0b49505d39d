#include "generator/TWaveDialog.h"

#include <algorithm>
#include <cstring>

#include "framework/TFileOpenDialog.h"
#include "resources/WaveDialogRes.h"

namespace {
constexpr int NameId = IDC_WAVE_SIGNAL_NAME, RepeatId = IDC_WAVE_SIGNAL_REPEAT;

void CopyName(char* destination, const std::string& name)
{
    const size_t n = std::min(name.size(), size_t(UserDefinedParams::NameSize - 1));
    std::memcpy(destination, name.data(), n);
    destination[n] = '\0';
}
}

DEFINE_RESPONSE_TABLE1(TWaveDialog, TSignalDialog)
    EV_COMMAND(PickId, CmPick)
END_RESPONSE_TABLE;

TWaveDialog::TWaveDialog(TWindow* parent, const char* resource, const char* initialFolder, char* fileName,
                         int32_t* repeat, HFONT font, const char* helpFile)
    : TSignalDialog(parent, resource, font, helpFile, 450), InitialFolder(initialFolder ? initialFolder : ""),
      FileName(fileName), Repeat(repeat)
{
}

void TWaveDialog::SetupWindow()
{
    TSignalDialog::SetupWindow();
    LimitText(NameId, UserDefinedParams::NameSize);
    SetItemText(NameId, std::string(FileName, strnlen(FileName, UserDefinedParams::NameSize)).c_str());
    CheckItem(RepeatId, *Repeat ? BST_CHECKED : BST_UNCHECKED);
}

int TWaveDialog::ChooseFile(std::string& path)
{
    TOpenSaveDialog::TData data;
    data.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    data.Filter = "Wave Files (*.wav)|*.wav|";
    data.FileName = "*.wav";
    data.DefExt = "wav";
    data.InitialDir = InitialFolder;
    TFileOpenDialog dialog(this, data, "Open Wave File");
    const int result = dialog.Execute();
    path = data.FileName;
    return result;
}

void TWaveDialog::CmPick()
{
    std::string path;
    if (ChooseFile(path) != IDOK) return;
    CopyName(FileName, path);
    SetItemText(NameId, FileName);
}

void TWaveDialog::CmOk()
{
    CopyName(FileName, GetItemText(NameId));
    *Repeat = IsItemChecked(RepeatId) == BST_CHECKED ? 1 : 0;
    TSignalDialog::CmOk();
}
