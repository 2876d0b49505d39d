// The DDE client link: Paste Link, a hot link to another program's item,
// and the acquisition program's link with the description of its series
// and its partner program's test settings. The link shares the server's
// DDE instance and takes its conversation slots 0 to 2.
#include "shell/TMainWin.h"

#include <cstdio>
#include <cstring>
#include <dde.h>
#include <vector>
#include "automation/TLinkDetails.h"
#include "framework/TClipboard.h"
#include "shell/TDdeServer.h"
#include "views/TLinkClipboard.h"

namespace {

constexpr DWORD LinkTimeoutMs = 1000;
// The acquisition program whose series the richer link takes (letter case counts).
constexpr const char* AcquisitionService = "Snap-Master";

// String handles of one instance, freed together.
class TLinkNames {
public:
    explicit TLinkNames(DWORD instance) : Instance(instance) {}
    ~TLinkNames()
    {
        for (HSZ h : Handles)
            if (h) ::DdeFreeStringHandle(Instance, h);
    }
    TLinkNames(const TLinkNames&) = delete;
    TLinkNames& operator=(const TLinkNames&) = delete;
    HSZ operator()(const char* text)
    {
        Handles.push_back(::DdeCreateStringHandleA(Instance, text, CP_WINANSI));
        return Handles.back();
    }

private:
    DWORD Instance;
    std::vector<HSZ> Handles;
};

void Say(const char* text)
{
    TEngineHost::Get().ShowMessage(text, "", TEngineHost::MsgOk);
}

void SayNotAvailable(const char* server, const char* topic, const char* item)
{
    char text[3 * TMainWin::LinkNameSize + 64];
    std::snprintf(text, sizeof text, "The following DDE data is not available:\rServer: %s\rTopic: %s\rItem: %s",
                  server, topic, item);
    Say(text);
}

// A server in another Wine process follows its answer to a request or an
// advise start with a second acknowledgement, which would be taken as the
// answer to the next transaction or connection: it is handled here, within a
// short wait.
void DropLateAcknowledgement(HCONV conversation)
{
    CONVINFO info{};
    info.cb = sizeof info;
    if (!::DdeQueryConvInfo(conversation, QID_SYNC, &info) || !info.hwnd) return;
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < 20) {
        if (::PeekMessageA(&msg, info.hwnd, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
            return;
        }
        ::Sleep(1);
    }
}

// A conversation with (server, topic) in the link's slot and an advise link
// on its item; false, with the message of what failed, otherwise.
bool LinkSlot(TDdeServer& server, TLinkNames& names, int slot, const char* service, const char* topic,
              const char* item)
{
    HCONV conversation = ::DdeConnect(server.Instance(), names(service), names(topic), nullptr);
    server.SetLinkConversation(slot, conversation);
    if (!conversation) {
        char text[TMainWin::LinkNameSize + 32];
        std::snprintf(text, sizeof text, "Failure linking to %s", service);
        Say(text);
        return false;
    }
    if (!::DdeClientTransaction(nullptr, 0, conversation, names(item), CF_TEXT, XTYP_ADVSTART, LinkTimeoutMs,
                                nullptr)) {
        SayNotAvailable(service, topic, item);
        return false;
    }
    DropLateAcknowledgement(conversation);
    return true;
}

}  // namespace

void TMainWin::CmEditPasteLink()
{
    if (OpMode != RealTime) return;
    StopBeforeEdit();
    DdeLinkMode = 1;
    TLinkDescription link;
    if (!TLinkClipboard::Read(HWindow, link)) return;
    if (link.Service == AcquisitionService) {
        {
            TClipboard clipboard(HWindow);
            DdeLinkHook5(clipboard.IsOpen() ? clipboard.GetClipboardData(CF_TEXT) : nullptr);
        }
        DdeLinkTimeSeries();
        return;
    }
    DdeAdviseLink(link.Service.c_str(), link.Topic.c_str(), link.Item.c_str());
}

void TMainWin::DdeAdviseLink(const char* server, const char* topic, const char* item)
{
    if (!DdeServer || !DdeServer->Instance()) return;
    DdeServer->DisconnectAll();
    TLinkNames names(DdeServer->Instance());
    LinkSlot(*DdeServer, names, 0, server, topic, item);
}

void TMainWin::DdeLinkTimeSeries()
{
    if (!DdeServer || !DdeServer->Instance()) return;
    DdeServer->DisconnectAll();
    DdeClientLink = 0;
    DdeLinkAxisFlag = 0;
    RpmLinkFlag = 0;
    TLinkNames names(DdeServer->Instance());
    const char(*n)[LinkNameSize] = DdeLinkNames;
    if (!LinkSlot(*DdeServer, names, 0, n[LinkServer1], n[LinkTopic1], n[LinkItem1])) return;
    if (!LinkSlot(*DdeServer, names, 1, n[LinkServer2], n[LinkTopic2], n[LinkItem2])) return;
    if (DdeLinkMode == 2 && !LinkSlot(*DdeServer, names, 2, n[LinkServer3], n[LinkTopic3], n[LinkItem3])) return;
    DdeLinkClearTables();
    DdeClientLink = 1;
    DdeLinkReadDetails(DdeServer->LinkConversation(1), n[LinkItem2]);
}

