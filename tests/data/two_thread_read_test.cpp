// A read that shares its lines between two threads must leave exactly what
// the one-thread read leaves: status, format, counts, samples bit for bit,
// units, the screen, the lines sent to standard error and the keys waited
// for. The files have faults in different places, missing values, CRLF line
// ends, no final line end, and sizes on both sides of the size at which a
// block is shared (and beyond one read buffer); the two-thread read converts
// fields two at a time and, once more, one at a time.
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "reader_test_support.h"
#include "records/field_pairs.h"
#include "records/fixed_read.h"
#include "records/helper_thread.h"

namespace datrax {
namespace {

struct ReadResult {
    INTEGER status = 0;
    INTEGER iform = 0;
    INTEGER npts[2] = {};
    INTEGER missing[2] = {};
    std::vector<uint32_t> samples[2];  // bit patterns of samples 1..NPTS
    std::string units;
    std::string screen;
    std::vector<std::string> console;
    size_t keys_left = 0;
};

ReadResult read_with(bool two_threads, const std::string& name) {
    set_two_reading_threads(two_threads);
    testing::Screen screen;
    screen.keys("{enter}{enter}{enter}{enter}{enter}{enter}");
    dset.FNAME(1) = name;
    ReadResult r;
    RDFILE(dset.FNAME, 1, r.status);
    set_two_reading_threads(true);
    r.iform = dset.IFORM;
    for (int k = 1; k <= 2; ++k) {
        r.npts[k - 1] = dset.NPTS(k);
        r.missing[k - 1] = dset.missing(k);
        std::vector<uint32_t>& bits = r.samples[k - 1];
        bits.resize(static_cast<size_t>(std::clamp(dset.NPTS(k), 0, MAXPTS)));
        if (!bits.empty()) std::memcpy(bits.data(), Y.column(k), bits.size() * sizeof(REAL));
        r.units += std::string(dset.DUNIT(k).trimmed()) + "/" + std::to_string(dset.DT(k)) + " ";
    }
    r.units += dset.TUNIT.trimmed();
    r.screen = screen.window().screen_text();
    r.console = screen.window().console_lines();
    r.keys_left = screen.window().keys_left();
    return r;
}

void expect_same(const ReadResult& one, const ReadResult& two) {
    EXPECT_EQ(two.status, one.status);
    EXPECT_EQ(two.iform, one.iform);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(two.npts[k], one.npts[k]) << "slot " << k + 1;
        EXPECT_EQ(two.missing[k], one.missing[k]) << "slot " << k + 1;
        EXPECT_TRUE(two.samples[k] == one.samples[k]) << "slot " << k + 1;
    }
    EXPECT_EQ(two.units, one.units);
    EXPECT_EQ(two.screen, one.screen);
    EXPECT_EQ(two.console, one.console);
    EXPECT_EQ(two.keys_left, one.keys_left);
}

// ---- file builders ----

std::string datra_header(long count, std::string_view format = "(5f12.6)") {
    return "Two-thread test\n" + datra_counts(count, "1.0") + datra_texts(format, "volt", "sec");
}

// Lines of `per_line` values in 12 columns.
std::string datra_lines(int lines, int per_line, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-999.0, 999.0);
    std::string s;
    char cell[32];
    for (int l = 0; l < lines; ++l) {
        for (int v = 0; v < per_line; ++v) {
            std::snprintf(cell, sizeof cell, "%12.6f", value(rng) / (1 + l % 7 * 10));
            s += cell;
        }
        s += '\n';
    }
    return s;
}

// Lines of fields 8, 16 and three times 12 columns wide, (f8.3,f16.6,3f12.6),
// written in varying shapes: the point in other places or left out (the
// decimals implied), a plus sign, a bare integer.
std::string datra_varied_lines(int lines, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s;
    char cell[40];
    for (int l = 0; l < lines; ++l, s += '\n') {
        for (const int w : {8, 16, 12, 12, 12}) {
            const double x = static_cast<double>(static_cast<int>(rng() % 2000001) - 1000000) / (w == 8 ? 99700 : 997);
            const unsigned shape = rng() % 3;
            const int decimals = shape == 0 ? static_cast<int>(rng() % 4) : w == 8 ? 2 : 5;
            if (shape == 1) {
                std::snprintf(cell, sizeof cell, "%*lld", w, static_cast<long long>(x * 100));
            } else {
                std::snprintf(cell, sizeof cell, shape == 2 ? "%+*.*f" : "%*.*f", w, decimals, x);
            }
            s += cell;
        }
    }
    return s;
}

