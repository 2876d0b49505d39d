// A second program for the DDE tests of the main window: it pokes a file's
// bytes into a service, or serves request and advise items from a table.
//   dde_peer poke <service> <results file> <item> <data file> [<item> <data file> ...]
//     pokes each file in turn on one conversation and writes each poke's
//     result flags (0x8000, 0x4000 or 0) as a line; exits with 1 when it
//     could not connect.
//   dde_peer serve <table file> <log file> <service> [<service> ...]
//     serves every service on the table's topics until WM_QUIT; logs each
//     request as "topic<TAB>item"; advises its file items every 200 ms (no
//     other: under Wine any DDE message ends the client's wait for a reply).
// Table lines: "R" or "A", topic, item, reply, tab-separated; a reply
// "@<file>" is that file's bytes.
#include <windows.h>
#include <ddeml.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TEntry {
    bool Advise;
    std::string Topic, Item, Reply;
};

DWORD Instance = 0;
std::vector<TEntry> Table;
std::vector<HSZ> Services;
std::string LogPath;
// Advise links started: (topic, item) handles.
std::vector<std::pair<HSZ, HSZ>> Advised;
// The clients' conversations, ended one by one at the quit.
std::vector<HCONV> Conversations;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string NameOf(HSZ h)
{
    char text[1024] = {};
    ::DdeQueryStringA(Instance, h, text, sizeof text, CP_WINANSI);
    return text;
}

const TEntry* Find(HSZ topic, HSZ item, bool advise)
{
    const std::string t = NameOf(topic), i = NameOf(item);
    for (const TEntry& e : Table)
        if (lstrcmpiA(e.Topic.c_str(), t.c_str()) == 0 && lstrcmpiA(e.Item.c_str(), i.c_str()) == 0
            && (!advise || e.Advise))
            return &e;
    return nullptr;
}

bool ServesTopic(HSZ topic)
{
    const std::string t = NameOf(topic);
    for (const TEntry& e : Table)
        if (lstrcmpiA(e.Topic.c_str(), t.c_str()) == 0) return true;
    return false;
}

HDDEDATA Data(const TEntry& e, HSZ item)
{
    const std::string bytes = e.Reply.size() > 1 && e.Reply[0] == '@' ? ReadFile(e.Reply.substr(1)) : e.Reply + '\0';
    return ::DdeCreateDataHandle(Instance, reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                 DWORD(bytes.size()), 0, item, CF_TEXT, 0);
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV conversation, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(UINT_PTR(ServesTopic(topic)));
    case XTYP_CONNECT_CONFIRM:
        Conversations.push_back(conversation);
        return nullptr;
    case XTYP_DISCONNECT:
        std::erase(Conversations, conversation);
        return nullptr;
    case XTYP_REQUEST: {
        std::ofstream(LogPath, std::ios::app) << NameOf(topic) << '\t' << NameOf(item) << '\n';
        const TEntry* e = Find(topic, item, false);
        return e ? Data(*e, item) : nullptr;
    }
    case XTYP_ADVSTART:
        if (const TEntry* e = Find(topic, item, true)) {
            if (e->Reply.size() > 1 && e->Reply[0] == '@') {
                ::DdeKeepStringHandle(Instance, topic);
                ::DdeKeepStringHandle(Instance, item);
                Advised.emplace_back(topic, item);
            }
            return reinterpret_cast<HDDEDATA>(TRUE);
        }
        return reinterpret_cast<HDDEDATA>(FALSE);
    case XTYP_ADVREQ: {
        const TEntry* e = Find(topic, item, true);
        return e ? Data(*e, item) : nullptr;
    }
    default:
        return nullptr;
    }
}

int Poke(int argc, char** argv)
{
    HSZ s = ::DdeCreateStringHandleA(Instance, argv[2], CP_WINANSI);
    HSZ t = ::DdeCreateStringHandleA(Instance, "Data", CP_WINANSI);
    HCONV c = ::DdeConnect(Instance, s, t, nullptr);
    if (!c) return 1;
    std::ofstream results(argv[3]);
    for (int a = 4; a + 1 < argc; a += 2) {
        HSZ i = ::DdeCreateStringHandleA(Instance, argv[a], CP_WINANSI);
        std::string bytes = ReadFile(argv[a + 1]);
        DWORD result = 0;
        // Under Wine the answer is only in the result flags.
        ::DdeClientTransaction(reinterpret_cast<BYTE*>(bytes.data()), DWORD(bytes.size()), c, i, CF_TEXT, XTYP_POKE,
                               10000, &result);
        results << (result & (DDE_FACK | DDE_FBUSY)) << std::endl;
    }
    ::DdeDisconnect(c);
    return 0;
}

int Serve(int argc, char** argv)
{
    std::ifstream in(argv[2], std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        TEntry e;
        std::string kind;
        if (!std::getline(fields, kind, '\t') || !std::getline(fields, e.Topic, '\t')
            || !std::getline(fields, e.Item, '\t'))
            continue;
        std::getline(fields, e.Reply);
        e.Advise = kind == "A";
        Table.push_back(e);
    }
    LogPath = argv[3];
    for (int a = 4; a < argc; ++a) {
        Services.push_back(::DdeCreateStringHandleA(Instance, argv[a], CP_WINANSI));
        ::DdeNameService(Instance, Services.back(), nullptr, DNS_REGISTER);
    }
    ::SetTimer(nullptr, 0, 200, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd) {
            for (const auto& [topic, item] : Advised) ::DdePostAdvise(Instance, topic, item);
            continue;
        }
        ::DispatchMessageA(&msg);
    }
    for (HCONV c : std::vector<HCONV>(Conversations)) ::DdeDisconnect(c);
    for (HSZ s : Services) ::DdeNameService(Instance, s, nullptr, DNS_UNREGISTER);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    const std::string mode = argv[1];
    const bool serve = mode == "serve" && argc >= 5;
    if (!serve && !(mode == "poke" && argc >= 6 && argc % 2 == 0)) return 2;
    if (::DdeInitializeA(&Instance, &Callback, serve ? APPCLASS_STANDARD : APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return 3;
    const int result = serve ? Serve(argc, argv) : Poke(argc, argv);
    ::DdeUninitialize(Instance);
    return result;
}
