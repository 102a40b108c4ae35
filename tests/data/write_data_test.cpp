// Data files written and read back: every sample file and files with gaps,
// flags and two data sets, as DATRA and GGP through the reader and as CSV
// through a parse of its lines; the value texts, the interval field and the
// refusals.
#include "data/write_data.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "data/calendar.h"
#include "data/write_datra.h"
#include "data/write_text.h"
#include "reader_test_support.h"
#include "records/field_conversion.h"
#include "records/missing.h"
#include "support/golden_file.h"

namespace datrax {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Everything a round trip must keep of one slot.
struct Slot {
    std::vector<REAL> y;
    double start = kNaN, interval = kNaN;
    REAL dt = 0;
    std::string tunit, unit, title;
};

Slot slot(INTEGER k) {
    Slot s;
    s.y.assign(Y.column(k), Y.column(k) + dset.NPTS(k));
    s.start = dset.start(k);
    s.interval = dset.interval_seconds(k);
    s.dt = dset.DT(k);
    s.tunit = dset.TUNIT.trimmed();
    s.unit = dset.DUNIT(k).trimmed();
    s.title = dset.TITLE(k).trimmed();
    return s;
}

SeriesOut series(const Slot& s) {
    SeriesOut o;
    o.samples = s.y;
    o.start = s.start;
    o.interval_seconds = s.interval;
    o.dt = s.dt;
    o.time_unit = s.tunit;
    o.unit = s.unit;
    o.title = s.title.empty() ? "untitled" : s.title;
    return o;
}

// Bit for bit, a missing sample (any NaN) where one was missing.
void expect_same_samples(const std::vector<REAL>& want, const std::vector<REAL>& got, const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        if (std::isnan(want[i])) {
            ASSERT_TRUE(std::isnan(got[i])) << what << " sample " << i + 1;
        } else {
            ASSERT_EQ(std::bit_cast<uint32_t>(got[i]), std::bit_cast<uint32_t>(want[i]))
                << what << " sample " << i + 1 << ": " << want[i] << " came back as " << got[i];
        }
    }
}

// A CSV read back line by line: the time stamps (or times) and the cells.
struct CsvBack {
    std::string header;
    std::vector<std::string> times;
    std::vector<std::vector<REAL>> columns;
};

CsvBack parse_csv(const std::string& path, size_t columns) {
    std::ifstream in(path, std::ios::binary);
    CsvBack b;
    std::getline(in, b.header);
    b.columns.resize(columns);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string_view> cells;
        size_t from = 0;
        for (size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
            cells.push_back(std::string_view(line).substr(from, comma - from));
        cells.push_back(std::string_view(line).substr(from));
        EXPECT_EQ(cells.size(), columns + 1) << line;
        if (cells.size() != columns + 1) return b;
        b.times.emplace_back(cells[0]);
        for (size_t c = 0; c < columns; ++c) {
            REAL v = std::numeric_limits<REAL>::quiet_NaN();
            if (!cells[c + 1].empty()) {
                EXPECT_TRUE(convert_real(cells[c + 1], 0, v)) << line;
            }
            b.columns[c].push_back(v);
        }
    }
    return b;
}

// The seconds of "yyyy-mm-dd hh:mm:ss[.fff]".
double stamp_seconds(const std::string& t) {
    int64_t whole = 0;
    EXPECT_TRUE(parse_date_time(t.substr(0, 19), whole)) << t;
    return static_cast<double>(whole) + (t.size() > 19 ? std::stod("0" + t.substr(19)) : 0.0);
}

class WriteDataTest : public ReaderTest {
protected:
    void write(const std::string& name, const std::vector<SeriesOut>& sets) {
        const WriteOutcome w = write_data_file(name, sets);
        ASSERT_TRUE(w.written) << name << ": " << w.reason;
    }

    // One slot written as DATRA and read back in slot 1.
    void datra_round_trip(const Slot& want, const std::string& what) {
        write("back.dat", {series(want)});
        ASSERT_EQ(read_named("back.dat"), 0) << what;
        ASSERT_EQ(dset.form(1), 1) << what;
        const Slot got = slot(1);
        EXPECT_EQ(got.dt, want.dt) << what;
        EXPECT_EQ(got.tunit, want.tunit) << what;
        EXPECT_EQ(got.unit, want.unit) << what;
        EXPECT_EQ(got.title, want.title.empty() ? "untitled" : want.title) << what;
        expect_same_samples(want.y, got.y, what + " as DATRA");
    }

