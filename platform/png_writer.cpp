#include "platform/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <string_view>

#include "platform/atomic_file.h"

namespace datrax::platform {

namespace {

struct WriteContext {
    std::string message;  // libpng's error text
};

void on_png_error(png_structp png, png_const_charp msg) {
    static_cast<WriteContext*>(png_get_error_ptr(png))->message = msg;
    std::longjmp(png_jmpbuf(png), 1);
}

void on_png_warning(png_structp, png_const_charp) {}

void on_png_write(png_structp png, png_bytep data, size_t length) {
    static_cast<AtomicFile*>(png_get_io_ptr(png))->write(std::string_view(reinterpret_cast<const char*>(data), length));
}

void on_png_flush(png_structp) {}

// The libpng part, kept free of C++ objects with destructors because a
// libpng error longjmps out of it.
bool encode(const Canvas& canvas, AtomicFile& file, WriteContext& ctx) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, on_png_error, on_png_warning);
    if (!png) {
        ctx.message = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        if (ctx.message.empty()) ctx.message = "out of memory";
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &file, on_png_write, on_png_flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.width()), static_cast<png_uint_32>(canvas.height()), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[16];
    for (int i = 0; i < 16; ++i) {
        const Rgb c = palette_rgb(i);
        palette[i] = {c.r, c.g, c.b};
    }
    png_set_PLTE(png, info, palette, 16);
    png_write_info(png, info);
    const uint8_t* row = canvas.pixels().data();
    for (int y = 0; y < canvas.height(); ++y, row += canvas.width()) png_write_row(png, row);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png(const Canvas& canvas, const std::string& path, std::string& error) {
    AtomicFile file;
    if (!file.open(path, error)) return false;
    WriteContext ctx;
    if (!encode(canvas, file, ctx)) {
        error = "cannot write " + path + ": " + ctx.message;
        return false;  // the unfinished file is abandoned
    }
    return file.commit(error);
}

}  // namespace datrax::platform
