// The entry point of `datrax`: opens the desktop window and runs the program
// in it. Besides --help and --version the program takes no arguments: all
// configuration lives in the profile file and the menus.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/main_program.h"
#include "platform/sdl_window.h"

namespace {

constexpr const char* kUsage =
    "usage: datrax [--help | --version]\n"
    "\n"
    "DATRAX is an interactive viewer and plotter for gravity and pressure time\n"
    "series. It opens its own window; every command is a letter typed there.\n"
    "Settings live in $XDG_CONFIG_HOME/datrax/datra.pro (or ~/.config/datrax/datra.pro).\n"
    "See datrax(1) for the data formats and the files it writes.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("datrax %s\n", DATRAX_VERSION);
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "datrax: unknown argument '%s'\n%s", argv[1], kUsage);
        return 2;
    }

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
