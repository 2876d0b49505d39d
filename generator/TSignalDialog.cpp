#include "generator/TSignalDialog.h"

#include <cstdio>
#include <cstdlib>

#include "framework/THtmlHelp.h"
#include "framework/UiHelpers.h"

DEFINE_RESPONSE_TABLE1(TSignalDialog, TDialog)
    EV_COMMAND(HelpId, CmHelp)
END_RESPONSE_TABLE;

TSignalDialog::TSignalDialog(TWindow* parent, const char* resource, HFONT font, const char* helpFile,
                             DWORD helpContext)
    : TDialog(parent, resource), Font(font), HelpFile(helpFile ? helpFile : ""), HelpContext(helpContext)
{
}

void TSignalDialog::SetupWindow()
{
    TDialog::SetupWindow();
    if (IsWin32s() && Font) SendMessage(WM_SETFONT, WPARAM(Font), TRUE);
    if (GetParent()) CenterWindow(GetParentH(), HWindow);
}

void TSignalDialog::CmHelp()
{
    THtmlHelp::ShowContext(HWindow, HelpFile.c_str(), HelpContext);
}

TDialogBindingBase::TReading TSignalDialog::RealText(const std::string& text)
{
    return {double(float(std::strtod(text.c_str(), nullptr))), "", 0};
}

TDialogBindingBase::TReading TSignalDialog::IntegerText(const std::string& text)
{
    return {double(int32_t(std::strtol(text.c_str(), nullptr, 10))), "", 0};
}

float TSignalDialog::ReadReal(int id) const { return float(RealText(ControlText(id, NumberLength)).Value); }

int32_t TSignalDialog::ReadInteger(int id) const { return int32_t(IntegerText(ControlText(id, NumberLength)).Value); }

void TSignalDialog::WriteReal(int id, const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    SetItemText(id, text);
}

void TSignalDialog::WriteInteger(int id, const char* format, long value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    SetItemText(id, text);
}

void TSignalDialog::LimitText(int id, int characters)
{
    SendDlgItemMessage(id, EM_LIMITTEXT, WPARAM(characters));
}

bool TSignalDialog::Accept(const std::string& message, UINT icon)
{
    if (message.empty()) return true;
    MessageBox(message.c_str(), "Tonalyx", MB_OK | icon);
    return false;
}
