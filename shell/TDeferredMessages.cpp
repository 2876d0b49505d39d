#include "shell/TDeferredMessages.h"

int TDeferredMessages::ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    Messages.push_back({text, caption, style});
    switch (style & 0x0F) {
    case MsgOkCancel:
    case MsgYesNoCancel:
        return AnswerCancel;
    case MsgYesNo:
        return AnswerNo;
    default:
        return AnswerOk;
    }
}
