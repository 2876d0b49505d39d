#pragma once
#include "base/TEngineHost.h"

// The host without a user interface: messages are kept, not shown, and each is
// answered with a preset reply.
class THeadlessEngineHost : public TEngineHost {
public:
    struct Message {
        std::string Text;
        std::string Caption;
        unsigned Style;
    };

    int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
    uint32_t TickCount() override;
    LocalTime Now() override;
    void BeginWait() override { ++WaitDepth; }
    void EndWait() override { --WaitDepth; }

    std::vector<Message> Messages;
    int Reply = AnswerOk;
    int WaitDepth = 0;
};