// The text with the 12 columns of value `field` (from 0) of line `line`
// (from 0) replaced; lines all of the same length.
std::string with_field(std::string s, size_t line_length, int line, int field, std::string_view text) {
    s.replace(static_cast<size_t>(line) * line_length + static_cast<size_t>(field) * 12, 12, text);
    return s;
}

std::string crlf(const std::string& s) {
    std::string out;
    for (const char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string without_last(std::string s) {
    s.pop_back();
    return s;
}

std::string ggp_data(int lines, unsigned seed, int step = 60) {
    std::mt19937 rng(seed);
    std::string s;
    for (int i = 0; i < lines; ++i) {
        const long t = static_cast<long>(i) * step;
        char date[16], time[16];
        std::snprintf(date, sizeof date, "2017%02ld%02ld", 1 + t / 86400 / 28, 1 + t / 86400 % 28);
        std::snprintf(time, sizeof time, "%02ld%02ld%02ld", t / 3600 % 24, t / 60 % 60, t % 60);
        const double gravity = static_cast<double>(rng() % 100000) / 1000.0;
        const double pressure = 1000.0 + static_cast<double>(rng() % 1000) / 100.0;
        s += ggp_line(date, time, gravity, pressure);
    }
    return s;
}

const std::string kGgpHeader = "Station      : Nowhere\nyyyymmdd hhmmss gravity(V) pressure(hPa)\n77777777\n";

// The data lines of a GGP file with what real station files show: gaps,
// flagged and missing values, lines out of order, lines to skip, blank
// lines and a block break with its own header.
std::string ggp_varied(int lines, unsigned seed) {
    std::string s = ggp_data(lines, seed);
    std::string out;
    size_t pos = 0;
    for (int i = 0; i < lines; ++i) {
        const size_t end = s.find('\n', pos) + 1;
        std::string line = s.substr(pos, end - pos);
        pos = end;
        if (i % 97 == 5) continue;  // a gap
        if (i % 211 == 7) line.replace(line.size() - 11, 10, "  9999.999");
        if (i % 307 == 9) line.replace(line.size() - 11, 10, "       NaN");
        if (i % 401 == 11) line.replace(line.size() - 11, 10, "    0.0000");
        if (i % 503 == 13) line.erase(line.size() - 11, 10);  // gravity only
        out += line;
        if (i % 601 == 17) out += line;                       // the same time again: skipped
        if (i % 701 == 19) out += "77770101 000000 1 2\n\n";  // a line to skip and a blank one
        if (i == lines / 2) out += "99999999\nNext block header\n77777777\n";
    }
    return out;
}

std::string ggp_file(const std::string& data) { return kGgpHeader + data + "99999999\n88888888\n"; }

// The data text with line `line` (from 0) replaced.
std::string with_line(const std::string& s, int line, std::string_view text) {
    size_t pos = 0;
    for (int i = 0; i < line; ++i) pos = s.find('\n', pos) + 1;
    return s.substr(0, pos) + std::string(text) + s.substr(s.find('\n', pos));
}

// The data text with the month columns of line `line` (from 0) blank.
std::string with_blank_month(std::string s, int line) {
    size_t pos = 0;
    for (int i = 0; i < line; ++i) pos = s.find('\n', pos) + 1;
    s[pos + 4] = s[pos + 5] = ' ';
    return s;
}

// The samples of a DATRA file read straight with both readers: the outcome
// and where a fault stopped the read, which the file reader does not show
// (a DATRA file with a fault goes on to the other formats).
void expect_same_samples(const std::string& path) {
    struct Read {
        ReadOutcome outcome;
        size_t stored = 0;
        std::vector<REAL> values;
    } read[2];
    for (const bool two : {false, true}) {
        set_two_reading_threads(two);
        FileLines in;
        ASSERT_TRUE(in.open(path));
        INTEGER n = 0;
        REAL dt = 0.0f;
        Text<20> format;
        const FieldRef title[] = {format.ref()}, counts[] = {n, dt}, texts[] = {format.ref()};
        ASSERT_EQ(read_fixed(in, FormatList("(A)"), title), ReadOutcome::Done);
        ASSERT_EQ(read_fixed(in, FormatList("(I10,G12.5)"), counts), ReadOutcome::Done);
        ASSERT_EQ(read_fixed(in, FormatList("(A20)"), texts), ReadOutcome::Done);
        Read& r = read[two];
        r.values.assign(static_cast<size_t>(std::clamp(n, 0, MAXPTS)), -7.0f);
        r.outcome = read_fixed_samples(in, FormatList(format.view()), r.values.data(), r.values.size(), r.stored);
        r.values.resize(r.stored);
    }
    set_two_reading_threads(true);
    EXPECT_EQ(read[1].outcome, read[0].outcome);
    EXPECT_EQ(read[1].stored, read[0].stored);
    EXPECT_EQ(std::memcmp(read[1].values.data(), read[0].values.data(), read[0].values.size() * sizeof(REAL)), 0);
}

struct Case {
    const char* what;
    std::string file;
};

class TwoThreadRead : public ::testing::Test {
protected:
    TwoThreadRead() { dir.enter(); }

    void check(const std::vector<Case>& cases, const char* name) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const std::string path = dir.write(name, c.file);
            const ReadResult one = read_with(false, name);
            // Two fields at once where the processor can, and one at a time.
            for (const bool pairs : {true, false}) {
                SCOPED_TRACE(pairs ? "fields in pairs" : "field by field");
                set_field_pairs(pairs);
                expect_same(one, read_with(true, name));
                if (std::string_view(name).ends_with(".dat")) expect_same_samples(path);
            }
            set_field_pairs(true);
        }
    }

    testing::ScratchDir dir;
};

