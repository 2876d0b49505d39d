#pragma once
#include "framework/TOpenSaveDialog.h"

class TFileSaveDialog : public TOpenSaveDialog {
public:
    TFileSaveDialog(TWindow* parent, TData& data, const char* title = nullptr) : TOpenSaveDialog(parent, data, title) {}
    int Execute() override { return Run(&::GetSaveFileNameA); }
};
