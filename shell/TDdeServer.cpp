// The DDE server: start and stop, the DDEML callback and its transactions,
// advises and the request handle.
#include "shell/TDdeServer.h"

#include <algorithm>
#include <cstring>
#include <string>
#include "base/TSettingsTable.h"
#include "shell/TMainWin.h"
#include "framework/TProfileFile.h"

namespace {

const char* const DataTopic = "Data";
const char* const PokeItemNames[] = {"TimeSeriesData", "CalibrationData", "WaveData"};

}  // namespace

HDDEDATA CALLBACK DDECallBack(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                              ULONG_PTR, ULONG_PTR)
{
    if (!MainWindow || !MainWindow->GetDdeServer()) return nullptr;
    return MainWindow->GetDdeServer()->Callback(type, format, conversation, hsz1, hsz2, data);
}

TDdeServer::~TDdeServer()
{
    Stop();
}

void TDdeServer::Start(const char* iniPath)
{
    std::fill(std::begin(Conversations), std::end(Conversations), nullptr);
    InstanceId = 0;
    if (::DdeInitializeA(&InstanceId, &DDECallBack, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) {
        InstanceId = 0;
        ::MessageBoxA(nullptr, "DdeInitialize failed.", nullptr, MB_OK);
        return;
    }
    Service = ::DdeCreateStringHandleA(InstanceId, ConfiguredName(iniPath).c_str(), CP_WINANSI);
    Topic = ::DdeCreateStringHandleA(InstanceId, DataTopic, CP_WINANSI);
    for (int i = 0; i < 3; ++i) PokeItems[i] = ::DdeCreateStringHandleA(InstanceId, PokeItemNames[i], CP_WINANSI);
    for (const TDdeItemTable::Row& row : TDdeItemTable::Items())
        Items[int(row.Item)] = ::DdeCreateStringHandleA(InstanceId, row.Name, CP_WINANSI);
    if (Service && Topic && !::DdeNameService(InstanceId, Service, nullptr, DNS_REGISTER))
        ::MessageBoxA(nullptr, "DDE setup failed.", nullptr, MB_OK);
}

std::string TDdeServer::ConfiguredName(const char* iniPath)
{
    TProfileFile ini(iniPath);
    return TSettingsTable::ReadText(ini, "DDE", "ServerName", "Tonalyx", 81);
}

void TDdeServer::Stop()
{
    DisconnectAll();
    Main.DdeLinkClearTables();
    if (!InstanceId) return;
    FreeCurrentData();
    if (Service) ::DdeNameService(InstanceId, Service, nullptr, DNS_UNREGISTER);
    for (HSZ* handle : {&Service, &Topic}) {
        if (*handle) ::DdeFreeStringHandle(InstanceId, *handle);
        *handle = nullptr;
    }
    for (HSZ& handle : PokeItems) {
        if (handle) ::DdeFreeStringHandle(InstanceId, handle);
        handle = nullptr;
    }
    for (HSZ& handle : Items) {
        if (handle) ::DdeFreeStringHandle(InstanceId, handle);
        handle = nullptr;
    }
    ::DdeUninitialize(InstanceId);
    InstanceId = 0;
}

void TDdeServer::DisconnectAll()
{
    for (HCONV& c : Conversations) {
        if (c) ::DdeDisconnect(c);
        c = nullptr;
    }
    std::fill(std::begin(LinkConversations), std::end(LinkConversations), nullptr);
    AdviseLinks.clear();
    Main.SetDdeAdviseActive(false);
}

void TDdeServer::SetLinkConversation(int slot, HCONV conversation)
{
    if (slot < 0 || slot >= LinkSlots) return;
    Conversations[slot] = conversation;
    LinkConversations[slot] = conversation;
}

HCONV TDdeServer::LinkConversation(int slot) const
{
    return slot >= 0 && slot < LinkSlots ? LinkConversations[slot] : nullptr;
}

TDdePokeItem TDdeServer::PokeItemOf(HSZ item) const
{
    constexpr TDdePokeItem kinds[] = {TDdePokeItem::TimeSeriesData, TDdePokeItem::CalibrationData,
                                      TDdePokeItem::WaveData};
    for (int i = 0; i < 3; ++i)
        if (Is(item, PokeItems[i])) return kinds[i];
    return TDdePokeItem::None;
}

bool TDdeServer::Is(HSZ handle, HSZ name) const
{
    return handle && name && ::DdeCmpStringHandles(handle, name) == 0;
}

int TDdeServer::IndexOf(HSZ item) const
{
    for (int i = 0; i < TDdeItemTable::Count; ++i)
        if (Is(item, Items[i])) return i;
    return -1;
}

int TDdeServer::FindItem(HSZ item) const
{
    return std::max(IndexOf(item), 0);
}

int TDdeServer::IsServedItem(HSZ topic, HSZ item) const
{
    return Is(topic, Topic) && IndexOf(item) >= 0 ? 1 : 0;
}

int TDdeServer::AcceptConnect(HSZ topic, HSZ service) const
{
    return Is(topic, Topic) && Is(service, Service) ? 1 : 0;
}

HDDEDATA TDdeServer::WildConnect(HSZ topic, HSZ service, UINT format)
{
    const bool listed = (!topic && !service) || (!topic && Is(service, Service)) || (Is(topic, Topic) && !service);
    if (!listed) return nullptr;
    HSZPAIR pairs[2] = {{Service, Topic}, {nullptr, nullptr}};
    return ::DdeCreateDataHandle(InstanceId, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0, nullptr, format, 0);
}

int TDdeServer::ConversationCount() const
{
    return int(std::count_if(std::begin(Conversations), std::end(Conversations), [](HCONV c) { return c != nullptr; }));
}

bool TDdeServer::HasAdviseLinks() const
{
    return std::any_of(AdviseLinks.begin(), AdviseLinks.end(), [](const auto& links) { return links.second > 0; });
}

void TDdeServer::PostAdviseAll()
{
    if (!InstanceId || !HasAdviseLinks()) return;
    for (HSZ item : Items)
        if (item) ::DdePostAdvise(InstanceId, Topic, item);
}

void TDdeServer::PostAdvise(int index)
{
    if (!InstanceId || !HasAdviseLinks() || index < 0 || index >= TDdeItemTable::Count || !Items[index]) return;
    ::DdePostAdvise(InstanceId, Topic, Items[index]);
}

void TDdeServer::FreeCurrentData()
{
    if (CurrentData) ::DdeFreeDataHandle(CurrentData);
    CurrentData = nullptr;
}

HDDEDATA TDdeServer::RequestItem(int index)
{
    FreeCurrentData();
    if (!InstanceId || index < 0 || index >= TDdeItemTable::Count) return nullptr;
    const std::optional<std::string> text = Main.DdeItemText(index);
    if (!text) return nullptr;
    // The text and its terminating zero: clients read up to the zero, and the
    // system keeps a copy of every answer's data (Wine never frees it), so
    // nothing more than the text goes out.
    CurrentData = ::DdeCreateDataHandle(InstanceId, reinterpret_cast<BYTE*>(const_cast<char*>(text->c_str())),
                                        DWORD(text->size() + 1), 0, Items[index], CF_TEXT, HDATA_APPOWNED);
    return CurrentData;
}

HDDEDATA TDdeServer::Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(UINT_PTR(AcceptConnect(hsz1, hsz2)));
    case XTYP_WILDCONNECT:
        return WildConnect(hsz1, hsz2, format);
    case XTYP_CONNECT_CONFIRM:
        // A 21st conversation is served, only not recorded.
        if (HCONV* slot = std::find(std::begin(Conversations), std::end(Conversations), nullptr);
            slot != std::end(Conversations))
            *slot = conversation;
        return nullptr;
    case XTYP_DISCONNECT:
        AdviseLinks.erase(conversation);
        if (HCONV* link = std::find(std::begin(LinkConversations), std::end(LinkConversations), conversation);
            link != std::end(LinkConversations) && conversation) {
            *link = nullptr;
            Main.DdeLinkDisconnected();
        }
        if (HCONV* slot = std::find(std::begin(Conversations), std::end(Conversations), conversation);
            slot != std::end(Conversations) && conversation) {
            *slot = nullptr;
            // Another conversation's links still want every block analysed.
            Main.SetDdeAdviseActive(HasAdviseLinks());
        }
        return nullptr;
    case XTYP_ADVSTART:
        if (!IsServedItem(hsz1, hsz2)) return reinterpret_cast<HDDEDATA>(FALSE);
        ++AdviseLinks[conversation];
        Main.SetDdeAdviseActive(true);
        return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_ADVSTOP:
        if (auto links = AdviseLinks.find(conversation); links != AdviseLinks.end() && IsServedItem(hsz1, hsz2)
                                                         && links->second > 0)
            --links->second;
        if (Main.IsDdeAdviseActive() && IsServedItem(hsz1, hsz2)) Main.SetDdeAdviseActive(HasAdviseLinks());
        return nullptr;
    case XTYP_REQUEST:
        if (format != CF_TEXT || !IsServedItem(hsz1, hsz2)) return nullptr;
        return Main.DdeRequestItem(uint16_t(IndexOf(hsz2)));
    case XTYP_ADVREQ:
        if (!IsServedItem(hsz1, hsz2)) return nullptr;
        return Main.DdeRequestItem(uint16_t(IndexOf(hsz2)));
    case XTYP_POKE:
        if (Main.AutomationBusy()) return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
        return Main.DdePoke(conversation, data, PokeItemOf(hsz2));
    case XTYP_ADVDATA:
        if (format != CF_TEXT) return nullptr;
        if (Main.AutomationBusy()) return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
        return Main.DdePoke(conversation, data, PokeItemOf(hsz2));
    case XTYP_EXECUTE:
        if (Main.AutomationBusy()) return reinterpret_cast<HDDEDATA>(DDE_FBUSY);
        return reinterpret_cast<HDDEDATA>(UINT_PTR(Main.DdeExecuteCommand(data)));
    case XTYP_ERROR:
        ::MessageBoxA(Main.GetHandle(), "A critical DDE error has occured.", "Tonalyx", MB_OK | MB_ICONINFORMATION);
        return nullptr;
    default:
        return nullptr;
    }
}
