#include "data/list_columns.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "base/text.h"
#include "data/ggp_units.h"

namespace datrax {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Units a name may end in after an underscore ("Level_m").
bool known_unit(std::string_view u) {
    static constexpr std::string_view kUnits[] = {"hpa",   "mbar",  "bar",   "pa",   "kpa",  "psi",   "m",
                                                  "cm",    "mm",    "cmh2o", "mh2o", "inhg", "mmhg",  "v",
                                                  "mv",    "c",     "degc",  "k",    "ugal", "mgal",  "microgal",
                                                  "nm/s2", "nms-2", "m/s2",  "ms",   "s",    "us/cm", "ms/cm"};
    const std::string l = lower_case(u);
    for (const std::string_view k : kUnits) {
        if (l == k) return true;
    }
    return false;
}

}  // namespace

bool names_time_column(std::string_view name) {
    const std::string l = lower_case(trim(name));
    const auto has = [&l](std::string_view w) { return l.find(w) != std::string::npos; };
    return has("date") || has("time") || has("julian") || has("epoch") || l.starts_with("day") ||
           l.starts_with("doy") || l == "jd" || l == "mjd" || l.starts_with("hour") || l.starts_with("minute");
}

std::string unit_in_name(std::string_view name) {
    name = trim(name);
    for (const auto& [open, close] : {std::pair{'(', ')'}, std::pair{'[', ']'}}) {
        const size_t a = name.rfind(open), b = name.rfind(close);
        if (a != std::string_view::npos && b != std::string_view::npos && b > a + 1) {
            const std::string_view u = trim(name.substr(a + 1, b - a - 1));
            if (!u.empty() && zone_in_header(u).empty()) return std::string(shown_unit(u));
        }
    }
    const size_t underscore = name.rfind('_');
    if (underscore != std::string_view::npos && known_unit(name.substr(underscore + 1))) {
        return std::string(shown_unit(name.substr(underscore + 1)));
    }
    return {};
}

std::string zone_in_header(std::string_view line) {
    const std::string l = lower_case(line);
    size_t at = l.find("utc");
    if (at == std::string::npos) at = l.find("gmt");
    if (at == std::string::npos) return {};
    size_t end = at + 3;
    if (end < l.size() && (l[end] == '+' || l[end] == '-')) {
        ++end;
        while (end < l.size() && (std::isdigit(static_cast<unsigned char>(l[end])) || l[end] == ':')) ++end;
    }
    std::string zone(line.substr(at, end - at));
    for (size_t i = 0; i < 3; ++i) zone[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(zone[i])));
    return zone.size() == 4 ? zone.substr(0, 3) : zone;  // a sign without digits
}

bool rises_with_time(std::span<const float> values, std::span<const int64_t> times) {
    std::vector<std::pair<double, double>> points;  // (seconds, value) from the first present one
    for (size_t i = 0; i < values.size() && i < times.size(); ++i) {
        if (std::isnan(values[i])) continue;
        points.emplace_back(static_cast<double>(times[i]) / 1000.0, values[i]);
    }
    if (points.size() < 3) return false;
    const double span_t = points.back().first - points.front().first;
    const double span_v = points.back().second - points.front().second;
    if (span_t <= 0 || span_v <= 0) return false;
    for (const double per_second : {1.0, 1.0 / 60, 1.0 / 3600, 1.0 / 86400}) {
        if (std::fabs(span_v / span_t / per_second - 1.0) > 0.02) continue;
        bool in_step = true;
        for (const auto& [t, v] : points) {
            const double expected = points.front().second + (t - points.front().first) * per_second;
            in_step &= std::fabs(v - expected) <= 0.05 * span_v + 1e-6 * std::fabs(v);
        }
        if (in_step) return true;
    }
    return false;
}

}  // namespace datrax
