#pragma once
#include "framework/TOpenSaveDialog.h"

class TFileOpenDialog : public TOpenSaveDialog {
public:
    TFileOpenDialog(TWindow* parent, TData& data, const char* title = nullptr) : TOpenSaveDialog(parent, data, title) {}
    int Execute() override { return Run(&::GetOpenFileNameA); }
};