    // A pair written as GGP and read back.
    void ggp_round_trip(const Slot& g, const Slot& p, const std::string& what) {
        write("back.ggp", {series(g), series(p)});
        ASSERT_EQ(read_named("back.ggp"), 0) << what;
        ASSERT_EQ(dset.form(1), 3) << what;
        for (INTEGER k = 1; k <= 2; ++k) {
            const Slot& want = k == 1 ? g : p;
            const Slot got = slot(k);
            EXPECT_EQ(got.start, want.start) << what;
            EXPECT_EQ(got.interval, want.interval) << what;
            EXPECT_EQ(got.dt, want.dt) << what;
            EXPECT_EQ(got.tunit, want.tunit) << what;
            EXPECT_EQ(got.unit, want.unit) << what;
            expect_same_samples(want.y, got.y, what + " as GGP, set " + std::to_string(k));
        }
    }

    // One slot written as CSV and its lines parsed: a time per sample, the
    // values bit for bit, an empty cell where a sample is missing.
    void csv_round_trip(const Slot& want, const std::string& what) {
        write("back.csv", {series(want)});
        const CsvBack b = parse_csv("back.csv", 1);
        expect_same_samples(want.y, b.columns[0], what + " as CSV");
        ASSERT_EQ(b.times.size(), want.y.size());
        if (std::isfinite(want.start)) {
            EXPECT_TRUE(b.header.starts_with("time,")) << b.header;
            for (size_t i = 0; i < b.times.size(); i += 997) {
                ASSERT_NEAR(stamp_seconds(b.times[i]), want.start + static_cast<double>(i) * want.interval, 1e-3)
                    << what << " line " << i + 2;
            }
        } else {
            EXPECT_TRUE(b.header.starts_with("t")) << b.header;
            EXPECT_EQ(std::stod(b.times[0]), 0.0);
        }
        if (!want.unit.empty()) {
            EXPECT_NE(b.header.find("[" + want.unit + "]"), std::string::npos) << b.header;
        }
        if (std::isfinite(want.start)) dated_csv_read_back(want, what);
    }

    // A dated CSV read back through the reader: placed by its stamps, with
    // the unit of its header and every sample as written.
    void dated_csv_read_back(const Slot& want, const std::string& what) {
        ASSERT_EQ(read_named("back.csv"), 0) << what;
        const Slot got = slot(1);
        EXPECT_EQ(got.start, want.start) << what;
        EXPECT_EQ(got.interval, want.interval) << what;
        if (!want.unit.empty()) {
            EXPECT_EQ(got.unit, want.unit) << what;
        }
        expect_same_samples(want.y, got.y, what + " as CSV through the reader");
    }
};

void copy_sample(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / name, name);
}

TEST_F(WriteDataTest, EverySampleFileComesBackAsWritten) {
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        copy_sample(name);
        ASSERT_EQ(read_named(name), 0);
        const bool pair = dset.form(1) == 3;
        const Slot first = slot(1), second = slot(2);
        ASSERT_GT(first.y.size(), 0u);
        if (pair) ggp_round_trip(first, second, name);
        datra_round_trip(first, name);
        csv_round_trip(first, name);
        if (pair) {
            datra_round_trip(second, name + " pressure");
            csv_round_trip(second, name + " pressure");
        }
    }
}

// A station month with a gap of lines, missing-value flags and a pressure
// missing on its own.
std::string ggp_with_gaps() {
    std::string f = "yyyymmdd hhmmss gravity(nm/s^2) pressure(hPa)\n77777777\n";
    f += ggp_line("20240301", "000000", 12.3456, 1013.25);
    f += ggp_line("20240301", "010000", -0.0001, 1013.5);
    // 02:00 to 04:00 are not in the file.
    f += "20240301 050000  9999.999 1013.7500\n";
    f += "20240301 060000   45.6789\n";
    f += "20240301 070000    1.5000  9999.999\n";
    f += "20240301 080000  9999.999  9999.999\n";
    return f + "99999999\n88888888\n";
}

