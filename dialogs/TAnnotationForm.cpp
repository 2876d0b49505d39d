#include "dialogs/TAnnotationForm.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

std::string TAnnotationForm::CommentText(const TPrintOptions& record)
{
    std::string text;
    for (int k = 0; k < TPrintOptions::CommentCount; ++k) {
        if (k > 0) text += "\r\n";
        text.append(record.Comment[k], strnlen(record.Comment[k], sizeof record.Comment[k]));
    }
    return text;
}

void TAnnotationForm::StoreComments(const std::string& text, TPrintOptions& record)
{
    std::memset(record.Comment, 0, sizeof record.Comment);
    size_t start = 0;
    for (int k = 0; k < TPrintOptions::CommentCount && start <= text.size(); ++k) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TDialogBindingBase::CopyText(line, record.Comment[k], sizeof record.Comment[k]);
        start = end + 1;
    }
}

TDialogBindingBase::TReading TAnnotationForm::ReadMargin(const std::string& text)
{
    const float value = float(std::strtod(text.c_str(), nullptr));
    return {std::isfinite(value) ? double(value) : 0.0, {}, 0};
}
