#include "platform/window.h"

#include <cassert>
#include <cstdio>

namespace datrax::platform {

namespace {
Window* g_window = nullptr;
}

Window& window() {
    assert(g_window && "no window has been set for the run");
    return *g_window;
}

void set_window(Window* w) { g_window = w; }

void Window::set_title(std::string_view program) {
    program_ = program;
    show_title();
}

void Window::set_data_file(std::string_view file_name) {
    // A slash and a backslash both end a folder part of a data file's name.
    const size_t folder_end = file_name.find_last_of("/\\");
    data_file_ = folder_end == std::string_view::npos ? file_name : file_name.substr(folder_end + 1);
    show_title();
}

std::string Window::title() const {
    if (data_file_.empty() || program_.empty()) return data_file_ + program_;
    return data_file_ + " - " + program_;
}

void Window::console_line(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace datrax::platform
