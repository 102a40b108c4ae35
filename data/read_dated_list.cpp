// Dated lists, as loggers write them: header lines, then lines of a time
// stamp and values (dated_lines.h). The stamps place the samples as GGP
// lines are placed (time_grid.h). The header line naming the columns
// chooses the values: time and day-number columns, and columns rising in
// step with the stamps, are passed over; the first value column fills the
// slot read into, a second one fills slot 2 beside slot 1 (as a GGP file
// does). Column names give titles and data units, and a time zone named in
// the header is kept with the start.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "data/dated_lines.h"
#include "data/list_columns.h"
#include "data/reader_attempts.h"
#include "data/time_grid.h"
#include "records/missing.h"

namespace datrax::reader {

namespace {

constexpr size_t kSampleLines = 24;  // data lines looked at to choose the columns

struct Columns {
    size_t field[2] = {0, 0};
    std::string name[2];
    int count = 0;
};

using Fields = std::array<std::string_view, kMaxListFields>;

// The stamp of a line in milliseconds, whatever order a date written either
// way has: close enough to see which columns rise with it.
int64_t rough_time(const ListStamp& s) {
    int64_t ms = s.ms;
    if (s.form == DateForm::YearLast && !year_last_time(s.ms, true, ms)) year_last_time(s.ms, false, ms);
    return ms;
}

// Leaves the input at the first data line.
bool skip_to_data(Context& c, const DatedStart& d) {
    if (!c.reopen()) return false;
    std::string_view line;
    for (int64_t i = 1; i < d.first_line; ++i) {
        if (!c.in.next_line(line)) return false;
    }
    return true;
}

// The column names of the header's last line; with blanks between the
// columns a unit standing apart ("Pressure (hPa)") belongs to its name.
std::vector<std::string> column_names(const DatedStart& d) {
    std::vector<std::string> names;
    if (d.header.empty()) return names;
    Fields f{};
    const size_t n = split_list_line(d.header.back(), d.separator, f.data());
    for (size_t i = 0; i < n; ++i) {
        const bool unit_apart = d.separator == ' ' && !names.empty() && (f[i][0] == '(' || f[i][0] == '[');
        if (unit_apart) {
            names.back().append(" ").append(f[i]);
        } else {
            names.emplace_back(f[i]);
        }
    }
    return names;
}

Columns choose_columns(Context& c, const DatedStart& d) {
    Columns cols;
    const std::vector<std::string> names = column_names(d);
    if (!skip_to_data(c, d)) return cols;
    // The first data lines, split, with their stamps.
    std::vector<std::string> lines;
    std::string_view line;
    while (lines.size() < kSampleLines && c.in.next_line(line)) {
        if (line.find_first_not_of(" \t") != std::string_view::npos) lines.emplace_back(line);
    }
    std::vector<Fields> fields(lines.size());
    std::vector<size_t> counts(lines.size());
    std::vector<int64_t> times;
    size_t used = 0, widest = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        counts[i] = split_list_line(lines[i], d.separator, fields[i].data());
        const ListStamp s = read_list_stamp(fields[i].data(), counts[i]);
        if (i == 0) used = s.used;
        times.push_back(rough_time(s));
        widest = std::max(widest, counts[i]);
    }
    const bool decimal_comma = d.separator != ',' && d.separator != ' ';
    for (size_t f = used; f < widest && cols.count < 2; ++f) {
        const std::string_view name = f < names.size() ? std::string_view(names[f]) : std::string_view();
        if (names_time_column(name)) continue;
        std::vector<float> values;
        bool numbers = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            float v = kMissing;
            const bool read = f < counts[i] && read_list_value(fields[i][f], decimal_comma, v);
            numbers |= read && !is_missing(v);
            values.push_back(read ? v : kMissing);
        }
        // A column of text (flags, notes) or one more clock is no value.
        if (!numbers && lines.size() > 0 && widest > used + 1) continue;
        if (rises_with_time(values, times)) continue;
        cols.field[cols.count] = f;
        cols.name[cols.count++] = std::string(name);
    }
    return cols;
}

void set_slot(Context& c, INTEGER k, const TimeGrid& grid, const std::string& name, const std::string& title) {
    dset.NPTS(k) = static_cast<INTEGER>(grid.samples());
    dset.DT(k) = interval_in_unit(static_cast<double>(grid.interval()) / 1000.0, dset.TUNIT);
    const std::string unit = unit_in_name(name);
    dset.DUNIT(k) = unit.empty() ? "no unit" : unit;
    dset.TITLE(k) = name.empty() ? title : name;
    dset.LTITLE(k) = dset.TITLE(k).is_blank() ? 0 : left_adjust(dset.TITLE(k), 80);
    dset.FNAME(k) = c.name.view();
}

