// What the header line of a dated list says of its columns: which are time
// columns, the data unit in a column's name, the time zone of the stamps.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace datrax {

// A name of a date, a time or a day number: "Date", "Time[UTC+10]",
// "DayNumber", "DOY", "Julian day", "epoch".
bool names_time_column(std::string_view name);

// The unit in a column's name: "pressure(hPa)", "Level [m]",
// "Pressure_cmH2O", "Baro_m"; empty when it names none.
std::string unit_in_name(std::string_view name);

// The time zone a header line names: "UTC+09:30" of "Time[UTC+09:30]",
// "UTC-5" of "Date (UTC-5)", "UTC" of "time (UTC)"; empty when none.
std::string zone_in_header(std::string_view line);

// True when the values rise in step with the times (milliseconds): by one
// a second, minute, hour or day, within the values' rounding. Values that
// are missing are passed over; fewer than three present never rise so.
bool rises_with_time(std::span<const float> values, std::span<const int64_t> times);

}  // namespace datrax