TEST_F(TwoThreadRead, DatraFiles) {
    constexpr size_t kLine = 61;  // five values and the line end
    // Just below and above the smallest block that is shared, and 3 MB
    // (several read buffers, lines cut at their ends).
    constexpr int kShared = 2 * kPieceBytes / kLine;
    const std::string small = datra_lines(kShared * 9 / 10, 5, 1), medium = datra_lines(kShared * 11 / 10, 5, 2),
                      large = datra_lines(50000, 5, 3);
    std::string ragged = medium;  // short lines and empty ones: blanks read as 0
    ragged.erase(100 * kLine + 30, 31);
    ragged.insert(700 * kLine, "\n\n");
    std::string nan = with_field(large, kLine, 3, 2, "         NaN");
    nan = with_field(nan, kLine, 40000, 4, "  nan       ");
    const auto fault = [&](int line) { return with_field(large, kLine, line, 1, "   1.2x3    "); };
    // Two lines are converted as one where the first ends right after its
    // fields: a fault, a moved point or blanks after the fields in either.
    std::string moved = with_field(large, kLine, 10, 4, "  -12.34567 ");
    moved = with_field(moved, kLine, 11, 0, "   0.1234567");
    std::string trailing = large;
    for (const int line : {30001, 5001, 6, 5}) trailing.insert(static_cast<size_t>(line) * kLine + 60, "  ");
    const std::vector<Case> cases = {
        {"below the shared size", datra_header(kShared * 9 / 10 * 5) + small},
        {"above the shared size", datra_header(kShared * 11 / 10 * 5) + medium},
        {"several buffers", datra_header(250000) + large},
        {"count ends inside a line", datra_header(3333) + medium},
        {"fewer lines than the count", datra_header(kShared * 11 / 10 * 5 + 7) + medium},
        {"fewer lines, several buffers", datra_header(260000) + large},
        {"fault on line 7", datra_header(250000) + fault(7)},
        {"fault on line 8", datra_header(250000) + fault(8)},
        {"points moved on lines 10 and 11", datra_header(250000) + moved},
        {"blanks after the fields of some lines", datra_header(250000) + trailing},
        {"fault late in a read buffer", datra_header(250000) + fault(16000)},
        {"faults in two pieces: the first counts", datra_header(250000) + fault(16000).replace(5000 * kLine, 3, "abc")},
        {"fault on the last line", datra_header(250000) + fault(49999)},
        {"fault past the count", datra_header(1000) + fault(30000)},
        {"missing values", datra_header(250000) + nan},
        {"CRLF", crlf(datra_header(250000) + large)},
        {"no final line end", without_last(datra_header(250000) + large)},
        {"CRLF, the last line without its \\n", without_last(crlf(datra_header(6000) + medium))},
        {"short and empty lines", datra_header(6000) + ragged},
        {"too large", datra_header(MAXPTS + 1) + medium},
        {"first line and later lines differ", datra_header(150000, "(2x,f10.4,(5f12.6))") + large},
        {"a field of another kind", datra_header(6000, "(i12,4f12.6)") + medium},
        {"points in other places, implied decimals, signs",
         datra_header(100000, "(f8.3,f16.6,3f12.6)") + datra_varied_lines(20000, 7)},
        {"one value a line", datra_header(20000, "(f12.6)") + datra_lines(20000, 1, 4)},
        {"three values a line", datra_header(30000, "(3f12.6)") + datra_lines(10000, 3, 5)},
    };
    check(cases, "two.dat");
}

