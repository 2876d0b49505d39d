#pragma once
#include <string>
#include <vector>
#include "base/TEngineHost.h"

// The message boxes of a command served inside a DDE transaction, kept to be
// shown once the transaction has been answered: a modal loop inside the DDE
// callback would outlive a client that gives up waiting, and the library
// would go on to answer a conversation that has ended. Installed as the
// engine's host while the command runs; the rest goes to the host it wraps.
class TDeferredMessages : public TEngineHost {
public:
    struct TMessage {
        std::string Text;
        std::string Caption;
        unsigned Style;
    };

    explicit TDeferredMessages(TEngineHost& shown) : Shown(shown) {}

    // Keeps the message; the answer is OK, or the cancelling one of a
    // question (Cancel where offered, else No), as nobody can be asked now.
    int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
    uint32_t TickCount() override { return Shown.TickCount(); }
    LocalTime Now() override { return Shown.Now(); }
    void BeginWait() override { Shown.BeginWait(); }
    void EndWait() override { Shown.EndWait(); }

    const std::vector<TMessage>& Kept() const { return Messages; }

private:
    TEngineHost& Shown;
    std::vector<TMessage> Messages;
};
