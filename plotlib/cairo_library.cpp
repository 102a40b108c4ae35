#include "plotlib/cairo_library.h"

#include <dlfcn.h>

#include <optional>
#include <utility>

#include "plotlib/paper.h"

namespace datrax::paper {

namespace {

// The name of the library as programs linked with it ask for it.
constexpr const char* kSystemCairo = "libcairo.so.2";

struct Loaded {
    std::string file = kSystemCairo;
    std::optional<CairoLibrary> functions;  // empty until loaded, or when loading failed
    std::string error;
    bool tried = false;
};

Loaded& loaded() {
    static Loaded l;
    return l;
}

// Looks up NAME into F; false (with the reason) when it is missing.
template <typename F>
bool find(void* handle, const char* name, F& f, std::string& error) {
    f = reinterpret_cast<F>(::dlsym(handle, name));
    if (!f) error = std::string("cairo function ") + name + " not found";
    return f != nullptr;
}

std::optional<CairoLibrary> load(const std::string& file, std::string& error) {
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        error = why ? why : "cannot load " + file;
        return std::nullopt;
    }
    CairoLibrary c{};
    const bool all =
        find(handle, "cairo_pdf_surface_create_for_stream", c.pdf_surface_create_for_stream, error) &&
        find(handle, "cairo_svg_surface_create_for_stream", c.svg_surface_create_for_stream, error) &&
        find(handle, "cairo_image_surface_create", c.image_surface_create, error) &&
        find(handle, "cairo_surface_write_to_png_stream", c.surface_write_to_png_stream, error) &&
        find(handle, "cairo_surface_status", c.surface_status, error) &&
        find(handle, "cairo_surface_finish", c.surface_finish, error) &&
        find(handle, "cairo_surface_destroy", c.surface_destroy, error) &&
        find(handle, "cairo_create", c.create, error) && find(handle, "cairo_destroy", c.destroy, error) &&
        find(handle, "cairo_scale", c.scale, error) && find(handle, "cairo_set_source_rgb", c.set_source_rgb, error) &&
        find(handle, "cairo_paint", c.paint, error) && find(handle, "cairo_set_line_width", c.set_line_width, error) &&
        find(handle, "cairo_set_line_cap", c.set_line_cap, error) &&
        find(handle, "cairo_set_line_join", c.set_line_join, error) &&
        find(handle, "cairo_set_dash", c.set_dash, error) && find(handle, "cairo_move_to", c.move_to, error) &&
        find(handle, "cairo_line_to", c.line_to, error) && find(handle, "cairo_stroke", c.stroke, error) &&
        find(handle, "cairo_reset_clip", c.reset_clip, error) && find(handle, "cairo_rectangle", c.rectangle, error) &&
        find(handle, "cairo_clip", c.clip, error);
    if (!all) {
        ::dlclose(handle);
        return std::nullopt;
    }
    return c;  // the library stays loaded for the rest of the run
}

}  // namespace

const CairoLibrary* cairo_library(std::string& error) {
    Loaded& l = loaded();
    if (!l.tried) {
        l.tried = true;
        l.functions = load(l.file, l.error);
    }
    error = l.error;
    return l.functions ? &*l.functions : nullptr;
}

void load_cairo_from(std::string file) {
    Loaded& l = loaded();
    l = Loaded{};
    l.file = std::move(file);
}

}  // namespace datrax::paper
