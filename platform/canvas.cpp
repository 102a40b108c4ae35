#include "platform/canvas.h"

#include <algorithm>
#include <cassert>

#include "platform/font8x16.h"

namespace datrax::platform {

ModeSize mode_size(int mode) {
    static constexpr ModeSize kModes[4] = {{640, 480}, {800, 608}, {1024, 768}, {1280, 1024}};
    return kModes[std::clamp(mode, 1, 4) - 1];
}

Rgb palette_rgb(int index) {
    static constexpr Rgb kPalette[16] = {
        {0x00, 0x00, 0x00}, {0x00, 0x00, 0xAA}, {0x00, 0xAA, 0x00}, {0x00, 0xAA, 0xAA},
        {0xAA, 0x00, 0x00}, {0xAA, 0x00, 0xAA}, {0xAA, 0x55, 0x00}, {0xAA, 0xAA, 0xAA},
        {0x55, 0x55, 0x55}, {0x55, 0x55, 0xFF}, {0x55, 0xFF, 0x55}, {0x55, 0xFF, 0xFF},
        {0xFF, 0x55, 0x55}, {0xFF, 0x55, 0xFF}, {0xFF, 0xFF, 0x55}, {0xFF, 0xFF, 0xFF},
    };
    return kPalette[index & 15];
}

namespace {
// Every colour index is taken modulo 16 (absolute value first).
int colour_index(int c) { return (c < 0 ? -c : c) % 16; }
}  // namespace

Canvas::Canvas(int width, int height) { resize(width, height); }

void Canvas::resize(int width, int height) {
    assert(width > 0 && height > 0 && "canvas needs a positive size");
    w_ = width;
    h_ = height;
    px_.assign(static_cast<size_t>(w_) * h_, 0);
    grid_.assign(static_cast<size_t>(cols()) * rows(), ' ');
    restore_text_window();
    cur_row_ = cur_col_ = 1;
    set_viewport(0, 0, w_ - 1, h_ - 1);
    set_clip_rect(0, 0, w_ - 1, h_ - 1);
    ++gen_;
}

std::string Canvas::row_text(int row) const {
    std::string s(grid_.begin() + static_cast<long>(row) * cols(),
                  grid_.begin() + static_cast<long>(row + 1) * cols());
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// ---------------------------------------------------------------- text side

void Canvas::set_text_window(int row1, int col1, int row2, int col2) {
    tw_r1_ = std::clamp(row1, 1, rows());
    tw_c1_ = std::clamp(col1, 1, cols());
    tw_r2_ = std::clamp(row2, tw_r1_, rows());
    tw_c2_ = std::clamp(col2, tw_c1_, cols());
    cur_row_ = cur_col_ = 1;
}

void Canvas::restore_text_window() { set_text_window(1, 1, rows(), cols()); }

void Canvas::fill_cells(int col1, int row1, int col2, int row2, int colour) {
    const uint8_t c = static_cast<uint8_t>(colour_index(colour));
    for (int r = row1; r <= row2; ++r) {
        for (int y = r * CELL_H; y < (r + 1) * CELL_H; ++y)
            std::fill_n(px_.begin() + static_cast<long>(y) * w_ + col1 * CELL_W, (col2 - col1 + 1) * CELL_W, c);
        std::fill_n(grid_.begin() + static_cast<long>(r) * cols() + col1, col2 - col1 + 1, ' ');
    }
    ++gen_;
}

void Canvas::clear_text_window() {
    fill_cells(tw_c1_ - 1, tw_r1_ - 1, tw_c2_ - 1, tw_r2_ - 1, bg_);
    cur_row_ = cur_col_ = 1;
}

void Canvas::clear_screen() {
    fill_cells(0, 0, cols() - 1, rows() - 1, bg_);
    cur_row_ = cur_col_ = 1;
}

void Canvas::set_cursor(int row, int col) {
    cur_row_ = std::max(row, 1);
    cur_col_ = std::max(col, 1);
}

void Canvas::cursor(int& row, int& col) const {
    row = cur_row_;
    col = cur_col_;
}

void Canvas::put_cell(int col, int row, char ch) {
    grid_[static_cast<size_t>(row) * cols() + col] = ch == '\0' ? ' ' : ch;  // NUL shows as a blank
    const uint8_t fg = static_cast<uint8_t>(colour_index(fg_));
    const uint8_t bg = static_cast<uint8_t>(colour_index(bg_));
    const uint8_t* glyph = kFont8x16[static_cast<unsigned char>(ch)];
    for (int gy = 0; gy < CELL_H; ++gy) {
        uint8_t* p = &px_[static_cast<size_t>(row * CELL_H + gy) * w_ + col * CELL_W];
        for (int gx = 0; gx < CELL_W; ++gx) p[gx] = (glyph[gy] & (0x80 >> gx)) ? fg : bg;
    }
}

void Canvas::write_text(std::string_view s) {
    const int row = tw_r1_ - 1 + cur_row_ - 1;
    for (char ch : s) {
        const int col = tw_c1_ - 1 + cur_col_ - 1;
        if (row <= tw_r2_ - 1 && col <= tw_c2_ - 1) put_cell(col, row, ch);
        ++cur_col_;
    }
    ++gen_;
}

int Canvas::set_text_color(int c) {
    const int old = fg_;
    fg_ = c;
    return old;
}

int Canvas::set_bk_color(int c) {
    const int old = bg_;
    bg_ = c;
    return old;
}

// ------------------------------------------------------------ graphics side

void Canvas::set_viewport(int x1, int y1, int x2, int y2) {
    vp_x1_ = std::clamp(std::min(x1, x2), 0, w_ - 1);
    vp_y1_ = std::clamp(std::min(y1, y2), 0, h_ - 1);
    vp_x2_ = std::clamp(std::max(x1, x2), 0, w_ - 1);
    vp_y2_ = std::clamp(std::max(y1, y2), 0, h_ - 1);
    clip_x1_ = vp_x1_;
    clip_y1_ = vp_y1_;
    clip_x2_ = vp_x2_;
    clip_y2_ = vp_y2_;
}

void Canvas::set_world_window(double x1, double y1, double x2, double y2) {
    wx1_ = x1;
    wy1_ = y1;
    wx2_ = x2;
    wy2_ = y2;
    world_set_ = true;
}

void Canvas::set_clip_rect(int x1, int y1, int x2, int y2) {
    clip_x1_ = std::clamp(std::min(x1, x2) + vp_x1_, vp_x1_, vp_x2_);
    clip_y1_ = std::clamp(std::min(y1, y2) + vp_y1_, vp_y1_, vp_y2_);
    clip_x2_ = std::clamp(std::max(x1, x2) + vp_x1_, vp_x1_, vp_x2_);
    clip_y2_ = std::clamp(std::max(y1, y2) + vp_y1_, vp_y1_, vp_y2_);
}

void Canvas::set_line_style(uint16_t mask) {
    mask_ = mask;
    mask_bit_ = 0;
}

void Canvas::set_color(int c) { color_ = colour_index(c); }

void Canvas::world_to_pixel(double wx, double wy, int& px, int& py) const {
    const double sx = (vp_x2_ - vp_x1_) / (wx2_ - wx1_);
    const double sy = (vp_y2_ - vp_y1_) / (wy2_ - wy1_);
    const double fx = (wx - wx1_) * sx;
    const double fy = (wy2_ - wy) * sy;
    px = static_cast<int>(std::clamp(fx + 0.5, -1e6, 1e6));
    py = static_cast<int>(std::clamp(fy + 0.5, -1e6, 1e6));
}

void Canvas::plot(int x, int y) {
    const bool on = (mask_ & (0x8000 >> mask_bit_)) != 0;
    mask_bit_ = (mask_bit_ + 1) & 15;
    const int ax = x + vp_x1_, ay = y + vp_y1_;
    if (!on || ax < clip_x1_ || ax > clip_x2_ || ay < clip_y1_ || ay > clip_y2_) return;
    px_[static_cast<size_t>(ay) * w_ + ax] = static_cast<uint8_t>(color_);
}

void Canvas::draw_line_pixels(int x1, int y1, int x2, int y2) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x1, y1);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
    ++gen_;
}

