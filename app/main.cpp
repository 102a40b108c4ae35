// The entry point of `datrax`: opens the desktop window and runs the program
// in it. Besides --help and --version the program takes only the names of up
// to two data files to open: all configuration lives in the profile file and
// the menus.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_program.h"
#include "base/file_name.h"
#include "platform/sdl_window.h"

namespace {

constexpr const char* kUsage =
    "usage: datrax [FILE [FILE2]]\n"
    "       datrax --help | --version\n"
    "\n"
    "DATRAX is an interactive viewer and plotter for gravity and pressure time\n"
    "series. It opens its own window; every command is a letter typed there.\n"
    "FILE is read into data set 1 and FILE2 into data set 2 (a GGP file fills\n"
    "both), and the program opens in the data menu.\n"
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
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' || files.size() == 2) {
            std::fprintf(stderr, "datrax: unknown argument '%s'\n%s", argv[i], kUsage);
            return 2;
        }
        if (std::strlen(argv[i]) > static_cast<size_t>(datrax::kNameLength)) {
            // Cut, it could name another file.
            std::fprintf(stderr, "datrax: file name longer than %d characters\n", datrax::kNameLength);
            return 2;
        }
        files.emplace_back(argv[i]);
    }

    std::string error;
    std::unique_ptr<datrax::platform::SdlWindow> window = datrax::platform::SdlWindow::open(error);
    if (!window) {
        // SDL's own reason tells a missing display from a broken driver.
        std::fprintf(stderr,
                     "datrax: cannot open a window: %s\n"
                     "Run it on a desktop, or without one: xvfb-run -a datrax\n",
                     error.c_str());
        return 1;
    }
    datrax::platform::set_window(window.get());
    const int status = datrax::run_datrax(files);
    datrax::platform::set_window(nullptr);
    return status;
}
