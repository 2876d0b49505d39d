#pragma once
#include <windows.h>
#include <ddeml.h>
#include <cstdint>
#include <map>
#include <string>
#include "automation/TDdeItemTable.h"

class TMainWin;

// The poke items the server takes, as it tells the main window which one a
// poke or the client link's advise data name.
enum class TDdePokeItem : int { None, TimeSeriesData, CalibrationData, WaveData };

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

    // The poke item a handle names; None for any other.
    TDdePokeItem PokeItemOf(HSZ item) const;

    // The client link's share of the conversation table: every conversation
    // is dropped and the slots cleared, then the link's own go into slots 0
    // to LinkSlots - 1. The end of one of those resets the link.
    static constexpr int LinkSlots = 3;
    void DisconnectAll();
    void SetLinkConversation(int slot, HCONV conversation);
    HCONV LinkConversation(int slot) const;

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
    HCONV LinkConversations[LinkSlots] = {};
    // Open advise links per conversation. Advises go out only while there is
    // one: posting every item costs milliseconds, far more than a block.
    std::map<HCONV, int> AdviseLinks;
    HDDEDATA CurrentData = nullptr;
};