void Canvas::move_to(int x, int y) {
    pen_x_ = x;
    pen_y_ = y;
}

void Canvas::line_to(int x, int y) {
    draw_line_pixels(pen_x_, pen_y_, x, y);
    move_to(x, y);
}

void Canvas::move_to_world(double x, double y) {
    pen_wx_ = x;
    pen_wy_ = y;
    world_to_pixel(x, y, pen_x_, pen_y_);
}

void Canvas::line_to_world(double x, double y) {
    int px, py;
    world_to_pixel(x, y, px, py);
    line_to(px, py);
    pen_wx_ = x;
    pen_wy_ = y;
}

void Canvas::world_position(double& x, double& y) const {
    x = pen_wx_;
    y = pen_wy_;
}

void Canvas::set_pixel(int x, int y) {
    const int ax = x + vp_x1_, ay = y + vp_y1_;
    if (ax < clip_x1_ || ax > clip_x2_ || ay < clip_y1_ || ay > clip_y2_) return;
    px_[static_cast<size_t>(ay) * w_ + ax] = static_cast<uint8_t>(color_);
    ++gen_;
}

void Canvas::flood_fill(int x, int y, int boundary) {
    const uint8_t b = static_cast<uint8_t>(colour_index(boundary));
    const uint8_t c = static_cast<uint8_t>(color_);
    auto inside = [&](int ax, int ay) {
        return ax >= clip_x1_ && ax <= clip_x2_ && ay >= clip_y1_ && ay <= clip_y2_;
    };
    std::vector<std::pair<int, int>> stack{{x + vp_x1_, y + vp_y1_}};
    std::vector<bool> seen(px_.size(), false);
    while (!stack.empty()) {
        auto [ax, ay] = stack.back();
        stack.pop_back();
        if (!inside(ax, ay)) continue;
        const size_t i = static_cast<size_t>(ay) * w_ + ax;
        if (seen[i] || px_[i] == b) continue;
        seen[i] = true;
        px_[i] = c;
        stack.push_back({ax + 1, ay});
        stack.push_back({ax - 1, ay});
        stack.push_back({ax, ay + 1});
        stack.push_back({ax, ay - 1});
    }
    ++gen_;
}

void Canvas::clear_graphics() {
    std::fill(px_.begin(), px_.end(), static_cast<uint8_t>(colour_index(bg_)));
    std::fill(grid_.begin(), grid_.end(), ' ');
    ++gen_;
}

}  // namespace datrax::platform
