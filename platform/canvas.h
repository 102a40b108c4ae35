// The software canvas shared by the real and the headless window: an indexed
// 16-colour framebuffer, a character grid kept beside the pixels (text cells
// of 8 x 16 pixels), the text side (text window, cursor, colours) and the
// graphics side (viewport, world window, clipping, line masks, fill).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datrax::platform {

constexpr int kCellW = 8;
constexpr int kCellH = 16;

struct ModeSize {
    int width, height;
};
// Window size in pixels of graphics mode 1..4 (other values are clamped).
ModeSize mode_size(int mode);

// RGB of the standard PC text palette, index 0..15.
struct Rgb {
    uint8_t r, g, b;
};
Rgb palette_rgb(int index);

class Canvas {
public:
    explicit Canvas(int width = 640, int height = 480);

    // Resizes the framebuffer (clears pixels and text grid to colour 0).
    void resize(int width, int height);
    int width() const { return w_; }
    int height() const { return h_; }
    int cols() const { return w_ / kCellW; }
    int rows() const { return h_ / kCellH; }

    uint8_t pixel(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
    const std::vector<uint8_t>& pixels() const { return px_; }
    // Character at a text cell (0-based column and row); blank where cleared.
    char cell(int col, int row) const { return grid_[static_cast<size_t>(row) * cols() + col]; }
    // One row of the text grid with trailing blanks removed.
    std::string row_text(int row) const;
    // Incremented by every change, so a presenter knows when to repaint.
    uint64_t generation() const { return gen_; }

    // ---- text side (rows and columns from 1, relative to the text window) ----
    void set_text_window(int row1, int col1, int row2, int col2);
    void restore_text_window();
    void clear_text_window();  // fills the text window with the background colour
    void clear_screen();       // the whole canvas in the background colour
    void set_cursor(int row, int col);
    void cursor(int& row, int& col) const;
    // Writes characters at the cursor, advancing it; never wraps: characters
    // past the right edge of the text window are dropped.
    void write_text(std::string_view s);
    int set_text_color(int c);  // returns the previous text colour
    int set_bk_color(int c);    // returns the previous background colour
    int text_color() const { return fg_; }
    int bk_color() const { return bg_; }

    // ---- graphics side ----
    // Pixel arguments are viewport pixels (origin at the viewport's top-left
    // corner, y downward). Colour indices are taken modulo 16 after dropping
    // the sign.
    //
    // The world window is mapped onto the viewport in single precision and
    // truncated toward zero: px = (x - x1) * (vw - 1) / (x2 - x1) and
    // py = (y2 - y) * (vh - 1) / (y2 - y1), vw x vh being the viewport size in
    // pixels. The plotting library converts inches to pixels with the same
    // REAL arithmetic, so lines drawn in world coordinates meet the text and
    // markers it places by pixel.
    void set_viewport(int x1, int y1, int x2, int y2);  // also resets the clip rectangle to it
    // World window mapped onto the viewport, y growing upward: (x1, y1) is the
    // lower-left corner. A window of zero width or height is ignored.
    void set_world_window(double x1, double y1, double x2, double y2);
    void set_clip_rect(int x1, int y1, int x2, int y2);  // inclusive, within the canvas
    // 16-bit line-style mask, most significant bit first. The mask advances
    // one bit per pixel of every line (clipped pixels included; the shared
    // end point of two joined lines counts for both) and carries on from
    // line to line; setting a different mask restarts it.
    void set_line_style(uint16_t mask);
    uint16_t line_style() const { return mask_; }
    void set_color(int c);
    int color() const { return color_; }
    void move_to(int x, int y);
    void line_to(int x, int y);  // both end points drawn
    void move_to_world(double x, double y);
    void line_to_world(double x, double y);
    // line_to_world through the points (x[i], y[i]) in turn, pixel for pixel
    // the same: where consecutive points fall into one pixel column (the
    // bulk of a long curve), that column's vertical span is drawn once
    // instead of every segment.
    void polyline_world(const float* x, const float* y, size_t n);
    // The pen in world coordinates (after a pixel move: that pixel mapped back).
    void world_position(double& x, double& y) const;
    void set_pixel(int x, int y);  // current colour, through the clip rectangle
    // Fills the region around a seed pixel up to pixels of colour `boundary`
    // (and the clip rectangle) with the current colour; nothing happens when
    // the seed itself has the boundary colour.
    void flood_fill(int x, int y, int boundary);
    void clear_graphics();  // the whole canvas (and text grid) in the background colour

private:
    void put_cell(int col, int row, char ch);
    void fill_cells(int col1, int row1, int col2, int row2, int colour);
    void update_world_scale();
    void pen_to_world();  // the pen's world position from its pixel position
    void line_to_pixel(float fx, float fy);
    void draw_far_segment(double x0, double y0, double x1, double y1);
    void draw_segment(int x0, int y0, int x1, int y1);
    bool in_clip(int ax, int ay) const { return ax >= clip_x1_ && ax <= clip_x2_ && ay >= clip_y1_ && ay <= clip_y2_; }

    int w_ = 0, h_ = 0;
    std::vector<uint8_t> px_;
    std::vector<char> grid_;
    uint64_t gen_ = 0;

    // text state
    int tw_r1_ = 1, tw_c1_ = 1, tw_r2_ = 1, tw_c2_ = 1;  // text window, 1-based inclusive
    int cur_row_ = 1, cur_col_ = 1;                      // relative to the text window
    int fg_ = 15, bg_ = 0;

    // graphics state
    int vp_x1_ = 0, vp_y1_ = 0, vp_x2_ = 0, vp_y2_ = 0;          // viewport, canvas pixels inclusive
    float wx1_ = 0, wy1_ = 0, wx2_ = 1, wy2_ = 1;                // world window
    float sx_ = 1, sy_ = 1;                                      // viewport pixels per world unit
    int clip_x1_ = 0, clip_y1_ = 0, clip_x2_ = 0, clip_y2_ = 0;  // canvas pixels inclusive
    uint16_t mask_ = 0xFFFF;
    unsigned mask_bit_ = 0;  // position in the mask, carried along lines
    int color_ = 15;
    float pen_x_ = 0, pen_y_ = 0;  // pen in viewport pixels, before truncation
    double pen_wx_ = 0, pen_wy_ = 0;

    // Flood-fill scratch, kept between calls: a visit stamp per pixel and the
    // span stack.
    std::vector<uint16_t> fill_stamp_;
    uint16_t fill_gen_ = 0;
    struct Seed {
        int x, y;
    };
    std::vector<Seed> fill_stack_;
};

}  // namespace datrax::platform