TEST_F(TwoThreadRead, GgpFiles) {
    // Data lines of 36 bytes: just below and above the smallest block that
    // is shared, and 3.6 MB.
    constexpr int kShared = 2 * kPieceBytes / 36;
    const std::string small = ggp_varied(kShared * 9 / 10, 4), medium = ggp_varied(kShared * 11 / 10, 5),
                      large = ggp_varied(100000, 6);
    // Block breaks every 300 lines, their headers with a line that reads as
    // data: it is a header line all the same.
    const std::string header = "99999999\nBlock\n20170101 000000 1.0 2.0\n77777777\n";
    std::string breaks = ggp_data(20000, 12);  // lines of 36 bytes
    for (size_t at = 300 * 36; at < breaks.size(); at += 300 * 36 + header.size()) breaks.insert(at, header);
    std::string long_header;  // about 1.6 MB
    for (int i = 0; i < 40000; ++i) long_header += "Comment " + std::to_string(i) + " of the second block's header\n";
    const std::vector<Case> cases = {
        {"below the shared size", ggp_file(small)},
        {"above the shared size", ggp_file(medium)},
        {"several buffers", ggp_file(large)},
        {"fault early", ggp_file(with_line(large, 3, "20170101 000300 1.0x 2.0"))},
        {"fault late in a read buffer", ggp_file(with_line(large, 25000, "2017010 000300 1.0 2.0"))},
        {"faults in two pieces: the first counts",
         ggp_file(with_line(with_line(large, 25000, "20170101 000300 1.0x 2.0"), 2000, "2017010 000300 1.0 2.0"))},
        {"blank month columns take the month of the line before",
         ggp_file(with_blank_month(with_blank_month(large, 60000), 2))},
        // Most lines go a quick way that keeps to lines like the one before.
        {"points moved, digits in front, text after the values",
         ggp_file(with_line(with_line(with_line(large, 40001, "20170215 000100  12.34567 1005.0000"), 40002,
                                      "20170215 000200 1234.5678 1005.5"),
                            40003, "20170215 000300    0.6924 1015.0000  flagged by hand"))},
        {"fault after the end of the file mark", kGgpHeader + medium + "88888888\nnot read\n"},
        {"CRLF", crlf(ggp_file(large))},
        {"no final line end", without_last(kGgpHeader + large)},
        {"CRLF, the last line without its \\n", without_last(crlf(kGgpHeader + medium))},
        {"too large", ggp_file(medium + ggp_line("20990101", "000000", 1.0, 2.0))},
        {"a block break whose header is longer than a read buffer",
         ggp_file(ggp_varied(30000, 9) + "99999999\n" + long_header + "77777777\n" + ggp_varied(30000, 10))},
        {"no data marker", "Station : Nowhere\n" + medium},
        {"block breaks every 300 lines", ggp_file(breaks)},
        {"the file's end mark in a block header",
         ggp_file(with_line(breaks, 12000, "99999999\nLast block\n88888888\n20170101 000000 1.0 2.0"))},
    };
    check(cases, "two.ggp");
}

// Lines of a station file changed at random, byte by byte and as real
// files differ (points, blanks, line ends, markers), in files large enough
// to be shared: the two-thread read, most of whose lines go a quick way,
// leaves what the one-thread read leaves.
TEST_F(TwoThreadRead, GgpFilesChangedAtRandom) {
    const std::string base = ggp_varied(5000, 11);
    const std::string_view changes[] = {" ", "\t", ".", "-", "+", "0", "9", "x", "\r", "\n", "99999999\n", "  "};
    std::vector<Case> cases;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        std::mt19937 rng(seed);
        std::string data = base;
        for (int k = 0; k < 8; ++k) {
            const size_t at = rng() % data.size(), replaced = rng() % 2;  // a byte replaced, or one put in
            data.replace(at, replaced, changes[rng() % std::size(changes)]);
        }
        cases.push_back({"changed at random", ggp_file(data)});
    }
    check(cases, "random.ggp");
}

}  // namespace
}  // namespace datrax
