#include "framework/TDialogBinding.h"

#include <cstdio>
#include <cstring>

std::string TDialogBindingBase::FormatNumber(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

int TDialogBindingBase::CheckedIndex(const TDialogControls& controls, const std::vector<int>& group)
{
    for (size_t i = 0; i < group.size(); ++i)
        if (controls.ControlChecked(group[i])) return int(i);
    return -1;
}

void TDialogBindingBase::CheckOnly(TDialogControls& controls, const std::vector<int>& group, int index)
{
    for (size_t i = 0; i < group.size(); ++i) controls.CheckControl(group[i], index == int(i));
}

int TDialogBindingBase::IndexOf(const std::vector<long long>& values, long long value, int fallback)
{
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] == value) return int(i);
    return fallback;
}

void TDialogBindingBase::CopyText(const std::string& text, char* field, size_t size)
{
    if (size == 0) return;
    const size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}