std::string zone_of(const DatedStart& d) {
    for (auto it = d.header.rbegin(); it != d.header.rend(); ++it) {
        if (std::string zone = zone_in_header(*it); !zone.empty()) return zone;
    }
    return {};
}

class DatedRead {
public:
    DatedRead(Context& c, const DatedStart& d, const Columns& cols)
        : c_(c), d_(d), cols_(cols), decimal_comma_(d.separator != ',' && d.separator != ' ') {
        const bool both = cols.count == 2;
        y_[0] = Y.column(both ? 1 : c.k);
        y_[1] = both ? Y.column(2) : nullptr;
    }

    Outcome run() {
        if (!skip_to_data(c_, d_)) return Outcome::NotThisFormat;
        std::string_view line;
        int64_t number = d_.first_line - 1;
        while (c_.in.next_line(line)) {
            ++number;
            const Outcome r = take(line, number);
            if (r != Outcome::Read) return r;
        }
        return finish();
    }

private:
    Outcome refuse(const std::string& why) {
        claim();
        c_.notice("List not read: " + why);
        return Outcome::NotThisFormat;
    }
    void claim() {
        const auto n = static_cast<INTEGER>(grid_.lines());
        dset.NPTS(cols_.count == 2 ? 1 : c_.k) = n;
        if (cols_.count == 2) dset.NPTS(2) = n;
    }

    Outcome take(std::string_view line, int64_t number) {
        Fields f;
        const size_t n = split_list_line(line, d_.separator, f.data());
        if (n == 0) return Outcome::Read;
        const ListStamp s = read_list_stamp(f.data(), n);
        if (s.form == DateForm::None || (form_ != DateForm::None && s.form != form_))
            return refuse("line " + std::to_string(number) + " is not a date, time and value");
        form_ = s.form;
        const size_t i = grid_.lines();
        if (i == static_cast<size_t>(MAXPTS)) {
            claim();
            c_.too_large();
            return Outcome::Refused;
        }
        for (int j = 0; j < cols_.count; ++j) {
            const std::string_view field = cols_.field[j] < n ? f[cols_.field[j]] : std::string_view();
            if (!read_list_value(field, decimal_comma_, y_[j][i]))
                return refuse("line " + std::to_string(number) + ": \"" + std::string(field.substr(0, 20)) +
                              "\" is not a number");
        }
        day_above_12_ |= s.first > 12;
        month_above_12_ |= s.second > 12;
        grid_.add(s.ms, number);
        return Outcome::Read;
    }

    // Dates written either way: a first number above 12 anywhere puts the
    // day first, a second one above 12 the month; else day first, assumed.
    Outcome order_dates() {
        if (form_ != DateForm::YearLast) return Outcome::Read;
        if (day_above_12_ && month_above_12_) return refuse("its dates put the day first and the month first");
        const bool day_first = !month_above_12_;
        c_.date_order = day_first ? "day first" : "month first";
        if (!day_above_12_ && !month_above_12_) c_.date_order += " (assumed)";
        const int64_t bad = grid_.restamp([day_first](int64_t& t) { return year_last_time(t, day_first, t); });
        return bad == 0 ? Outcome::Read : refuse("line " + std::to_string(bad) + " holds an impossible date");
    }

    Outcome finish() {
        if (grid_.lines() == 0) return refuse("no line holds a time and a value");
        if (const Outcome r = order_dates(); r != Outcome::Read) return r;
        if (!grid_.place(MAXPTS)) {
            claim();
            c_.too_large();
            return Outcome::Refused;
        }
        const std::string title = d_.header.empty() ? std::string() : d_.header.front().substr(0, 80);
        for (int j = 0; j < cols_.count; ++j) {
            grid_.spread(y_[j]);
            set_slot(c_, cols_.count == 2 ? j + 1 : c_.k, grid_, cols_.name[j], title);
        }
        c_.both_slots = cols_.count == 2;
        c_.start = static_cast<double>(grid_.first_time()) / 1000.0;
        if (grid_.interval() > 0) c_.interval = static_cast<double>(grid_.interval()) / 1000.0;
        c_.zone = zone_of(d_);
        c_.skipped_lines(grid_.skipped(), grid_.first_skipped_line());
        return Outcome::Read;
    }

    Context& c_;
    const DatedStart& d_;
    const Columns& cols_;
    const bool decimal_comma_;
    float* y_[2] = {nullptr, nullptr};
    TimeGrid grid_;
    DateForm form_ = DateForm::None;
    bool day_above_12_ = false, month_above_12_ = false;
};

}  // namespace

Outcome read_dated_list(Context& c, const DatedStart& d) {
    c.reading("Reading dated list ...|");
    const Columns cols = choose_columns(c, d);
    if (cols.count == 0) {
        c.notice("List not read: line " + std::to_string(d.first_line) + " has no value after its time");
        return Outcome::NotThisFormat;
    }
    DatedRead r(c, d, cols);
    return r.run();
}

}  // namespace datrax::reader
