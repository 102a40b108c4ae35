// Results that must be right on every screen and page, end to end on files
// written as station software writes them: files of another rate reached
// by Next and Previous, lone samples between gaps, a newly read file in the
// time-series plot, the data menu's plot names, band limits of the spectrum,
// a data set with nothing to draw, and messages that must be seen.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/state.h"
#include "data/calendar.h"
#include "plotlib/device.h"
#include "plots/series_drawing.h"
#include "support/golden_file.h"
#include "support/hp2xx_check.h"
#include "support/sample_files.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

// A GGP file of a station logger: header, then one line per time stamp
// (minutes from 00:00 of DAY 1 of YEAR_MONTH), gravity g(i) and pressure
// p(i) of line i; pressure "9999.999" where p gives NaN.
void write_ggp(const std::string& name, const std::string& year_month, const std::vector<int>& minutes,
               const testing::SampleValue& g, const testing::SampleValue& p) {
    std::string text = "Filename          : " + name +
                       "\nStation           : BF\nyyyymmdd hhmmss gravity(microgal) pressure(mbar)\n"
                       "C***************************************************************\n"
                       "77777777       0.000       0.000\n";
    for (size_t i = 0; i < minutes.size(); ++i) {
        const int m = minutes[i];
        char line[96];
        const double pressure = p(static_cast<int>(i));
        char pressure_text[16];
        if (std::isnan(pressure))
            std::snprintf(pressure_text, sizeof pressure_text, "%10s", "9999.999");
        else
            std::snprintf(pressure_text, sizeof pressure_text, "%10.4f", pressure);
        std::snprintf(line, sizeof line, "%s%02d %02d%02d00%10.4f%s\n", year_month.c_str(), 1 + m / 1440, m / 60 % 24,
                      m % 60, g(static_cast<int>(i)), pressure_text);
        text += line;
    }
    testing::write_text_file(name, text + "99999999\n88888888\n");
}

std::vector<int> every(int step_minutes, int days) {
    std::vector<int> m;
    for (int t = 0; t < days * 1440; t += step_minutes) m.push_back(t);
    return m;
}

double tide(int i) { return 40.0 * std::sin(i * 0.26); }
double air(int i) { return 1005.0 + 4.0 * std::cos(i * 0.1); }

// The " Step (cph):" value of a band table.
std::string step_of(const std::filesystem::path& table) {
    std::istringstream in(testing::read_file_bytes(table));
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(" Step (cph):", 0) == 0) return line.substr(12);
    return {};
}

TEST(RightAnswers, NextIntoAFileOfAnotherRateTakesItsUnit) {
    Session s;
    // A logger that ran at 15 minutes in March and hourly in April.
    write_ggp("bf240301.ggp", "202403", every(15, 31), tide, air);
    write_ggp("bf240401.ggp", "202404", every(60, 30), tide, air);
    s.run(
        "dbf240301.ggp{enter}"
        "dnn{enter}"
        "n");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    // Still plotted in minutes (the user's unit kept), the hourly samples
    // 60 minutes apart.
    EXPECT_EQ(dset.ITU, 3);
    EXPECT_EQ(pp.ITUP, 2);
    EXPECT_FLOAT_EQ(dset.TSCALE, 60.0f);
    EXPECT_EQ(pp.AXTITX(1).trimmed(), "min");
    s.run("dy");
    EXPECT_EQ(s.row(17), "      Time Interval         : 1.000000  : hr");
    EXPECT_EQ(s.row(18), "      Time Scaling Factor   : 60.000000");
    EXPECT_EQ(s.row(19), "      Time Axis Label       : min");
    s.run(
        "dy"
        "an{enter}q");
    const std::string stepped = step_of("bf240401.spc");
    EXPECT_EQ(stepped, "    1.38889E-03");
    // Back to the 15-minute month: minutes at factor 1 again.
    s.run(
        "dy"
        "dnn{enter}"
        "p");
    EXPECT_EQ(dset.ITU, 2);
    EXPECT_FLOAT_EQ(dset.TSCALE, 1.0f);

    // The hourly month read directly has the same step.
    std::filesystem::remove("bf240401.spc");
    s.run(
        "dnbf240401.ggp{enter}"
        "an{enter}q");
    EXPECT_EQ(step_of("bf240401.spc"), stepped);
}