TEST_F(WriteDataTest, GapsAndFlagsStayMissing) {
    ASSERT_EQ(read("gaps.ggp", ggp_with_gaps()), 0);
    const Slot g = slot(1), p = slot(2);
    ASSERT_EQ(g.y.size(), 9u);
    ASSERT_EQ(count_missing({g.y.data(), 9}), 5);
    ASSERT_EQ(count_missing({p.y.data(), 9}), 6);
    ggp_round_trip(g, p, "gaps");
    datra_round_trip(g, "gaps");
    csv_round_trip(p, "gaps");
    const std::string dat = testing::read_file_bytes("back.dat");
    EXPECT_NE(dat.find("             NaN             NaN             NaN"), std::string::npos) << dat;
    const std::string ggp = testing::read_file_bytes("back.ggp");
    EXPECT_NE(ggp.find("20240301 020000  9999.999  9999.999\n"), std::string::npos) << ggp;
    EXPECT_NE(ggp.find("gravity(nm/s2) pressure(hPa)"), std::string::npos) << ggp;
}

// Values of every kind: the smallest and largest, subnormal, signed zeros,
// values that look like a flag, and random bit patterns.
std::vector<REAL> awkward_values() {
    std::vector<REAL> v = {0.0f,
                           -0.0f,
                           1.0f,
                           -1.0f,
                           0.1f,
                           1e-45f,
                           -1e-45f,
                           1.17549435e-38f,
                           std::numeric_limits<REAL>::max(),
                           std::numeric_limits<REAL>::lowest(),
                           99999.0f,
                           -9999.0f,
                           9999.999f,
                           999999.9f,
                           16777217.0f,
                           3.4e37f,
                           1015.9742f};
    std::mt19937 random(27);
    while (v.size() < 20000) {
        const REAL r = std::bit_cast<REAL>(static_cast<uint32_t>(random()));
        if (std::isfinite(r)) v.push_back(r);
    }
    return v;
}

TEST_F(WriteDataTest, AnyValueComesBackBitForBit) {
    Slot s;
    s.y = awkward_values();
    s.y[100] = std::numeric_limits<REAL>::quiet_NaN();
    s.dt = 0.5f;
    s.tunit = "sec";
    s.unit = "volt";
    s.title = "awkward values";
    datra_round_trip(s, "awkward");
    csv_round_trip(s, "awkward");
    // Each value text is the shortest one: nine significant digits at most.
    char text[40];
    for (const REAL v : s.y) {
        if (std::isnan(v)) continue;
        const std::string t(text, static_cast<size_t>(writer::put_value(text, v) - text));
        std::string digits;
        for (const char c : t.substr(0, t.find('e'))) {
            if (std::isdigit(static_cast<unsigned char>(c)) && (c != '0' || !digits.empty())) digits += c;
        }
        ASSERT_LE(digits.size(), 9u) << t;
    }
}

TEST_F(WriteDataTest, TwoDataSetsShareOneTimeGridInOneCsv) {
    // Gravity every minute from 00:00, pressure every 2 minutes from 00:01.
    Slot g, p;
    g.y = {1.5f, 2.5f, std::numeric_limits<REAL>::quiet_NaN(), 4.5f, 5.5f};
    g.start = 1709251200.0;
    g.interval = 60.0;
    g.dt = 1.0f;
    g.tunit = "min";
    g.unit = "microgal";
    g.title = "gravity";
    p = g;
    p.y = {1013.25f, 1013.5f};
    p.start = 1709251260.0;
    p.interval = 120.0;
    p.dt = 2.0f;
    p.unit = "hPa";
    p.title = "pressure, station BF";
    write("both.csv", {series(g), series(p)});
    EXPECT_EQ(testing::read_file_bytes("both.csv"),
              "time,gravity [microgal],\"pressure, station BF [hPa]\"\n"
              "2024-03-01 00:00:00,1.5,\n"
              "2024-03-01 00:01:00,2.5,1013.25\n"
              "2024-03-01 00:02:00,,\n"
              "2024-03-01 00:03:00,4.5,1013.5\n"
              "2024-03-01 00:04:00,5.5,\n");
}

