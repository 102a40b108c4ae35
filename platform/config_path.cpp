#include "platform/config_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace datrax::platform {

namespace {
std::string g_override;

std::string default_profile_path() {
    namespace fs = std::filesystem;
    fs::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".config";
    else
        base = ".";
    const fs::path dir = base / "datrax";
    std::error_code ec;
    fs::create_directories(dir, ec);
    return (dir / "datra.pro").string();
}
}  // namespace

std::string profile_file_path() { return g_override.empty() ? default_profile_path() : g_override; }

void set_profile_file_path(const std::string& path) { g_override = path; }

std::string window_file_path() {
    return (std::filesystem::path(profile_file_path()).parent_path() / "window").string();
}

}  // namespace datrax::platform
