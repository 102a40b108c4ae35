// The software canvas shared by the real and the headless window: an indexed
// 16-colour framebuffer, a character grid kept beside the pixels (text cells
// of 8 x 16 pixels), the text side (text window, cursor, colours) and the
// graphics side (viewport, world window, clipping, line masks, fill).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datrax::platform {

constexpr int CELL_W = 8;
constexpr int CELL_H = 16;

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
    int cols() const { return w_ / CELL_W; }
    int rows() const { return h_ / CELL_H; }

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
    void set_viewport(int x1, int y1, int x2, int y2);
    // World window mapped onto the viewport, y growing upward.
    void set_world_window(double x1, double y1, double x2, double y2);
    void set_clip_rect(int x1, int y1, int x2, int y2);
    void set_line_style(uint16_t mask);
    uint16_t line_style() const { return mask_; }
    void set_color(int c);
    int color() const { return color_; }
    void move_to(int x, int y);  // viewport pixels
    void line_to(int x, int y);
    void move_to_world(double x, double y);
    void line_to_world(double x, double y);
    void world_position(double& x, double& y) const;
    void set_pixel(int x, int y);
    // Fills from a seed (viewport pixels) outward until colour `boundary`.
    void flood_fill(int x, int y, int boundary);
    void clear_graphics();  // the whole canvas in the background colour

private:
    void put_cell(int col, int row, char ch);
    void fill_cells(int col1, int row1, int col2, int row2, int colour);
    void plot(int x, int y);  // one pixel of a line, through mask and clip
    void draw_line_pixels(int x1, int y1, int x2, int y2);
    void world_to_pixel(double wx, double wy, int& px, int& py) const;

    int w_ = 0, h_ = 0;
    std::vector<uint8_t> px_;
    std::vector<char> grid_;
    uint64_t gen_ = 0;

    // text state
    int tw_r1_ = 1, tw_c1_ = 1, tw_r2_ = 1, tw_c2_ = 1;  // text window, 1-based inclusive
    int cur_row_ = 1, cur_col_ = 1;                     // relative to the text window
    int fg_ = 15, bg_ = 0;

    // graphics state
    int vp_x1_ = 0, vp_y1_ = 0, vp_x2_ = 0, vp_y2_ = 0;
    double wx1_ = 0, wy1_ = 0, wx2_ = 1, wy2_ = 1;
    bool world_set_ = false;
    int clip_x1_ = 0, clip_y1_ = 0, clip_x2_ = 0, clip_y2_ = 0;
    uint16_t mask_ = 0xFFFF;
    int mask_bit_ = 0;  // position in the mask, continued along a line
    int color_ = 15;
    int pen_x_ = 0, pen_y_ = 0;  // current position, viewport pixels
    double pen_wx_ = 0, pen_wy_ = 0;
};

}  // namespace datrax::platform