// A 15-minute logger that ran so for four hours, then hourly: after the
// fifth hour every reading stands alone between three missing slots.
std::vector<int> hourly_after_four_hours_of_quarters(int hours) {
    std::vector<int> m;
    for (int q = 0; q < 16; ++q) m.push_back(15 * q);
    for (int h = 4; h <= hours; ++h) m.push_back(60 * h);
    return m;
}

// The canvas pixel of page point (x, y).
void pixel_of(REAL x, REAL y, int& px, int& py) {
    INTEGER ix = 0, iy = 0;
    INCPIX(x, y, ix, iy, 0);
    px = ix;
    py = iy;
}

// True when some pixel within one of (px, py) differs from BACKGROUND.
bool drawn_near(const platform::Canvas& c, int px, int py, int background) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (c.pixel(px + dx, py + dy) != background) return true;
    return false;
}

struct Point {
    int x, y;
    bool operator==(const Point&) const = default;
};

// The pen-up moves followed at once by a pen-down draw to the same point:
// the dots of a plot file.
std::vector<Point> dots(const std::string& plot_file) {
    static const std::regex record(R"( (PU|PD) *(-?\d+), *(-?\d+);)");
    std::vector<Point> found;
    std::istringstream in(plot_file);
    std::string line;
    bool after_up = false;
    Point up{};
    while (std::getline(in, line)) {
        std::smatch m;
        if (!std::regex_match(line, m, record)) {
            after_up = false;
            continue;
        }
        const Point p{std::stoi(m[2]), std::stoi(m[3])};
        if (m[1] == "PD" && after_up && p == up) found.push_back(p);
        after_up = m[1] == "PU";
        up = p;
    }
    return found;
}

TEST(RightAnswers, ALoneSampleIsADotOnTheScreenAndInThePlotFile) {
    Session s;
    constexpr int kHours = 120;
    write_ggp("bf240301.ggp", "202403", hourly_after_four_hours_of_quarters(kHours), tide, air);
    s.run(
        "dbf240301.ggp{enter}"
        "dnn{enter}");
    ASSERT_EQ(s.bottom_row(), kBrowse);
    ASSERT_EQ(dset.NPTS(1), 4 * kHours + 1);
    const int background = s.canvas().pixel(1, 1);
    // Data set 1 in the upper area, its samples across the whole width.
    const REAL dxi = pp.XLEN / static_cast<REAL>(dset.NPTS(1) - 1);
    const REAL scale = (pp.YMAX - kUpperBase) / (plotw.YHI1 - plotw.YLO1);
    int lone = 0, seen = 0;
    for (INTEGER i = 21; i <= dset.NPTS(1); i += 4) {
        ASSERT_FALSE(std::isnan(Y(i, 1)));
        ASSERT_TRUE(std::isnan(Y(i - 1, 1)));
        int px = 0, py = 0;
        pixel_of(pp.XMIN + static_cast<REAL>(i - 1) * dxi, kUpperBase + (Y(i, 1) - plotw.YLO1) * scale, px, py);
        ++lone;
        if (drawn_near(s.canvas(), px, py, background)) ++seen;
    }
    EXPECT_EQ(seen, lone);

    s.run(
        "dy"
        "dnn{enter}"
        "snlone.plt{enter}");
    const std::string plot = testing::read_file_bytes("lone.plt");
    // Every lone reading of both data sets is a dot (the axis lines, drawn
    // back from their far ends, add theirs at the frame's left edge and its
    // lower right corner).
    const auto plotter_x = [](REAL x) { return static_cast<int>(100.0f + x * 1021.5f); };
    const auto plotter_y = [](REAL y) { return static_cast<int>(200.0f + y * (7670.0f / 7.5f)); };
    const Point time_axis_end{plotter_x(pp.XMAX), plotter_y(pp.YMIN)};
    size_t readings = 0;
    for (const Point& p : dots(plot)) readings += p.x != plotter_x(pp.XMIN) && !(p == time_axis_end);
    EXPECT_EQ(readings, static_cast<size_t>(2 * lone));
    EXPECT_TRUE(testing::renders_with_hp2xx(s.folder() / "lone.plt"));
}

