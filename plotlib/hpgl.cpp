#include "plotlib/hpgl.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

#include "plotlib/plotlib.h"

namespace datrax::hpgl {

using plotlib_detail::plot;

namespace {
constexpr size_t kFieldWidth = 100;  // label and marker fields
constexpr char kEndOfText = '\x03';
}  // namespace

int put_int(char* out, int width, long long v) {
    char digits[24];
    int n = 0;
    unsigned long long a = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do {
        digits[n++] = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (v < 0) digits[n++] = '-';
    if (n > width) {
        std::memset(out, '*', width);
        return width;
    }
    std::memset(out, ' ', width - n);
    for (int i = 0; i < n; ++i) out[width - 1 - i] = digits[i];
    return width;
}

int put_fixed(char* out, int width, int decimals, double v) {
    char text[64];
    const auto res = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    const int n = res.ec == std::errc{} ? static_cast<int>(res.ptr - text) : width + 1;
    if (n > width) {
        std::memset(out, '*', width);
        return width;
    }
    std::memset(out, ' ', width - n);
    std::memcpy(out + width - n, text, n);
    return width;
}

bool file_open() { return plot.file.is_open(); }

void move(const char* command, INTEGER px, INTEGER py) {
    if (!file_open()) return;
    char* p = plot.file.reserve(18);
    std::memcpy(p, command, 3);
    put_int(p + 3, 6, px);
    p[9] = ',';
    put_int(p + 10, 6, py);
    p[16] = ';';
    p[17] = '\n';
    plot.file.commit(18);
}

void record(std::string_view text) {
    if (!file_open()) return;
    plot.file.write(text);
    plot.file.write("\n");
}

void page_size(INTEGER paper_code) {
    char line[16] = " PS";
    const int n = 3 + put_int(line + 3, 1, paper_code);
    std::memcpy(line + n, ";IN;", 4);
    record({line, static_cast<size_t>(n + 4)});
}

void input_window(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2) {
    char line[40] = " IW";
    int n = 3;
    const INTEGER v[4] = {x1, y1, x2, y2};
    for (int i = 0; i < 4; ++i) {
        n += put_int(line + n, 6, v[i]);
        line[n++] = i < 3 ? ',' : ';';
    }
    record({line, static_cast<size_t>(n)});
}

void pen_select(INTEGER pen) {
    char line[8] = " SP";
    int n = 3 + put_int(line + 3, 2, pen);
    line[n++] = ';';
    record({line, static_cast<size_t>(n)});
}

namespace {
void two_reals(const char* command, int width, REAL a, REAL b) {
    char line[40];
    std::memcpy(line, command, 3);
    int n = 3 + put_fixed(line + 3, width, 5, a);
    line[n++] = ',';
    n += put_fixed(line + n, width, 5, b);
    line[n++] = ';';
    record({line, static_cast<size_t>(n)});
}

// A field of at least kFieldWidth characters, blank-padded.
void padded_field(std::string_view head, std::string_view body, std::string_view tail) {
    plot.file.write(head);
    plot.file.write(body);
    plot.file.write(tail);
    const size_t used = body.size() + tail.size();
    if (used < kFieldWidth) plot.file.write(std::string(kFieldWidth - used, ' '));
}
}  // namespace

void char_size(REAL width_cm, REAL height_cm) { two_reals(" SI", 9, width_cm, height_cm); }

void label_direction(REAL run, REAL rise) { two_reals(" DI", 8, run, rise); }

void label(std::string_view text) {
    if (!file_open()) return;
    const char tail[2] = {kEndOfText, ';'};
    padded_field(" LB", text, {tail, 2});
    plot.file.write("\n");
}

void symbol_mode(char symbol) {
    const char line[6] = {' ', 'S', 'M', symbol, ';', '\0'};
    record({line, 5});
}

void marker_field(std::string_view commands) {
    if (!file_open()) return;
    padded_field({}, commands, {});
}

}  // namespace datrax::hpgl
