#include "data/ggp_units.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/text.h"
namespace datrax {

std::string_view shown_unit(std::string_view written) {
    struct Known {
        std::string_view written, shown;
    };
    static constexpr Known kKnown[] = {
        {"v", "volt"},
        {"volt", "volt"},
        {"hpa", "hPa"},
        {"mbar", "mbar"},
        {"nm/s^2", "nm/s2"},
        {"nm/s**2", "nm/s2"},
        {"nm/s2", "nm/s2"},
        {"nms-2", "nm/s2"},
        {"ugal", "microgal"},
        {"microgal", "microgal"},
        {"\xc2\xb5gal", "microgal"},
        {"mugal", "microgal"},
    };
    const std::string l = lower_case(written);
    for (const Known& k : kKnown) {
        if (l == k.written) return k.shown;
    }
    return written;
}

namespace {

bool names_gravity(std::string_view name) { return name.starts_with("grav"); }
bool names_pressure(std::string_view name) { return name.starts_with("pres") || name.starts_with("baro"); }

// A line naming the columns names the date or time column too; a line of
// free text ("Barometer (Setra 278)") names no column.
bool names_columns(std::string_view line) {
    const std::string l = lower_case(line);
    const auto has = [&l](std::string_view w) { return l.find(w) != std::string::npos; };
    return has("yyyy") || has("date") || has("hhmmss") || has("time");
}

// The channels a line of column names names, units or not.
void note_channels(std::string_view line, HeaderUnits& units) {
    const std::string l = lower_case(line);
    for (size_t i = 0; i < l.size(); ++i) {
        if (!std::isalpha(static_cast<unsigned char>(l[i])) ||
            (i > 0 && std::isalpha(static_cast<unsigned char>(l[i - 1]))))
            continue;
        const std::string_view word = std::string_view(l).substr(i);
        units.names_gravity |= names_gravity(word);
        units.names_pressure |= names_pressure(word);
    }
}

}  // namespace

void scan_header_latitude(std::string_view line, double& latitude) {
    const std::string l = lower_case(line);
    const size_t name = l.find("latitude");
    const size_t colon = l.find(':', name == std::string::npos ? l.size() : name);
    if (colon == std::string::npos) return;
    const std::string rest = l.substr(colon + 1);
    char* end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str() ||
        rest.find_first_not_of(" \t\r", static_cast<size_t>(end - rest.c_str())) != std::string::npos)
        return;
    if (std::isfinite(value) && std::fabs(value) <= 90.0) latitude = value;
}

void scan_header_units(std::string_view line, HeaderUnits& units) {
    // Most lines a file without a data marker holds name no unit at all.
    if (line.find('(') == std::string_view::npos || !names_columns(line)) return;
    size_t open = 0;
    while ((open = line.find('(', open)) != std::string_view::npos) {
        const size_t close = line.find(')', open + 1);
        if (close == std::string_view::npos) return;
        size_t word = open;
        while (word > 0 && std::isalpha(static_cast<unsigned char>(line[word - 1]))) --word;
        const std::string name = lower_case(line.substr(word, open - word));
        const std::string_view unit = line.substr(open + 1, close - open - 1);
        if (!unit.empty() && unit.find_first_not_of(' ') != std::string_view::npos) {
            if (names_gravity(name) || names_pressure(name)) note_channels(line, units);
            if (names_gravity(name) && !units.has_gravity) {
                units.gravity = shown_unit(unit);
                units.has_gravity = true;
            } else if (names_pressure(name) && !units.has_pressure) {
                units.pressure = shown_unit(unit);
                units.has_pressure = true;
            }
        }
        open = close + 1;
    }
}

}  // namespace datrax