TEST(RightAnswers, EveryNewlyReadFileIsNewDataForTheTimeSeriesPlot) {
    Session s;
    const auto write = [](const std::string& name, double volts) {
        const testing::DatraLayout layout{"Tilt " + name, "1.0", "(5f10.4)", "volt", "min", 5, "%10.4f"};
        testing::write_text_file(
            name, testing::datra_text(layout, 300, [volts](int i) { return volts * std::sin(i * 0.05); }));
    };
    write("big.dat", 100.0);
    write("small.dat", 1.0);
    // Limits kept from the first file, a histogram in between: the second
    // file still starts with its own window and limits.
    s.run(
        "dbig.dat{enter}"
        "dnn{enter}"
        "q"
        "hnny"
        "r"
        "dnsmall.dat{enter}"
        "d");
    EXPECT_EQ(s.bottom_row(), "Fixed Time Limits [y/n] -->");
    s.run(
        "dy"
        "dnn{enter}");
    EXPECT_NEAR(plotw.YHI1, 1.0f, 0.01f);
    EXPECT_NEAR(plotw.YLO1, -1.0f, 0.01f);
}

TEST(RightAnswers, TheDataMenuOpensWithThePlotNamesOfItsDataSet) {
    Session s;
    for (const char* name : {"g24122.dat", "p24122.dat"})
        std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / name, name);
    s.run(
        "n2{enter}"
        "dg24122.dat{enter}p24122.dat{enter}"
        "f"
        "r"
        "dyy");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_EQ(sel.slot, 2);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "p24122.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "p24122h.plt");
    EXPECT_EQ(specw.PLTNAM.trimmed(), "p24122a.plt");
}

TEST(RightAnswers, ADataSetWithNoSampleIsNotDrawnAsAPanel) {
    Session s;
    // A station whose barometer gave nothing but the missing-value flag.
    write_ggp("bf240301.ggp", "202403", every(60, 3), tide, [](int) { return std::nan(""); });
    s.run(
        "dbf240301.ggp{enter}"
        "dnn{enter}");
    ASSERT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(lone_set(), 1);
    // One area over the whole height: no frame edge at the lower area's top.
    const int background = s.canvas().pixel(1, 1);
    int px = 0, py = 0;
    pixel_of(pp.XMIN + pp.XLEN / 3.0f, kLowerTop, px, py);
    EXPECT_FALSE(drawn_near(s.canvas(), px, py, background));
    EXPECT_NEAR(plotw.YHI1, 40.0f, 0.5f);
    EXPECT_NEAR(plotw.YLO1, -40.0f, 0.5f);
}

TEST(RightAnswers, ARangeSetToTheMinimumIsToldAfterThePlotIsDrawn) {
    Session s;
    const testing::DatraLayout layout{"Flat", "1.0", "(5f10.3)", "volt", "min", 5, "%10.3f"};
    testing::write_text_file("flat.dat", testing::datra_text(layout, 50, [](int) { return 2.5; }));
    s.run(
        "dflat.dat{enter}"
        "dnn{enter}");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(s.row(s.canvas().rows() - 2).substr(0, 25), "Data range set to minimum");
}

// The samples of a DATRA file as they were written (five to a line after
// the three header lines), as single-precision values.
std::vector<REAL> samples_of(const std::string& name) {
    std::istringstream in(testing::read_file_bytes(name));
    std::string line;
    for (int header = 0; header < 3; ++header) std::getline(in, line);
    std::vector<REAL> y;
    for (std::string field; in >> field;) y.push_back(std::strtof(field.c_str(), nullptr));
    return y;
}

// The band RMS of samples every DT hours within lo <= f < hi cph, worked
// out here by a direct transform in long double: mean and trend removed,
// periodic Hann window, amplitudes 4/n |X| (2/n at 0 and Nyquist), power
// a^2/2 a bin (a^2 at 0 and Nyquist) over the window's 1.5 bins.
double band_rms_direct(const std::vector<REAL>& x, long double dt, double lo, double hi) {
    const size_t n = x.size();
    const long double mid = (static_cast<long double>(n) - 1) / 2;
    long double sum = 0, sum_ty = 0, sum_tt = 0;
    for (size_t i = 0; i < n; ++i) {
        const long double t = static_cast<long double>(i) - mid;
        sum += x[i];
        sum_ty += t * x[i];
        sum_tt += t * t;
    }
    const long double mean = sum / static_cast<long double>(n), slope = sum_ty / sum_tt;
    const long double pi = std::numbers::pi_v<long double>;
    std::vector<long double> y(n);
    for (size_t i = 0; i < n; ++i) {
        const long double t = static_cast<long double>(i) - mid;
        y[i] = (x[i] - (mean + slope * t)) *
               (0.5L - 0.5L * std::cos(2 * pi * static_cast<long double>(i) / static_cast<long double>(n)));
    }
    const long double df = 1 / (static_cast<long double>(n) * dt);
    long double power = 0;
    for (size_t j = 0; j <= n / 2; ++j) {
        const long double f = static_cast<long double>(j) * df;
        if (f < lo - 1e-9L || f >= hi - 1e-9L) continue;
        std::complex<long double> X = 0;
        for (size_t i = 0; i < n; ++i)
            X += y[i] * std::polar(1.0L, -2 * pi * static_cast<long double>(j * i % n) / static_cast<long double>(n));
        const bool edge = j == 0 || (n % 2 == 0 && j == n / 2);
        const long double a = std::abs(X) * (edge ? 2 : 4) / static_cast<long double>(n);
        power += edge ? a * a : a * a / 2;
    }
    return static_cast<double>(std::sqrt(power / 1.5L));
}