TEST_F(WriteDataTest, CsvTimesZonesAndUndatedData) {
    Slot s;
    s.y = {1.0f, 2.0f, 3.0f};
    s.start = 1709251200.5;
    s.interval = 0.25;
    s.dt = 0.25f;
    s.tunit = "sec";
    s.title = "fast";
    SeriesOut o = series(s);
    o.zone_minutes = 600;
    write("zone.csv", {o});
    EXPECT_EQ(testing::read_file_bytes("zone.csv"),
              "time[UTC+10],fast\n"
              "2024-03-01 10:00:00.500,1\n"
              "2024-03-01 10:00:00.750,2\n"
              "2024-03-01 10:00:01.000,3\n");
    o.zone_minutes = -570;
    write("zone.csv", {o});
    EXPECT_TRUE(testing::read_file_bytes("zone.csv").starts_with("time[UTC-09:30],fast\n2024-02-29 14:30:00.500,1\n"));
    s.start = kNaN;
    s.dt = 0.1f;
    s.tunit = "hour";
    s.unit = "mbar";
    write("undated.csv", {series(s)});
    EXPECT_EQ(testing::read_file_bytes("undated.csv"),
              "t [hour],fast [mbar]\n"
              "0.000,1\n"
              "0.100,2\n"
              "0.200,3\n");
    // Intervals of broken files: negative, or too large for a REAL.
    s.dt = -1.5f;
    write("undated.csv", {series(s)});
    EXPECT_EQ(testing::read_file_bytes("undated.csv"), "t [hour],fast [mbar]\n0.000,1\n-1.500,2\n-3.000,3\n");
    s.dt = std::numeric_limits<REAL>::infinity();
    write("undated.csv", {series(s)});
    EXPECT_EQ(testing::read_file_bytes("undated.csv"), "t [hour],fast [mbar]\n0,1\n0,2\n0,3\n");
}

TEST(DatraInterval, TwelveColumnsWithAPointThatReadBackExactly) {
    struct Row {
        REAL dt;
        const char* text;
    } rows[] = {
        {1.0f, "         1.0"},   {60.0f, "        60.0"},   {0.016666668f, " 0.016666668"},
        {1e-05f, "      1.0e-5"}, {2.5e10f, "      2.5e10"}, {1.2345678e-20f, "1.2345678e-20"},
    };
    for (const Row& r : rows) {
        const std::string t = writer::datra_interval(r.dt);
        ASSERT_EQ(t.size(), 12u) << t;
        if (std::strlen(r.text) == 12) {
            EXPECT_EQ(t, r.text);
        }
        REAL back = 0;
        ASSERT_TRUE(convert_real(t, 5, back)) << t;
        if (std::strlen(r.text) == 12) {
            EXPECT_EQ(back, r.dt) << t;
        } else {
            EXPECT_NEAR(back, r.dt, r.dt * 1e-6) << t;  // 13 characters do not fit: 8 digits kept
        }
    }
}

TEST_F(WriteDataTest, RefusedWritesLeaveNothingBehind) {
    Slot s;
    s.y = {1.0f, 2.0f};
    s.dt = 1.0f;
    s.start = 1709251200.5;
    s.interval = 1.0;
    const std::vector<SeriesOut> one = {series(s)}, two = {series(s), series(s)};
    struct Row {
        std::string name;
        std::vector<SeriesOut> sets;
        std::string reason;
    } rows[] = {
        {"two.dat", two, "A DATRA file holds one data set"},
        {"one.ggp", one, "A GGP file holds a gravity and pressure pair"},
        {"half.ggp", two, "GGP needs a known start and an interval of whole seconds"},
        {"none.csv", {}, "Nothing to write"},
        {"no/such/folder/x.csv", one, ""},
    };
    for (const Row& r : rows) {
        const WriteOutcome w = write_data_file(r.name, r.sets);
        EXPECT_FALSE(w.written) << r.name;
        if (!r.reason.empty()) {
            EXPECT_EQ(w.reason, r.reason);
        }
        EXPECT_FALSE(w.reason.empty());
        EXPECT_FALSE(std::filesystem::exists(r.name)) << r.name;
    }
    SeriesOut shifted = series(s);
    shifted.start = 1709251200.0;
    SeriesOut later = shifted;
    later.start += 60.0;
    EXPECT_EQ(write_data_file("apart.ggp", std::vector<SeriesOut>{shifted, later}).reason,
              "GGP needs both data sets on the same times");
}

TEST(DataFileKind, ByTheExtensionInAnyCase) {
    EXPECT_EQ(data_file_kind("a.csv"), DataFileKind::Csv);
    EXPECT_EQ(data_file_kind("a.CSV"), DataFileKind::Csv);
    EXPECT_EQ(data_file_kind("a.txt"), DataFileKind::Csv);
    EXPECT_EQ(data_file_kind("noext"), DataFileKind::Csv);
    EXPECT_EQ(data_file_kind("a.DAT"), DataFileKind::Datra);
    EXPECT_EQ(data_file_kind("dir.dat/a"), DataFileKind::Csv);
    EXPECT_EQ(data_file_kind("x/a.ggp"), DataFileKind::Ggp);
}

}  // namespace
}  // namespace datrax
