// Writes the developer pages of the plotting library, each both as the
// screen draws it (PNG, mode 3) and as a plot file (HP-GL), so the two
// renderings can be compared side by side:
//
//   datrax-plotsheet [OUTDIR]
//
// writes glyph_sheet.png, glyph_sheet.plt, axes_page.png and axes_page.plt
// into OUTDIR (default: the current folder), replacing earlier copies.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/headless_window.h"
#include "platform/png_writer.h"
#include "plotlib/device.h"
#include "plotlib/plotlib.h"
#include "plotlib/specimen.h"

namespace {

using datrax::INTEGER;

bool write_page(const std::string& name, void (*draw)()) {
    datrax::platform::HeadlessWindow window;
    datrax::platform::set_window(&window);
    datrax::reset_plotlib();

    datrax::PLTDEV(2, 11, 3, 0, ".");
    draw();
    std::string error;
    const bool png_ok = datrax::platform::write_png(window.canvas(), name + ".png", error);
    if (!png_ok) std::fprintf(stderr, "datrax-plotsheet: %s.png: %s\n", name.c_str(), error.c_str());

    std::error_code ec;
    std::filesystem::remove(name + ".plt", ec);  // no overwrite question for our own output
    datrax::PLTDEV(1, 11, 0, 0, name + ".plt");
    draw();
    datrax::PLTCLS();
    datrax::platform::set_window(nullptr);
    return png_ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: datrax-plotsheet [OUTDIR]\n");
        return 1;
    }
    if (argc == 2) {
        std::error_code ec;
        std::filesystem::create_directories(argv[1], ec);
        std::filesystem::current_path(argv[1], ec);
        if (ec) {
            std::fprintf(stderr, "datrax-plotsheet: cannot use the folder %s: %s\n", argv[1], ec.message().c_str());
            return 1;
        }
    }
    const bool ok =
        write_page("glyph_sheet", datrax::draw_glyph_sheet) && write_page("axes_page", datrax::draw_axes_page);
    if (ok) std::printf("wrote glyph_sheet.png, glyph_sheet.plt, axes_page.png, axes_page.plt\n");
    return ok ? 0 : 1;
}
