// Data files written the way the tests need them: DATRA files of a chosen
// layout and hourly GGP files, from value functions.
#pragma once
#include <functional>
#include <string>

namespace datrax::testing {

using SampleValue = std::function<double(int)>;

// The three header lines and the value layout of a DATRA file.
struct DatraLayout {
    std::string title;
    std::string dt;         // the interval as written on line 2
    std::string format;     // the format list of line 3
    std::string unit;       // data unit of line 3
    std::string time_unit;  // time unit of line 3
    int per_line = 5;
    const char* value_format = "%10.3f";  // one value, as printf writes it
};

// The text of a DATRA file of n samples v(1..n).
std::string datra_text(const DatraLayout& layout, int n, const SampleValue& v);

// The text of a GGP file: the header lines, then n hourly lines from day
// first_day of year_month ("yyyymm"), gravity g(i) and pressure p(i) for
// i = 0..n-1 in fields of 10, then the trailer.
std::string ggp_text(const std::string& header, const std::string& year_month, int first_day, int n,
                     const SampleValue& g, const SampleValue& p, const std::string& trailer);

// Writes the text to the named file.
void write_text_file(const std::string& name, const std::string& text);

}  // namespace datrax::testing
