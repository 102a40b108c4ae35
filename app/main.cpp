// The entry point of `datrax`: opens the desktop window and runs the program
// in it.
#include <cstdio>
#include <memory>
#include <string>

#include "app/main_program.h"
#include "platform/sdl_window.h"

int main() {
    std::string error;
    std::unique_ptr<datrax::platform::SdlWindow> window = datrax::platform::SdlWindow::open(error);
    if (!window) {
        std::fputs("datrax: cannot open a window (no display?); run it on a desktop, or without one: xvfb-run -a datrax\n",
                   stderr);
        return 1;
    }
    datrax::platform::set_window(window.get());
    const int status = datrax::run_datrax();
    datrax::platform::set_window(nullptr);
    return status;
}
