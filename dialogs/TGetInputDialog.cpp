#include "dialogs/TGetInputDialog.h"

#include <algorithm>
#include <cstring>
#include "framework/TApplication.h"
#include "framework/UiHelpers.h"

TGetInputDialog::TGetInputDialog(TWindow* parent, const char* caption, const char* prompt, char* buffer,
                                 size_t bufferSize)
    : TDialog(parent, "DIALOG_GET_INPUT"), Caption(caption ? caption : ""), Prompt(prompt ? prompt : ""),
      Buffer(buffer), BufferSize(buffer ? bufferSize : 0)
{
}

void TGetInputDialog::SetupWindow()
{
    TDialog::SetupWindow();
    TWindow* main = GetApplication() ? GetApplication()->GetMainWindow() : nullptr;
    CenterWindow(main && main->GetHandle() ? main->GetHandle() : GetParentH(), HWindow);
    SetCaption(Caption.c_str());
    SetItemText(EditId, BufferSize ? std::string(Buffer, strnlen(Buffer, BufferSize)).c_str() : "");
    SetItemText(PromptId, Prompt.c_str());
}

void TGetInputDialog::CmOk()
{
    if (BufferSize) {
        const std::string text = GetItemText(EditId);
        const size_t n = std::min(text.size(), BufferSize - 1);
        std::memcpy(Buffer, text.data(), n);
        Buffer[n] = '\0';
    }
    TDialog::CmOk();
}
