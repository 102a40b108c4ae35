#include "platform/canvas.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>

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
// Every colour index is taken modulo 16 (absolute value first; the most
// negative int has no absolute value in int, hence the unsigned arithmetic).
int colour_index(int c) {
    const unsigned magnitude = c < 0 ? 0u - static_cast<unsigned>(c) : static_cast<unsigned>(c);
    return static_cast<int>(magnitude % 16);
}
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
    std::string s(grid_.begin() + static_cast<long>(row) * cols(), grid_.begin() + static_cast<long>(row + 1) * cols());
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
        for (int y = r * kCellH; y < (r + 1) * kCellH; ++y)
            std::fill_n(px_.begin() + static_cast<long>(y) * w_ + col1 * kCellW, (col2 - col1 + 1) * kCellW, c);
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
    for (int gy = 0; gy < kCellH; ++gy) {
        uint8_t* p = &px_[static_cast<size_t>(row * kCellH + gy) * w_ + col * kCellW];
        for (int gx = 0; gx < kCellW; ++gx) p[gx] = (glyph[gy] & (0x80 >> gx)) ? fg : bg;
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

namespace {
// Pixel coordinates at or beyond this size are clipped in floating point
// before rasterizing, so the integer rasterizer never overflows and a line
// running far off the canvas costs no more than its visible part.
constexpr float kFar = 1 << 24;
constexpr double kFarSide = kFar - 1;  // the square's side used for cutting

bool near(float v) { return std::fabs(v) < kFar; }

// One rasterized line: pointer steps along the major and minor axis and the
// error increments (2 dmin per pixel, minor step at 2 dmaj).
struct Steps {
    ptrdiff_t major, minor;
    int32_t inc, wrap;
};

// Sets `count` pixels of a line from p on, through the mask m (most
// significant bit first). Solid: every pixel; Straight: no minor steps.
template <bool Solid, bool Straight>
void run_pixels(uint8_t* p, int32_t count, const Steps& s, int32_t err, uint16_t m, uint8_t c) {
    for (int32_t i = 0; i < count; ++i) {
        if (Solid || (m & 0x8000)) *p = c;
        if (!Solid) m = std::rotl(m, 1);
        p += s.major;
        if (!Straight) {
            err += s.inc;
            if (err >= s.wrap) {
                err -= s.wrap;
                p += s.minor;
            }
        }
    }
}

// Smallest integer >= a / b, for b > 0.
int64_t ceil_div(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }
}  // namespace

void Canvas::set_viewport(int x1, int y1, int x2, int y2) {
    vp_x1_ = std::clamp(std::min(x1, x2), 0, w_ - 1);
    vp_y1_ = std::clamp(std::min(y1, y2), 0, h_ - 1);
    vp_x2_ = std::clamp(std::max(x1, x2), 0, w_ - 1);
    vp_y2_ = std::clamp(std::max(y1, y2), 0, h_ - 1);
    clip_x1_ = vp_x1_;
    clip_y1_ = vp_y1_;
    clip_x2_ = vp_x2_;
    clip_y2_ = vp_y2_;
    update_world_scale();
}

void Canvas::set_world_window(double x1, double y1, double x2, double y2) {
    const float dx = static_cast<float>(x2) - static_cast<float>(x1);
    const float dy = static_cast<float>(y2) - static_cast<float>(y1);
    if (dx == 0 || dy == 0 || !std::isfinite(dx) || !std::isfinite(dy)) return;
    wx1_ = static_cast<float>(x1);
    wy1_ = static_cast<float>(y1);
    wx2_ = static_cast<float>(x2);
    wy2_ = static_cast<float>(y2);
    update_world_scale();
}

void Canvas::update_world_scale() {
    sx_ = static_cast<float>(vp_x2_ - vp_x1_) / (wx2_ - wx1_);
    sy_ = static_cast<float>(vp_y2_ - vp_y1_) / (wy2_ - wy1_);
}

void Canvas::set_clip_rect(int x1, int y1, int x2, int y2) {
    const auto to_x = [&](int v) { return std::clamp(static_cast<int64_t>(v) + vp_x1_, int64_t{0}, int64_t{w_ - 1}); };
    const auto to_y = [&](int v) { return std::clamp(static_cast<int64_t>(v) + vp_y1_, int64_t{0}, int64_t{h_ - 1}); };
    clip_x1_ = static_cast<int>(to_x(std::min(x1, x2)));
    clip_y1_ = static_cast<int>(to_y(std::min(y1, y2)));
    clip_x2_ = static_cast<int>(to_x(std::max(x1, x2)));
    clip_y2_ = static_cast<int>(to_y(std::max(y1, y2)));
}

void Canvas::set_line_style(uint16_t mask) {
    if (mask == mask_) return;
    mask_ = mask;
    mask_bit_ = 0;
}

void Canvas::set_color(int c) { color_ = colour_index(c); }

void Canvas::pen_to_world() {
    pen_wx_ = pen_x_ / sx_ + wx1_;
    pen_wy_ = wy2_ - pen_y_ / sy_;
}

void Canvas::move_to(int x, int y) {
    pen_x_ = static_cast<float>(x);
    pen_y_ = static_cast<float>(y);
    pen_to_world();
}

void Canvas::line_to(int x, int y) {
    line_to_pixel(static_cast<float>(x), static_cast<float>(y));
    pen_to_world();
}

void Canvas::move_to_world(double x, double y) {
    pen_x_ = (static_cast<float>(x) - wx1_) * sx_;
    pen_y_ = (wy2_ - static_cast<float>(y)) * sy_;
    pen_wx_ = x;
    pen_wy_ = y;
}

void Canvas::line_to_world(double x, double y) {
    line_to_pixel((static_cast<float>(x) - wx1_) * sx_, (wy2_ - static_cast<float>(y)) * sy_);
    pen_wx_ = x;
    pen_wy_ = y;
}

// Segments that stay in one column are vertical runs, and a chain of them
// covers exactly the rows from its lowest to its highest point; with a solid
// mask the order and count of those pixels leave no trace. Any other
// segment (another column, an end far off the canvas) is drawn as usual,
// after the pending column.
void Canvas::polyline_world(const float* x, const float* y, size_t n) {
    if (n == 0) return;
    if (mask_ != 0xFFFF) {  // a patterned mask runs on through every pixel
        for (size_t i = 0; i < n; ++i) line_to_world(x[i], y[i]);
        return;
    }
    bool open = false;  // a column span is pending
    int col = 0, lo = 0, hi = 0;
    int64_t bits = 0;  // mask bits the pending segments would have used
    const auto flush = [&] {
        if (!open) return;
        const unsigned phase = mask_bit_;
        draw_segment(col, lo, col, hi);
        mask_bit_ = static_cast<unsigned>((phase + bits) & 15);
        open = false;
    };
    for (size_t i = 0; i < n; ++i) {
        const float fx = (x[i] - wx1_) * sx_;
        const float fy = (wy2_ - y[i]) * sy_;
        if (near(pen_x_) && near(pen_y_) && near(fx) && near(fy) && static_cast<int>(fx) == static_cast<int>(pen_x_)) {
            const int y0 = static_cast<int>(pen_y_), y1 = static_cast<int>(fy);
            if (!open) {
                open = true;
                col = static_cast<int>(fx);
                lo = hi = y0;
                bits = 0;
            }
            lo = std::min(lo, y1);
            hi = std::max(hi, y1);
            bits += std::abs(int64_t{y1} - y0) + 1;
            pen_x_ = fx;
            pen_y_ = fy;
        } else {
            flush();
            line_to_pixel(fx, fy);
        }
    }
    flush();
    pen_wx_ = x[n - 1];
    pen_wy_ = y[n - 1];
}

void Canvas::world_position(double& x, double& y) const {
    x = pen_wx_;
    y = pen_wy_;
}

void Canvas::line_to_pixel(float fx, float fy) {
    if (near(pen_x_) && near(pen_y_) && near(fx) && near(fy))
        draw_segment(static_cast<int>(pen_x_), static_cast<int>(pen_y_), static_cast<int>(fx), static_cast<int>(fy));
    else
        draw_far_segment(pen_x_, pen_y_, fx, fy);
    pen_x_ = fx;
    pen_y_ = fy;
}

// Cuts a segment with an end point far off the canvas down to the square
// |x|, |y| < kFar, then rasterizes what is left. Each cut puts the end point
// exactly on the square's side and interpolates only the other coordinate,
// which keeps a line between two huge end points straight and in place.
// Segments with an infinite or undefined end draw nothing.
void Canvas::draw_far_segment(double x0, double y0, double x1, double y1) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return;
    constexpr double lim = kFarSide;
    const auto outcode = [](double x, double y) {
        return (x < -lim ? 1 : 0) | (x > lim ? 2 : 0) | (y < -lim ? 4 : 0) | (y > lim ? 8 : 0);
    };
    int c0 = outcode(x0, y0), c1 = outcode(x1, y1);
    for (int cuts = 0; (c0 | c1) && cuts < 4; ++cuts) {
        if (c0 & c1) return;  // wholly beyond one side
        const bool first = c0 != 0;
        double& x = first ? x0 : x1;
        double& y = first ? y0 : y1;
        const int code = first ? c0 : c1;
        if (code & 3) {
            const double side = code & 1 ? -lim : lim;
            y = y0 + (y1 - y0) * (side - x0) / (x1 - x0);
            x = side;
        } else {
            const double side = code & 4 ? -lim : lim;
            x = x0 + (x1 - x0) * (side - y0) / (y1 - y0);
            y = side;
        }
        (first ? c0 : c1) = outcode(x, y);
    }
    // Rounding may leave an end a hair outside after the last cut.
    const auto pixel = [](double v) { return static_cast<int>(std::clamp(v, -kFarSide, kFarSide)); };
    draw_segment(pixel(x0), pixel(y0), pixel(x1), pixel(y1));
}

