#pragma once
// A DDE client of the program's server, in this test process: requests,
// executes and advise links, with the advise data kept by item name.
#include <windows.h>
#include <ddeml.h>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include "tests/automation/ProgramRun.h"

namespace {

// Advise data as it arrives, by item name.
inline std::map<std::string, std::vector<std::string>> Advised;

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR);

class TDdeClient {
public:
    TDdeClient()
    {
        ::DdeInitializeA(&Instance, &ClientCallback, APPCMD_CLIENTONLY, 0);
        Self = this;
    }
    ~TDdeClient()
    {
        for (HSZ h : Handles) ::DdeFreeStringHandle(Instance, h);
        ::DdeUninitialize(Instance);
        Self = nullptr;
    }
    HSZ Name(const std::string& text)
    {
        HSZ h = ::DdeCreateStringHandleA(Instance, text.c_str(), CP_WINANSI);
        Handles.push_back(h);
        return h;
    }
    std::string NameOf(HSZ h) const
    {
        char text[256] = {};
        ::DdeQueryStringA(Instance, h, text, sizeof text, CP_WINANSI);
        return text;
    }
    HCONV Connect(const std::string& service, const std::string& topic)
    {
        return ::DdeConnect(Instance, Name(service), Name(topic), nullptr);
    }
    // The text of an item, or nothing when the server has no data for it.
    std::optional<std::string> Request(HCONV c, const std::string& item, UINT format = CF_TEXT)
    {
        HDDEDATA data = ::DdeClientTransaction(nullptr, 0, c, Name(item), format, XTYP_REQUEST, 5000, nullptr);
        Drain(LateAckMs);
        if (!data) return std::nullopt;
        std::string text(::DdeGetData(data, nullptr, 0, 0), '\0');
        ::DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), DWORD(text.size()), 0);
        ::DdeFreeDataHandle(data);
        text.resize(strnlen(text.c_str(), text.size()));
        return text;
    }
    // True when the server acknowledged the command; LastResult keeps its flags.
    bool Execute(HCONV c, const std::string& command, DWORD timeoutMs = 10000)
    {
        DWORD& result = LastResult;
        result = 0;
        HDDEDATA ok = ::DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                                             DWORD(command.size() + 1), c, nullptr, CF_TEXT, XTYP_EXECUTE, timeoutMs,
                                             &result);
        Drain();
        return ok && (result & DDE_FACK);
    }
    bool Advise(HCONV c, const std::string& item, bool start)
    {
        HDDEDATA ok = ::DdeClientTransaction(nullptr, 0, c, Name(item), CF_TEXT, start ? XTYP_ADVSTART : XTYP_ADVSTOP,
                                             5000, nullptr);
        Drain();
        return ok != nullptr;
    }
    // Handles what is queued: advise data, and the late acknowledgement that a
    // Wine server sends after answering a request.
    void Drain(int ms = 0)
    {
        DrainMessages(ms);
    }

    // Long enough for the late acknowledgement that follows a request.
    static constexpr int LateAckMs = 20;
    DWORD LastResult = 0;
    DWORD Instance = 0;
    std::vector<HSZ> Handles;
    static TDdeClient* Self;
};
inline TDdeClient* TDdeClient::Self = nullptr;

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    if (type != XTYP_ADVDATA || !TDdeClient::Self) return nullptr;
    char text[1001] = {};
    ::DdeGetData(data, reinterpret_cast<BYTE*>(text), sizeof text - 1, 0);
    Advised[TDdeClient::Self->NameOf(item)].push_back(text);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

}  // namespace
