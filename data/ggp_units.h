// Units named in a GGP header line: "gravity(V)", "grav(V)", "pressure(hPa)",
// "pres(hPa)", "baro(m)", "gravity(nm/s^2)", "pressure(mbar)" ...
#pragma once
#include <string_view>

#include "base/text.h"

namespace datrax {

struct HeaderUnits {
    Text<20> gravity, pressure;  // the unit texts as shown
    bool has_gravity = false, has_pressure = false;
    // The channels named in the lines that give units (with or without one).
    bool names_gravity = false, names_pressure = false;

    // The file's one channel is pressure: its values fill the pressure slot.
    bool pressure_only() const { return names_pressure && !names_gravity; }
};

// A unit as shown: the usual spelling of a known one ("V" -> "volt", "hpa"
// -> "hPa", "nm/s^2" -> "nm/s2", "ugal" -> "microgal"), others as written.
std::string_view shown_unit(std::string_view written);

// Takes the units of a header line's column names (the first of each kind
// found in the file counts); a line that names no date or time column is
// free text and names no unit. Known units are shown in their usual spelling
// ("volt", "hPa", "nm/s2", "mbar", "microgal"), others as written.
void scan_header_units(std::string_view line, HeaderUnits& units);

// The station latitude of a header line "N. Latitude (deg) :    48.330";
// latitude is left alone by any other line or a value outside -90..90.
void scan_header_latitude(std::string_view line, double& latitude);

}  // namespace datrax
