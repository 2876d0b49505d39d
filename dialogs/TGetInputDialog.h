#pragma once
#include <cstddef>
#include <string>
#include "framework/TDialog.h"
#include "resources/GetInputDialogRes.h"

// A one-line text prompt ("DIALOG_GET_INPUT"). The buffer holds the initial
// text on entry and, after OK, the entered text cut to fit it; Cancel leaves
// it as it was.
class TGetInputDialog : public TDialog {
public:
    static constexpr int EditId = IDC_GET_INPUT_EDIT;
    static constexpr int PromptId = IDC_GET_INPUT_PROMPT;

    TGetInputDialog(TWindow* parent, const char* caption, const char* prompt, char* buffer, size_t bufferSize);

    void SetupWindow() override;
    void CmOk() override;

private:
    std::string Caption;
    std::string Prompt;
    char* Buffer;
    size_t BufferSize;
};
