#include "platform/picture_scale.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <vector>

namespace datrax::platform {

PictureLayout layout_picture(int canvas_w, int canvas_h, int drawable_w, int drawable_h) {
    PictureLayout l;
    if (canvas_w < 1 || canvas_h < 1 || drawable_w < 1 || drawable_h < 1) return l;
    const int multiple = std::min(drawable_w / canvas_w, drawable_h / canvas_h);
    // A whole multiple that leaves at most one pixel over in the tighter
    // direction is shown as that multiple: a drawable one pixel off (window
    // managers, fractional desktop scales) must not blur the picture.
    const int spare = std::min(drawable_w - multiple * canvas_w, drawable_h - multiple * canvas_h);
    if (multiple >= 1 && spare <= 1) {
        l.multiple = multiple;
        l.width = multiple * canvas_w;
        l.height = multiple * canvas_h;
    } else if (int64_t{drawable_w} * canvas_h <= int64_t{drawable_h} * canvas_w) {
        l.width = drawable_w;
        l.height =
            std::clamp(static_cast<int>((int64_t{canvas_h} * drawable_w + canvas_w / 2) / canvas_w), 1, drawable_h);
    } else {
        l.height = drawable_h;
        l.width =
            std::clamp(static_cast<int>((int64_t{canvas_w} * drawable_h + canvas_h / 2) / canvas_h), 1, drawable_w);
    }
    l.x = (drawable_w - l.width) / 2;
    l.y = (drawable_h - l.height) / 2;
    return l;
}

bool canvas_pixel_at(const PictureLayout& layout, int canvas_w, int canvas_h, double px, double py, int& cx, int& cy) {
    const double fx = (px - layout.x) / layout.width, fy = (py - layout.y) / layout.height;
    if (!(fx >= 0 && fx < 1 && fy >= 0 && fy < 1)) return false;
    cx = std::min(static_cast<int>(fx * canvas_w), canvas_w - 1);
    cy = std::min(static_cast<int>(fy * canvas_h), canvas_h - 1);
    return true;
}

namespace {

// The input pixels one output pixel covers along one axis and how much of
// each, in units of 1/n_out of an input pixel: input pixel i spans
// [i * n_out, (i + 1) * n_out), output pixel o spans [o * n_in, (o + 1) * n_in),
// so the weights of every output pixel are whole numbers that sum to n_in.
struct Taps {
    int most = 0;                  // the largest number of taps of an output pixel
    std::vector<int> first;        // first input pixel of output pixel o
    std::vector<int> count;        // number of input pixels it covers
    std::vector<uint32_t> weight;  // o * most + j: weight of input first[o] + j
};

Taps make_taps(int n_in, int n_out) {
    Taps t;
    t.most = n_in / n_out + 2;
    t.first.resize(n_out);
    t.count.resize(n_out);
    t.weight.assign(static_cast<size_t>(n_out) * t.most, 0);
    for (int o = 0; o < n_out; ++o) {
        const int64_t lo = int64_t{o} * n_in, hi = lo + n_in;
        const int first = static_cast<int>(lo / n_out), last = static_cast<int>((hi - 1) / n_out);
        t.first[o] = first;
        t.count[o] = last - first + 1;
        assert(t.count[o] <= t.most && "an output pixel covers at most n_in / n_out + 2 input pixels");
        for (int i = first; i <= last; ++i) {
            const int64_t overlap = std::min(hi, int64_t{i + 1} * n_out) - std::max(lo, int64_t{i} * n_out);
            t.weight[static_cast<size_t>(o) * t.most + (i - first)] = static_cast<uint32_t>(overlap);
        }
    }
    return t;
}

// One canvas row resampled across: three sums (r, g, b) per output pixel,
// each n_in times the mean.
void resample_row(const uint8_t* src, const Taps& tx, const std::array<Rgb, 16>& rgb, std::vector<uint32_t>& out) {
    const int n = static_cast<int>(tx.first.size());
    for (int o = 0; o < n; ++o) {
        uint32_t r = 0, g = 0, b = 0;
        const uint32_t* w = &tx.weight[static_cast<size_t>(o) * tx.most];
        const uint8_t* s = src + tx.first[o];
        for (int j = 0; j < tx.count[o]; ++j) {
            const Rgb& c = rgb[s[j] & 15];
            r += w[j] * c.r;
            g += w[j] * c.g;
            b += w[j] * c.b;
        }
        out[3 * o] = r;
        out[3 * o + 1] = g;
        out[3 * o + 2] = b;
    }
}

}  // namespace

void area_average(const Canvas& canvas, int out_w, int out_h, uint32_t* out, int pitch) {
    const int in_w = canvas.width(), in_h = canvas.height();
    if (in_w < 1 || in_h < 1 || out_w < 1 || out_h < 1) return;
    // A sum is at most 255 * in_w * in_h, which fits 32 bits for any canvas
    // up to 4096 x 4096 (the largest mode is 1280 x 1024).
    assert(int64_t{in_w} * in_h <= 4096 * 4096 && "canvas too large for 32-bit sums");
    std::array<Rgb, 16> rgb;
    for (int i = 0; i < 16; ++i) rgb[i] = palette_rgb(i);
    const Taps tx = make_taps(in_w, out_w), ty = make_taps(in_h, out_h);

    // The resampled canvas rows an output row needs are kept in a ring, so
    // each canvas row is resampled across once.
    const int ring_size = ty.most;
    std::vector<std::vector<uint32_t>> ring(ring_size, std::vector<uint32_t>(static_cast<size_t>(out_w) * 3));
    std::vector<int> held(ring_size, -1);
    const double per_sum = 1.0 / (static_cast<double>(in_w) * in_h);
    std::vector<uint32_t> sum(static_cast<size_t>(out_w) * 3);
    for (int oy = 0; oy < out_h; ++oy) {
        std::fill(sum.begin(), sum.end(), 0);
        for (int j = 0; j < ty.count[oy]; ++j) {
            const int row = ty.first[oy] + j;
            std::vector<uint32_t>& across = ring[row % ring_size];
            if (held[row % ring_size] != row) {
                resample_row(canvas.pixels().data() + static_cast<size_t>(row) * in_w, tx, rgb, across);
                held[row % ring_size] = row;
            }
            const uint32_t w = ty.weight[static_cast<size_t>(oy) * ty.most + j];
            const uint32_t* a = across.data();
            uint32_t* acc = sum.data();
            for (size_t k = 0; k < sum.size(); ++k) acc[k] += w * a[k];
        }
        uint32_t* dst = out + static_cast<ptrdiff_t>(oy) * pitch;
        for (int ox = 0; ox < out_w; ++ox) {
            uint32_t px = 0xFF000000u;
            for (int c = 0; c < 3; ++c) px |= static_cast<uint32_t>(sum[3 * ox + c] * per_sum + 0.5) << (16 - 8 * c);
            dst[ox] = px;
        }
    }
}

}  // namespace datrax::platform
