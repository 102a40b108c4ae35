#include "platform/window_place.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/line_reader.h"

namespace datrax::platform {

namespace {

// Larger windows than this are not a remembered size but a damaged file.
constexpr int kLargestWindow = 1 << 15;
// Four numbers and their blanks never need more.
constexpr size_t kLongestLine = 256;

// The largest size of the given shape that fits width x height.
void fit_shape(int shape_w, int shape_h, int width, int height, int& w, int& h) {
    if (int64_t{width} * shape_h <= int64_t{height} * shape_w) {
        w = width;
        h = static_cast<int>(std::lround(static_cast<double>(width) * shape_h / shape_w));
    } else {
        h = height;
        w = static_cast<int>(std::lround(static_cast<double>(height) * shape_w / shape_h));
    }
    w = std::clamp(w, 1, std::max(width, 1));
    h = std::clamp(h, 1, std::max(height, 1));
}

ScreenRect centred(int width, int height, const ScreenRect& usable) {
    return {usable.x + (usable.width - width) / 2, usable.y + (usable.height - height) / 2, width, height};
}

}  // namespace

ScreenRect fit_window(int canvas_w, int canvas_h, const ScreenRect& usable, double pixels_per_unit) {
    const double ppu = pixels_per_unit > 0 ? pixels_per_unit : 1;
    const int multiple =
        std::min(static_cast<int>(usable.width * ppu) / canvas_w, static_cast<int>(usable.height * ppu) / canvas_h);
    int w = 0, h = 0;
    if (multiple >= 1) {
        w = static_cast<int>(std::lround(canvas_w * multiple / ppu));
        h = static_cast<int>(std::lround(canvas_h * multiple / ppu));
    } else {
        fit_shape(canvas_w, canvas_h, usable.width, usable.height, w, h);
    }
    return centred(w, h, usable);
}

ScreenRect keep_inside(ScreenRect place, const ScreenRect& usable) {
    if (place.width > usable.width || place.height > usable.height)
        fit_shape(place.width, place.height, std::min(place.width, usable.width), std::min(place.height, usable.height),
                  place.width, place.height);
    place.x = std::clamp(place.x, usable.x, usable.x + usable.width - place.width);
    place.y = std::clamp(place.y, usable.y, usable.y + usable.height - place.height);
    return place;
}

bool read_window_place(const std::string& path, ScreenRect& place) {
    // Like the profile: a regular file only, opened without waiting, and
    // never more than one short line read, whatever stands there.
    LineReader in(kLongestLine);
    std::string_view first;
    if (!in.open(path) || !in.next_line(first)) return false;
    std::string rest;
    std::istringstream fields{std::string(first)};
    ScreenRect p;
    if (!(fields >> p.x >> p.y >> p.width >> p.height) || (fields >> rest)) return false;
    if (p.width < 1 || p.height < 1 || p.width > kLargestWindow || p.height > kLargestWindow) return false;
    place = p;
    return true;
}

bool write_window_place(const std::string& path, const ScreenRect& place) {
    std::ostringstream line;
    line << place.x << ' ' << place.y << ' ' << place.width << ' ' << place.height << '\n';
    std::string error;
    return replace_file(path, line.str(), error);
}

}  // namespace datrax::platform
