#include "base/THeadlessEngineHost.h"

#include <chrono>
#include <ctime>

int THeadlessEngineHost::ShowMessage(const std::string& text, const std::string& caption, unsigned style)
{
    Messages.push_back({text, caption, style});
    return Reply;
}

uint32_t THeadlessEngineHost::TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TEngineHost::LocalTime THeadlessEngineHost::Now()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
#if defined(_WIN32)
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms};
}
