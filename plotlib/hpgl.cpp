#include "plotlib/hpgl.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "plotlib/font.h"
#include "plotlib/plotlib.h"

namespace datrax::hpgl {

static_assert(std::endian::native == std::endian::little, "coordinate_word puts the first column in the low byte");

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

// The characters of 00..99 as 16-bit words, the first digit in the low
// byte: two digits of a coordinate per load.
constexpr auto kDigitPairWords = [] {
    std::array<uint16_t, 100> t{};
    for (int i = 0; i < 100; ++i) t[i] = static_cast<uint16_t>(('0' + i / 10) | ('0' + i % 10) << 8);
    return t;
}();

// A coordinate 0..999999 in 6 columns as the low six bytes of a word (the
// first column in the low byte, as a little-endian store puts it), the
// leading zeros but the last digit turned into blanks without a branch per
// digit.
inline uint64_t coordinate_word(uint32_t v) {
    const uint32_t low = v % 10000;
    uint64_t word = kDigitPairWords[v / 10000] | uint64_t{kDigitPairWords[low / 100]} << 16 |
                    uint64_t{kDigitPairWords[low % 100]} << 32;
    const uint64_t nonzero = (word ^ 0x3030303030ULL) & 0xFFFFFFFFFFULL;  // first five columns
    const int leading = std::min(std::countr_zero(nonzero) / 8, 5);
    const uint64_t blanks = (uint64_t{1} << (8 * leading)) - 1;
    return word ^ (blanks & 0x1010101010ULL);  // '0' (0x30) to ' ' (0x20)
}

inline bool fits_coordinate(INTEGER v) { return v >= 0 && v <= 999999; }

constexpr size_t kMoveRecord = 18;  // " PD   123,  4567;" and the end of line

// One move record: the command, both coordinates, the end of line.
inline void put_move(char* p, const char* command, INTEGER px, INTEGER py) {
    std::memcpy(p, command, 3);
    if (fits_coordinate(px) && fits_coordinate(py)) {
        // Two 8-byte stores: the first ends with the comma and one byte
        // that the second overwrites.
        const uint64_t x = coordinate_word(static_cast<uint32_t>(px)) | uint64_t{','} << 48;
        const uint64_t y = coordinate_word(static_cast<uint32_t>(py)) | uint64_t{';'} << 48 | uint64_t{'\n'} << 56;
        std::memcpy(p + 3, &x, 8);
        std::memcpy(p + 10, &y, 8);
        return;
    }
    put_int(p + 3, 6, px);
    p[9] = ',';
    put_int(p + 10, 6, py);
    p[16] = ';';
    p[17] = '\n';
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

void move(const char* command, INTEGER px, INTEGER py) { moves(command, &px, &py, 1); }

void moves(const char* command, const INTEGER* px, const INTEGER* py, size_t n) {
    if (!file_open()) return;
    if (on_page()) {
        for (size_t i = 0; i < n; ++i) plot.page.move(command[2] == 'D', px[i], py[i]);
        return;
    }
    constexpr size_t kMostPerReserve = platform::PlotFile::capacity() / kMoveRecord;
    while (n > 0) {
        const size_t m = std::min(n, kMostPerReserve);
        char* p = plot.file.reserve(m * kMoveRecord);
        for (size_t i = 0; i < m; ++i) put_move(p + i * kMoveRecord, command, px[i], py[i]);
        plot.file.commit(m * kMoveRecord);
        px += m;
        py += m;
        n -= m;
    }
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
