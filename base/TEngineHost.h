#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// What the engine's computation needs of the platform. The program installs a
// host that shows real message boxes and cursors; without one, the headless
// default records the messages (tests read them) and uses the C++ clock.
class TEngineHost {
public:
    // Message box styles, with the values of the platform's flags.
    static constexpr unsigned MsgOk = 0x00;
    static constexpr unsigned MsgOkCancel = 0x01;
    static constexpr unsigned MsgYesNoCancel = 0x03;
    static constexpr unsigned MsgYesNo = 0x04;
    static constexpr unsigned MsgIconStop = 0x10;
    static constexpr unsigned MsgIconQuestion = 0x20;
    static constexpr unsigned MsgIconExclamation = 0x30;
    static constexpr unsigned MsgIconInformation = 0x40;
    // Answers, with the values of the platform's.
    static constexpr int AnswerOk = 1;
    static constexpr int AnswerCancel = 2;
    static constexpr int AnswerYes = 6;
    static constexpr int AnswerNo = 7;

    struct LocalTime {
        int Year, Month, Day, Hour, Minute, Second, Millisecond;
    };

    virtual ~TEngineHost() = default;

    virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned style) = 0;
    virtual uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
    // Wait cursor around long computations; calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // A message about a file, shown once while the file stays as it is:
    // layouts and rebuilds read the same file again and again. 0 when it was
    // shown before.
    int ShowFileMessage(const std::string& path, const std::string& text, const std::string& caption,
                        unsigned style);
    // The next reading of each file (or of the one file named) reports its
    // problem again: a load the user asked for.
    void ForgetFileMessages(const std::string& path = std::string());

    // The installed host, or the headless default.
    static TEngineHost& Get();
    // Installs a host (nullptr restores the default); the caller keeps ownership.
    static void Install(TEngineHost* host);

private:
    // Each file message shown: the file's name, size and time with the text.
    std::set<std::string> ReportedFiles;
};

// Shows the wait cursor for the life of a scope.
class TEngineWait {
public:
    TEngineWait() { TEngineHost::Get().BeginWait(); }
    ~TEngineWait() { TEngineHost::Get().EndWait(); }
    TEngineWait(const TEngineWait&) = delete;
    TEngineWait& operator=(const TEngineWait&) = delete;
};