// Rasterizes the segment between two viewport pixels, both ends included.
// Along the major axis, pixel i (0..n) sits at minor offset
// floor((2 i dmin + dmaj) / (2 dmaj)); that closed form lets the clip
// rectangle be applied by computing the first and last visible i instead of
// testing every pixel.
void Canvas::draw_segment(int x0, int y0, int x1, int y1) {
    x0 += vp_x1_;
    x1 += vp_x1_;
    y0 += vp_y1_;
    y1 += vp_y1_;
    const int64_t adx = std::abs(int64_t{x1} - x0), ady = std::abs(int64_t{y1} - y0);
    const bool x_major = adx >= ady;
    const int64_t dmaj = x_major ? adx : ady, dmin = x_major ? ady : adx;
    const unsigned phase = mask_bit_;
    mask_bit_ = static_cast<unsigned>((mask_bit_ + dmaj + 1) & 15);
    ++gen_;

    if (dmaj == 0) {
        if (in_clip(x0, y0) && ((mask_ << phase) & 0x8000))
            px_[static_cast<size_t>(y0) * w_ + x0] = static_cast<uint8_t>(color_);
        return;
    }
    const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    int64_t lo = 0, hi = dmaj;
    const bool inside = std::min(x0, x1) >= clip_x1_ && std::max(x0, x1) <= clip_x2_ && std::min(y0, y1) >= clip_y1_ &&
                        std::max(y0, y1) <= clip_y2_;
    if (!inside) {
        // Major axis: its coordinate must lie within the clip range.
        const int m0 = x_major ? x0 : y0, sm = x_major ? sx : sy;
        const int cm1 = x_major ? clip_x1_ : clip_y1_, cm2 = x_major ? clip_x2_ : clip_y2_;
        lo = std::max(lo, sm > 0 ? int64_t{cm1} - m0 : int64_t{m0} - cm2);
        hi = std::min(hi, sm > 0 ? int64_t{cm2} - m0 : int64_t{m0} - cm1);
        // Minor axis: the offset q(i) must lie within [klo, khi].
        const int n0 = x_major ? y0 : x0, sn = x_major ? sy : sx;
        const int cn1 = x_major ? clip_y1_ : clip_x1_, cn2 = x_major ? clip_y2_ : clip_x2_;
        const int64_t klo = sn > 0 ? int64_t{cn1} - n0 : int64_t{n0} - cn2;
        const int64_t khi = sn > 0 ? int64_t{cn2} - n0 : int64_t{n0} - cn1;
        if (dmin == 0) {
            if (klo > 0 || khi < 0) return;
        } else {
            lo = std::max(lo, ceil_div((2 * klo - 1) * dmaj, 2 * dmin));
            hi = std::min(hi, ceil_div((2 * khi + 1) * dmaj, 2 * dmin) - 1);
        }
        if (lo > hi) return;
    }

    // The offset and error term of pixel lo (no division for unclipped starts).
    const int64_t num = 2 * lo * dmin + dmaj;
    const int64_t q = lo == 0 ? 0 : num / (2 * dmaj);
    const int64_t err = lo == 0 ? dmaj : num % (2 * dmaj);
    const int64_t start_x = x_major ? x0 + sx * lo : x0 + sx * q;
    const int64_t start_y = x_major ? y0 + sy * q : y0 + sy * lo;
    uint8_t* p = px_.data() + start_y * w_ + start_x;
    const ptrdiff_t step_major = x_major ? sx : ptrdiff_t{sy} * w_;
    const ptrdiff_t step_minor = x_major ? ptrdiff_t{sy} * w_ : sx;
    const uint8_t c = static_cast<uint8_t>(color_);
    const uint16_t m = std::rotl(mask_, static_cast<int>((phase + lo) & 15));
    const Steps steps{step_major, step_minor, static_cast<int32_t>(2 * dmin), static_cast<int32_t>(2 * dmaj)};
    const int32_t count = static_cast<int32_t>(hi - lo + 1), e = static_cast<int32_t>(err);
    // Vertical and horizontal runs and solid lines (most of a curve) get
    // loops without the tests they do not need.
    if (mask_ == 0xFFFF)
        dmin == 0 ? run_pixels<true, true>(p, count, steps, e, m, c)
                  : run_pixels<true, false>(p, count, steps, e, m, c);
    else
        dmin == 0 ? run_pixels<false, true>(p, count, steps, e, m, c)
                  : run_pixels<false, false>(p, count, steps, e, m, c);
}

