// The functions of the cairo library that PDF, SVG and PNG plot files are
// drawn with, loaded when the first such file is opened: a run that draws
// only on the screen or into HP-GL files never loads cairo and the dozen
// libraries behind it, whose loading would otherwise slow every start.
#pragma once
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <string>

namespace datrax::paper {

struct CairoLibrary {
    decltype(&::cairo_pdf_surface_create_for_stream) pdf_surface_create_for_stream;
    decltype(&::cairo_svg_surface_create_for_stream) svg_surface_create_for_stream;
    decltype(&::cairo_image_surface_create) image_surface_create;
    decltype(&::cairo_surface_write_to_png_stream) surface_write_to_png_stream;
    decltype(&::cairo_surface_status) surface_status;
    decltype(&::cairo_surface_finish) surface_finish;
    decltype(&::cairo_surface_destroy) surface_destroy;
    decltype(&::cairo_create) create;
    decltype(&::cairo_destroy) destroy;
    decltype(&::cairo_scale) scale;
    decltype(&::cairo_set_source_rgb) set_source_rgb;
    decltype(&::cairo_paint) paint;
    decltype(&::cairo_set_line_width) set_line_width;
    decltype(&::cairo_set_line_cap) set_line_cap;
    decltype(&::cairo_set_line_join) set_line_join;
    decltype(&::cairo_set_dash) set_dash;
    decltype(&::cairo_move_to) move_to;
    decltype(&::cairo_line_to) line_to;
    decltype(&::cairo_stroke) stroke;
    decltype(&::cairo_reset_clip) reset_clip;
    decltype(&::cairo_rectangle) rectangle;
    decltype(&::cairo_clip) clip;
};

// The library's functions, loaded by the first call; nullptr when it cannot
// be loaded, with the reason in ERROR (every later call answers the same).
const CairoLibrary* cairo_library(std::string& error);

}  // namespace datrax::paper