// Column COLUMN (0-based field) of band row ROW of a band table.
double band_field(const std::string& table, int row, size_t from, size_t width) {
    std::istringstream in(table);
    std::string line;
    for (int record = 1; std::getline(in, line); ++record)
        if (record == 6 + row) return std::stod(line.substr(from, width));
    return std::nan("");
}

// A DATRA file of three days of one-minute samples of lines at 0.2, 0.5
// and 1.0 cph: the last two lie exactly on band limits.
void write_three_days(const std::string& name, double scale) {
    const testing::DatraLayout layout{"Gravity on band limits", "1.0", "(5e16.8)", "nm/s^2", "min", 5, "%16.8e"};
    testing::write_text_file(name, testing::datra_text(layout, 3 * 1440, [scale](int i) {
                                 const double t = (i - 1) / 60.0, w = 2.0 * std::numbers::pi;
                                 return scale * (10.0 * std::cos(w * 0.5 * t) + 6.0 * std::cos(w * 1.0 * t + 0.3) +
                                                 3.0 * std::cos(w * 0.2 * t));
                             }));
}

TEST(RightAnswers, BinsOnABandLimitBelongToTheUpperBand) {
    Session s;
    write_three_days("bf.dat", 1.0);
    s.run(
        "dbf.dat{enter}"
        "an{enter}q");
    const std::string table = testing::read_file_bytes("bf.spc");
    const std::vector<REAL> x = samples_of("bf.dat");
    ASSERT_EQ(x.size(), 4320u);
    for (const int row : {10, 11, 12, 13}) {
        const double lo = band.BANDLO(row), hi = band.BANDHI(row);
        const double expected = band_rms_direct(x, 1.0L / 60.0L, lo, hi);
        EXPECT_NEAR(band_field(table, row, 32, 15), expected, 2e-4 * expected + 1e-6) << "row " << row;
    }
    EXPECT_NE(table.find(" Step (cph):    1.38889E-02\n"), std::string::npos);
}

// The numbers of the amplitude axis: labels left of the frame.
std::vector<std::string> amplitude_numbers(const std::string& plot_file) {
    static const std::regex move(R"( PU *(-?\d+), *(-?\d+);)");
    std::vector<std::string> numbers;
    std::istringstream in(plot_file);
    std::string line;
    int x = 1 << 30;
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_match(line, m, move))
            x = std::stoi(m[1]);
        else if (line.rfind(" LB", 0) == 0 && x < 1600)
            numbers.push_back(line.substr(3, line.find('\x03') - 3));
    }
    return numbers;
}

TEST(RightAnswers, SpectrumAxisAndBandsReadable) {
    Session s;
    write_three_days("bf.dat", 0.002);
    s.run(
        "dbf.dat{enter}"
        "an{enter}"
        "snbf.plt{enter}"
        "snbf.svg{enter}");
    EXPECT_EQ(s.bottom_row(), "[Zoom/Yscale/Save/Quit] ->");
    std::vector<std::string> numbers = amplitude_numbers(testing::read_file_bytes("bf.plt"));
    ASSERT_GE(numbers.size(), 3u);
    numbers.pop_back();  // the axis title
    for (size_t i = 1; i < numbers.size(); ++i) EXPECT_NE(numbers[i], numbers[i - 1]);
    // Band lines on paper in brown, not in yellow.
    const std::string svg = testing::read_file_bytes("bf.svg");
    EXPECT_EQ(svg.find("rgb(100%,100%,33.333333%)"), std::string::npos);
    EXPECT_NE(svg.find("stroke:rgb(66.666667%,33.333333%,0%)"), std::string::npos);
}

