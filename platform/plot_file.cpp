#include "platform/plot_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace datrax::platform {

PlotFile::~PlotFile() { abandon(); }

PlotFile::PlotFile(PlotFile&& other) noexcept
    : file_(std::move(other.file_)),
      buf_(std::move(other.buf_)),
      used_(std::exchange(other.used_, 0)),
      open_(std::exchange(other.open_, false)),
      discard_(std::exchange(other.discard_, false)) {}

PlotFile& PlotFile::operator=(PlotFile&& other) noexcept {
    if (this != &other) {
        abandon();
        file_ = std::move(other.file_);
        buf_ = std::move(other.buf_);
        used_ = std::exchange(other.used_, 0);
        open_ = std::exchange(other.open_, false);
        discard_ = std::exchange(other.discard_, false);
    }
    return *this;
}

bool PlotFile::open(std::string_view name) {
    abandon();
    if (name.empty()) return false;
    discard_ = is_null_device_name(name);
    std::string error;
    if (!discard_ && !file_.open(plot_file_path(name), error)) return false;
    if (!buf_) buf_ = std::make_unique<char[]>(kCapacity);
    used_ = 0;
    open_ = true;
    return true;
}

void PlotFile::flush() {
    if (used_ > 0 && !discard_) file_.write(std::string_view(buf_.get(), used_));
    used_ = 0;
}

void PlotFile::write(std::string_view s) {
    while (!s.empty()) {
        const size_t n = std::min(s.size(), kCapacity);
        std::memcpy(reserve(n), s.data(), n);
        commit(n);
        s.remove_prefix(n);
    }
}

bool PlotFile::flush_all() {
    if (!open_) return false;
    flush();
    return discard_ || !file_.failed();
}

void PlotFile::abandon() {
    if (!open_) return;
    file_.abandon();
    used_ = 0;
    open_ = false;
    discard_ = false;
}

bool PlotFile::close() {
    if (!open_) return true;
    flush();
    std::string error;
    const bool ok = discard_ || file_.commit(error);
    open_ = false;
    discard_ = false;
    return ok;
}

bool is_null_device_name(std::string_view name) {
    // "nul.pdf" or "NUL" are files like any other: only the names that can
    // mean nothing else discard a plot.
    return name.empty() || name == "nul" || name == "/dev/null";
}

std::string plot_file_path(std::string_view name) {
    if (is_null_device_name(name)) return "/dev/null";
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool plot_file_exists(std::string_view name) {
    if (name.empty() || is_null_device_name(name)) return false;
    std::error_code ec;
    return std::filesystem::exists(plot_file_path(name), ec);
}

}  // namespace datrax::platform
