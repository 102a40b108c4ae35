// Units named in a GGP header line: "gravity(V)", "grav(V)", "pressure(hPa)",
// "pres(hPa)", "gravity(nm/s^2)", "pressure(mbar)" ...
#pragma once
#include <string_view>

#include "base/text.h"

namespace datrax {

struct HeaderUnits {
    Text<20> gravity, pressure;            // the unit texts as shown
    bool has_gravity = false, has_pressure = false;
};

// Takes the units of a header line's column names (the first of each kind
// found in the file counts). Known units are shown in their usual spelling
// ("volt", "hPa", "nm/s2", "mbar", "microgal"), others as written.
void scan_header_units(std::string_view line, HeaderUnits& units);

// The station latitude of a header line "N. Latitude (deg) :    48.330";
// latitude is left alone by any other line or a value outside -90..90.
void scan_header_latitude(std::string_view line, double& latitude);

}  // namespace datrax