TEST(RightAnswers, SpectrumOfHugeValuesIsFiniteOrRefused) {
    Session s;
    write_three_days("bf.dat", 1e20);
    s.run(
        "dbf.dat{enter}"
        "an{enter}q");
    const std::string table = testing::read_file_bytes("bf.spc");
    for (const char* bad : {"INF", "inf", "NAN", "nan"}) EXPECT_EQ(table.find(bad), std::string::npos) << bad;
    const double rms = band_field(table, 12, 32, 15);
    EXPECT_TRUE(std::isfinite(rms) && rms > 1e20) << rms;

    // Values at the end of single precision overflow the transform.
    const testing::DatraLayout layout{"Overflow", "1.0", "(5e16.8)", "nm/s^2", "min", 5, "%16.8e"};
    testing::write_text_file("big.dat",
                             testing::datra_text(layout, 1000, [](int i) { return i % 2 ? 3.0e38 : -3.0e38; }));
    s.run(
        "dnbig.dat{enter}"
        "an{enter}");
    EXPECT_EQ(s.bottom_row(), "Data range too large to draw Press [Enter] -->");
    s.run(
        "dy"
        "an{enter}{enter}");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_FALSE(std::filesystem::exists("big.spc"));
}

TEST(RightAnswers, ALongTitleEndsWithDotsInsideTheFrame) {
    Session s;
    const std::string title = "Superconducting gravimeter, Black Forest Observatory, station BF, sensor 2, 1 s";
    const testing::DatraLayout layout{title, "1.0", "(5f10.3)", "nm/s^2", "min", 5, "%10.3f"};
    testing::write_text_file("bf.dat", testing::datra_text(layout, 100, [](int i) { return std::sin(i * 0.1); }));
    s.run(
        "dbf.dat{enter}"
        "dnn{enter}"
        "snlong.plt{enter}");
    // 8 inches of frame hold 53 characters of 0.15 inch.
    const std::string shown = title.substr(0, 50) + "...";
    EXPECT_NE(testing::read_file_bytes("long.plt").find(" LB" + shown + "\x03"), std::string::npos);
    EXPECT_EQ(testing::read_file_bytes("long.plt").find(title.substr(0, 54)), std::string::npos);
}

TEST(RightAnswers, ASampleOnAPrintedBinLimitIsCountedInTheUpperBin) {
    Session s;
    // Readings 0.00 to 4.00 cm: 25 bins of 0.16; one reading on each of the
    // limits 0.16, 0.48 and 0.96, one at each end.
    const std::vector<double> readings = {0.0, 0.16, 0.48, 0.96, 4.0};
    const testing::DatraLayout layout{"Tide gauge", "1.0", "(5f10.2)", "cm", "hour", 5, "%10.2f"};
    testing::write_text_file("tg.dat", testing::datra_text(layout, 5, [&](int i) { return readings[i - 1]; }));
    s.run(
        "dtg.dat{enter}"
        "hnny");
    std::istringstream table(testing::read_file_bytes("tg.hst"));
    std::string line;
    std::vector<int> counts;
    for (int record = 1; std::getline(table, line); ++record)
        if (record > 3) counts.push_back(std::stoi(line.substr(31)));
    ASSERT_EQ(counts.size(), 25u);
    for (const int bin : {1, 2, 4, 7, 25}) EXPECT_EQ(counts[static_cast<size_t>(bin - 1)], 1) << "bin " << bin;
}

TEST(RightAnswers, SpectrumTimeLimitsAreAskedAsDatesOnACalendarAxis) {
    Session s;
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", "bf240301.ggp");
    s.run(
        "dbf240301.ggp{enter}"
        "cu5{enter}r"
        "ay");
    EXPECT_EQ(s.bottom_row().substr(0, 38), "Set dates (yyyy-mm-dd hh:mm): Lower ->");
    s.run(
        "dy"
        "cu5{enter}r"
        "ay2024-03-02{enter}2024-03-12{enter}{enter}q");
    EXPECT_NE(testing::read_file_bytes("bf240301.spc").find(" Samples   :        25       265       241"),
              std::string::npos);
}

}  // namespace
}  // namespace datrax
