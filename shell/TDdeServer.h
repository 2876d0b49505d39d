#pragma once
#include <windows.h>
#include <ddeml.h>
#include <cstdint>
#include <map>
#include <string>
#include "automation/TDdeItemTable.h"

class TMainWin;

// The program's DDE server: the DDEML instance, the string handles of the
// service, the topic "Data" and its items, and the table of conversations.
// The main window owns it; the one DDEML callback reaches it through the
// main window.
class TDdeServer {
public:
    static constexpr int ConversationSlots = 20;

    explicit TDdeServer(TMainWin& main) : Main(main) {}
    ~TDdeServer();
    TDdeServer(const TDdeServer&) = delete;
    TDdeServer& operator=(const TDdeServer&) = delete;

    // Starts the server under the INI's "DDE"/"ServerName"; shows a message
    // and leaves the program without a server when DDEML refuses.
    void Start(const char* iniPath);
    // The service name the server registers: the INI's "DDE"/"ServerName".
    static std::string ConfiguredName(const char* iniPath);
    void Stop();

    HDDEDATA Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data);

    void PostAdviseAll();
    void PostAdvise(int index);
    // The item's index; 0 also for a handle that names no item.
    int FindItem(HSZ item) const;
    int IsServedItem(HSZ topic, HSZ item) const;
    int AcceptConnect(HSZ topic, HSZ service) const;
    HDDEDATA WildConnect(HSZ topic, HSZ service, UINT format);
    // A CF_TEXT handle of the item, owned here until the next request.
    HDDEDATA RequestItem(int index);

    DWORD Instance() const { return InstanceId; }
    int ConversationCount() const;
    // Whether any client holds an advise link now.
    bool HasAdviseLinks() const;

private:
    int IndexOf(HSZ item) const;
    bool Is(HSZ handle, HSZ name) const;
    void FreeCurrentData();

    TMainWin& Main;
    DWORD InstanceId = 0;
    HSZ Service = nullptr;
    HSZ Topic = nullptr;
    HSZ PokeItems[3] = {};
    HSZ Items[TDdeItemTable::Count] = {};
    HCONV Conversations[ConversationSlots] = {};
    // Open advise links per conversation. Advises go out only while there is
    // one: posting every item costs milliseconds, far more than a block.
    std::map<HCONV, int> AdviseLinks;
    HDDEDATA CurrentData = nullptr;
};
