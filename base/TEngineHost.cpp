#include "base/TEngineHost.h"

#include "base/THeadlessEngineHost.h"

#include <filesystem>

namespace {

TEngineHost* installedHost = nullptr;

}  // namespace

TEngineHost& TEngineHost::Get()
{
    static THeadlessEngineHost headless;
    return installedHost ? *installedHost : headless;
}

void TEngineHost::Install(TEngineHost* host)
{
    installedHost = host;
}

int TEngineHost::ShowFileMessage(const std::string& path, const std::string& text, const std::string& caption,
                                 unsigned style)
{
    // A file that changed is another file: its size or its time tells.
    std::error_code error;
    const std::filesystem::path file(path);
    const auto size = std::filesystem::file_size(file, error);
    const auto stamp = error ? 0 : std::filesystem::last_write_time(file, error).time_since_epoch().count();
    const std::string key =
        path + '\n' + std::to_string(error ? 0 : size) + '\n' + std::to_string(stamp) + '\n' + text;
    if (!ReportedFiles.insert(key).second) return 0;
    return ShowMessage(text, caption, style);
}

void TEngineHost::ForgetFileMessages(const std::string& path)
{
    if (path.empty()) {
        ReportedFiles.clear();
        return;
    }
    const std::string prefix = path + '\n';
    for (auto i = ReportedFiles.lower_bound(prefix); i != ReportedFiles.end() && i->rfind(prefix, 0) == 0;)
        i = ReportedFiles.erase(i);
}
