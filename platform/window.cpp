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

void Window::console_line(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace datrax::platform
