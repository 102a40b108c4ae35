#include "plotlib/hpgl.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>

#include "plotlib/font.h"
#include "plotlib/plotlib.h"

namespace datrax::hpgl {

using plotlib_detail::plot;

namespace {
constexpr size_t kFieldWidth = 100;  // label and marker fields
constexpr char kEndOfText = '\x03';
}  // namespace

namespace {
// "00" "01" ... "99": two digits per step of the formatter.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> t{};
    for (int i = 0; i < 100; ++i) {
        t[2 * i] = static_cast<char>('0' + i / 10);
        t[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return t;
}();

// Writes the digits of a so that they end just before `end`; returns the
// first of them.
inline char* digits_before(char* end, unsigned long long a) {
    while (a >= 100) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * (a % 100)], 2);
        a /= 100;
    }
    if (a >= 10) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * a], 2);
    } else {
        *--end = static_cast<char>('0' + a);
    }
    return end;
}

// A plotter coordinate in 6 columns: the common case (0..999999) straight
// into place, anything else through put_int.
inline void put_coordinate(char* out, INTEGER v) {
    if (v < 0 || v > 999999) {
        put_int(out, 6, v);
        return;
    }
    std::memcpy(out, "      ", 6);
    digits_before(out + 6, static_cast<unsigned long long>(v));
}
}  // namespace

int put_int(char* out, int width, long long v) {
    char text[24];
    char* const end = text + sizeof text;
    const unsigned long long a = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char* first = digits_before(end, a);
    if (v < 0) *--first = '-';
    const int n = static_cast<int>(end - first);
    if (n > width) {
        std::memset(out, '*', width);
        return width;
    }
    std::memset(out, ' ', width - n);
    std::memcpy(out + width - n, first, n);
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

bool file_open() { return plot.file.is_open() && !plot.file_complete; }

namespace {
// True when the records go onto the page of a PDF, SVG or PNG file.
bool on_page() { return plot.page.is_open(); }
}  // namespace

void move(const char* command, INTEGER px, INTEGER py) {
    if (!file_open()) return;
    if (on_page()) return plot.page.move(command[2] == 'D', px, py);
    char* p = plot.file.reserve(18);
    std::memcpy(p, command, 3);
    put_coordinate(p + 3, px);
    p[9] = ',';
    put_coordinate(p + 10, py);
    p[16] = ';';
    p[17] = '\n';
    plot.file.commit(18);
}

void record(std::string_view text) {
    if (!file_open() || on_page()) return;
    plot.file.write(text);
    plot.file.write("\n");
}

void line_type(INTEGER pen_code) {
    if (on_page()) return plot.page.line_type(pen_code);
    record(pen_code == 5 ? " LT1,0.5;" : pen_code == 6 ? " LT2,1.0;" : " LT;");
}

void pen_away() {
    if (on_page()) return plot.page.pen_select(0);
    record(" SP;");
}

void page_size(INTEGER paper_code) {
    if (on_page()) return plot.page.page_size(paper_code);
    char line[16] = " PS";
    const int n = 3 + put_int(line + 3, 1, paper_code);
    std::memcpy(line + n, ";IN;", 4);
    record({line, static_cast<size_t>(n + 4)});
}

void input_window(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2) {
    if (on_page()) return plot.page.input_window(x1, y1, x2, y2);
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
    if (on_page()) return plot.page.pen_select(pen);
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

void char_size(REAL width_cm, REAL height_cm) {
    if (on_page()) return plot.page.char_size(width_cm, height_cm);
    two_reals(" SI", 9, width_cm, height_cm);
}

void label_direction(REAL run, REAL rise) {
    if (on_page()) return plot.page.label_direction(run, rise);
    two_reals(" DI", 8, run, rise);
}

void label(std::string_view text) {
    if (!file_open()) return;
    if (on_page()) return plot.page.label(text);
    const char tail[2] = {kEndOfText, ';'};
    padded_field(" LB", text, {tail, 2});
    plot.file.write("\n");
}

void symbol_mode(char symbol) {
    if (on_page()) return plot.page.symbol_mode(symbol);
    const char line[6] = {' ', 'S', 'M', symbol, ';', '\0'};
    record({line, 5});
}

void symbol_mode_end() {
    if (on_page()) return plot.page.symbol_mode('\0');
    record(" SM;");
}

void marker_field(int code) {
    if (!file_open()) return;
    if (on_page()) return plot.page.marker(code);
    padded_field({}, plotlib_detail::marker_commands(code), {});
}

}  // namespace datrax::hpgl
