#include "plots/tide_table.h"

#include <cmath>
#include <cstdio>

#include "data/calendar.h"
#include "data/tide_waves.h"

namespace datrax {

namespace {

template <typename... Args>
std::string line(const char* format, Args... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

// One row per wave or group: (1X,A12,F10.6,1P2E13.5,0P2F10.3,F9.5); the
// factor's columns are blank when it is not known.
std::string wave_row(const TideGroup& g) {
    std::string row = line(" %-12.12s%10.6f%13.5E%13.5E%10.3f%10.3f", g.label().c_str(), g.frequency, g.amplitude,
                           g.amplitude_error, g.phase, g.phase_error);
    return std::isnan(g.factor) ? row : row + line("%9.5f", g.factor);
}

std::string names(const std::vector<int>& waves, size_t from) {
    std::string s;
    for (size_t i = from; i < waves.size(); ++i)
        s += (s.empty() ? "" : ", ") + std::string(kTideWaves[static_cast<size_t>(waves[i])].name);
    return s;
}

std::string grouped_line(const TideFit& fit) {
    std::string s;
    for (const TideGroup& g : fit.groups)
        if (g.waves.size() > 1)
            s += (s.empty() ? "" : "; ") + names(g.waves, 1) + " with " +
                 std::string(kTideWaves[static_cast<size_t>(g.waves[0])].name);
    return s.empty() ? s : " Grouped     : " + s + " (closer than 1/window)";
}

std::string factors_line(const TideTableSource& src) {
    if (std::isnan(src.latitude)) return " Factors     : none (the file gives no latitude)";
    if (!src.gravity_unit) return " Factors     : none (the data unit is not one of gravity)";
    return line(" Factors     : rigid earth at %.4f deg, degree-2 Cartwright-Tayler-Edden", src.latitude);
}

const char* const kPowers[] = {"", "/day", "/day^2", "/day^3"};

}  // namespace

std::vector<std::string> tide_table_lines(const TideTableSource& src, const TideFit& fit) {
    std::vector<std::string> l;
    l.push_back(" TIDAL ANALYSIS of " + src.title);
    l.push_back(" Data file   : " + src.file);
    const double end = src.start + static_cast<double>(fit.samples - 1) * src.interval;
    l.push_back(" Window (UTC): " + format_start(src.start) + " to " + format_start(end) + line("%10.2f h", fit.hours));
    l.push_back(line(" Samples     :%10lld used%10lld missing", static_cast<long long>(fit.used),
                     static_cast<long long>(fit.missing)));
    l.push_back(
        line(" Parameters  :%10d, degrees of freedom%10lld", fit.parameters, static_cast<long long>(fit.freedom)));
    l.push_back(
        line(" RMS         :%13.5E%13.5E  %s (residual, data)", fit.rms_residual, fit.rms_data, src.unit.c_str()));
    l.push_back(line(" %-12s%10s%13s%13s%10s%10s%9s", "wave", "freq(cph)", "amplitude", "std.err.", "lag(deg)",
                     "std.err.", "factor"));
    for (const TideGroup& g : fit.groups) l.push_back(wave_row(g));
    if (fit.admittance_fitted)
        l.push_back(line(" Admittance  :%13.5E%13.5E  %s/%s", fit.admittance, fit.admittance_error, src.unit.c_str(),
                         src.pressure_unit.c_str()));
    for (size_t k = 0; k < fit.drift.size(); ++k)
        l.push_back(line(" Drift t^%zu   :%13.5E%13.5E  %s%s", k, fit.drift[k], fit.drift_error[k], src.unit.c_str(),
                         kPowers[k]));
    l.push_back(" Centre (UTC): " + format_start(fit.centre) + " (t = 0 of the drift, nodal f and u)");
    if (const std::string g = grouped_line(fit); !g.empty()) l.push_back(g);
    if (!fit.left_out.empty())
        l.push_back(" Left out    : " + names(fit.left_out, 0) + " (period longer than the window)");
    l.push_back(factors_line(src));
    for (std::string& s : l)
        if (s.size() > 79) s.resize(79);
    return l;
}

}  // namespace datrax