void TMainWin::DdeLinkReadDetails(HCONV conversation, const char* item)
{
    if (!DdeClientLink || !DdeServer) return;
    const std::string base = TLinkDetails::BaseName(item);
    auto request = [&](const char* name, char* reply, size_t size) {
        return DdeLinkRequestItem(conversation, (base + name).c_str(), reply, size);
    };
    char reply[TLinkDetails::ReplyLimit + 1] = {};
    request("points", reply, sizeof reply);
    DdeLinkPoints = TLinkDetails::Points(reply);
    reply[0] = '\0';
    request("rate", reply, sizeof reply);
    DdeLinkRateValue = TLinkDetails::RateValue(DdeLinkPoints, reply);
    request("xLabel", DdeLinkAxisName, sizeof DdeLinkAxisName);
    request("xUnits", DdeLinkAxisUnit, sizeof DdeLinkAxisUnit);
    DdeLinkAxisFlag = TLinkDetails::IsFrequencyAxis(DdeLinkAxisUnit) ? 1 : 0;
    request("yLabel", DdeLinkYName, sizeof DdeLinkYName);
    request("yUnits", DdeLinkYUnit, sizeof DdeLinkYUnit);

    // The partner program names its active test, the topic of its settings.
    TLinkNames names(DdeServer->Instance());
    HCONV partner = ::DdeConnect(DdeServer->Instance(), names(PartnerService), names("Main"), nullptr);
    if (!partner) {
        RpmLinkFlag = 0;
        return;
    }
    char test[TLinkDetails::ReplyLimit + 1] = {};
    DdeLinkRequestItem(partner, "ActiveTestAsLongFileName", test, sizeof test);
    ::DdeDisconnect(partner);
    partner = ::DdeConnect(DdeServer->Instance(), names(PartnerService), names(test), nullptr);
    if (!partner) return;
    RpmLinkFlag = 0;
    reply[0] = '\0';
    DdeLinkRequestItem(partner, "OrderTracking", reply, sizeof reply);
    if (TLinkDetails::IsYes(reply)) {
        RpmLinkFlag = 1;
        RpmEntryCount = 0;
        char start[TLinkDetails::ReplyLimit + 1] = {};
        char increment[TLinkDetails::ReplyLimit + 1] = {};
        DdeLinkRequestItem(partner, "StartingTrigger", start, sizeof start);
        DdeLinkRequestItem(partner, "TriggerIncrement", increment, sizeof increment);
        TLinkDetails::TriggerValues(start, increment, RpmStart, RpmStep);
        DdeLinkRequestItem(partner, "XAxisUnits", DdeLinkAxisName, sizeof DdeLinkAxisName);
        DdeLinkRequestItem(partner, "YAxisUnits", DdeLinkYName, sizeof DdeLinkYName);
        DdeLinkAxisUnit[0] = '\0';
        DdeLinkYUnit[0] = '\0';
    }
    ::DdeDisconnect(partner);
}

bool TMainWin::DdeLinkRequestItem(HCONV conversation, const char* item, char* reply, size_t size)
{
    if (!DdeClientLink || !DdeServer) return false;
    TLinkNames names(DdeServer->Instance());
    HDDEDATA data = ::DdeClientTransaction(nullptr, 0, conversation, names(item), CF_TEXT, XTYP_REQUEST,
                                           LinkTimeoutMs, nullptr);
    if (!data) {
        char text[TLinkDetails::ReplyLimit + 64];
        std::snprintf(text, sizeof text, "DDE item not available:Item: %s", item);
        Say(text);
        return false;
    }
    DropLateAcknowledgement(conversation);
    char text[TLinkDetails::ReplyLimit + 1] = {};
    const DWORD got = ::DdeGetData(data, reinterpret_cast<BYTE*>(text), TLinkDetails::ReplyLimit, 0);
    ::DdeFreeDataHandle(data);
    TLinkDetails::CopyReply(reply, size, text, got);
    return true;
}

HDDEDATA TMainWin::DdeLinkData(HCONV, HDDEDATA)
{
    return reinterpret_cast<HDDEDATA>(UINT_PTR(DDE_FACK));
}

void TMainWin::DdeLinkClearTables()
{
    for (RpmEntry* table : {RpmEntries, DdeLinkEntries})
        for (int i = 0; i < RpmEntryCapacity; ++i) {
            RpmEntry& entry = table[i];
            entry.Rpm = 0.0f;
            entry.Value = 0;
            if (entry.Block) {
                ::GlobalUnlock(entry.Block);
                ::GlobalFree(entry.Block);
            }
            entry.Block = nullptr;
        }
}

void TMainWin::DdeLinkDisconnected()
{
    DdeClientLink = 0;
    DdeLinkAxisFlag = 0;
    RpmLinkFlag = 0;
    RpmEntryCount = 0;
}

const char* TMainWin::GetDdeLinkLabel(int which) const
{
    const char* const labels[] = {DdeLinkAxisName, DdeLinkAxisUnit, DdeLinkYName, DdeLinkYUnit};
    return which >= 0 && which < 4 ? labels[which] : "";
}
