#include "framework/UiHelpers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "base/TEngineHost.h"
#include "framework/TChooseColorDialog.h"
#include "framework/TWindow.h"

namespace {
HINSTANCE StringInstance = nullptr;
char StringBuffer[256];
char TimeBuffer[32];

OSVERSIONINFOA Version()
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    ::GetVersionExA(&v);
    return v;
}
}

void SetStringInstance(HINSTANCE instance)
{
    StringInstance = instance;
}

const char* LoadStr(uint16_t id)
{
    if (!StringInstance) TEngineHost::Get().ShowMessage("Invalid instance", "Tonalyx", TEngineHost::MsgOk);
    if (::LoadStringA(StringInstance, id, StringBuffer, 255) == 0) {
        char text[64];
        std::snprintf(text, sizeof text, "StringTable entry %d not found", id);
        TEngineHost::Get().ShowMessage(text, "Tonalyx", TEngineHost::MsgOk);
    }
    return StringBuffer;
}

void CenterWindow(HWND mainWindow, HWND dialog)
{
    RECT box;
    ::GetWindowRect(dialog, &box);
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    RECT client;
    ::GetClientRect(mainWindow, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(mainWindow, &centre);
    ::MoveWindow(dialog, centre.x - w / 2, centre.y - h / 2, w, h, FALSE);
}

const char* FormatTime(float seconds, bool withMilliseconds, bool fullForm)
{
    bool negative = seconds < 0;
    double s = std::fabs(double(seconds));
    double whole = std::trunc(s);
    // Wraps at one day; the largest float seconds fit in 64 bits.
    long long w = static_cast<long long>(whole);
    if (s > 86400) w %= 86400;
    int h = int(w / 3600);
    int m = int((w - 3600LL * h) / 60);
    int sec = int(w - 3600LL * h - 60LL * m);
    const char* sign = negative ? "-" : "";
    if (withMilliseconds) {
        int ms = int((s - whole) * 1000);
        if (!fullForm && h == 0 && m == 0)
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%d.%03d", sign, sec, ms);
        else if (!fullForm && h == 0)
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%d:%02d.%03d", sign, m, sec, ms);
        else
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%02d:%02d:%02d.%03d", sign, h, m, sec, ms);
    } else {
        if (!fullForm && h == 0 && m == 0)
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%d", sign, sec);
        else if (!fullForm && h == 0)
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%d:%02d", sign, m, sec);
        else
            std::snprintf(TimeBuffer, sizeof TimeBuffer, "%s%02d:%02d:%02d", sign, h, m, sec);
    }
    return TimeBuffer;
}

TRect ClientToScreenRect(HWND window, const TRect& rect)
{
    POINT a{rect.left, rect.top}, b{rect.right, rect.bottom};
    ::ClientToScreen(window, &a);
    ::ClientToScreen(window, &b);
    return TRect(a.x, a.y, b.x, b.y);
}

TRect ScreenToClientRect(HWND window, const TRect& rect)
{
    POINT a{rect.left, rect.top}, b{rect.right, rect.bottom};
    ::ScreenToClient(window, &a);
    ::ScreenToClient(window, &b);
    return TRect(a.x, a.y, b.x, b.y);
}

void DefaultCustomColors(COLORREF initial, COLORREF colors[16])
{
    static const COLORREF Fixed[15] = {
        RGB(0, 0, 128), RGB(0, 128, 0), RGB(128, 0, 0), RGB(0, 128, 128), RGB(128, 0, 128),
        RGB(128, 128, 0), RGB(128, 128, 128), RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0),
        RGB(0, 255, 255), RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255), RGB(192, 192, 192),
    };
    colors[0] = initial;
    for (int i = 0; i < 15; ++i) colors[i + 1] = Fixed[i];
}

TColor ChooseColorDialog(TWindow* owner, TColor initial)
{
    COLORREF custom[16];
    DefaultCustomColors(initial, custom);
    TChooseColorDialog::TData data;
    data.Flags = CC_RGBINIT;
    data.Color = initial;
    data.CustColors = custom;
    TChooseColorDialog(owner, data).Execute();
    return data.Color;
}

bool IsWin32s(DWORD platform, DWORD, DWORD) { return platform == 0; }
bool IsWin95(DWORD platform, DWORD major, DWORD minor) { return platform == 1 && major == 4 && minor < 90; }
bool IsWinMe(DWORD platform, DWORD major, DWORD minor) { return platform == 1 && major == 4 && minor == 90; }
bool IsWinNT3(DWORD platform, DWORD major, DWORD) { return platform == 2 && major < 4; }
bool IsWinXP(DWORD platform, DWORD major, DWORD minor) { return platform == 2 && major == 5 && minor > 0; }
bool IsWinNT6(DWORD platform, DWORD major, DWORD) { return platform == 2 && major == 6; }

#define TONALYX_VERSION_TEST(name) \
    bool name() { OSVERSIONINFOA v = Version(); return name(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion); }
TONALYX_VERSION_TEST(IsWin32s)
TONALYX_VERSION_TEST(IsWin95)
TONALYX_VERSION_TEST(IsWinMe)
TONALYX_VERSION_TEST(IsWinNT3)
TONALYX_VERSION_TEST(IsWinXP)
TONALYX_VERSION_TEST(IsWinNT6)
#undef TONALYX_VERSION_TEST

bool IsColorDevice(HDC dc)
{
    return ::GetDeviceCaps(dc, BITSPIXEL) >= 2 || ::GetDeviceCaps(dc, NUMCOLORS) >= 3
        || ::GetDeviceCaps(dc, PLANES) >= 2;
}

void CopyPathFolder(const char* source, char* destination)
{
    if (!source || !destination) return;
    std::strcpy(destination, source);
    for (size_t i = std::strlen(destination); i-- > 1;) {
        if (destination[i] == '\\') {
            destination[i] = '\0';
            return;
        }
    }
}

bool FloatsEqualToDigits(float a, float b, int digits)
{
    double p = std::trunc(std::pow(10.0, digits));
    return std::trunc(double(a) * p) == std::trunc(double(b) * p);
}

int CompareFloats(const void* a, const void* b)
{
    float x = *static_cast<const float*>(a);
    float y = *static_cast<const float*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

void SortFloats(float* values, int count)
{
    if (!values || count < 2) return;
    std::qsort(values, size_t(count), sizeof(float), CompareFloats);
}