void Canvas::set_pixel(int x, int y) {
    const int64_t ax = int64_t{x} + vp_x1_, ay = int64_t{y} + vp_y1_;
    if (ax < clip_x1_ || ax > clip_x2_ || ay < clip_y1_ || ay > clip_y2_) return;
    px_[static_cast<size_t>(ay) * w_ + ax] = static_cast<uint8_t>(color_);
    ++gen_;
}

// Scanline fill: each popped seed grows into the widest open run of its row,
// which is painted and stamped as visited; every open run touching it in the
// rows above and below gets one seed. The stamps (reused between calls) let
// the fill pass through pixels that already have the fill colour.
void Canvas::flood_fill(int x, int y, int boundary) {
    const int64_t sx = int64_t{x} + vp_x1_, sy = int64_t{y} + vp_y1_;
    if (sx < clip_x1_ || sx > clip_x2_ || sy < clip_y1_ || sy > clip_y2_) return;
    const uint8_t b = static_cast<uint8_t>(colour_index(boundary));
    const uint8_t c = static_cast<uint8_t>(color_);
    if (fill_stamp_.size() != px_.size()) {
        fill_stamp_.assign(px_.size(), 0);
        fill_gen_ = 0;
    }
    if (++fill_gen_ == 0) {
        std::fill(fill_stamp_.begin(), fill_stamp_.end(), uint16_t{0});
        fill_gen_ = 1;
    }
    const auto open = [&](size_t i) { return px_[i] != b && fill_stamp_[i] != fill_gen_; };
    const auto at = [&](int ax, int ay) { return static_cast<size_t>(ay) * w_ + ax; };

    fill_stack_.clear();
    fill_stack_.push_back({static_cast<int>(sx), static_cast<int>(sy)});
    while (!fill_stack_.empty()) {
        const Seed s = fill_stack_.back();
        fill_stack_.pop_back();
        if (!open(at(s.x, s.y))) continue;
        int l = s.x, r = s.x;
        while (l > clip_x1_ && open(at(l - 1, s.y))) --l;
        while (r < clip_x2_ && open(at(r + 1, s.y))) ++r;
        std::fill(px_.begin() + static_cast<ptrdiff_t>(at(l, s.y)),
                  px_.begin() + static_cast<ptrdiff_t>(at(r, s.y)) + 1, c);
        std::fill(fill_stamp_.begin() + static_cast<ptrdiff_t>(at(l, s.y)),
                  fill_stamp_.begin() + static_cast<ptrdiff_t>(at(r, s.y)) + 1, fill_gen_);
        for (const int ny : {s.y - 1, s.y + 1}) {
            if (ny < clip_y1_ || ny > clip_y2_) continue;
            bool in_run = false;
            for (int nx = l; nx <= r; ++nx) {
                const bool o = open(at(nx, ny));
                if (o && !in_run) fill_stack_.push_back({nx, ny});
                in_run = o;
            }
        }
    }
    ++gen_;
}

void Canvas::clear_graphics() {
    std::fill(px_.begin(), px_.end(), static_cast<uint8_t>(colour_index(bg_)));
    std::fill(grid_.begin(), grid_.end(), ' ');
    ++gen_;
}

}  // namespace datrax::platform
