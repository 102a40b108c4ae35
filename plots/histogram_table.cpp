#include "plots/histogram_table.h"

#include <cmath>
#include <cstdio>
#include <span>

#include "console/console.h"
#include "data/limits.h"
#include "plots/histogram_counts.h"
#include "plots/table_file.h"

namespace datrax {

namespace {

constexpr INTEGER kTableBins = 25;

std::string right_aligned(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

}  // namespace

std::string general_field_9_2(double x) {
    if (!std::isfinite(x)) return std::string(9, '*');
    const double a = std::fabs(x);
    // Fixed notation when the value rounded to two significant digits lies
    // in 0.1 .. 100 (zero included).
    const double scale = a == 0 ? 1 : std::pow(10.0, std::floor(std::log10(a)) - 1);
    const double rounded = std::round(a / scale) * scale;
    char buf[32];
    if (a == 0 || (rounded >= 0.1 && rounded < 100)) {
        const int before = rounded < 1 ? 0 : rounded < 10 ? 1 : 2;
        const int decimals = a == 0 ? 1 : 2 - before;
        if (decimals == 0)  // the point stays: "12."
            std::snprintf(buf, sizeof buf, "%4.0f.    ", x);
        else
            std::snprintf(buf, sizeof buf, "%5.*f    ", decimals, x);
        return buf;
    }
    int exponent = static_cast<int>(std::floor(std::log10(a))) + 1;
    double mantissa = a / std::pow(10.0, exponent);
    if (std::round(mantissa * 100) >= 100) {  // 0.995 rounds up to 0.10 of the next power
        mantissa /= 10;
        ++exponent;
    }
    if (std::abs(exponent) > 99) return std::string(9, '*');
    std::snprintf(buf, sizeof buf, "%s0.%02dE%c%02d", x < 0 ? "-" : "", static_cast<int>(std::round(mantissa * 100)),
                  exponent < 0 ? '-' : '+', std::abs(exponent));
    return right_aligned(buf, 9);
}

std::string histogram_table_text(const FileName& name, INTEGER k, REAL minimum, REAL maximum) {
    INTEGER counts[kTableBins];
    const std::span<const REAL> samples(Y.column(k), static_cast<size_t>(std::clamp(dset.NPTS(k), 0, MAXPTS)));
    count_bins(samples, minimum, maximum, counts, kTableBins);

    std::string text = " DATA HISTOGRAM for " + name_in_table(name) + "\n";
    text += " Data Set # " + std::to_string(k % 10) + "\n";
    text += "   bin #        limits               # samples\n";
    const Bins bins(minimum, maximum, kTableBins);
    for (INTEGER b = 1; b <= kTableBins; ++b) {
        char line[96];
        std::snprintf(line, sizeof line, "%5d     %s - %s%10d\n", b, general_field_9_2(bins.limit(b)).c_str(),
                      general_field_9_2(bins.limit(b + 1)).c_str(), counts[b - 1]);
        text += line;
    }
    return text;
}

void histogram_table() {
    const INTEGER k = sel.slot;
    REAL minimum = 0, maximum = 0;
    EXTREM(minimum, maximum, 1, dset.NPTS(k), k);
    FileName name(dset.FNAME(k).view());
    SETEXT(name, "hst");
    choose_table_name(name, "Filename for Histogram --> |");
    write_table(name, histogram_table_text(dset.FNAME(k), k, minimum, maximum));
}

}  // namespace datrax
