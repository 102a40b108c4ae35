#include "data/calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/state.h"
#include "base/file_name.h"
#include "records/field_conversion.h"

namespace datrax {

namespace {

bool leap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr double kLargestSeconds = 1e13;  // beyond year 300,000: not a time a data file holds

// Reads exactly n digits at text[pos...]; false when one is not a digit.
bool digits(std::string_view text, size_t pos, size_t n, int64_t& value) {
    return pos + n <= text.size() && digits_value(text.substr(pos, n), n, value);
}

}  // namespace

void civil_from_days(int64_t z, int64_t& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

int days_in_month(int64_t y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : kDays[m - 1];
}

CivilTime civil_time(int64_t seconds) {
    const int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int64_t in_day = seconds - days * 86400;
    CivilTime t;
    civil_from_days(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(in_day / 3600);
    t.minute = static_cast<int>(in_day / 60 % 60);
    t.second = static_cast<int>(in_day % 60);
    return t;
}

int64_t days_from_civil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yoe = year - era * 400;
    const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool valid_date(int64_t year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month);
}

bool epoch_seconds(int64_t year, int month, int day, int hour, int minute, int second, int64_t& out) {
    if (!valid_date(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 60)
        return false;
    out = ((days_from_civil(year, month, day) * 24 + hour) * 60 + minute) * 60 + second;
    return true;
}

std::string format_start(double seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) > kLargestSeconds) return "unknown";
    const CivilTime t = civil_time(static_cast<int64_t>(std::floor(seconds)));
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d %02d:%02d:%02d", static_cast<long long>(t.year), t.month, t.day,
                  t.hour, t.minute, t.second);
    return buf;
}

std::string format_minutes(double seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) > kLargestSeconds) return "unknown";
    const CivilTime t = civil_time(static_cast<int64_t>(std::round(seconds / 60.0)) * 60);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04lld-%02d-%02d %02d:%02d", static_cast<long long>(t.year), t.month, t.day, t.hour,
                  t.minute);
    return buf;
}

bool parse_date_time(std::string_view text, int64_t& seconds) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    int64_t y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (text.size() != 10 && text.size() != 16 && text.size() != 19) return false;
    if (!digits(text, 0, 4, y) || text[4] != '-' || !digits(text, 5, 2, mo) || text[7] != '-' || !digits(text, 8, 2, d))
        return false;
    if (text.size() >= 16 &&
        (text[10] != ' ' || !digits(text, 11, 2, h) || text[13] != ':' || !digits(text, 14, 2, mi)))
        return false;
    if (text.size() == 19 && (text[16] != ':' || !digits(text, 17, 2, s))) return false;
    return epoch_seconds(y, static_cast<int>(mo), static_cast<int>(d), static_cast<int>(h), static_cast<int>(mi),
                         static_cast<int>(s), seconds);
}

double day_file_start(std::string_view path) {
    constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
    const std::string_view name = path.substr(base_name_start(path));
    if (name.size() < 6) return kUnknown;
    int v = 0;
    if (!digits_value(name.substr(1, 5), 5, v)) return kUnknown;
    const int yy = v / 1000, day = v % 1000;
    const int64_t year = yy >= 70 ? 1900 + yy : 2000 + yy;
    if (day < 1 || day > (leap(year) ? 366 : 365)) return kUnknown;
    return static_cast<double>((days_from_civil(year, 1, 1) + day - 1) * 86400);
}

std::string data_time_zone() {
    // The zone a dated list's header names; stamps without one are UTC.
    for (INTEGER k = 1; k <= std::clamp(sel.NDSETS, 1, 2); ++k) {
        if (!dset.zone(k).is_blank()) return std::string(dset.zone(k).trimmed());
    }
    return "UTC";
}

}  // namespace datrax
